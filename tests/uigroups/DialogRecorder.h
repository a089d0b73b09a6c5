#pragma once

#include "GroupDialogHooks.h"
#include "WidgetTests.h"

#include <QDialog>
#include <QObject>
#include <QString>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

class QWidget;

// Records what the dialogs show through their hooks: message boxes and questions (without a modal
// loop) and help topics.
class DialogRecorder
{
public:
    [[nodiscard]] GroupDialogHooks Hooks();

    std::vector<GroupDialogHooks::Message> Messages;
    std::vector<QString> HelpTopics;
    // Questions are recorded with the messages and answered with Answer.
    bool Answer = false;
};

// Counts the times a widget is shown.
class ShowCounter : public QObject
{
public:
    explicit ShowCounter(QWidget& widget);
    [[nodiscard]] int Count() const { return m_count; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int m_count = 0;
};

// Runs the action as soon as the dialog's modal loop runs; closes the dialog afterwards with
// Cancel if the action left it open, so that a failing test cannot hang in exec().
void WhenShown(QDialog& dialog, std::function<void()> action);

void Click(const QObject& parent, const char* buttonName);

// Lets GoogleTest show a QString as text in its failure messages.
void PrintTo(const QString& text, std::ostream* stream);
