#pragma once

#include "GroupFileBytes.h"
#include "StoreClock.h"
#include "StoreResult.h"

#include <filesystem>
#include <string>

class GroupStore;

// What a member remembers of a group's shared file between pulls (in memory). Modification times
// over FTP and HTTP have whole seconds, so a file changed again within the second of its last
// look keeps its size and time: a validator is trusted to skip downloads only after a second
// download, a second or more after the first, found it unchanged.
struct FetchMemory
{
    FileValidator Seen;                       // of the last download
    StoreClock::Steady::time_point SeenSince; // when a download first brought it
    bool Trusted = false;
    FileValidator LocalCopy; // the local copy as the last download left it
};

struct GroupFetchOutcome
{
    enum class Status
    {
        Fetched,   // downloaded and checked; the local copy holds it
        Unchanged, // the location said the file is as it was: nothing was downloaded
        Missing,   // the location has no such file
        Rejected,  // downloaded, but not a group file that opens with the password: kept aside
        Failed,    // could not be fetched
    };

    Status What = Status::Failed;
    std::string Detail;
    StoreCause Cause = StoreCause::Unknown; // why it failed, where the location said
    ServerIdentity Server;                  // the server's key or certificate, when that failed
    OpenedGroupFile::Verdict Verdict = OpenedGroupFile::Verdict::Ok; // why it was rejected
    std::uint64_t BodyBytes = 0;
};

struct GroupFetchPaths
{
    std::filesystem::path LocalCopy;    // replaced only by a file that opens with the password
    std::filesystem::path RejectedCopy; // where anything else that arrived is kept for a look
};

// Fetches a group's shared file into its local copy: by its validator (nothing moves while it is
// unchanged and the local copy is as the last fetch left it), then checked to be a group file that
// opens with the group's password before it replaces the local copy. The last good copy stays
// otherwise. Plain C++: runs on any thread.
[[nodiscard]] GroupFetchOutcome FetchGroupFile(GroupStore& store, const std::string& password,
                                               const GroupFetchPaths& paths, FetchMemory& memory, StoreClock& clock);
