#pragma once

#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>

// Runs the linked tests inside a QApplication on the offscreen platform (so that they need no
// display), with the time zone and the date and number formats pinned.
int RunWidgetTests(int argc, char** argv);

// Finds a child by object name and fails the test when there is none.
template <typename T>
T* Child(const QObject& parent, const char* name)
{
    T* child = parent.findChild<T*>(QLatin1String(name));
    if (child == nullptr) {
        throw std::logic_error(std::string("no child named ") + name);
    }
    return child;
}
