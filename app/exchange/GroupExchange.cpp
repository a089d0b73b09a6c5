#include "GroupExchange.h"

#include "BWError.h"
#include "Clock.h"
#include "GroupFetchTask.h"
#include "GroupPublishTask.h"
#include "TransferBatch.h"
#include "TransferCenter.h"

#include <algorithm>

namespace {

void Note(ExchangeReport& report, const TBWListLocation& group, GroupProblem::Kind kind, std::string detail = {})
{
    report.Problems.push_back({group.Name, kind, std::move(detail)});
}

std::unique_ptr<TBWListLocation> CopyOf(const TBWListLocation& group)
{
    auto copy = std::make_unique<TBWListLocation>();
    copy->Assign(group);
    return copy;
}

GroupProblem::Kind KindOf(PublishOutcome::Problem problem)
{
    using Problem = PublishOutcome::Problem;
    using Kind = GroupProblem::Kind;
    switch (problem) {
    case Problem::Busy:
        return Kind::Busy;
    case Problem::Unreachable:
        return Kind::Unreachable;
    case Problem::BadContainer:
        return Kind::BadContainer;
    case Problem::Damaged:
    case Problem::TooLarge:
        return Kind::ReadFailed;
    case Problem::ReadOnly:
        return Kind::ReadOnly;
    case Problem::None:
    case Problem::SendFailed:
    case Problem::NotVerified:
        break;
    }
    return Kind::SendFailed;
}

} // namespace

// One publish in a group's line, shared with the callback that learns of its end.
struct GroupExchange::Sending
{
    std::unique_ptr<TBWListLocation> Group;
    std::shared_ptr<GroupPublishTask> Task;
    bool Ended = false;
    // Settled by the callback when it ends: its publish no longer waits for it.
    bool Late = false;
};

GroupExchange::GroupExchange(TBWGroupList& groups, TBWGroupItemLists& itemLists, std::filesystem::path dataFolder,
                             TransferCenter& transfers, const Clock& clock)
    : m_groups(groups), m_itemLists(itemLists), m_dataFolder(std::move(dataFolder)), m_transfers(transfers),
      m_clock(clock), m_outbox(m_dataFolder.Outbox())
{}

GroupExchange::~GroupExchange() = default;

TBWGroupList GroupExchange::CopiesOf(const TStringList& names) const
{
    TBWGroupList found;
    for (const std::string& name : names) {
        const int index = FindGroup(m_groups, name);
        if (index >= 0 && FindGroup(found, name) < 0) {
            found.push_back(CopyOf(*m_groups[static_cast<std::size_t>(index)]));
        }
    }
    return found;
}

TBWGroupList GroupExchange::EnabledCopies() const
{
    TBWGroupList enabled;
    for (const auto& group : m_groups) {
        if (group->Enabled) {
            enabled.push_back(CopyOf(*group));
        }
    }
    return enabled;
}

std::filesystem::path GroupExchange::LocalCopy(const TBWListLocation& group) const
{
    return m_dataFolder.LocalCopy(group.Name);
}

bool GroupExchange::TakeLocalCopy(GroupFetchTask& task, const TBWListLocation& group, TBWItemList& items,
                                  ExchangeReport& report)
{
    std::optional<LocalCopyRead> read = task.TakeLocalCopy();
    if (!read || read->Result == LoadNoFile) {
        return false;
    }
    if (!read->Failure.empty()) {
        Note(report, group, GroupProblem::Kind::ReadFailed, std::move(read->Failure));
        return false;
    }
    if (read->Result == LoadCheckFailed) {
        Note(report, group, GroupProblem::Kind::BadContainer);
        return false;
    }
    items = std::move(read->Items);
    return true;
}

bool GroupExchange::Send(const TBWListLocation& group, TransferBatch* batch, const std::shared_ptr<Sending>& sending,
                         ExchangeReport& report)
{
    sending->Group = CopyOf(group);
    sending->Task = std::make_shared<GroupPublishTask>(group, m_outbox.Pending(group.Name), LocalCopy(group),
                                                       TransferCenter::OwnerName());
    const std::weak_ptr<bool> alive = m_alive;
    auto ended = [this, alive, sending] {
        if (alive.expired()) {
            return;
        }
        sending->Ended = true;
        --m_sending[sending->Group->Name];
        if (sending->Late) {
            ExchangeReport late;
            Settle(*sending, late);
            if (m_lateReport) {
                m_lateReport(late);
            }
        }
    };
    ++m_sending[group.Name];
    const bool accepted = batch != nullptr ? batch->RunGroupTask(sending->Task, std::move(ended))
                                           : m_transfers.RunGroupTask(sending->Task, std::move(ended)) != 0;
    if (!accepted) {
        --m_sending[group.Name];
        Note(report, group, GroupProblem::Kind::SendFailed);
    }
    return accepted;
}

void GroupExchange::Settle(const Sending& sending, ExchangeReport& report)
{
    const TBWListLocation& group = *sending.Group;
    const PublishOutcome& outcome = sending.Task->Result();
    if (outcome.IsDone()) {
        report.Completed.push_back(group.Name);
    } else {
        Note(report, group, KindOf(outcome.What), outcome.Detail);
    }
    // A busy group keeps its changes for the next try; after any other failure they are given up,
    // and the user is told.
    if (outcome.What != PublishOutcome::Problem::Busy) {
        try {
            m_outbox.Done(group.Name, sending.Task->Changes());
        } catch (const EBWError& error) {
            Note(report, group, GroupProblem::Kind::SendFailed, error.what());
        }
    }
}

ExchangeReport GroupExchange::PublishMessage(const TBWItem& message, const TStringList& oldRecipients,
                                             const TStringList& newRecipients)
{
    ExchangeReport report;
    TStringList all;
    UnionStrings(oldRecipients, newRecipients, all);
    const TBWGroupList groups = CopiesOf(all);
    if (groups.empty()) {
        return report;
    }
    TStringList added;
    TStringList kept;
    TStringList removed;
    CompareStringLists(newRecipients, oldRecipients, added, kept, removed);

    TransferBatch batch = m_transfers.NewBatch();
    std::vector<std::shared_ptr<Sending>> sendings;
    for (const auto& group : groups) {
        // A web address is written only with an account, over WebDAV; the store tells whether the
        // server offers it.
        if (group->LocationKind == LocationHttp && group->FtpUser.empty()) {
            Note(report, *group, GroupProblem::Kind::ReadOnly);
            continue;
        }
        ChangeSet change;
        if (ContainsText(added, group->Name) || ContainsText(kept, group->Name)) {
            change.Put(message);
        } else {
            change.Remove(message);
        }
        try {
            // Kept before it is sent: a busy group, a crash or the end of the program lose nothing.
            m_outbox.Add(group->Name, change);
        } catch (const EBWError& error) {
            Note(report, *group, GroupProblem::Kind::SendFailed, error.what());
            continue;
        }
        auto sending = std::make_shared<Sending>();
        if (Send(*group, &batch, sending, report)) {
            sendings.push_back(std::move(sending));
        }
    }
    batch.WaitForTransfers();
    for (const auto& sending : sendings) {
        if (sending->Ended) {
            Settle(*sending, report);
        } else {
            sending->Late = true;
            report.StillSending.push_back(sending->Group->Name);
        }
    }
    return report;
}

void GroupExchange::SendWaitingChanges()
{
    ExchangeReport refused;
    for (const std::string& name : m_outbox.Groups()) {
        const int index = FindGroup(m_groups, name);
        if (index < 0 || m_sending[name] > 0) {
            continue;
        }
        auto sending = std::make_shared<Sending>();
        sending->Late = true;
        Send(*m_groups[static_cast<std::size_t>(index)], nullptr, sending, refused);
    }
    if (!refused.Problems.empty() && m_lateReport) {
        m_lateReport(refused);
    }
}

bool GroupExchange::FetchSucceeded(const TransferBatch& batch, const TBWListLocation& group, const GroupFetchTask* task,
                                   ExchangeReport& report) const
{
    switch (batch.Outcome(group.Name)) {
    case TransferOutcome::Done:
        return true;
    case TransferOutcome::Running:
        Note(report, group, GroupProblem::Kind::TimedOut);
        return false;
    default:
        break;
    }
    if (task != nullptr && task->Result().What == GroupFetchOutcome::Status::Rejected) {
        // A file that is the container but does not open is what a wrong password looks like.
        const bool wrongPassword = task->Result().Verdict == OpenedGroupFile::Verdict::WrongPassword;
        Note(report, group, wrongPassword ? GroupProblem::Kind::BadContainer : GroupProblem::Kind::Rejected,
             task->Result().Detail);
    } else {
        Note(report, group, GroupProblem::Kind::Unreachable, task != nullptr ? task->Result().Detail : std::string());
    }
    return false;
}

void GroupExchange::Rejoin(const std::string& groupName, int alreadyTaken)
{
    m_rejoining[groupName] = alreadyTaken;
}

ExchangeReport GroupExchange::PullGroups()
{
    ExchangeReport report;
    for (WorkingListWriter::Failure& failure : m_writer.TakeFailures()) {
        report.Problems.push_back({failure.Group, GroupProblem::Kind::ReadFailed, std::move(failure.What)});
    }
    const TBWGroupList enabled = EnabledCopies();
    if (enabled.empty()) {
        SendWaitingChanges();
        return report;
    }

    TransferBatch fetch = m_transfers.NewBatch();
    std::map<std::string, std::shared_ptr<GroupFetchTask>> tasks;
    for (const auto& group : enabled) {
        // A fetch from an earlier pull that has not ended brings the newest file anyway. Another one
        // in line behind it would make the line grow by one a minute while the location is slow.
        if (m_transfers.IsFetching(group->Name)) {
            continue;
        }
        const GroupFetchPaths paths{LocalCopy(*group), m_dataFolder.RejectedCopy(group->Name)};
        auto task = std::make_shared<GroupFetchTask>(*group, paths, GroupFetchTask::Purpose::Pull);
        tasks[group->Name] = task;
        fetch.RunGroupTask(std::move(task));
    }
    // Behind the fetches in their groups' lines, so that a group that stays busy does not hold up
    // the pull; the next pull brings what they sent.
    SendWaitingChanges();
    fetch.WaitForTransfers();

    for (const auto& group : enabled) {
        // The groups may have changed during the wait: merge only what is still enabled.
        const int now = FindGroup(m_groups, group->Name);
        if (now < 0 || !m_groups[static_cast<std::size_t>(now)]->Enabled) {
            continue;
        }
        // A failed fetch leaves the previous local copy, which the task read and is merged again:
        // that only moves due moments on. A copy that is missing or does not open is not merged at
        // all. A fetch still under way from before is no new problem: the pull that started it told
        // of it if it was slow, and a publish that started it may just be waiting for it; the next
        // pull merges what it brought.
        const auto task = tasks.find(group->Name);
        if (task == tasks.end()) {
            continue;
        }
        const std::size_t problemsBefore = report.Problems.size();
        const bool fetched = FetchSucceeded(fetch, *group, task->second.get(), report);
        // One problem per group and pull: the fetch's, if it had one.
        ExchangeReport untold;
        ExchangeReport& reading = report.Problems.size() > problemsBefore ? untold : report;
        // A fetch that outlived the wait is still on its worker, with what it read.
        TBWItemList shared;
        if (fetch.Outcome(group->Name) == TransferOutcome::Running ||
            !TakeLocalCopy(*task->second, *group, shared, reading)) {
            continue;
        }
        TBWItemList* working = m_itemLists.Find(group->Name);
        if (working == nullptr) {
            working = &m_itemLists.Add(group->Name, std::make_unique<TBWItemList>());
        }
        const std::filesystem::path workingFile = m_dataFolder.WorkingList(group->Name);
        // A group without a working list has never been merged here: its past is not replayed.
        const auto rejoining = m_rejoining.find(group->Name);
        std::error_code error;
        const bool joining = rejoining != m_rejoining.end() ||
                             (!std::filesystem::exists(workingFile, error) && !m_writer.IsPending(workingFile));
        const double mergedAt = m_clock.Now();
        MergeItemList(*working, shared, mergedAt);
        if (joining) {
            const int alreadyTaken = rejoining != m_rejoining.end() ? rejoining->second : 0;
            report.Joined.push_back({group->Name, alreadyTaken + TakePastOccurrences(*working, mergedAt)});
            if (rejoining != m_rejoining.end()) {
                m_rejoining.erase(rejoining);
            }
        }
        // Written behind the window's back; a failure is told with the next pull.
        m_writer.Save(*working, workingFile, group->Password, group->Name);
        if (fetched) {
            report.Completed.push_back(group->Name);
        }
    }
    return report;
}
