#include "GroupFetchTask.h"

#include "OpenGroupStore.h"

#include <exception>
#include <utility>

namespace {

LocalCopyRead ReadLocalCopy(const std::filesystem::path& file, const std::string& password)
{
    LocalCopyRead read;
    try {
        read.Result = LoadItemList(read.Items, file, password);
    } catch (const std::exception& error) { // a worker must not end the program over a file
        read.Items.clear();
        read.Failure = error.what();
    }
    return read;
}

} // namespace

GroupFetchTask::GroupFetchTask(const TBWListLocation& group, GroupFetchPaths paths, Purpose purpose)
    : GroupTask(group), m_paths(std::move(paths)), m_purpose(purpose)
{}

TransferOutcome GroupFetchTask::Run(const TransferSettings& settings, CancelSignal& cancel, GroupMemory& memory)
{
    const bool test = m_purpose == Purpose::Test;
    const auto store = OpenGroupStore(Group(), settings, cancel);
    if (store) {
        SystemStoreClock clock;
        FetchMemory fresh;
        m_result = FetchGroupFile(*store, Group().Password, m_paths, test ? fresh : memory.Fetch, clock);
    } else {
        m_result.Detail = WhyNoStore(Group());
    }
    if (!test) {
        // Also after a failed fetch: the copy from before is what the group holds as far as this
        // member knows.
        m_copy = ReadLocalCopy(m_paths.LocalCopy, Group().Password);
    }
    if (!store) {
        return TransferOutcome::Failed;
    }
    const bool reached = m_result.What != GroupFetchOutcome::Status::Failed;
    if (test && reached && Group().LocationKind == LocationHttp && store->Can().Writable) {
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
