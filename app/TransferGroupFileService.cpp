#include "TransferGroupFileService.h"

#include "GroupList.h"
#include "TransferBatch.h"
#include "TransferCenter.h"

#include <utility>

TransferGroupFileService::TransferGroupFileService(TransferCenter& transfers, std::filesystem::path dataFolder)
    : m_transfers(transfers), m_dataFolder(std::move(dataFolder))
{}

FetchOutcome TransferGroupFileService::FetchGroupFile(const TBWListLocation& group)
{
    // The outcome, not the presence of a file, tells whether the fetch brought the group file: a
    // local copy left from an earlier fetch stays in place when this one fails. It is not deleted
    // beforehand, since an upload of the same copy may still be reading it.
    TransferBatch batch = m_transfers.NewBatch();
    batch.DownloadGroupFile(group);
    batch.WaitForTransfers();
    switch (batch.Outcome(group.Name)) {
    case TransferOutcome::Done:
        return FetchOutcome::Present;
    case TransferOutcome::Missing:
        return FetchOutcome::Absent;
    case TransferOutcome::Running:
        return FetchOutcome::StillRunning;
    default:
        return FetchOutcome::Failed;
    }
}

void TransferGroupFileService::UploadGroupFile(const TBWListLocation& group)
{
    m_transfers.UploadGroupFile(group);
}

std::filesystem::path TransferGroupFileService::LocalCopyPath(const TBWListLocation& group) const
{
    return GroupFilePath(m_dataFolder / "BWLists", group.Name);
}
