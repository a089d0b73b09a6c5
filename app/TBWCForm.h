#pragma once

#include "ListFiles.h"
#include "MainMenu.h"
#include "MessageOrder.h"
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
class MainWindowTickJobs;
class MessageCommands;
class MessageListModel;
class QPushButton;
class QTreeView;
class ReminderDispatcher;
class Scheduler;
class TBWAboutForm;
class TBWGroupSelectForm;
class TBWItem;
class TickTimer;
class TrayController;
class TransferCenter;

// The main window: the personal message list as a table that sorts by any column, the menus and
// buttons through which every command is reached, the tray icon, and the user's preferences. Closing
// it only hides the program into the tray; "Exit" in the tray menu ends it.
//
// Where later work plugs in:
// - The scheduler: Tick() runs it once a second from the window's TickTimer, inside an error guard. Its
//   pull of the groups is the one set with SchedulerJobs().SetPullGroups (nothing until then).
// - Message and find commands: the entries of Menu() and the buttons "newButton", "editButton" and
//   "deleteButton" exist, disabled until a command is connected. A command changes Lists().PersonalList,
//   then calls UpdateRowCount() (rows added or removed), ResortIfAutoSort() and SelectMessage().
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

    // The order of the personal list (the sort column and direction live there).
    [[nodiscard]] int CompareMessages(const TBWItem& a, const TBWItem& b) const;
    // Sorts the personal list and keeps the selected message selected and in view.
    void ResortKeepingSelection();
    // Sorts the personal list only while "Autosort" is on.
    void ResortIfAutoSort();
    // Matches the list view's rows to the length of the personal list.
    void UpdateRowCount();
    void RepaintList();
    // The row (= index in the personal list) of the selected message, or -1.
    [[nodiscard]] int SelectedIndex() const;
    // Focuses the list, selects the row, makes it current and scrolls it into view.
    void SelectMessage(int index);

    void LoadPreferences();
    // May fail with EBWError when the store cannot be written.
    void SavePreferences();
    [[nodiscard]] Preferences CurrentPreferences() const;

    [[nodiscard]] AppContext& Context() const { return m_context; }
    [[nodiscard]] ProcessLists& Lists() const { return m_lists; }
    [[nodiscard]] const MainMenu& Menu() const { return m_menu; }
    [[nodiscard]] TrayController& Tray() const { return *m_tray; }
    // The tick's backup, pull, due scan and chime, and the reminder windows the scan opens.
    [[nodiscard]] Scheduler& TickScheduler() const { return *m_scheduler; }
    [[nodiscard]] MainWindowTickJobs& SchedulerJobs() const { return *m_tickJobs; }
    [[nodiscard]] ReminderDispatcher& Reminders() const { return *m_reminders; }
    // The groups: the Groups command, GroupCommands::PublishMessage for the message commands and
    // GroupCommands::PullGroups for the tick.
    [[nodiscard]] GroupCommands& Groups() const { return *m_groupCommands; }
    // The recipient picker of the message editor, made once.
    [[nodiscard]] TBWGroupSelectForm& GroupPicker() const;
    [[nodiscard]] TransferCenter& Transfers() const { return *m_transfers; }

Q_SIGNALS:
    // The close request went ahead: the program is ending.
    void ExitAccepted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void BuildWindow();
    QPushButton* MakeButton(const QString& objectName, const QString& text, const QString& toolTip);
    void ConnectCommands();
    void AskUserName();
    void UpdateCaption();
    void UpdateSortIndicator();
    // The tray icon's tooltip names the reminder that comes up next.
    void UpdateTrayToolTip();
    void ShowCentred();
    void HideIntoTray();
    void OnColumnClicked(int column);
    void OnAutoSortToggled(bool on);
    void OnShowHintsToggled(bool on);
    void OnStartWithDesktopToggled(bool on);
    // The scheduler's work for one tick (backup, pull, due scan, chime) comes here.
    void Tick();
    template <typename Work>
    void Guarded(Work&& work);

    AppContext& m_context;
    ProcessLists& m_lists;
    Preferences m_preferences;
    MessageOrder m_order;
    MainMenu m_menu;
    MessageListModel* m_model;
    QTreeView* m_listView = nullptr;
    QPushButton* m_newButton = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    HintSwitch* m_hints;
    TrayController* m_tray;
    TBWAboutForm* m_aboutForm;
    MessageCommands* m_messageCommands = nullptr;
    FindCommands* m_findCommands = nullptr;
    TickTimer* m_ticks = nullptr;
    std::unique_ptr<AutostartOption> m_autostart;
    std::unique_ptr<ReminderDispatcher> m_reminders;
    std::unique_ptr<MainWindowTickJobs> m_tickJobs;
    std::unique_ptr<Scheduler> m_scheduler;
    TransferCenter* m_transfers;
    std::unique_ptr<GroupCommands> m_groupCommands;
    QString m_startRefusal;
    bool m_exitRequested = false;
    bool m_shownBefore = false;
    // Windows of ours that were open when the program went into the tray, shown again by Open().
    std::vector<QPointer<QWidget>> m_hiddenWithMe;
};
