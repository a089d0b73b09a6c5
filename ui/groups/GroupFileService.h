#pragma once

#include "StoreResult.h"

#include <filesystem>
#include <optional>
#include <string>

class TBWListLocation;

// How a fetch of a group file ended.
enum class FetchOutcome
{
    Present,       // the download finished and the group's local copy now holds the group file
    Absent,        // the location answered that it holds no group file
    Failed,        // the download failed otherwise (login refused, no answer, server error): a group
                   // file may exist there all the same
    StillRunning,  // the wait ran out of time while the download was still under way
    WrongPassword, // a group file is there, but it does not open with the group's password
    NotAGroupFile, // something is there that is not a group file (or a damaged one)
};

// What the location did not allow at the last publish to the group; the file was then written in
// place, without the protection against a cut upload or against members writing at once.
struct LocationHabits
{
    bool StoresInPlace = false; // no temporary file and rename beside the group file
    bool Unlocked = false;      // no lock folder beside it
};

// What the last fetch found out beyond its outcome, for Test to explain.
struct FetchReport
{
    StoreCause Cause = StoreCause::Unknown; // why it failed, where the location said
    std::string Detail;
    ServerIdentity Server; // the key or certificate the server presented, when that failed
    // For a web location with an account, whether it takes changes (WebDAV) and why not.
    std::optional<StoreResult> Writable;
};

// The group file transfers the groups dialog needs. The main window implements it over the
// transfer layer; the dialog itself never moves a file.
class GroupFileService
{
public:
    virtual ~GroupFileService() = default;

    // Downloads the group file into the group's local copy and waits for it, at most the
    // transfer layer's limit, while the event loop goes on. Must not report a local copy left
    // over from an earlier fetch as Present; only a file that opens with the group's password
    // replaces the local copy.
    virtual FetchOutcome FetchGroupFile(const TBWListLocation& group) = 0;
    // Starts creating the group file at the group's location, if there still is none (never over
    // one that is there), and returns without waiting. An HTTP location is never written: nothing
    // happens for it.
    virtual void UploadGroupFile(const TBWListLocation& group) = 0;
    [[nodiscard]] virtual LocationHabits Habits(const TBWListLocation& /*group*/) const { return {}; }
    [[nodiscard]] virtual FetchReport LastFetchReport() const { return {}; }
    // Trusts the SSH host key the last fetch was shown, from now on; false with the reason when it
    // cannot be kept.
    virtual bool TrustServerKey(std::string& error)
    {
        error = "no host key to trust";
        return false;
    }
    // Where the group's local copy lives (BWLists/<name> in the data folder).
    [[nodiscard]] virtual std::filesystem::path LocalCopyPath(const TBWListLocation& group) const = 0;
};
