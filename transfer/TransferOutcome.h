#pragma once

// How a group's transfer in a batch ended, as far as the batch knows.
enum class TransferOutcome
{
    NotRequested, // the batch moved nothing for this group
    Running,      // queued behind another transfer of the same local copy, or under way
    Done,         // every transfer of the group in the batch succeeded
    Failed,       // at least one failed, was refused or was cancelled
    NotNeeded,    // nothing to do: an HTTP location is never written
};
