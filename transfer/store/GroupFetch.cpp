#include "GroupFetch.h"

#include "AtomicFileWriter.h"
#include "BWError.h"
#include "GroupStore.h"

#include <chrono>

#include <sys/stat.h>

namespace {

using Status = GroupFetchOutcome::Status;

FileValidator LocalFileValidator(const std::filesystem::path& file)
{
    struct stat info
    {};
    if (::stat(file.c_str(), &info) != 0) {
        return {};
    }
    return {info.st_size,
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            static_cast<std::uint64_t>(info.st_ino),
            {},
            {}};
}

void KeepAside(const std::filesystem::path& file, const std::string& bytes)
{
    std::error_code ignored;
    if (std::filesystem::create_directories(file.parent_path(), ignored)) {
        std::filesystem::permissions(file.parent_path(), std::filesystem::perms::owner_all, ignored);
    }
    try {
        AtomicFileWriter aside(file);
        aside.Write(bytes);
        aside.Commit();
    } catch (const EBWError&) {
        // Only a copy for a look: the fetch's own result says what went wrong.
    }
}

void Remember(FetchMemory& memory, const FetchResult& fetched, StoreClock::Steady::time_point started,
              StoreClock::Steady::time_point ended)
{
    using namespace std::chrono_literals;
    const FileValidator& validator = fetched.Validator;
    if (!validator.IsKnown() || !(validator == memory.Seen)) {
        memory.Seen = validator;
        memory.SeenSince = ended;
        memory.Trusted = validator.IsKnown() && fetched.Settled;
        return;
    }
    // This download began a second or more after the one that first brought the validator ended,
    // so the second of the file's time had passed: a change within it would show now.
    if (started - memory.SeenSince >= 1s) {
        memory.Trusted = true;
    }
}

} // namespace

GroupFetchOutcome FetchGroupFile(GroupStore& store, const std::string& password, const GroupFetchPaths& paths,
                                 FetchMemory& memory, StoreClock& clock)
{
    GroupFetchOutcome outcome;
    const FileValidator local = LocalFileValidator(paths.LocalCopy);
    const bool localAsLeft = local.IsKnown() && local == memory.LocalCopy;
    const FileValidator* unlessSame = memory.Trusted && localAsLeft ? &memory.Seen : nullptr;
    const auto started = clock.Now();
    FetchResult fetched = store.Fetch(store.SharedName(), unlessSame);
    outcome.BodyBytes = fetched.BodyBytes;
    if (fetched.Unchanged) {
        outcome.What = Status::Unchanged;
        return outcome;
    }
    if (!fetched.Result.IsOk()) {
        memory = FetchMemory{};
        outcome.What = fetched.Result.Status == StoreStatus::NotFound ? Status::Missing : Status::Failed;
        outcome.Detail = fetched.Result.Detail;
        outcome.Cause = fetched.Result.Cause;
        outcome.Server = fetched.Result.Server;
        if (!fetched.Bytes.empty()) {
            KeepAside(paths.RejectedCopy, fetched.Bytes);
        }
        return outcome;
    }
    TBWItemList scratch;
    const OpenedGroupFile opened = OpenGroupFile(fetched.Bytes, password, scratch);
    if (!opened.IsOk()) {
        memory = FetchMemory{};
        KeepAside(paths.RejectedCopy, fetched.Bytes);
        outcome.What = Status::Rejected;
        outcome.Verdict = opened.Check;
        outcome.Detail = opened.Reason;
        return outcome;
    }
    try {
        AtomicFileWriter copy(paths.LocalCopy);
        copy.Write(fetched.Bytes);
        // The same file fetched again (the first minutes after a change) leaves the copy untouched.
        copy.CommitUnlessSame();
    } catch (const EBWError& error) {
        memory = FetchMemory{};
        outcome.What = Status::Failed;
        outcome.Detail = error.what();
        return outcome;
    }
    Remember(memory, fetched, started, clock.Now());
    memory.LocalCopy = LocalFileValidator(paths.LocalCopy);
    outcome.What = Status::Fetched;
    return outcome;
}
