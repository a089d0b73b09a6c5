#pragma once

#include "ChangeSet.h"
#include "GroupTask.h"

#include <filesystem>

// Publishes a change set to a group's shared file under the group's lock (an empty one creates a
// missing group file and leaves an existing one alone), then keeps the file as it now stands as
// the group's local copy. It waits for the lock as long as the transfer settings say.
class GroupPublishTask final : public GroupTask
{
public:
    GroupPublishTask(const TBWListLocation& group, ChangeSet changes, std::filesystem::path localCopy,
                     std::string ownerName, LockSettings lock = {});

    [[nodiscard]] bool IsUpload() const override { return true; }
    [[nodiscard]] TransferOutcome Run(const TransferSettings& settings, CancelSignal& cancel,
                                      GroupMemory& memory) override;

    [[nodiscard]] const ChangeSet& Changes() const { return m_changes; }
    // Read on the main thread after the final notice.
    [[nodiscard]] const PublishOutcome& Result() const { return m_result; }

private:
    ChangeSet m_changes;
    std::filesystem::path m_localCopy;
    std::string m_ownerName;
    LockSettings m_lock;
    PublishOutcome m_result;
};
