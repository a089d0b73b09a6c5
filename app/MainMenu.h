#pragma once

#include <QCoreApplication>

#include <array>

class QAction;
class QMainWindow;
class QMenu;

// The main window's menu bar. Every entry has an object name ending in "Action" so that the code
// that implements a command (and its tests) can find it. Entries whose command is not part of the
// program yet are created disabled; the code that brings the command enables and connects them.
struct MainMenu
{
    Q_DECLARE_TR_FUNCTIONS(MainMenu)

public:
    static constexpr std::array<int, 5> ExpiredDays = {360, 180, 90, 30, 7};

    // "File"
    QAction* importAction = nullptr;
    QAction* exportAction = nullptr;
    QAction* closeAction = nullptr;
    QAction* exitAction = nullptr;
    // "Message"
    QAction* newAction = nullptr;
    QAction* editAction = nullptr;
    QAction* duplicateAction = nullptr;
    QAction* deleteAction = nullptr;
    // Brings back what the last Delete or "Delete expired messages" removed.
    QAction* undoDeleteAction = nullptr;
    QMenu* deleteExpiredMenu = nullptr;
    // "360 days +" ... "7 days +"; each carries its number of days as its data.
    std::array<QAction*, ExpiredDays.size()> deleteExpiredActions{};
    QAction* findAction = nullptr;
    QAction* findNextAction = nullptr;
    // "Options"
    QAction* groupsAction = nullptr;
    QAction* autoSortAction = nullptr;
    QAction* enableSoundsAction = nullptr;
    QAction* showHintsAction = nullptr;
    QAction* startWithDesktopAction = nullptr;
    QAction* desktopNotificationsAction = nullptr;
    // "Help"
    QAction* helpAction = nullptr;
    QAction* aboutAction = nullptr;

    // Fills the window's menu bar.
    void Build(QMainWindow& window);
};
