#pragma once

#include <libical/ical.h>

#include <ctime>
#include <string>

// Between libical's times and the program's local wall-clock date-times (days since 1899-12-30).

// The local date-time of a calendar time: a date is its local midnight, a floating time is read as
// local wall-clock time, a time in UTC or a zone is converted to this computer's zone.
[[nodiscard]] double LocalDateTime(const icaltimetype& time);
// A local date-time as a floating calendar time, to the second; a time within a few seconds of a
// whole minute (the list files keep times to 8.64 seconds) is that minute.
[[nodiscard]] icaltimetype FloatingTime(double local);
[[nodiscard]] double LocalFromUtc(std::time_t utc);
[[nodiscard]] std::time_t UtcFromLocal(double local);
// Whether a series in the time's zone keeps the same distance to local wall-clock time all year
// (the zones change their clocks together, or neither does): only then does a repeating reminder,
// which keeps its local time, come when the calendar's occurrences do.
[[nodiscard]] bool FollowsLocalClock(const icaltimetype& start);
// "2026-03-04 09:00", "2026-03-04" for a date; for naming an entry to the user.
[[nodiscard]] std::string CalendarTimeText(const icaltimetype& time);
