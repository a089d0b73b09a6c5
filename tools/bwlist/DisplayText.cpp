#include "DisplayText.h"

#include "DateTime.h"
#include "TBWItem.h"
#include "TBWListLocation.h"

#include <cmath>
#include <cstdio>

namespace {

std::string Bracketed(unsigned value)
{
    return "(" + std::to_string(value) + ")";
}

} // namespace

std::string DateTimeText(double dateTime)
{
    double days = std::floor(dateTime);
    double seconds = RoundHalfEven((dateTime - days) * 86400.0);
    // Rounding the time of day can reach midnight; that second belongs to the next day.
    if (seconds >= 86400.0) {
        days += 1;
        seconds -= 86400.0;
    }
    const CalendarDate date = DecodeDate(days);
    const auto secondOfDay = static_cast<int>(seconds);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", date.year, date.month, date.day,
                  secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
    return text;
}

std::string KindText(std::uint8_t kind)
{
    switch (kind) {
    case KindSimpleMessage:
        return "Simple message";
    case KindExecuteFiles:
        return "Execute file(s)";
    default:
        return Bracketed(kind);
    }
}

std::string RepeatText(std::uint8_t repeatKind)
{
    switch (repeatKind) {
    case RepeatNone:
        return "None";
    case RepeatDaily:
        return "Daily";
    case RepeatWeekly:
        return "Weekly";
    case RepeatMonthly:
        return "Monthly";
    case RepeatYearly:
        return "Yearly";
    default:
        return Bracketed(repeatKind);
    }
}

std::string WeekdaysText(const std::array<bool, 8>& dayFlags)
{
    static constexpr char Letters[] = "MTWTFSS";
    std::string text(7, '-');
    for (std::size_t day = 1; day <= 7; ++day) {
        if (dayFlags[day]) {
            text[day - 1] = Letters[day - 1];
        }
    }
    return text;
}

std::string LocationKindText(std::uint8_t locationKind)
{
    switch (locationKind) {
    case LocationFile:
        return "File";
    case LocationFtp:
        return "FTP";
    case LocationHttp:
        return "HTTP";
    case LocationSftp:
        return "SFTP";
    default:
        return Bracketed(locationKind);
    }
}

std::string JoinNames(const TStringList& names)
{
    std::string text;
    for (const std::string& name : names) {
        if (!text.empty()) {
            text += ", ";
        }
        text += name;
    }
    return text;
}

std::string OneLine(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            result += "\\n";
            ++i;
        } else if (c == '\t') {
            result += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            result += escaped;
        } else {
            result += static_cast<char>(c);
        }
    }
    return result;
}
