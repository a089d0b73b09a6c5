#pragma once

#include "GroupTask.h"
#include "model/ItemList.h"

#include <optional>
#include <utility>

// The group's local copy as a fetch for a pull left it, read on the worker: a large group file
// is deciphered and parsed there rather than on the main thread.
struct LocalCopyRead
{
    int Result = LoadNoFile; // what LoadItemList said, when it did not throw
    TBWItemList Items;
    std::string Failure; // why it could not be read at all
};

// Fetches a group's shared file into its local copy. Only a file that opens with the group's
// password replaces the local copy; anything else is kept beside it for a look.
// - For a pull, the file moves only when its validator changed, and the local copy, new or kept,
//   is read afterwards.
// - For the groups dialog's Test, it moves whatever it holds, and a location that may or may not
//   take changes (a web server with an account) is asked which of the two it is.
class GroupFetchTask final : public GroupTask
{
public:
    enum class Purpose
    {
        Pull,
        Test,
    };

    GroupFetchTask(const TBWListLocation& group, GroupFetchPaths paths, Purpose purpose);

    [[nodiscard]] bool IsUpload() const override { return false; }
    [[nodiscard]] TransferOutcome Run(const TransferSettings& settings, CancelSignal& cancel,
                                      GroupMemory& memory) override;

    // Read on the main thread after the final notice.
    [[nodiscard]] const GroupFetchOutcome& Result() const { return m_result; }
    // Whether the location takes changes; asked only by a fetch for the dialog that reached it.
    [[nodiscard]] const std::optional<StoreResult>& Writable() const { return m_writable; }
    // The local copy a pull's fetch read; empty for a Test, or when the task was not run. Taken by
    // the main thread after the final notice.
    [[nodiscard]] std::optional<LocalCopyRead> TakeLocalCopy() { return std::exchange(m_copy, std::nullopt); }

private:
    GroupFetchPaths m_paths;
    Purpose m_purpose;
    GroupFetchOutcome m_result;
    std::optional<StoreResult> m_writable;
    std::optional<LocalCopyRead> m_copy;
};
