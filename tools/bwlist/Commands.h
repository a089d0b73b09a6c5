#pragma once

#include "Arguments.h"
#include "GroupArguments.h"

#include <iosfwd>

// The bwlist commands. Each returns the exit status; failures of the model are thrown as EBWError.

// Prints the container's lines, one per output line; 1 when the line-count check failed.
int RunLinesCommand(const TBwListArguments& arguments, std::ostream& out);
// Reads lines (ended by LF or CR LF) from in and writes them as a container.
int RunPackCommand(const TBwListArguments& arguments, std::istream& in);
// Prints a message list file as a table; 1 when the line-count check failed.
int RunShowCommand(const TBwListArguments& arguments, std::ostream& out, std::ostream& err);
// Adds an iCalendar file's entries to a list file (made if absent), or writes a list file's reminders
// as one; prints a line for each entry left out and then gives ExitLeftOut. A list that fails its
// line-count check is neither changed nor exported.
int RunCalendarCommand(const TBwListArguments& arguments, std::ostream& out, std::ostream& err);
// Prints a group list file as a table, without its passwords.
int RunGroupsCommand(const TBwListArguments& arguments, std::ostream& out);
// Sends a reminder to a group's shared file or removes one from it, under the group's lock. Prints
// a sent reminder's Id; 0 only when the shared file holds the change.
int RunGroupCommand(const TGroupArguments& arguments, std::ostream& out, std::ostream& err);
