#pragma once

#include "ItemList.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// An entry of a calendar file that did not become a reminder (or a reminder that did not become an
// entry), and why.
struct CalendarSkip
{
    std::string Entry; // what the user knows it by: its kind, title and start
    std::string Reason;
};

struct CalendarImport
{
    std::vector<TBWItem> Reminders;
    std::vector<CalendarSkip> Skipped;
};

// Reads an iCalendar text's events and to-dos as reminders in this computer's local time. Each alarm
// of an entry makes one reminder at the alarm's moment; an entry without alarms is reminded at its
// start (an event) or when it is due (a to-do). Only what a reminder can hold exactly is taken: an
// entry whose repeats, exceptions or time zone a reminder would follow differently is left out and
// listed in Skipped with the reason. Fails with EBWError when the text holds no calendar at all.
[[nodiscard]] CalendarImport ReadCalendar(std::string_view text);

// The reminders made ready to join the list: each gets an Id that neither the list nor an earlier
// one of them holds, and the occurrences that came before now are taken as if delivered, so that a
// calendar's past does not pop up all at once.
[[nodiscard]] std::vector<std::unique_ptr<TBWItem>>
NewListReminders(std::vector<TBWItem> reminders, const TBWItemList& list, const std::string& author, double now);
