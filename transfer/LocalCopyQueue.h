#pragma once

#include "TransferJob.h"

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The accepted transfers, one line per local copy: only the first of a line may run, so two
// transfers never read or write the same local copy at once.
class LocalCopyQueue
{
public:
    // Appends the job to its line; returns it (it stays owned by the queue).
    TransferJob& Add(std::unique_ptr<TransferJob> job);
    // The job that may run now on this local copy, or null.
    [[nodiscard]] TransferJob* Front(const std::string& localFile) const;
    // Takes the job at the front of its line out of the queue; null when it is not at a front.
    [[nodiscard]] std::unique_ptr<TransferJob> TakeFront(std::uint64_t jobId);
    [[nodiscard]] std::vector<TransferJob*> AllJobs() const;
    [[nodiscard]] bool IsEmpty() const { return m_lines.empty(); }
    void Clear() { m_lines.clear(); }

private:
    std::map<std::string, std::deque<std::unique_ptr<TransferJob>>> m_lines;
};
