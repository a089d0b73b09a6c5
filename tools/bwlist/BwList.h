#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Exit codes of bwlist.
enum TBwListExit : int
{
    ExitOk = 0,
    ExitCheckFailed = 1,
    ExitError = 2,
    ExitBusy = 3,    // send, remove: another member held the group's lock for the whole wait
    ExitLeftOut = 4, // import, export: some entries could not be carried over; the rest were
};

// Runs one bwlist command line (without the program name). Failures are reported on err.
int RunBwList(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err);
