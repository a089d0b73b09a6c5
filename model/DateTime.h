#pragma once

#include <cstdint>

// Date-times are days since 1899-12-30 00:00 local wall-clock time; the fraction is the time of
// day. These helpers do the calendar arithmetic on that value without asking the system.

struct CalendarDate
{
    int year = 1899;
    int month = 12;
    int day = 30;
};

// Rounds to the nearest integer, ties to even (2.5 -> 2, 3.5 -> 4).
[[nodiscard]] double RoundHalfEven(double value);

[[nodiscard]] bool IsLeapYear(int year);
[[nodiscard]] int DaysInMonth(int year, int month);

[[nodiscard]] double EncodeDate(int year, int month, int day);
[[nodiscard]] double EncodeTime(int hour, int minute, int second, int millisecond = 0);
[[nodiscard]] double EncodeDateTime(int year, int month, int day, int hour, int minute, int second = 0);
[[nodiscard]] CalendarDate DecodeDate(double dateTime);

// A date-time as its day and its time of day in whole milliseconds, rounded to the nearest: the
// form every date and clock shown to the user is made from. A time that rounds up to 24:00 is
// 00:00 of the next day; days before 1899-12-30 are negative and their times count forward from
// their own midnight, as in every other day.
struct DayAndTime
{
    long long Day = 0;
    int Millisecond = 0; // since midnight: 0 .. 86 399 999
};
[[nodiscard]] DayAndTime SplitDateTime(double dateTime);
[[nodiscard]] double JoinDateTime(long long day, int millisecond);

// Whole days (floor) and the time of day as a fraction in [0, 1).
[[nodiscard]] double DatePart(double dateTime);
[[nodiscard]] double TimePart(double dateTime);

// ISO 8601 weekday: Monday 1 ... Sunday 7.
[[nodiscard]] int DayOfTheWeek(double dateTime);

// Same day of month and time one year on, clamped to the month's last day (Feb 29 -> Feb 28).
[[nodiscard]] double AddOneYear(double dateTime);

// Day of month below 29: the same day next month; 29, 30 or 31: 28 days later.
[[nodiscard]] double NextMonthDate(double dateTime);

// The stored form of a date-time: value x 10000, rounded, as a signed 32-bit integer.
// A value that does not fit fails with a clear error rather than wrapping.
[[nodiscard]] std::int32_t DateTimeToUnits(double dateTime);
[[nodiscard]] double UnitsToDateTime(std::int32_t units);
