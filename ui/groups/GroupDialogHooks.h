#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// What the group dialogs take from the rest of the program: the help viewer and the message
// boxes. The main window routes both to the program's own services and tests record them.
// Left empty, Help does nothing and a message is a QMessageBox with an OK button, modal to its parent.
class GroupDialogHooks
{
public:
    struct Message
    {
        QMessageBox::Icon Icon = QMessageBox::NoIcon;
        QString Title;
        QString Text;
    };

    std::function<void(const QString& topic)> ShowHelpTopic;
    std::function<void(QWidget* parent, const Message& message)> ShowMessage;

    void Help(const QString& topic) const;
    void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) const;
    // Runs a command handler. A failure ends the command with the program's error box instead
    // of unwinding through the event loop; the dialog stays open.
    void Guard(QWidget* parent, const std::function<void()>& command) const;
};
