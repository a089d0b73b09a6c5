#pragma once

#include "GroupList.h"
#include "GroupProblem.h"
#include "ItemList.h"
#include "SavedListStamp.h"

#include <filesystem>
#include <map>

class Clock;
class TransferCenter;

// The two directions of the group exchange: a message the user creates, edits or deletes is
// written into each recipient group's shared file (fetched first, sent back afterwards), and the
// shared files of the enabled groups are merged into their working lists.
//
// A group whose fetch did not succeed, or whose local copy does not open with the group's
// password, is left alone: sending back stale or undecipherable content would replace other
// people's messages. Such groups come back in the report's problems.
class GroupExchange
{
public:
    GroupExchange(TBWGroupList& groups, TBWGroupItemLists& itemLists, std::filesystem::path dataFolder,
                  TransferCenter& transfers, const Clock& clock);

    // Adds the message to the groups only in newRecipients, replaces it (by Id) in those in
    // both, and removes it from those only in oldRecipients. Names that are no group are skipped.
    ExchangeReport PublishMessage(const TBWItem& message, const TStringList& oldRecipients,
                                  const TStringList& newRecipients);

    // Fetches every enabled group's shared file and merges it into the group's working list,
    // which keeps its own delivery progress, then saves the working list if anything in it changed
    // since its last save. A group whose fetch from before is still under way is not fetched
    // again, and is neither completed nor a problem. A group that has no working list file yet is
    // joined: what has come by now counts as shown, and the report says how much that was.
    ExchangeReport PullGroups();

    // The group was switched on again, and what its working list held from before and had come by
    // now was taken as shown (alreadyTaken reminders): its next merge joins it like a new group.
    void Rejoin(const std::string& groupName, int alreadyTaken);

private:
    // Copies, because the group list may be replaced while a wait lets other commands run.
    [[nodiscard]] TBWGroupList CopiesOf(const TStringList& names) const;
    [[nodiscard]] TBWGroupList EnabledCopies() const;
    [[nodiscard]] std::filesystem::path LocalCopy(const TBWListLocation& group) const;
    // Reads the local copy; false (with the problem noted) when it must not be used.
    bool ReadLocalCopy(const TBWListLocation& group, TBWItemList& items, ExchangeReport& report) const;

    TBWGroupList& m_groups;
    TBWGroupItemLists& m_itemLists;
    std::filesystem::path m_dataFolder;
    TransferCenter& m_transfers;
    const Clock& m_clock;
    // Per working list file; a pull merges every enabled group each minute, mostly changing nothing.
    std::map<std::filesystem::path, TSavedListStamp> m_savedWorkingLists;
    // Groups switched on again, not merged since, with the reminders already taken as shown.
    std::map<std::string, int> m_rejoining;
};
