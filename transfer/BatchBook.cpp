#include "BatchBook.h"

#include <algorithm>

namespace {
int Rank(TransferOutcome outcome)
{
    switch (outcome) {
    case TransferOutcome::NotRequested:
        return 0;
    case TransferOutcome::NotNeeded:
        return 1;
    case TransferOutcome::Done:
        return 2;
    case TransferOutcome::Missing:
        return 3;
    case TransferOutcome::Failed:
        return 4;
    case TransferOutcome::Running:
        return 5;
    }
    return 0;
}
} // namespace

std::uint64_t BatchBook::Open()
{
    const std::uint64_t id = ++m_lastId;
    m_batches[id];
    return id;
}

void BatchBook::Close(std::uint64_t batchId)
{
    m_batches.erase(batchId);
}

void BatchBook::Add(std::uint64_t batchId, std::uint64_t jobId, const std::string& groupName, TransferOutcome outcome)
{
    const auto it = m_batches.find(batchId);
    if (it != m_batches.end()) {
        it->second.push_back({jobId, groupName, outcome});
    }
}

void BatchBook::Record(std::uint64_t batchId, std::uint64_t jobId, TransferOutcome outcome)
{
    const auto it = m_batches.find(batchId);
    if (it == m_batches.end()) {
        return;
    }
    for (Entry& entry : it->second) {
        if (entry.JobId == jobId) {
            entry.Outcome = outcome;
        }
    }
}

bool BatchBook::IsFinished(std::uint64_t batchId) const
{
    const auto it = m_batches.find(batchId);
    if (it == m_batches.end()) {
        return true;
    }
    return std::none_of(it->second.begin(), it->second.end(),
                        [](const Entry& entry) { return entry.Outcome == TransferOutcome::Running; });
}

TransferOutcome BatchBook::Outcome(std::uint64_t batchId, const std::string& groupName) const
{
    const auto it = m_batches.find(batchId);
    if (it == m_batches.end()) {
        return TransferOutcome::NotRequested;
    }
    // A group moved more than once in a batch counts as its least finished, then worst, transfer.
    TransferOutcome result = TransferOutcome::NotRequested;
    for (const Entry& entry : it->second) {
        if (entry.GroupName == groupName && Rank(entry.Outcome) > Rank(result)) {
            result = entry.Outcome;
        }
    }
    return result;
}
