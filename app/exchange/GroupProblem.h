#pragma once

#include <string>
#include <vector>

// Something a publish or a pull could not do for one group, kept for telling the user.
struct GroupProblem
{
    enum class Kind
    {
        Unreachable,  // the group file could not be fetched
        TimedOut,     // the fetch was still running when the wait ended
        BadContainer, // the local copy does not open with the group's password
        ReadFailed,   // the local copy could not be read at all (Detail says why)
        ReadOnly,     // a web address: the group file cannot be written back
        SendFailed,   // the changed group file could not be sent back
        Busy,         // another member held the group's lock: the change waits and is sent later
        Rejected,     // what was fetched is not the group's file (Detail says why); set aside
    };

    std::string Group;
    Kind Problem = Kind::Unreachable;
    std::string Detail;

    bool operator==(const GroupProblem&) const = default;
};

// What one publish or pull did: the groups it completed and the problems it met. A publish still
// under way when its wait ended is neither: it is reported when it ends.
struct ExchangeReport
{
    std::vector<std::string> Completed;
    std::vector<GroupProblem> Problems;
    std::vector<std::string> StillSending{};
};
