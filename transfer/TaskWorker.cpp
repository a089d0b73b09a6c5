#include "TaskWorker.h"

#include "TransferNotice.h"

#include <utility>

TaskWorker::TaskWorker(std::uint64_t transferId, QObject* noticeReceiver, TransferSettings settings,
                       std::shared_ptr<GroupTask> task)
    : TransferWorker(transferId, noticeReceiver, std::move(settings)), m_task(std::move(task))
{}

int TaskWorker::StartNotice() const
{
    return m_task->IsUpload() ? UploadStarted : DownloadStarted;
}

int TaskWorker::Body()
{
    switch (m_task->Run(Settings(), Cancellation(), m_memory)) {
    case TransferOutcome::Done:
        return m_task->IsUpload() ? UploadDone : DownloadDone;
    case TransferOutcome::Missing:
        NoteSourceMissing();
        return TransferFailed;
    default:
        return TransferFailed;
    }
}
