#include "CalendarTime.h"

#include "DateTime.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int MinuteMilliseconds = 60'000;
// Half a unit of the list files' stored time (1/10000 day) and a little more.
constexpr int SnapMilliseconds = 5'000;

} // namespace

double LocalFromUtc(std::time_t utc)
{
    std::tm local{};
    localtime_r(&utc, &local);
    return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                          local.tm_sec);
}

std::time_t UtcFromLocal(double local)
{
    const DayAndTime split = SplitDateTime(local);
    const CalendarDate date = DecodeDate(static_cast<double>(split.Day));
    std::tm fields{};
    fields.tm_year = date.year - 1900;
    fields.tm_mon = date.month - 1;
    fields.tm_mday = date.day;
    const int seconds = split.Millisecond / 1000;
    fields.tm_hour = seconds / 3600;
    fields.tm_min = seconds / 60 % 60;
    fields.tm_sec = seconds % 60;
    fields.tm_isdst = -1;
    return std::mktime(&fields);
}

double LocalDateTime(const icaltimetype& time)
{
    if (time.is_date != 0) {
        return EncodeDate(time.year, time.month, time.day);
    }
    if (time.zone == nullptr) {
        return EncodeDateTime(time.year, time.month, time.day, time.hour, time.minute, time.second);
    }
    return LocalFromUtc(icaltime_as_timet_with_zone(time, time.zone));
}

icaltimetype FloatingTime(double local)
{
    DayAndTime split = SplitDateTime(local);
    const int offMinute = split.Millisecond % MinuteMilliseconds;
    if (offMinute <= SnapMilliseconds) {
        split.Millisecond -= offMinute;
    } else if (MinuteMilliseconds - offMinute <= SnapMilliseconds) {
        split.Millisecond += MinuteMilliseconds - offMinute;
    }
    split = SplitDateTime(JoinDateTime(split.Day, split.Millisecond));
    const CalendarDate date = DecodeDate(static_cast<double>(split.Day));
    icaltimetype time = icaltime_null_time();
    time.year = date.year;
    time.month = date.month;
    time.day = date.day;
    const int seconds = static_cast<int>(std::lround(split.Millisecond / 1000.0));
    time.hour = seconds / 3600;
    time.minute = seconds / 60 % 60;
    time.second = seconds % 60;
    return time;
}

bool FollowsLocalClock(const icaltimetype& start)
{
    if (start.zone == nullptr || start.is_date != 0) {
        return true;
    }
    // Every fortnight of a year: every clock change of either zone falls between two of them.
    constexpr int Fortnights = 27;
    const auto distance = [](const icaltimetype& time) {
        return LocalDateTime(time) -
               EncodeDateTime(time.year, time.month, time.day, time.hour, time.minute, time.second);
    };
    const double first = distance(start);
    for (int i = 1; i < Fortnights; ++i) {
        icaldurationtype step = icaldurationtype_null_duration();
        step.days = static_cast<unsigned>(14 * i);
        icaltimetype later = icaltime_add(start, step);
        later.zone = start.zone;
        if (std::abs(distance(later) - first) > 1.0 / 86400.0) {
            return false;
        }
    }
    return true;
}

std::string CalendarTimeText(const icaltimetype& time)
{
    char text[32];
    if (time.is_date != 0) {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", time.year, time.month, time.day);
    } else {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", time.year, time.month, time.day, time.hour,
                      time.minute);
    }
    return text;
}
