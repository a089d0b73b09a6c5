#include "GroupDialogHooks.h"

#include <QFileDialog>
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

bool GroupDialogHooks::Ask(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) const
{
    const Message message{icon, title, text};
    if (AskQuestion) {
        return AskQuestion(parent, message);
    }
    QMessageBox box(message.Icon, message.Title, message.Text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setWindowModality(Qt::WindowModal);
    return box.exec() == QMessageBox::Yes;
}

QString GroupDialogHooks::OpenFileName(QWidget* parent, const QString& title, const QString& start) const
{
    if (ChooseFile) {
        return ChooseFile(parent, title, start);
    }
    QFileDialog dialog(parent, title, start);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setWindowModality(Qt::WindowModal);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
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
