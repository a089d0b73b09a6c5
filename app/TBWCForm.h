#pragma once

#include "ListFiles.h"
#include "MainMenu.h"
#include "Preferences.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <vector>

struct AppContext;
struct ProcessLists;
class AutostartOption;
class GroupCommands;
class FindCommands;
class HintSwitch;
class ListSortControl;
class MainWindowTickJobs;
class MessageCommands;
class MessageListModel;
class MessageSelection;
class PersonalReminders;
class QTreeView;
class ReminderDispatcher;
class Scheduler;
class TBWAboutForm;
class TeamCommands;
class TeamReminders;
class TeamRowsControl;
class TickTimer;
class TrayController;
class TrayStatus;
class TransferCenter;

// The main window: the personal message list as a table that sorts by any column, followed by the
// reminders of the user's groups (TeamReminders, read-only but for their author), the menus and
// buttons through which every command is reached, the tray icon, and the user's preferences. Closing
// it only hides the program into the tray; "Exit" in the tray menu ends it.
//
// Where later work plugs in:
// - The scheduler: Tick() runs it once a second from the window's TickTimer, inside an error guard,
//   with the pull of the groups among its jobs.
// - Message and find commands: they get what they work with (PersonalReminders, the selection of the
//   list view, the menu) and never this window; the buttons "newButton", "editButton" and
//   "deleteButton" follow their menu entries.
// - Group publishing and pulling: the transfer manager is a QObject child of this window, made in the
//   constructor beside the tick timer; Menu().groupsAction opens the groups dialog.
// - The other dialogs (editor, groups, find) are made once in the constructor, as the about form is.
class TBWCForm : public QMainWindow
{
    Q_OBJECT

public:
    TBWCForm(AppContext& context, ProcessLists& lists, QWidget* parent = nullptr);
    ~TBWCForm() override;

    // The start steps: the data folder, the list files, the preferences, the user name (asked for
    // until one is given) and the caption. A list file that could neither be read nor kept aside
    // ends them at once: see StartRefusal().
    void RunStartSteps();
    // Why the program must not go on (a list file it could not read), or empty. Nothing is saved
    // then: not by the tick, not at the end.
    [[nodiscard]] const QString& StartRefusal() const { return m_startRefusal; }
    // The last start step, once the notification area has been waited for: the tray icon, and the
    // window unless the program starts hidden. Without a notification area a hidden start leaves the
    // window minimised instead, so that the program can still be reached.
    void FinishStart(bool startHidden);
    // "Open" in the tray: the window shown, restored and in front.
    void Open();
    // "Exit" in the tray: the close request goes ahead and the program ends.
    void RequestExit();
    [[nodiscard]] bool ExitRequested() const { return m_exitRequested; }
    // Writes the preferences, "glist.dat", "bwlist.dat" and the group working lists, in that order;
    // a step that fails is reported and the next one still runs.
    void ShutdownSave(const ListFiles::Report& report);
    // The desktop session is ending: everything is saved now, and a close request will go ahead.
    void SaveForSessionEnd(const ListFiles::Report& report);

    // The user's reminders: every change of the personal list goes through them.
    [[nodiscard]] PersonalReminders& Personal() const { return *m_personal; }
    // The groups' reminders, shown after the user's own unless the filter says "My reminders".
    [[nodiscard]] const TeamReminders& Team() const { return *m_team; }
    // The personal list was filled from outside (its file): the list view's rows follow it.
    void UpdateRowCount();
    // The row (= index in the personal list) of the selected message, or -1.
    [[nodiscard]] int SelectedIndex() const;
    // Focuses the list, selects the row, makes it current and scrolls it into view.
    void SelectMessage(int index);

    [[nodiscard]] Preferences CurrentPreferences() const;

    [[nodiscard]] const MainMenu& Menu() const { return m_menu; }
    [[nodiscard]] TrayController& Tray() const { return *m_tray; }
    // The reminder windows the due scan opens.
    [[nodiscard]] ReminderDispatcher& Reminders() const { return *m_reminders; }
    // The groups: the Groups command, GroupCommands::PublishMessage for the message commands and
    // GroupCommands::PullGroups for the tick.
    [[nodiscard]] GroupCommands& Groups() const { return *m_groupCommands; }
    [[nodiscard]] TransferCenter& Transfers() const { return *m_transfers; }

Q_SIGNALS:
    // The close request went ahead: the program is ending.
    void ExitAccepted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void BuildWindow();
    void LoadPreferences();
    // May fail with EBWError when the store cannot be written.
    void SavePreferences();
    void ConnectCommands();
    void AskUserName();
    void UpdateCaption();
    // The tray icon's tooltip names the reminder that comes up next; its menu the next few.
    void UpdateTrayToolTip();
    // A reminder chosen in the tray menu: the user's own opens in the editor, a group's in the window.
    void OpenReminder(std::int32_t id, const QString& groupName);
    void ShowCentred();
    void HideIntoTray();
    void OnAutoSortToggled(bool on);
    void OnShowHintsToggled(bool on);
    void OnStartWithDesktopToggled(bool on);
    void RepaintList();
    void SavePersonalList();
    // The scheduler's work for one tick (backup, pull, due scan, chime) comes here.
    void Tick();
    template <typename Work>
    void Guarded(Work&& work);

    AppContext& m_context;
    ProcessLists& m_lists;
    Preferences m_preferences;
    MainMenu m_menu;
    MessageListModel* m_model;
    PersonalReminders* m_personal;
    TeamReminders* m_team;
    TeamRowsControl* m_teamRows = nullptr;
    QTreeView* m_listView = nullptr;
    std::unique_ptr<MessageSelection> m_selection;
    std::unique_ptr<ListSortControl> m_sorting;
    HintSwitch* m_hints;
    TrayController* m_tray;
    TBWAboutForm* m_aboutForm;
    MessageCommands* m_messageCommands = nullptr;
    TeamCommands* m_teamCommands = nullptr;
    FindCommands* m_findCommands = nullptr;
    TickTimer* m_ticks = nullptr;
    std::unique_ptr<AutostartOption> m_autostart;
    std::unique_ptr<ReminderDispatcher> m_reminders;
    std::unique_ptr<MainWindowTickJobs> m_tickJobs;
    std::unique_ptr<Scheduler> m_scheduler;
    TransferCenter* m_transfers;
    std::unique_ptr<GroupCommands> m_groupCommands;
    // Goes first: it reads the postponed reminders and the groups' health.
    std::unique_ptr<TrayStatus> m_trayStatus;
    QString m_startRefusal;
    bool m_exitRequested = false;
    bool m_shownBefore = false;
    // Windows of ours that were open when the program went into the tray, shown again by Open().
    std::vector<QPointer<QWidget>> m_hiddenWithMe;
};
