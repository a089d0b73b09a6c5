#include "GroupCommands.h"

#include "AppContext.h"
#include "Clock.h"
#include "Dialogs.h"
#include "HelpService.h"
#include "ListFiles.h"
#include "ProcessLists.h"
#include "PullProblemNotice.h"
#include "TBWGroupSelectForm.h"
#include "TBWGroupsForm.h"
#include "TransferCenter.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QStringList>

#include <algorithm>
#include <exception>
#include <map>

namespace {

GroupDialogHooks MakeHooks(HelpService& help, const GroupHealth& health, const Clock& clock)
{
    GroupDialogHooks hooks;
    hooks.ShowHelpTopic = [&help](const QString& topic) { help.ShowHelpTopic(topic); };
    hooks.StateOf = [&health, &clock](const TBWListLocation& group) {
        return GroupDialogHooks::GroupState{group.Enabled && health.Of(group.Name).Problem.has_value(),
                                            health.Describe(group, clock.Now())};
    };
    return hooks;
}

QString NameList(const TStringList& names)
{
    QStringList texts;
    for (const std::string& name : names) {
        texts.push_back(QString::fromLocal8Bit(name));
    }
    return texts.join(QStringLiteral(", "));
}

} // namespace

// The busy cursor and the status text of a publish, for as long as it runs (its waits included).
class GroupCommands::PublishingScope
{
public:
    PublishingScope(GroupCommands& commands, const QString& text)
        : m_commands(commands), m_previous(commands.m_publishing)
    {
        m_commands.m_publishing = text;
        m_commands.UpdateStatus();
        QApplication::setOverrideCursor(Qt::BusyCursor);
        if (m_commands.m_publishDepth++ == 0) {
            Q_EMIT m_commands.PublishingChanged(true);
        }
    }
    ~PublishingScope()
    {
        QApplication::restoreOverrideCursor();
        m_commands.m_publishing = m_previous;
        m_commands.UpdateStatus();
        if (--m_commands.m_publishDepth == 0) {
            Q_EMIT m_commands.PublishingChanged(false);
        }
    }
    PublishingScope(const PublishingScope&) = delete;
    PublishingScope& operator=(const PublishingScope&) = delete;

private:
    GroupCommands& m_commands;
    QString m_previous;
};

GroupCommands::GroupCommands(AppContext& context, ProcessLists& lists, TransferCenter& transfers, QMainWindow& window,
                             const TrayController& tray)
    : m_context(context), m_lists(lists), m_window(window), m_fileService(transfers, context.dataFolder),
      m_exchange(lists.GroupList, lists.GroupItemLists, context.dataFolder, transfers, context.clock),
      m_pullNotice(std::make_unique<PullProblemNotice>(window, tray)),
      m_groupsForm(
          std::make_unique<TBWGroupsForm>(m_fileService, MakeHooks(context.help, m_health, context.clock), &window)),
      m_groupPicker(std::make_unique<TBWGroupSelectForm>(MakeHooks(context.help, m_health, context.clock), &window)),
      m_statusLabel(new QLabel(window.statusBar()))
{
    m_statusLabel->setObjectName(QStringLiteral("transferStatusLabel"));
    window.statusBar()->addWidget(m_statusLabel, 1);
    connect(&transfers, &TransferCenter::ActivityChanged, this, &GroupCommands::SetActivity);
    m_exchange.SetLateReport([this](const ExchangeReport& report) { TellLateReport(report); });
    m_retryTimer.setSingleShot(true);
    m_retryTimer.setInterval(std::chrono::seconds(15));
    connect(&m_retryTimer, &QTimer::timeout, this, [this] { m_exchange.SendWaitingChanges(); });
}

GroupCommands::~GroupCommands() = default;

void GroupCommands::EditGroups()
{
    if (m_groupsForm->isVisible()) {
        m_groupsForm->activateWindow();
        return;
    }
    m_groupsForm->LoadGroups(m_lists.GroupList);
    if (m_groupsForm->exec() != QDialog::Accepted) {
        return;
    }
    ApplyDialogGroups();
}

void GroupCommands::ApplyDialogGroups()
{
    const ListFiles files(
        m_context.dataFolder, [this](const QString& text) { m_context.dialogs.ShowError(&m_window, text); },
        m_context.secrets);
    // The working lists of the groups enabled until now go to their files: a group disabled in the
    // dialog finds its list there when it is enabled again.
    m_exchange.FinishSaves();
    files.SaveGroupItemLists(m_lists);
    std::map<std::string, std::string> passwordsBefore;
    for (const auto& group : m_lists.GroupList) {
        if (group->Enabled) {
            passwordsBefore.emplace(group->Name, group->Password);
        }
    }

    m_groupsForm->SaveGroups(m_lists.GroupList);
    // Written now rather than at the end of the run, so that a crash does not lose the groups.
    files.SaveGroupList(m_lists);

    // A working list just saved under a password the group no longer has would not open with the
    // new one: it is written again under the new password before the lists are read back.
    for (const auto& group : m_lists.GroupList) {
        const auto before = passwordsBefore.find(group->Name);
        const TBWItemList* items = m_lists.GroupItemLists.Find(group->Name);
        if (!group->Enabled || before == passwordsBefore.end() || before->second == group->Password ||
            items == nullptr) {
            continue;
        }
        try {
            SaveItemList(*items, GroupFilePath(files.GroupItemListsFolder(), group->Name), group->Password);
        } catch (const std::exception& failure) {
            m_context.dialogs.ShowError(&m_window, QString::fromLocal8Bit(failure.what()));
        }
    }
    files.LoadGroupItemLists(m_lists);

    // Nothing that came while a group was off is replayed when it is switched on (again): neither
    // what its working list still holds nor what its next pull brings.
    for (const auto& group : m_lists.GroupList) {
        if (TBWItemList* items = m_lists.GroupItemLists.Find(group->Name);
            items != nullptr && group->Enabled && !passwordsBefore.contains(group->Name)) {
            m_exchange.Rejoin(group->Name, TakePastOccurrences(*items, m_context.clock.Now()));
        }
    }
}

ExchangeReport GroupCommands::PublishMessage(const TBWItem& message, const TStringList& oldRecipients,
                                             const TStringList& newRecipients)
{
    TStringList names;
    UnionStrings(oldRecipients, newRecipients, names);
    TStringList groups;
    for (const std::string& name : names) {
        if (FindGroup(m_lists.GroupList, name) >= 0) {
            groups.push_back(name);
        }
    }
    ExchangeReport report;
    {
        const PublishingScope publishing(*this, tr("Sending the message to %1…").arg(NameList(groups)));
        report = m_exchange.PublishMessage(message, oldRecipients, newRecipients);
    }
    RetryWhenBusy(report);
    if (!report.StillSending.empty()) {
        m_window.statusBar()->showMessage(
            tr("Still sending the message to %1; you will be told how it ends.").arg(NameList(report.StillSending)));
    }
    TellPublishProblems(report);
    return report;
}

void GroupCommands::TellLateReport(const ExchangeReport& report)
{
    RetryWhenBusy(report);
    if (!report.Completed.empty()) {
        m_window.statusBar()->showMessage(tr("The message reached %1.").arg(NameList(report.Completed)));
    }
    if (report.Problems.empty()) {
        return;
    }
    QStringList lines;
    for (const GroupProblem& problem : report.Problems) {
        lines.push_back(GroupProblemText::ForPublish(problem));
    }
    m_pullNotice->TellText(lines.join(u'\n'));
}

void GroupCommands::RetryWhenBusy(const ExchangeReport& report)
{
    const bool busy = std::any_of(report.Problems.begin(), report.Problems.end(), [](const GroupProblem& problem) {
        return problem.Problem == GroupProblem::Kind::Busy;
    });
    if (busy && !m_retryTimer.isActive()) {
        m_retryTimer.start();
    }
}

void GroupCommands::TellPublishProblems(const ExchangeReport& report)
{
    if (report.Problems.empty()) {
        return;
    }
    QStringList lines;
    for (const GroupProblem& problem : report.Problems) {
        lines.push_back(GroupProblemText::ForPublish(problem));
    }
    // Told without waiting: a box that waited here would keep the command, and everything started
    // inside its waits, from ending until the user came back.
    m_context.dialogs.ShowNotice(&m_window,
                                 tr("Not every group got the message.") + QStringLiteral("\n\n") + lines.join(u'\n'));
}

void GroupCommands::PullGroups()
{
    // The pull waits for its transfers while ticks go on; one that comes round meanwhile is skipped.
    if (m_pulling) {
        return;
    }
    m_pulling = true;
    try {
        const ExchangeReport report = m_exchange.PullGroups();
        m_pulling = false;
        m_health.Record(report, m_context.clock.Now());
        m_lastPullFailure.clear();
        m_pullNotice->Tell(m_pullFilter.NewProblems(report));
        for (const JoinedGroup& joined : report.Joined) {
            if (joined.SkippedReminders > 0) {
                m_pullNotice->TellText(GroupProblemText::ForJoin(joined));
            }
        }
    } catch (const std::exception& failure) {
        // Told without a modal box and only once, like the groups' problems: this runs every minute.
        m_pulling = false;
        const QString text = QString::fromLocal8Bit(failure.what());
        if (text != m_lastPullFailure) {
            m_lastPullFailure = text;
            m_pullNotice->TellText(tr("The group messages could not be fetched: %1").arg(text));
        }
    }
}

void GroupCommands::SetActivity(const QString& text)
{
    m_activity = text;
    UpdateStatus();
}

void GroupCommands::UpdateStatus()
{
    m_statusLabel->setText(m_activity.isEmpty() ? m_publishing : m_activity);
}
