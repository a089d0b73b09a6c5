#pragma once

#include "GroupTask.h"

#include <optional>

// Fetches a group's shared file into its local copy, by its validator unless the caller wants it
// fetched whatever it holds (the groups dialog's Test). Only a file that opens with the group's
// password replaces the local copy; anything else is kept beside it for a look. A fetch for the
// dialog also asks a location that may or may not take changes (a web server with an account)
// which of the two it is.
class GroupFetchTask final : public GroupTask
{
public:
    GroupFetchTask(const TBWListLocation& group, GroupFetchPaths paths, bool always);

    [[nodiscard]] bool IsUpload() const override { return false; }
    [[nodiscard]] TransferOutcome Run(const TransferSettings& settings, CancelSignal& cancel,
                                      GroupMemory& memory) override;

    // Read on the main thread after the final notice.
    [[nodiscard]] const GroupFetchOutcome& Result() const { return m_result; }
    // Whether the location takes changes; asked only by a fetch for the dialog that reached it.
    [[nodiscard]] const std::optional<StoreResult>& Writable() const { return m_writable; }

private:
    GroupFetchPaths m_paths;
    bool m_always;
    GroupFetchOutcome m_result;
    std::optional<StoreResult> m_writable;
};
