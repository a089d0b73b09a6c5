#include "GroupDialogHooks.h"

#include <QGuiApplication>

#include <exception>

void GroupDialogHooks::Help(const QString& topic) const
{
    if (ShowHelpTopic) {
        ShowHelpTopic(topic);
    }
}

GroupDialogHooks::GroupState GroupDialogHooks::State(const TBWListLocation& group) const
{
    return StateOf ? StateOf(group) : GroupState{};
}

void GroupDialogHooks::Tell(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) const
{
    const Message message{icon, title, text};
    if (ShowMessage) {
        ShowMessage(parent, message);
        return;
    }
    QMessageBox box(message.Icon, message.Title, message.Text, QMessageBox::Ok, parent);
    // Failures quote the group file that was tested; its markup must not render.
    box.setTextFormat(Qt::PlainText);
    // Blocks the dialog it belongs to, not the reminder pop-ups.
    box.setWindowModality(Qt::WindowModal);
    box.exec();
}

void GroupDialogHooks::Guard(QWidget* parent, const std::function<void()>& command) const
{
    try {
        command();
    } catch (const std::exception& error) {
        Tell(parent, QMessageBox::Critical, QGuiApplication::applicationDisplayName(),
             QString::fromLocal8Bit(error.what()));
    }
}
