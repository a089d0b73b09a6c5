#include "TransferBatch.h"

#include "TransferCenter.h"

#include <utility>

TransferBatch::TransferBatch(TransferCenter& center, std::uint64_t id) : m_center(&center), m_id(id) {}

TransferBatch::TransferBatch(TransferBatch&& other) noexcept : m_center(std::move(other.m_center)), m_id(other.m_id)
{
    // The moved-from batch must not close the batch it handed over.
    other.m_center = nullptr;
}

TransferBatch::~TransferBatch()
{
    if (m_center) {
        m_center->CloseBatch(m_id);
    }
}

bool TransferBatch::UploadGroupFile(const TBWListLocation& group)
{
    return m_center && m_center->MoveGroupFile(group, true, m_id);
}

bool TransferBatch::DownloadGroupFile(const TBWListLocation& group)
{
    return m_center && m_center->MoveGroupFile(group, false, m_id);
}

bool TransferBatch::RunGroupTask(std::shared_ptr<GroupTask> task, std::function<void()> whenDone)
{
    return m_center && m_center->SubmitTask(std::move(task), m_id, std::move(whenDone)) != 0;
}

bool TransferBatch::WaitForTransfers()
{
    return m_center && m_center->WaitForBatch(m_id);
}

bool TransferBatch::IsFinished() const
{
    return !m_center || m_center->m_batches.IsFinished(m_id);
}

TransferOutcome TransferBatch::Outcome(const std::string& groupName) const
{
    return m_center ? m_center->m_batches.Outcome(m_id, groupName) : TransferOutcome::NotRequested;
}
