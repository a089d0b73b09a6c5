#include "GroupFetchTask.h"

#include "OpenGroupStore.h"

#include <utility>

GroupFetchTask::GroupFetchTask(const TBWListLocation& group, GroupFetchPaths paths, bool always)
    : GroupTask(group), m_paths(std::move(paths)), m_always(always)
{}

TransferOutcome GroupFetchTask::Run(const TransferSettings& settings, CancelSignal& cancel, GroupMemory& memory)
{
    const auto store = OpenGroupStore(Group(), settings, cancel);
    if (!store) {
        m_result.Detail = WhyNoStore(Group());
        return TransferOutcome::Failed;
    }
    SystemStoreClock clock;
    FetchMemory fresh;
    m_result = FetchGroupFile(*store, Group().Password, m_paths, m_always ? fresh : memory.Fetch, clock);
    const bool reached = m_result.What != GroupFetchOutcome::Status::Failed;
    if (m_always && reached && Group().LocationKind == LocationHttp && store->Can().Writable) {
        m_writable = store->CheckWritable();
    }
    switch (m_result.What) {
    case GroupFetchOutcome::Status::Fetched:
    case GroupFetchOutcome::Status::Unchanged:
        return TransferOutcome::Done;
    case GroupFetchOutcome::Status::Missing:
        return TransferOutcome::Missing;
    default:
        return TransferOutcome::Failed;
    }
}
