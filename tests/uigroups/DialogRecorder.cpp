#include "DialogRecorder.h"

#include <QEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <utility>

GroupDialogHooks DialogRecorder::Hooks()
{
    GroupDialogHooks hooks;
    hooks.ShowMessage = [this](QWidget*, const GroupDialogHooks::Message& message) { Messages.push_back(message); };
    hooks.AskQuestion = [this](QWidget*, const GroupDialogHooks::Message& message) {
        Messages.push_back(message);
        return Answer;
    };
    hooks.ShowHelpTopic = [this](const QString& topic) { HelpTopics.push_back(topic); };
    return hooks;
}

ShowCounter::ShowCounter(QWidget& widget)
{
    widget.installEventFilter(this);
}

bool ShowCounter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        ++m_count;
    }
    return QObject::eventFilter(watched, event);
}

void WhenShown(QDialog& dialog, std::function<void()> action)
{
    QTimer::singleShot(0, &dialog, [&dialog, action = std::move(action)] {
        EXPECT_TRUE(dialog.isVisible());
        action();
        if (dialog.isVisible()) {
            dialog.reject();
        }
    });
}

void Click(const QObject& parent, const char* buttonName)
{
    QTest::mouseClick(Child<QPushButton>(parent, buttonName), Qt::LeftButton);
}

void PrintTo(const QString& text, std::ostream* stream)
{
    *stream << '"' << text.toStdString() << '"';
}
