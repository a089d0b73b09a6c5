#include "LocalCopyQueue.h"

#include <utility>

TransferJob& LocalCopyQueue::Add(std::unique_ptr<TransferJob> job)
{
    auto& line = m_lines[job->LocalFile];
    line.push_back(std::move(job));
    return *line.back();
}

TransferJob* LocalCopyQueue::Front(const std::string& localFile) const
{
    const auto it = m_lines.find(localFile);
    return it == m_lines.end() ? nullptr : it->second.front().get();
}

std::unique_ptr<TransferJob> LocalCopyQueue::TakeFront(std::uint64_t jobId)
{
    for (auto it = m_lines.begin(); it != m_lines.end(); ++it) {
        auto& line = it->second;
        if (line.front()->Id != jobId) {
            continue;
        }
        std::unique_ptr<TransferJob> job = std::move(line.front());
        line.pop_front();
        if (line.empty()) {
            m_lines.erase(it);
        }
        return job;
    }
    return nullptr;
}

std::vector<TransferJob*> LocalCopyQueue::AllJobs() const
{
    std::vector<TransferJob*> jobs;
    for (const auto& [localFile, line] : m_lines) {
        for (const auto& job : line) {
            jobs.push_back(job.get());
        }
    }
    return jobs;
}
