#include "GroupPublishTask.h"

#include "AtomicFileWriter.h"
#include "BWError.h"
#include "OpenGroupStore.h"

#include <utility>

GroupPublishTask::GroupPublishTask(const TBWListLocation& group, ChangeSet changes, std::filesystem::path localCopy,
                                   std::string ownerName, LockSettings lock)
    : GroupTask(group), m_changes(std::move(changes)), m_localCopy(std::move(localCopy)),
      m_ownerName(std::move(ownerName)), m_lock(lock)
{}

TransferOutcome GroupPublishTask::Run(const TransferSettings& settings, CancelSignal& cancel, GroupMemory& memory)
{
    const auto store = OpenGroupStore(Group(), settings, cancel);
    if (!store) {
        m_result.What = PublishOutcome::Problem::Unreachable;
        m_result.Detail = WhyNoStore(Group());
        return TransferOutcome::Failed;
    }
    SystemStoreClock clock;
    LockSettings lock = m_lock;
    lock.Wait = settings.LockWait;
    LockedPublish publish(*store, clock, &cancel, memory.Publish, ThisProcessAsOwner(m_ownerName), lock);
    m_result = publish.Run(Group().Password, m_changes);
    if (!m_result.IsDone()) {
        return TransferOutcome::Failed;
    }
    memory.Unlocked = m_result.Unlocked;
    try {
        // The file as it now stands is the group's newest: the local copy follows it.
        AtomicFileWriter copy(m_localCopy);
        copy.Write(m_result.Bytes);
        copy.CommitUnlessSame();
    } catch (const EBWError&) {
        // The next fetch brings it; the group file itself is what counts.
    }
    return TransferOutcome::Done;
}
