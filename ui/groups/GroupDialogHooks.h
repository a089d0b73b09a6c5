#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

class TBWListLocation;

// What the group dialogs take from the rest of the program: the help viewer, the message boxes and
// what the pulls have shown of each group. The main window routes them to the program's own
// services and tests record them. Left empty, Help does nothing, a message is a QMessageBox with an
// OK button, modal to its parent window only, and no group has a state to show.
class GroupDialogHooks
{
public:
    struct Message
    {
        QMessageBox::Icon Icon = QMessageBox::NoIcon;
        QString Title;
        QString Text;
    };

    // How the group's last pulls went, in a sentence; Failing when the last one did not.
    struct GroupState
    {
        bool Failing = false;
        QString Text;
    };

    std::function<void(const QString& topic)> ShowHelpTopic;
    std::function<void(QWidget* parent, const Message& message)> ShowMessage;
    std::function<GroupState(const TBWListLocation& group)> StateOf;

    void Help(const QString& topic) const;
    [[nodiscard]] GroupState State(const TBWListLocation& group) const;
    void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) const;
    // Runs a command handler. A failure ends the command with the program's error box instead
    // of unwinding through the event loop; the dialog stays open.
    void Guard(QWidget* parent, const std::function<void()>& command) const;
};
