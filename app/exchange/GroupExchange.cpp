#include "GroupExchange.h"

#include "BWError.h"
#include "Clock.h"
#include "TransferBatch.h"
#include "TransferCenter.h"

#include <algorithm>

namespace {

void Note(ExchangeReport& report, const TBWListLocation& group, GroupProblem::Kind kind, std::string detail = {})
{
    report.Problems.push_back({group.Name, kind, std::move(detail)});
}

// Whether the fetch of a group can be trusted; notes the problem when it cannot.
bool FetchSucceeded(const TransferBatch& batch, const TBWListLocation& group, ExchangeReport& report)
{
    switch (batch.Outcome(group.Name)) {
    case TransferOutcome::Done:
        return true;
    case TransferOutcome::Running:
        Note(report, group, GroupProblem::Kind::TimedOut);
        return false;
    default:
        Note(report, group, GroupProblem::Kind::Unreachable);
        return false;
    }
}

void ApplyChange(TBWItemList& items, const TBWItem& message, const std::string& name, const TStringList& added,
                 const TStringList& kept)
{
    const auto appendCopy = [&] {
        auto copy = std::make_unique<TBWItem>();
        copy->Assign(message);
        items.push_back(std::move(copy));
    };
    if (ContainsText(added, name)) {
        appendCopy();
        return;
    }
    const int index = FindItemById(items, message.Id);
    if (ContainsText(kept, name)) {
        if (index >= 0) {
            items[static_cast<std::size_t>(index)]->Assign(message);
        } else {
            appendCopy();
        }
    } else if (index >= 0) {
        items.erase(items.begin() + index);
    }
}

} // namespace

GroupExchange::GroupExchange(TBWGroupList& groups, TBWGroupItemLists& itemLists, std::filesystem::path dataFolder,
                             TransferCenter& transfers, const Clock& clock)
    : m_groups(groups), m_itemLists(itemLists), m_dataFolder(std::move(dataFolder)), m_transfers(transfers),
      m_clock(clock)
{}

namespace {

std::unique_ptr<TBWListLocation> CopyOf(const TBWListLocation& group)
{
    auto copy = std::make_unique<TBWListLocation>();
    copy->Assign(group);
    return copy;
}

} // namespace

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
    return GroupFilePath(m_dataFolder / "BWLists", group.Name);
}

bool GroupExchange::ReadLocalCopy(const TBWListLocation& group, TBWItemList& items, ExchangeReport& report) const
{
    try {
        const int result = LoadItemList(items, LocalCopy(group), group.Password);
        if (result == LoadCheckFailed) {
            Note(report, group, GroupProblem::Kind::BadContainer);
            return false;
        }
        if (result == LoadNoFile) {
            Note(report, group, GroupProblem::Kind::Unreachable);
            return false;
        }
        return true;
    } catch (const EBWError& error) {
        Note(report, group, GroupProblem::Kind::ReadFailed, error.what());
        return false;
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

    // Fetch every group concerned first, so the change lands on the newest shared file.
    TransferBatch fetch = m_transfers.NewBatch();
    for (const auto& group : groups) {
        fetch.DownloadGroupFile(*group);
    }
    fetch.WaitForTransfers();

    TStringList added;
    TStringList kept;
    TStringList removed;
    CompareStringLists(newRecipients, oldRecipients, added, kept, removed);

    std::vector<const TBWListLocation*> changed;
    for (const auto& group : groups) {
        TBWItemList items;
        if (!FetchSucceeded(fetch, *group, report) || !ReadLocalCopy(*group, items, report)) {
            continue;
        }
        ApplyChange(items, message, group->Name, added, kept);
        try {
            SaveItemList(items, LocalCopy(*group), group->Password);
        } catch (const EBWError& error) {
            Note(report, *group, GroupProblem::Kind::SendFailed, error.what());
            continue;
        }
        changed.push_back(group.get());
    }

    TransferBatch send = m_transfers.NewBatch();
    for (const TBWListLocation* group : changed) {
        send.UploadGroupFile(*group);
    }
    send.WaitForTransfers();
    for (const TBWListLocation* group : changed) {
        switch (send.Outcome(group->Name)) {
        case TransferOutcome::Done:
        case TransferOutcome::Running: // still sending: it goes on after the wait
            report.Completed.push_back(group->Name);
            break;
        case TransferOutcome::NotNeeded:
            Note(report, *group, GroupProblem::Kind::ReadOnly);
            break;
        default:
            Note(report, *group, GroupProblem::Kind::SendFailed);
            break;
        }
    }
    return report;
}

void GroupExchange::Rejoin(const std::string& groupName, int alreadyTaken)
{
    m_rejoining[groupName] = alreadyTaken;
}

ExchangeReport GroupExchange::PullGroups()
{
    ExchangeReport report;
    const TBWGroupList enabled = EnabledCopies();
    if (enabled.empty()) {
        return report;
    }

    TransferBatch fetch = m_transfers.NewBatch();
    TStringList stillFetching;
    for (const auto& group : enabled) {
        // A fetch from an earlier pull that has not ended brings the newest file anyway. Another one
        // in line behind it would make the line grow by one a minute while the location is slow.
        if (m_transfers.IsFetching(group->Name)) {
            stillFetching.push_back(group->Name);
        } else {
            fetch.DownloadGroupFile(*group);
        }
    }
    fetch.WaitForTransfers();

    for (const auto& group : enabled) {
        // The groups may have changed during the wait: merge only what is still enabled.
        const int now = FindGroup(m_groups, group->Name);
        if (now < 0 || !m_groups[static_cast<std::size_t>(now)]->Enabled) {
            continue;
        }
        // A failed fetch leaves the previous local copy, which is merged again: that only moves
        // due moments on. A copy that is missing or does not open is not merged at all.
        // A fetch still under way from before is no new problem: the pull that started it told of
        // it if it was slow, and a publish that started it may just be waiting for it.
        const bool fetched = !ContainsText(stillFetching, group->Name) && FetchSucceeded(fetch, *group, report);
        std::error_code error;
        if (!std::filesystem::exists(LocalCopy(*group), error)) {
            continue;
        }
        TBWItemList shared;
        if (!ReadLocalCopy(*group, shared, report)) {
            continue;
        }
        TBWItemList* working = m_itemLists.Find(group->Name);
        if (working == nullptr) {
            working = &m_itemLists.Add(group->Name, std::make_unique<TBWItemList>());
        }
        const std::filesystem::path workingFile = GroupFilePath(m_dataFolder / "BWELists", group->Name);
        // A group without a working list has never been merged here: its past is not replayed.
        const auto rejoining = m_rejoining.find(group->Name);
        const bool joining = rejoining != m_rejoining.end() || !std::filesystem::exists(workingFile, error);
        const double mergedAt = m_clock.Now();
        MergeItemList(*working, shared, mergedAt);
        if (joining) {
            const int alreadyTaken = rejoining != m_rejoining.end() ? rejoining->second : 0;
            report.Joined.push_back({group->Name, alreadyTaken + TakePastOccurrences(*working, mergedAt)});
            if (rejoining != m_rejoining.end()) {
                m_rejoining.erase(rejoining);
            }
        }
        try {
            SaveItemListIfChanged(*working, workingFile, group->Password, m_savedWorkingLists[workingFile]);
        } catch (const EBWError& saveError) {
            Note(report, *group, GroupProblem::Kind::ReadFailed, saveError.what());
            continue;
        }
        if (fetched) {
            report.Completed.push_back(group->Name);
        }
    }
    return report;
}
