#include "MainMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* AddAction(QMenu* menu, const QString& objectName, const QString& text, bool enabled = true)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(objectName);
    action->setEnabled(enabled);
    return action;
}

QAction* AddCheckAction(QMenu* menu, const QString& objectName, const QString& text)
{
    QAction* action = AddAction(menu, objectName, text);
    action->setCheckable(true);
    return action;
}

} // namespace

void MainMenu::Build(QMainWindow& window)
{
    QMenuBar* bar = window.menuBar();

    QMenu* fileMenu = bar->addMenu(tr("&File"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    importAction = AddAction(fileMenu, QStringLiteral("importAction"), tr("&Import..."));
    exportAction = AddAction(fileMenu, QStringLiteral("exportAction"), tr("&Export..."));
    fileMenu->addSeparator();
    closeAction = AddAction(fileMenu, QStringLiteral("closeAction"), tr("&Close"));
    closeAction->setShortcut(QKeySequence::Close);
    fileMenu->addSeparator();
    // The end of the program, not only of the window: the tray's "Exit", from the keyboard.
    exitAction = AddAction(fileMenu, QStringLiteral("exitAction"), tr("E&xit"));
    exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    // The message commands arrive with the message editor, the find command with the find dialog.
    QMenu* messageMenu = bar->addMenu(tr("&Message"));
    messageMenu->setObjectName(QStringLiteral("messageMenu"));
    newAction = AddAction(messageMenu, QStringLiteral("newAction"), tr("&New..."), false);
    editAction = AddAction(messageMenu, QStringLiteral("editAction"), tr("&Edit..."), false);
    duplicateAction = AddAction(messageMenu, QStringLiteral("duplicateAction"), tr("D&uplicate"), false);
    deleteAction = AddAction(messageMenu, QStringLiteral("deleteAction"), tr("&Delete"), false);
    // Every command has a key of its own; the list has no text field that would want these keys.
    newAction->setShortcut(QKeySequence(Qt::Key_Insert));
    editAction->setShortcut(QKeySequence(Qt::Key_F2));
    duplicateAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    // A delete reaches the message's groups at once, so a stray press of Del alone must not be enough.
    deleteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    undoDeleteAction = AddAction(messageMenu, QStringLiteral("undoDeleteAction"), tr("&Undo delete"), false);
    undoDeleteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    deleteExpiredMenu = messageMenu->addMenu(tr("Delete e&xpired messages"));
    deleteExpiredMenu->setObjectName(QStringLiteral("deleteExpiredMenu"));
    for (std::size_t i = 0; i < ExpiredDays.size(); ++i) {
        const int days = ExpiredDays[i];
        QAction* action = AddAction(deleteExpiredMenu, QStringLiteral("deleteExpired%1Action").arg(days),
                                    tr("%1 days +").arg(days), false);
        action->setData(days);
        deleteExpiredActions[i] = action;
    }
    messageMenu->addSeparator();
    findAction = AddAction(messageMenu, QStringLiteral("findAction"), tr("&Find..."), false);
    findAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    findNextAction = AddAction(messageMenu, QStringLiteral("findNextAction"), tr("Find &next"), false);
    findNextAction->setShortcut(QKeySequence(Qt::Key_F3));

    QMenu* optionsMenu = bar->addMenu(tr("&Options"));
    optionsMenu->setObjectName(QStringLiteral("optionsMenu"));
    // The groups dialog comes with group publishing and pulling.
    groupsAction = AddAction(optionsMenu, QStringLiteral("groupsAction"), tr("&Groups..."), false);
    autoSortAction = AddCheckAction(optionsMenu, QStringLiteral("autoSortAction"), tr("&Autosort"));
    enableSoundsAction = AddCheckAction(optionsMenu, QStringLiteral("enableSoundsAction"), tr("Enable &sounds"));
    showHintsAction = AddCheckAction(optionsMenu, QStringLiteral("showHintsAction"), tr("Show &hints"));
    startWithDesktopAction =
        AddCheckAction(optionsMenu, QStringLiteral("startWithDesktopAction"), tr("Start with the &desktop"));
    desktopNotificationsAction = AddCheckAction(optionsMenu, QStringLiteral("desktopNotificationsAction"),
                                                tr("Reminders as desktop &notifications"));

    QMenu* helpMenu = bar->addMenu(tr("&Help"));
    helpMenu->setObjectName(QStringLiteral("helpMenu"));
    helpAction = AddAction(helpMenu, QStringLiteral("helpAction"), tr("&Help"));
    helpAction->setShortcut(QKeySequence::HelpContents);
    aboutAction = AddAction(helpMenu, QStringLiteral("aboutAction"), tr("&About"));
}
