#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

class TBWListLocation;

// What the group dialogs take from the rest of the program: the help viewer, the message boxes and
// what the pulls have shown of each group. The main window routes them to the program's own
// services and tests record them. Left empty, Help does nothing, a message is a QMessageBox with an
// OK button (Yes and No for a question), modal to its parent window only, a file is chosen in
// QFileDialog, and no group has a state to show.
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
    // A question with Yes and No (No the default); true for Yes.
    std::function<bool(QWidget* parent, const Message& message)> AskQuestion;
    // A file to open, or an empty text when none was chosen.
    std::function<QString(QWidget* parent, const QString& title, const QString& start)> ChooseFile;

    void Help(const QString& topic) const;
    [[nodiscard]] GroupState State(const TBWListLocation& group) const;
    void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) const;
    [[nodiscard]] bool Ask(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) const;
    [[nodiscard]] QString OpenFileName(QWidget* parent, const QString& title, const QString& start) const;
    // Runs a command handler. A failure ends the command with the program's error box instead
    // of unwinding through the event loop; the dialog stays open.
    void Guard(QWidget* parent, const std::function<void()>& command) const;
};
