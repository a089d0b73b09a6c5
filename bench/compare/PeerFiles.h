#pragma once

#include "ItemList.h"

#include <string>

// The same reminders in the forms the other programs read: an iCalendar file with one event and one
// display alarm per message (KCalendarCore, libical), and a reminders file with one REM per message
// (remind). Times are floating local wall-clock times, as Bellwick's are.

// The moment a calendar would hold as the series' start: the first occurrence the message stands
// for. Bellwick keeps only the next due moment; the start is its last taken one when it has been
// taken, which is the original one for the generated lists.
[[nodiscard]] double SeriesStart(const TBWItem& item);

[[nodiscard]] std::string ToICalendar(const TBWItemList& list);
[[nodiscard]] std::string ToRemind(const TBWItemList& list);

// The UID of a message's event ("bw" + Id), so results can be matched across programs.
[[nodiscard]] std::string EventUid(const TBWItem& item);
