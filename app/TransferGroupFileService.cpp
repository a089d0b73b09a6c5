#include "TransferGroupFileService.h"

#include "BWError.h"
#include "GroupFetchTask.h"
#include "GroupList.h"
#include "GroupPublishTask.h"
#include "KnownHosts.h"
#include "TransferBatch.h"
#include "TransferCenter.h"

#include <utility>

TransferGroupFileService::TransferGroupFileService(TransferCenter& transfers, std::filesystem::path dataFolder)
    : m_transfers(transfers), m_dataFolder(std::move(dataFolder))
{}

FetchOutcome TransferGroupFileService::FetchGroupFile(const TBWListLocation& group)
{
    // The outcome, not the presence of a file, tells whether the fetch brought the group file: a
    // local copy left from an earlier fetch stays in place when this one fails.
    const GroupFetchPaths paths{LocalCopyPath(group), m_dataFolder.RejectedCopy(group.Name)};
    const auto task = std::make_shared<GroupFetchTask>(group, paths, GroupFetchTask::Purpose::Test);
    TransferBatch batch = m_transfers.NewBatch();
    batch.RunGroupTask(task);
    batch.WaitForTransfers();
    m_lastReport = {};
    if (batch.Outcome(group.Name) != TransferOutcome::Running) {
        const GroupFetchOutcome& result = task->Result();
        m_lastReport = {result.Cause, result.Detail, result.Server, task->Writable()};
    }
    switch (batch.Outcome(group.Name)) {
    case TransferOutcome::Done:
        return FetchOutcome::Present;
    case TransferOutcome::Missing:
        return FetchOutcome::Absent;
    case TransferOutcome::Running:
        return FetchOutcome::StillRunning;
    default:
        break;
    }
    if (task->Result().What != GroupFetchOutcome::Status::Rejected) {
        return FetchOutcome::Failed;
    }
    return task->Result().Verdict == OpenedGroupFile::Verdict::WrongPassword ? FetchOutcome::WrongPassword
                                                                             : FetchOutcome::NotAGroupFile;
}

void TransferGroupFileService::UploadGroupFile(const TBWListLocation& group)
{
    if (group.LocationKind == LocationHttp && group.FtpUser.empty()) {
        return;
    }
    // A publish of no change: it makes the group file only if it is still missing.
    m_transfers.RunGroupTask(
        std::make_shared<GroupPublishTask>(group, ChangeSet{}, LocalCopyPath(group), TransferCenter::OwnerName()));
}

LocationHabits TransferGroupFileService::Habits(const TBWListLocation& group) const
{
    const GroupMemory memory = m_transfers.Memory(group.Name);
    if (memory.Location != group.Location) {
        return {};
    }
    return {memory.Publish.StoreInPlace, memory.Unlocked};
}

bool TransferGroupFileService::TrustServerKey(std::string& error)
{
    try {
        KnownHosts::Trust(m_transfers.Settings().KnownHostsFile, m_lastReport.Server);
        return true;
    } catch (const EBWError& failure) {
        error = failure.what();
        return false;
    }
}

std::filesystem::path TransferGroupFileService::LocalCopyPath(const TBWListLocation& group) const
{
    return m_dataFolder.LocalCopy(group.Name);
}
