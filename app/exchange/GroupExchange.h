#pragma once

#include "DataFolderLayout.h"
#include "GroupList.h"
#include "GroupOutbox.h"
#include "GroupProblem.h"
#include "ItemList.h"
#include "WorkingListWriter.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>

class ChangeSet;
class Clock;
class GroupFetchTask;
class GroupPublishTask;
class TransferBatch;
class TransferCenter;

// The two directions of the group exchange: a message the user creates, edits or deletes is
// written into each recipient group's shared file under the group's lock, and the shared files of
// the enabled groups are fetched (by their validators) and merged into their working lists. Every
// operation on a group runs as one task in the group's line, so a pull and a publish of one group
// never overlap.
//
// A change goes into the group's outbox (kept in the data folder) before it is sent, and leaves it
// once the shared file holds it. A group whose lock another member holds keeps its change there,
// to be sent with the next pull or when asked; other failures are told and drop the change, as a
// group that could not be fetched, or whose file does not open with the password, must not be
// written. Publishes still running when their wait ends are reported when they end.
class GroupExchange
{
public:
    GroupExchange(TBWGroupList& groups, TBWGroupItemLists& itemLists, std::filesystem::path dataFolder,
                  TransferCenter& transfers, const Clock& clock);
    ~GroupExchange();
    GroupExchange(const GroupExchange&) = delete;
    GroupExchange& operator=(const GroupExchange&) = delete;

    // Adds the message to the groups only in newRecipients, replaces it (by Id) in those in
    // both, and removes it from those only in oldRecipients. Names that are no group are skipped.
    ExchangeReport PublishMessage(const TBWItem& message, const TStringList& oldRecipients,
                                  const TStringList& newRecipients);

    // Sends the changes waiting in the outboxes, for every group not already sending; returns at
    // once, the results come through the late report.
    void SendWaitingChanges();
    [[nodiscard]] bool HasWaitingChanges() const { return !m_outbox.Groups().empty(); }

    // Fetches every enabled group's shared file and merges it into the group's working list,
    // which keeps its own delivery progress, then saves the working list if anything in it changed
    // since its last save. Waiting changes are sent after the fetches. A group whose fetch from
    // before is still under way is not fetched again, and is neither completed nor a problem. A
    // group that has no working list file yet is joined: what has come by now counts as shown, and
    // the report says how much that was.
    ExchangeReport PullGroups();

    // The group was switched on again, and what its working list held from before and had come by
    // now was taken as shown (alreadyTaken reminders): its next merge joins it like a new group.
    void Rejoin(const std::string& groupName, int alreadyTaken);

    // Receives, on the main thread, what publishes that ended after their wait, and the sending of
    // waiting changes, did.
    void SetLateReport(std::function<void(const ExchangeReport&)> report) { m_lateReport = std::move(report); }

    // Returns once the working lists the pulls merged are on disk: before anything else writes or
    // reads those files.
    void FinishSaves() { m_writer.Flush(); }

private:
    struct Sending;

    // Copies, because the group list may be replaced while a wait lets other commands run.
    [[nodiscard]] TBWGroupList CopiesOf(const TStringList& names) const;
    [[nodiscard]] TBWGroupList EnabledCopies() const;
    [[nodiscard]] std::filesystem::path LocalCopy(const TBWListLocation& group) const;
    // The local copy the pull's fetch task read; false (with the problem noted) when there is none
    // or it must not be used.
    static bool TakeLocalCopy(GroupFetchTask& task, const TBWListLocation& group, TBWItemList& items,
                              ExchangeReport& report);
    bool FetchSucceeded(const TransferBatch& batch, const TBWListLocation& group, const GroupFetchTask* task,
                        ExchangeReport& report) const;
    // Puts the group's waiting changes in its line; false (with the problem noted) when refused.
    bool Send(const TBWListLocation& group, TransferBatch* batch, const std::shared_ptr<Sending>& sending,
              ExchangeReport& report);
    void Settle(const Sending& sending, ExchangeReport& report);

    TBWGroupList& m_groups;
    TBWGroupItemLists& m_itemLists;
    DataFolderLayout m_dataFolder;
    TransferCenter& m_transfers;
    const Clock& m_clock;
    GroupOutbox m_outbox;
    std::map<std::string, int> m_sending; // publishes in each group's line
    std::function<void(const ExchangeReport&)> m_lateReport;
    // Publishes outlive a wait and may end after this object: their callbacks check it first.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    // Groups switched on again, not merged since, with the reminders already taken as shown.
    std::map<std::string, int> m_rejoining;
    // Last, so that it is the first to go and has written what waits before the rest does.
    WorkingListWriter m_writer;
};
