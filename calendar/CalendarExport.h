#pragma once

#include "CalendarImport.h"

#include <string>
#include <vector>

struct CalendarExport
{
    std::string Text; // an iCalendar file (UTF-8, CR LF)
    std::vector<CalendarSkip> Skipped;
};

// Writes the reminders as iCalendar events, each with a display alarm at its moment and a rule for
// its repeats, in floating local time: a reminder keeps its wall-clock time wherever it is read, as
// it does in the program. A reminder that a calendar would follow differently (one that opens
// programs, a monthly one on the 29th to 31st, a monthly or yearly one moved off inactive weekdays)
// and one for its recipients only are left out and listed in Skipped with the reason. now (local)
// stamps the entries.
[[nodiscard]] CalendarExport WriteCalendar(const std::vector<const TBWItem*>& reminders, double now);
