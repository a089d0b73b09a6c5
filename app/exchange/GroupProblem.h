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

// A group merged for the first time here: its reminders whose time had passed were taken as shown.
struct JoinedGroup
{
    std::string Group;
    int SkippedReminders = 0;

    bool operator==(const JoinedGroup&) const = default;
};

// What one publish or pull did: the groups it completed, the problems it met, and the groups it
// joined. A publish still under way when its wait ended is neither completed nor a problem: it is
// reported when it ends.
struct ExchangeReport
{
    std::vector<std::string> Completed;
    std::vector<GroupProblem> Problems;
    std::vector<std::string> StillSending{};
    std::vector<JoinedGroup> Joined{};
};
