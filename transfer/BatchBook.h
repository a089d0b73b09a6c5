#pragma once

#include "TransferOutcome.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What each open batch started and how each of those transfers ended. A batch only ever sees its
// own transfers, so a wait on one batch is not ended or prolonged by another's.
class BatchBook
{
public:
    [[nodiscard]] std::uint64_t Open();
    void Close(std::uint64_t batchId);

    void Add(std::uint64_t batchId, std::uint64_t jobId, const std::string& groupName, TransferOutcome outcome);
    // Ignored when the batch is closed or does not know the job.
    void Record(std::uint64_t batchId, std::uint64_t jobId, TransferOutcome outcome);

    // True when nothing of the batch is running (also for a closed or empty batch).
    [[nodiscard]] bool IsFinished(std::uint64_t batchId) const;
    [[nodiscard]] TransferOutcome Outcome(std::uint64_t batchId, const std::string& groupName) const;

private:
    struct Entry
    {
        std::uint64_t JobId;
        std::string GroupName;
        TransferOutcome Outcome;
    };

    std::uint64_t m_lastId = 0;
    std::map<std::uint64_t, std::vector<Entry>> m_batches;
};
