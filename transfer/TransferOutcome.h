#pragma once

// How a group's transfer in a batch ended, as far as the batch knows. Missing is kept apart from
// Failed because only a file known to be absent may be created anew: after a refused login or a
// silent server the group file may well exist, and an empty one sent there would replace it.
enum class TransferOutcome
{
    NotRequested, // the batch moved nothing for this group
    Running,      // queued behind another transfer of the same local copy, or under way
    Done,         // every transfer of the group in the batch succeeded
    Missing,      // the location answered that it holds no group file (no such file, HTTP 404)
    Failed,       // at least one failed, was refused or was cancelled
    NotNeeded,    // nothing to do: an HTTP location is never written
};
