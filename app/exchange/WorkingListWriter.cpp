#include "WorkingListWriter.h"

#include "Container.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>

WorkingListWriter::WorkingListWriter() : m_thread(&WorkingListWriter::Work, this) {}

WorkingListWriter::~WorkingListWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void WorkingListWriter::Save(const TBWItemList& list, const std::filesystem::path& file, const std::string& password,
                             const std::string& group)
{
    Job job{file, std::string(ContainerHeaderSize, '\0'), ItemListLineCount(list), password, group};
    AppendItemListText(list, job.Bytes);
    {
        const std::lock_guard lock(m_mutex);
        const auto older = std::find_if(m_waiting.begin(), m_waiting.end(),
                                        [&file](const Job& waiting) { return waiting.File == file; });
        if (older != m_waiting.end()) {
            *older = std::move(job);
        } else {
            m_waiting.push_back(std::move(job));
        }
    }
    m_changed.notify_all();
}

bool WorkingListWriter::IsPending(const std::filesystem::path& file) const
{
    const std::lock_guard lock(m_mutex);
    return m_writing == file ||
           std::any_of(m_waiting.begin(), m_waiting.end(), [&file](const Job& job) { return job.File == file; });
}

void WorkingListWriter::Flush()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_waiting.empty() && m_writing.empty(); });
}

std::vector<WorkingListWriter::Failure> WorkingListWriter::TakeFailures()
{
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_failures, {});
}

void WorkingListWriter::Work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_ending || !m_waiting.empty(); });
        if (m_waiting.empty()) {
            return; // ending, with everything written
        }
        Job job = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_writing = job.File;
        lock.unlock();
        std::optional<std::string> failure;
        try {
            (void)SaveListTextIfChanged(std::move(job.Bytes), job.LineCount, job.File, job.Password,
                                        m_stamps[job.File]);
        } catch (const std::exception& error) {
            failure = error.what();
        }
        lock.lock();
        if (failure) {
            m_failures.push_back({job.Group, std::move(*failure)});
        }
        m_writing.clear();
        m_changed.notify_all();
    }
}
