#pragma once

#include "ChangeSet.h"
#include "GroupLock.h"
#include "StoreResult.h"

#include <cstdint>
#include <string>
#include <vector>

class CancelSignal;
class GroupStore;

// What a member keeps between publishes to one group (in memory, for as long as it runs).
struct PublishMemory
{
    LockSightings Sightings;
    // The location refused a temporary name or the rename over the shared file (an upload-only
    // account): the group file is then stored in place, without leaving a temporary file each time.
    bool StoreInPlace = false;
};

struct PublishOutcome
{
    enum class Problem
    {
        None,
        Busy,         // another member held the lock for the whole wait, or this one lost it: try again
        Unreachable,  // the group file could not be fetched; nothing was sent
        BadContainer, // it does not open with the group's password; nothing was sent
        Damaged,      // it opens, but its messages cannot be read; nothing was sent
        TooLarge,     // it is over the size limit; nothing was sent
        ReadOnly,     // a web address
        SendFailed,   // the new version could not be stored
        NotVerified,  // stored, but fetched again it does not hold the change (a member without the lock?)
    };

    Problem What = Problem::None;
    std::string Detail;
    StoreCause Cause = StoreCause::Unknown; // what lay behind the problem, where the location said
    bool Created = false;                   // there was no group file; a new one was made
    bool Sent = false;                      // a new version was stored (false when the file held the change already)
    bool StoredInPlace = false;             // the location allowed no temporary name or rename beside the file
    bool Unlocked = false;                  // the location allowed no lock folder: published without the lock
    // The group file as it stands afterwards, when the publish is done.
    std::string Bytes;
    // The Ids the new messages of the change set got, in their order.
    std::vector<std::int32_t> NewIds;

    [[nodiscard]] bool IsDone() const { return What == Problem::None; }
};

// The publish of a change set to a group, safe against other members doing the same: under the
// group's lock, the shared file is fetched (a missing one, which the folder's listing does not
// name, starts as an empty list, or from the upload of a member cut off while renaming it),
// changed, stored under a temporary name beside it and renamed over it, fetched again and checked
// to hold the change. Temporary files and stale lock folders that members left behind long ago
// are cleared on the way. Plain C++: runs on any thread.
class LockedPublish
{
public:
    LockedPublish(GroupStore& store, StoreClock& clock, const CancelSignal* cancel, PublishMemory& memory,
                  LockOwner owner, LockSettings settings);

    PublishOutcome Run(const std::string& password, const ChangeSet& changes);

private:
    // Reads the shared file as it is now into items; false with the problem noted when the
    // publish must not go on.
    bool ReadCurrent(const std::string& password, TBWItemList& items, FetchResult& current, bool listed,
                     const std::vector<std::string>& names, PublishOutcome& outcome);
    // Puts the bytes in place of the shared file; false with the problem noted.
    bool Commit(const std::string& bytes, PublishOutcome& outcome);
    bool CommitInPlace(const std::string& bytes, PublishOutcome& outcome);
    bool FallBackInPlace(const std::string& bytes, PublishOutcome& outcome);
    // Whether this member may still commit; notes the problem when it may not.
    bool MayCommit(PublishOutcome& outcome);
    void Verify(const std::string& password, const ChangeSet& applied, PublishOutcome& outcome);
    // A missing group file starts from the newest upload a member left that opens with the
    // password, when there is one.
    void TakeUpLeftUpload(const std::string& password, const std::vector<std::string>& names, TBWItemList& items);
    // Names of that kind that members left longer ago than a lock stays valid.
    [[nodiscard]] std::vector<std::string> LongLeft(const std::vector<std::string>& names, StoreNames::Kind kind) const;
    void ClearLeftUploads(const std::vector<std::string>& names);
    void ClearStaleLocks(const std::vector<std::string>& names);
    // When the new file looks like the old one to members that compare size and whole-second
    // modification times, it is stored once more a second later.
    void MakeDistinct(const FileValidator& before, const std::string& bytes, PublishOutcome& outcome);

    GroupStore& m_store;
    StoreClock& m_clock;
    const CancelSignal* m_cancel;
    PublishMemory& m_memory;
    LockSettings m_settings;
    GroupLock m_lock;
    bool m_locked = false;
    // The last commit was refused because the file had changed since it was read.
    bool m_overtaken = false;
};
