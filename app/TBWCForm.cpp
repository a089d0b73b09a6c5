#include "TBWCForm.h"

#include "AppContext.h"
#include "Artwork.h"
#include "AutostartOption.h"
#include "BWError.h"
#include "CalendarCommands.h"
#include "Clock.h"
#include "CommandButtons.h"
#include "DataFolder.h"
#include "Dialogs.h"
#include "EmptyListHint.h"
#include "ErrorGuard.h"
#include "FindCommands.h"
#include "GroupCommands.h"
#include "HelpService.h"
#include "HintSwitch.h"
#include "ListSortControl.h"
#include "MainWindowTickJobs.h"
#include "MessageCommands.h"
#include "MessageListModel.h"
#include "MessageListView.h"
#include "MessageSelection.h"
#include "NextReminderText.h"
#include "NotificationArea.h"
#include "PersonalReminders.h"
#include "PreferencesStore.h"
#include "ProcessLists.h"
#include "ReminderDispatcher.h"
#include "Scheduler.h"
#include "SoundPlayer.h"
#include "TBWAboutForm.h"
#include "TBWGroupSelectForm.h"
#include "TeamCommands.h"
#include "TeamReminders.h"
#include "TeamRowsControl.h"
#include "TickTimer.h"
#include "TransferCenter.h"
#include "TrayController.h"
#include "TrayStatus.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int BeepFrequencyHz = 1000;
constexpr int BeepDurationMs = 300;

} // namespace

template <typename Work>
void TBWCForm::Guarded(Work&& work)
{
    RunGuarded(m_context.dialogs, this, std::forward<Work>(work));
}

TBWCForm::TBWCForm(AppContext& context, ProcessLists& lists, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_lists(lists),
      m_model(new MessageListModel(lists.PersonalList, context.clock, this)),
      m_personal(new PersonalReminders(
          lists.PersonalList, [this] { SavePersonalList(); }, this)),
      m_team(new TeamReminders(lists.GroupItemLists, lists.PersonalList, m_personal->Order(), this)),
      m_hints(new HintSwitch(this)), m_tray(new TrayController(this)), m_aboutForm(nullptr),
      m_transfers(
          new TransferCenter(QFile::decodeName(QByteArray::fromStdString(context.dataFolder.string())), nullptr, this))
{
    setObjectName(QStringLiteral("mainForm"));
    setWindowTitle(tr("Bellwick"));
    setWindowIcon(ProgramIcon());
    m_model->SetTeamRows(m_team);
    BuildWindow();
    ConnectCommands();
    m_aboutForm = new TBWAboutForm(m_context, this);
    m_autostart = std::make_unique<AutostartOption>(m_context.autostart, QCoreApplication::applicationFilePath());
    m_groupCommands = std::make_unique<GroupCommands>(m_context, m_lists, *m_transfers, *this, *m_tray);
    connect(m_groupCommands.get(), &GroupCommands::PublishingChanged, m_menu.groupsAction,
            [this](bool publishing) { m_menu.groupsAction->setEnabled(!publishing); });
    // "Add..." of the editor offers every group, enabled or not.
    const auto pickRecipients = [this](QWidget* /*parent*/) -> std::optional<TStringList> {
        TBWGroupSelectForm& picker = m_groupCommands->GroupPicker();
        if (picker.Execute(m_lists.GroupList) != QDialog::Accepted) {
            return std::nullopt;
        }
        return picker.SelectedGroups();
    };
    const auto userName = [this] { return m_preferences.UserName.toLocal8Bit().toStdString(); };
    const auto publish = [this](const TBWItem& message, const TStringList& oldRecipients,
                                const TStringList& newRecipients) {
        m_groupCommands->PublishMessage(message, oldRecipients, newRecipients);
    };
    m_messageCommands =
        new MessageCommands({*m_personal, *m_selection, m_context, m_menu, *this, userName, pickRecipients}, publish);
    m_teamCommands = new TeamCommands(
        {*m_team, m_lists.GroupItemLists, m_messageCommands->EditForm(), m_context.dialogs, *this, userName, publish});
    m_messageCommands->SetTeamCommands(m_teamCommands);
    m_findCommands = new FindCommands(*m_personal, *m_team, *m_selection, m_menu, m_context.dialogs, *this);

    // The scheduler's clock runs from the moment the window exists, shown or not.
    m_reminders = std::make_unique<ReminderDispatcher>(m_context, [this] { return CurrentPreferences(); });
    // The view may still draw while the window is taken apart, after the dispatcher has gone.
    m_model->SetPostponedLookup([this](std::int32_t id) {
        return m_reminders ? m_reminders->Postponed().WaitingUntil(id, m_context.clock.Now()) : std::nullopt;
    });
    connect(m_reminders.get(), &ReminderDispatcher::PostponedChanged, this, [this] {
        RepaintList();
        UpdateTrayToolTip();
    });
    m_tickJobs = std::make_unique<MainWindowTickJobs>(
        *m_personal, m_context.dataFolder, m_context.dialogs,
        [this]() -> QWidget* { return isVisible() ? this : nullptr; },
        [this] {
            m_groupCommands->PullGroups();
            m_teamRows->RefreshAll();
        });
    // The due scan marks the user's reminders in place; adding, removing and sorting stay with
    // PersonalReminders.
    m_scheduler = std::make_unique<Scheduler>(m_personal->ForDueScan(), m_lists.GroupList, m_lists.GroupItemLists,
                                              m_context.dataFolder, m_context.clock, *m_reminders, *m_tickJobs);
    m_ticks = new TickTimer([this] { Tick(); }, m_context.dialogs, *this);
    m_trayStatus = std::make_unique<TrayStatus>(*m_tray, m_lists, m_context.clock, *m_scheduler);
    m_trayStatus->SetPostponed(&m_reminders->Postponed());
    m_trayStatus->SetHealth(&m_groupCommands->Health());
    m_reminders->SetPauseLookup([this] { return m_scheduler->PausedUntil(); });
}

TBWCForm::~TBWCForm()
{
    // Running transfers are cancelled and joined while everything they report to still exists.
    m_transfers->Shutdown();
}

void TBWCForm::BuildWindow()
{
    m_menu.Build(*this);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    m_listView = MakeMessageListView(*m_model, central);
    m_selection = MakeListViewSelection(*m_listView);
    m_sorting = std::make_unique<ListSortControl>(*m_personal, *m_selection, *m_listView->header());
    const auto updateRows = [this](bool countChanged) {
        if (countChanged) {
            m_model->UpdateRowCount();
        } else {
            m_model->Repaint();
        }
    };
    connect(m_personal, &PersonalReminders::RowsChanged, m_model, updateRows);
    connect(m_team, &TeamReminders::RowsChanged, m_model, updateRows);
    m_teamRows = new TeamRowsControl(*m_team, m_lists.PersonalList, *m_model, *m_selection, *central);
    // A new order, or a reminder the user now holds as their own, changes the team rows too.
    connect(m_personal, &PersonalReminders::RowsChanged, m_teamRows, &TeamRowsControl::Refresh);
    connect(m_listView, &QAbstractItemView::activated, m_menu.editAction, &QAction::trigger);
    m_sorting->UpdateIndicator();
    new EmptyListHint(tr("No reminders yet. Press Ins or choose Message ▸ New to add one."), *m_listView);

    QHBoxLayout* buttons = MakeCommandButtons(*central, m_menu);
    m_teamRows->AddTo(*buttons);

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(14);
    layout->addWidget(m_listView, 1);
    layout->addLayout(buttons);
    setCentralWidget(central);

    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(true);

    const QHeaderView* header = m_listView->header();
    resize(std::max(532, header->sectionSize(MessageListModel::DateTimeColumn) +
                             header->sectionSize(MessageListModel::TypeColumn) +
                             header->sectionSize(MessageListModel::MessageColumn) +
                             header->sectionSize(MessageListModel::GroupColumn) + 16 + 2 * m_listView->frameWidth()),
           396 + menuBar()->sizeHint().height());
    setMinimumSize(300, 250);
}

void TBWCForm::ConnectCommands()
{
    connect(m_listView->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        Guarded([&] {
            // The personal rows have no group to sort by: the order stays, and so does its mark.
            if (column == MessageListModel::GroupColumn) {
                m_sorting->UpdateIndicator();
            } else {
                m_sorting->ColumnClicked(column);
            }
        });
    });
    connect(m_teamRows, &TeamRowsControl::ShowAllChanged, this,
            [this](bool all) { m_preferences.ShowTeamReminders = all; });
    connect(m_menu.closeAction, &QAction::triggered, this, &QWidget::close);
    connect(m_menu.exitAction, &QAction::triggered, this, [this] { Guarded([&] { RequestExit(); }); });
    connect(m_menu.autoSortAction, &QAction::toggled, this,
            [this](bool on) { Guarded([&] { OnAutoSortToggled(on); }); });
    connect(m_menu.enableSoundsAction, &QAction::toggled, this, [this](bool on) { m_preferences.EnableSounds = on; });
    connect(m_menu.showHintsAction, &QAction::toggled, this, [this](bool on) { OnShowHintsToggled(on); });
    m_menu.desktopNotificationsAction->setEnabled(m_context.notifications != nullptr);
    connect(m_menu.desktopNotificationsAction, &QAction::toggled, this,
            [this](bool on) { m_preferences.NotifyThroughDesktop = on; });
    connect(m_menu.startWithDesktopAction, &QAction::toggled, this,
            [this](bool on) { Guarded([&] { OnStartWithDesktopToggled(on); }); });
    connect(m_menu.helpAction, &QAction::triggered, this,
            [this] { Guarded([&] { m_context.help.ShowHelpTopic(QStringLiteral("benefits.htm")); }); });
    connect(m_menu.aboutAction, &QAction::triggered, this, [this] { Guarded([&] { m_aboutForm->exec(); }); });
    m_menu.groupsAction->setEnabled(true);
    connect(m_menu.groupsAction, &QAction::triggered, this,
            [this] { Guarded([&] { m_groupCommands->EditGroups(); }); });
    connect(m_tray, &TrayController::OpenRequested, this, [this] { Guarded([&] { Open(); }); });
    connect(m_tray, &TrayController::ExitRequested, this, [this] { Guarded([&] { RequestExit(); }); });
    connect(m_tray, &TrayController::NewReminderRequested, m_menu.newAction, &QAction::trigger);
    connect(m_tray, &TrayController::ReminderRequested, this,
            [this](std::int32_t id, const QString& groupName) { Guarded([&] { OpenReminder(id, groupName); }); });
    // The commands and the due scan report every change of the list through the model.
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(m_model, signal, this, &TBWCForm::UpdateTrayToolTip);
    }
    connect(m_model, &QAbstractItemModel::dataChanged, this, &TBWCForm::UpdateTrayToolTip);
    auto* calendars = new CalendarCommands(m_context, *m_personal, *this, [this] { return m_preferences.UserName; });
    calendars->setObjectName(QStringLiteral("calendarCommands"));
    connect(m_menu.importAction, &QAction::triggered, calendars, &CalendarCommands::Import);
    connect(m_menu.exportAction, &QAction::triggered, calendars, &CalendarCommands::Export);
}

void TBWCForm::UpdateTrayToolTip()
{
    if (m_trayStatus) {
        m_trayStatus->Update();
    }
}

void TBWCForm::OpenReminder(std::int32_t id, const QString& groupName)
{
    int row = -1;
    if (groupName.isEmpty()) {
        row = m_personal->RowOfId(id);
    } else if (const int team = m_team->RowOf(groupName.toStdString(), id); team >= 0) {
        // The group rows follow the user's own; hidden by the filter, they have none.
        row = static_cast<int>(m_lists.PersonalList.size()) + team;
    }
    if (row < 0) {
        Open();
        return;
    }
    SelectMessage(row);
    m_menu.editAction->trigger();
}

void TBWCForm::RunStartSteps()
{
    const auto report = [this](const QString& text) {
        m_context.dialogs.ShowError(isVisible() ? this : nullptr, text);
    };
    DataFolder(m_context.dataFolder).CreateTree();
    // The password store answers in an event loop; the ticks wait for Begin() below, so none finds
    // the lists half loaded.
    const ListFiles::StartLoad loaded = ListFiles::LoadForStart(m_context.dataFolder, m_lists, m_context.secrets);
    if (loaded.Stop) {
        m_startRefusal = (loaded.Notes + QStringList{*loaded.Stop}).join(QStringLiteral("\n\n"));
        m_exitRequested = true;
        return;
    }
    if (!loaded.Notes.isEmpty()) {
        // One box: a second one would wait unanswered if the first is answered by the end of the program.
        report(loaded.Notes.join(QStringLiteral("\n\n")));
    }
    UpdateRowCount();
    LoadPreferences();
    // From here on the ticks sort and sound as the user chose; a box still to come (the name) lets
    // them run.
    m_ticks->Begin();
    m_reminders->RestorePostponed();
    try {
        m_autostart->Repair(m_preferences.StartWithDesktop);
    } catch (const EBWError& failure) {
        // The option stays on: the entry is tried again at the next start.
        report(QString::fromLocal8Bit(failure.what()));
    }
    AskUserName();
    UpdateCaption();
}

void TBWCForm::AskUserName()
{
    // The name goes into every message the user writes, so the program does not go on without one.
    // Only a request to end the program (a signal, the end of the session) stops the asking.
    while (m_preferences.UserName.isEmpty() && !m_exitRequested) {
        m_preferences.UserName =
            m_context.dialogs.AskText(nullptr, tr("User name"), tr("Enter your name"), QString()).value_or(QString());
    }
}

void TBWCForm::UpdateCaption()
{
    //: The main window's caption: the program's name and the user's name.
    setWindowTitle(tr("Bellwick (%1)").arg(m_preferences.UserName));
}

void TBWCForm::FinishStart(bool startHidden)
{
    // Reminders come at the latest from here, even after a start step that failed.
    m_ticks->Begin();
    m_tray->Show();
    if (!startHidden) {
        ShowCentred();
    } else if (!m_context.notificationArea.IsAvailable()) {
        showMinimized();
        m_shownBefore = true;
    }
}

void TBWCForm::ShowCentred()
{
    if (!m_shownBefore) {
        if (const QScreen* screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    show();
    m_shownBefore = true;
}

void TBWCForm::Open()
{
    if (!m_shownBefore) {
        ShowCentred();
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    for (const QPointer<QWidget>& window : m_hiddenWithMe) {
        if (window) {
            window->show();
        }
    }
    m_hiddenWithMe.clear();
}

void TBWCForm::RequestExit()
{
    m_exitRequested = true;
    close();
}

void TBWCForm::closeEvent(QCloseEvent* event)
{
    if (m_exitRequested) {
        event->accept();
        Q_EMIT ExitAccepted();
        return;
    }
    event->ignore();
    // Into the tray only when there is a tray to come back from; otherwise the taskbar keeps it.
    if (m_context.notificationArea.IsAvailable()) {
        HideIntoTray();
    } else {
        showMinimized();
    }
}

void TBWCForm::HideIntoTray()
{
    m_hiddenWithMe.clear();
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() && child->isVisible()) {
            m_hiddenWithMe.emplace_back(child);
            child->hide();
        }
    }
    hide();
}

void TBWCForm::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Only double clicks that no control took arrive here: the window's own background.
    event->accept();
    Guarded([&] { m_context.sound.Beep(BeepFrequencyHz, BeepDurationMs); });
}

void TBWCForm::ShutdownSave(const ListFiles::Report& report)
{
    if (!m_startRefusal.isEmpty()) {
        return;
    }
    try {
        SavePreferences();
    } catch (const std::exception& failure) {
        report(QString::fromLocal8Bit(failure.what()));
    }
    const ListFiles files(m_context.dataFolder, report, m_context.secrets);
    files.SaveGroupList(m_lists);
    files.SavePersonalList(m_lists);
    m_groupCommands->FinishWorkingListSaves();
    files.SaveGroupItemLists(m_lists);
}

void TBWCForm::SaveForSessionEnd(const ListFiles::Report& report)
{
    ShutdownSave(report);
    m_exitRequested = true;
}

void TBWCForm::SavePersonalList()
{
    const ListFiles files(m_context.dataFolder,
                          [this](const QString& text) { m_context.dialogs.ShowError(this, text); });
    files.SavePersonalList(m_lists);
}

void TBWCForm::UpdateRowCount()
{
    m_personal->Reloaded();
}

void TBWCForm::RepaintList()
{
    m_model->Repaint();
}

int TBWCForm::SelectedIndex() const
{
    return m_selection->SelectedRow();
}

void TBWCForm::SelectMessage(int index)
{
    m_selection->SelectRow(index);
}

void TBWCForm::OnAutoSortToggled(bool on)
{
    m_preferences.AutoSort = on;
    m_sorting->SetAutoSort(on);
}

void TBWCForm::OnShowHintsToggled(bool on)
{
    m_preferences.ShowHints = on;
    m_hints->SetEnabled(on);
}

void TBWCForm::OnStartWithDesktopToggled(bool on)
{
    try {
        m_autostart->Apply(on);
    } catch (const EBWError&) {
        // The check mark keeps saying what the desktop will do.
        const QSignalBlocker blocker(m_menu.startWithDesktopAction);
        m_menu.startWithDesktopAction->setChecked(!on);
        throw;
    }
    m_preferences.StartWithDesktop = on;
}

void TBWCForm::LoadPreferences()
{
    m_preferences = Preferences::Load(m_context.preferences);
    // Setting the check marks is not a user's choice: nothing may re-sort here.
    for (auto [action, checked] : {std::pair{m_menu.autoSortAction, m_preferences.AutoSort},
                                   std::pair{m_menu.enableSoundsAction, m_preferences.EnableSounds},
                                   std::pair{m_menu.showHintsAction, m_preferences.ShowHints},
                                   std::pair{m_menu.startWithDesktopAction, m_preferences.StartWithDesktop},
                                   std::pair{m_menu.desktopNotificationsAction, m_preferences.NotifyThroughDesktop}}) {
        const QSignalBlocker blocker(action);
        action->setChecked(checked);
    }
    m_hints->SetEnabled(m_preferences.ShowHints);
    m_teamRows->SetShowAll(m_preferences.ShowTeamReminders);
    m_scheduler->SetChimeEnabled(m_preferences.ChimeEnabled);
    m_sorting->Restore(m_preferences.SortColumn, m_preferences.SortReversed, m_preferences.AutoSort);
}

void TBWCForm::SavePreferences()
{
    CurrentPreferences().Save(m_context.preferences);
}

Preferences TBWCForm::CurrentPreferences() const
{
    Preferences current = m_preferences;
    current.SortColumn = m_personal->Order().SortColumn();
    current.SortReversed = m_personal->Order().SortReversed();
    return current;
}

void TBWCForm::Tick()
{
    m_scheduler->Tick();
    // A pull may have brought the groups' reminders up to date.
    m_teamRows->Refresh();
    // A reminder that has just come due gives way to the next one.
    UpdateTrayToolTip();
}
