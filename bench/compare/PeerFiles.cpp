#include "PeerFiles.h"

#include "DateTime.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 8> DayCodes = {"", "MO", "TU", "WE", "TH", "FR", "SA", "SU"};
constexpr std::array<std::string_view, 8> DayNames = {"", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
constexpr std::array<std::string_view, 13> MonthNames = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

struct TWallClock
{
    CalendarDate Date;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

// Stored moments sit on 8.64-second steps; the peers get the nearest whole second.
TWallClock WallClock(double dateTime)
{
    const double rounded = std::round(dateTime * 86400) / 86400;
    TWallClock clock;
    clock.Date = DecodeDate(rounded);
    const auto seconds = static_cast<int>(std::lround(TimePart(rounded) * 86400)) % 86400;
    clock.Hour = seconds / 3600;
    clock.Minute = seconds / 60 % 60;
    clock.Second = seconds % 60;
    return clock;
}

std::string ICalTime(double dateTime)
{
    const TWallClock c = WallClock(dateTime);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d", c.Date.year, c.Date.month, c.Date.day, c.Hour,
                  c.Minute, c.Second);
    return text;
}

bool AllDaysActive(const TBWItem& item)
{
    return item.ActiveDayCount() == 0 || item.ActiveDayCount() == 7;
}

// A content line, folded after 75 octets as RFC 5545 asks.
void AddLine(std::string& out, std::string_view line)
{
    constexpr std::size_t Limit = 75;
    out.append(line.substr(0, Limit));
    out.append("\r\n");
    for (std::size_t at = Limit; at < line.size(); at += Limit - 1) {
        out.push_back(' ');
        out.append(line.substr(at, Limit - 1));
        out.append("\r\n");
    }
}

std::string EscapeText(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            escaped.append("\\n");
            ++i;
        } else if (c == '\\' || c == ';' || c == ',') {
            escaped.push_back('\\');
            escaped.push_back(c);
        } else if (c == '\n' || c == '\r') {
            escaped.append("\\n");
        } else {
            escaped.push_back(c);
        }
    }
    return escaped;
}

std::string RecurrenceRule(const TBWItem& item)
{
    switch (item.RepeatKind) {
    case RepeatDaily: {
        std::string rule = "RRULE:FREQ=DAILY";
        if (!AllDaysActive(item)) {
            rule += ";BYDAY=";
            for (int day = 1; day <= 7; ++day) {
                if (item.IsActiveOn(day)) {
                    rule += rule.back() == '=' ? "" : ",";
                    rule += DayCodes[static_cast<std::size_t>(day)];
                }
            }
        }
        return rule;
    }
    case RepeatWeekly:
        return "RRULE:FREQ=WEEKLY";
    case RepeatMonthly:
        return "RRULE:FREQ=MONTHLY";
    case RepeatYearly:
        return "RRULE:FREQ=YEARLY";
    default:
        return {};
    }
}

std::string Recipients(const TBWItem& item)
{
    std::string names;
    for (const std::string& name : item.Recipients) {
        names += names.empty() ? "" : ",";
        names += EscapeText(name);
    }
    return names;
}

void AddEvent(std::string& out, const TBWItem& item)
{
    AddLine(out, "BEGIN:VEVENT");
    AddLine(out, "UID:" + EventUid(item));
    AddLine(out, "DTSTAMP:20260302T070000Z");
    AddLine(out, "DTSTART:" + ICalTime(SeriesStart(item)));
    if (const std::string rule = RecurrenceRule(item); !rule.empty()) {
        AddLine(out, rule);
    }
    AddLine(out, "SUMMARY:" + EscapeText(item.Title));
    if (!item.Text.empty()) {
        AddLine(out, "DESCRIPTION:" + EscapeText(item.Text));
    }
    AddLine(out, "ORGANIZER;CN=\"" + item.Author + "\":mailto:author@example.org");
    if (!item.Recipients.empty()) {
        AddLine(out, "CATEGORIES:" + Recipients(item));
    }
    AddLine(out, "BEGIN:VALARM");
    AddLine(out, "ACTION:DISPLAY");
    AddLine(out, "TRIGGER;RELATED=START:PT0S");
    AddLine(out, "DESCRIPTION:" + EscapeText(item.Title));
    AddLine(out, "END:VALARM");
    AddLine(out, "END:VEVENT");
}

std::string RemindDate(const CalendarDate& date)
{
    return std::to_string(date.day) + " " + std::string(MonthNames[static_cast<std::size_t>(date.month)]) + " " +
           std::to_string(date.year);
}

// remind reads '%' as a substitution and '[' as the start of an expression.
std::string RemindBody(const TBWItem& item)
{
    std::string body;
    const auto add = [&body](std::string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '%') {
                body += "%%";
            } else if (c == '[') {
                body += "[\"[\"]";
            } else if (c == '\r' || c == '\n') {
                body += "%_";
                if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                    ++i;
                }
            } else {
                body += c;
            }
        }
    };
    add(item.Title);
    if (!item.Text.empty()) {
        body += "%_";
        add(item.Text);
    }
    return body;
}

std::string RemindTrigger(const TBWItem& item)
{
    const TWallClock start = WallClock(SeriesStart(item));
    const std::string from = " FROM " + RemindDate(start.Date);
    switch (item.RepeatKind) {
    case RepeatDaily:
        if (AllDaysActive(item)) {
            return RemindDate(start.Date) + " *1";
        } else {
            std::string days;
            for (int day = 1; day <= 7; ++day) {
                if (item.IsActiveOn(day)) {
                    days += std::string(DayNames[static_cast<std::size_t>(day)]) + " ";
                }
            }
            return days + from.substr(1);
        }
    case RepeatWeekly:
        return RemindDate(start.Date) + " *7";
    case RepeatMonthly:
        return std::to_string(start.Date.day) + from;
    case RepeatYearly:
        return std::to_string(start.Date.day) + " " +
               std::string(MonthNames[static_cast<std::size_t>(start.Date.month)]) + from;
    default:
        return RemindDate(start.Date);
    }
}

} // namespace

double SeriesStart(const TBWItem& item)
{
    double start = item.RepeatKind != RepeatNone && item.LastDueTime != 0 ? item.LastDueTime : item.DueTime;
    // From a day of month above 28 Bellwick's monthly step is 28 days once and a plain month after
    // that; the calendar series starts where the plain months do.
    if (item.RepeatKind == RepeatMonthly && DecodeDate(start).day > 28) {
        start = NextMonthDate(start);
    }
    // A daily series limited to weekdays begins on its first active day, as Bellwick moves it.
    if (item.RepeatKind == RepeatDaily && item.ActiveDayCount() > 0) {
        while (!item.IsActiveOn(DayOfTheWeek(start))) {
            start += 1;
        }
    }
    return start;
}

std::string EventUid(const TBWItem& item)
{
    return "bw" + std::to_string(item.Id);
}

std::string ToICalendar(const TBWItemList& list)
{
    std::string out;
    out.reserve(list.size() * 700 + 256);
    AddLine(out, "BEGIN:VCALENDAR");
    AddLine(out, "VERSION:2.0");
    AddLine(out, "PRODID:-//Bellwick//side-by-side harness//EN");
    for (const auto& item : list) {
        AddEvent(out, *item);
    }
    AddLine(out, "END:VCALENDAR");
    return out;
}

std::string ToRemind(const TBWItemList& list)
{
    std::string out;
    out.reserve(list.size() * 400);
    for (const auto& item : list) {
        // remind's times are whole minutes; the stored 8.64-second steps round to the nearest.
        const long minutes = std::lround(TimePart(SeriesStart(*item)) * 1440) % 1440;
        char time[16];
        std::snprintf(time, sizeof time, "%02ld:%02ld", minutes / 60, minutes % 60);
        out += "REM " + RemindTrigger(*item) + " AT " + time + " TAG " + EventUid(*item) + " MSG " + RemindBody(*item) +
               "\n";
    }
    return out;
}
