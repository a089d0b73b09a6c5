#include "DateTime.h"

#include "BWError.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// Days from 1970-01-01 (civil calendar, proleptic Gregorian) and back.
constexpr long long DaysFrom1970ToEpoch = 25569; // 1899-12-30 is day -25569 of 1970

long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

CalendarDate CivilFromDays(long long z)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2 ? 1 : 0)), static_cast<int>(m), static_cast<int>(d)};
}

} // namespace

double RoundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode is to nearest, ties to even
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year)) {
        return 29;
    }
    return days[(month - 1) % 12];
}

double EncodeDate(int year, int month, int day)
{
    return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
                               DaysFrom1970ToEpoch);
}

double EncodeTime(int hour, int minute, int second, int millisecond)
{
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
}

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second)
{
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second);
}

DayAndTime SplitDateTime(double dateTime)
{
    constexpr long long MillisecondsPerDay = 86400000;
    const double day = std::floor(dateTime);
    long long millisecond = std::llround((dateTime - day) * static_cast<double>(MillisecondsPerDay));
    auto whole = static_cast<long long>(day);
    if (millisecond >= MillisecondsPerDay) {
        millisecond -= MillisecondsPerDay;
        ++whole;
    }
    return {whole, static_cast<int>(millisecond)};
}

double JoinDateTime(long long day, int millisecond)
{
    return static_cast<double>(day) + millisecond / 86400000.0;
}

double DatePart(double dateTime)
{
    return std::floor(dateTime);
}

double TimePart(double dateTime)
{
    return dateTime - std::floor(dateTime);
}

CalendarDate DecodeDate(double dateTime)
{
    return CivilFromDays(static_cast<long long>(std::floor(dateTime)) - DaysFrom1970ToEpoch);
}

int DayOfTheWeek(double dateTime)
{
    // Day 0 (1899-12-30) was a Saturday, ISO weekday 6.
    const auto days = static_cast<long long>(std::floor(dateTime));
    const long long index = ((days + 5) % 7 + 7) % 7;
    return static_cast<int>(index) + 1;
}

double AddOneYear(double dateTime)
{
    const CalendarDate date = DecodeDate(dateTime);
    const int year = date.year + 1;
    const int day = std::min(date.day, DaysInMonth(year, date.month));
    return EncodeDate(year, date.month, day) + TimePart(dateTime);
}

double NextMonthDate(double dateTime)
{
    const CalendarDate date = DecodeDate(dateTime);
    if (date.day < 29) {
        return dateTime + DaysInMonth(date.year, date.month);
    }
    return dateTime + 28;
}

std::int32_t DateTimeToUnits(double dateTime)
{
    const double units = RoundHalfEven(dateTime * 10000.0);
    if (!(units >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
          units <= static_cast<double>(std::numeric_limits<std::int32_t>::max()))) {
        char text[96];
        std::snprintf(text, sizeof text, "The date-time %.4f cannot be stored (years 1312 to 2487 only)", dateTime);
        throw EBWError(text);
    }
    return static_cast<std::int32_t>(units);
}

double UnitsToDateTime(std::int32_t units)
{
    return units * 0.0001;
}
