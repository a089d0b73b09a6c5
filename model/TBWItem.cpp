#include "TBWItem.h"

#include "DateTime.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

void TBWItem::GenerateId(double now)
{
    const auto timeOfDay = static_cast<std::int32_t>(RoundHalfEven(TimePart(now) * 99999.0));
    const auto dayNumber = static_cast<long long>(RoundHalfEven(now));
    const auto day = static_cast<std::int32_t>(((dayNumber % 100) + 100) % 100);
    const auto lengths = static_cast<std::int32_t>((2 * Title.size() + 3 * Author.size() + Text.size()) % 100);
    Id = lengths * 10000000 + day * 100000 + timeOfDay;
}

int TBWItem::ActiveDayCount() const
{
    int count = 0;
    for (std::size_t day = 1; day <= 7; ++day) {
        count += DayFlags[day] ? 1 : 0;
    }
    return count;
}

void TBWItem::ActivateAllDays()
{
    for (std::size_t day = 1; day <= 7; ++day) {
        DayFlags[day] = true;
    }
}

namespace {

// Whole days from the date-time's weekday to the first active one (0 when it is active itself).
int DaysToActiveDay(const TBWItem& item, double dateTime)
{
    if (item.ActiveDayCount() == 0) {
        return 0; // treated as active every day
    }
    int weekday = DayOfTheWeek(dateTime);
    int days = 0;
    while (!item.IsActiveOn(weekday)) {
        weekday = weekday % 7 + 1;
        ++days;
    }
    return days;
}

// A date-time grows by whole days without losing a bit of its time of day as long as it stays below
// the end of its binade; below this limit many steps of a series sum to one addition, bit for bit.
double ExactSumLimit(double dateTime)
{
    int exponent = 0;
    (void)std::frexp(dateTime, &exponent);
    return std::ldexp(1.0, exponent);
}

// The furthest a monthly or yearly series may jump in one go: far enough below the moment that no
// occurrence up to there can come at or after it, even moved on to an active weekday, and below
// the limit of exact sums. Whatever lies beyond is stepped one occurrence at a time, as always.
double JumpBound(double dueTime, double moment)
{
    constexpr double LongestRoll = 7;
    constexpr double LongestStep = 32;
    return std::min(moment - LongestRoll, ExactSumLimit(dueTime) - LongestStep);
}

int MonthIndex(const CalendarDate& date)
{
    return date.year * 12 + (date.month - 1);
}

// The occurrence that many months on, when the series keeps its day of month (28 or less).
double MonthsLater(double dueTime, int months)
{
    const CalendarDate date = DecodeDate(dueTime);
    const int index = MonthIndex(date) + months;
    const int year = index >= 0 ? index / 12 : (index - 11) / 12; // rounded down, also before year 0
    return EncodeDate(year, index - year * 12 + 1, date.day) + TimePart(dueTime);
}

// The series' next occurrence that the loop would reach, jumping over those that all lie before
// the moment where that is exact, else one step.
double NextMonthlyStep(double dueTime, double moment)
{
    const CalendarDate date = DecodeDate(dueTime);
    if (date.day <= 28) {
        const int months = MonthIndex(DecodeDate(JumpBound(dueTime, moment))) - MonthIndex(date) - 1;
        if (months >= 1) {
            return MonthsLater(dueTime, months);
        }
    }
    return NextMonthDate(dueTime);
}

double NextYearlyStep(double dueTime, double moment)
{
    const CalendarDate date = DecodeDate(dueTime);
    if (date.month != 2 || date.day != 29) {
        const int years = DecodeDate(JumpBound(dueTime, moment)).year - date.year - 1;
        if (years >= 1) {
            return EncodeDate(date.year + years, date.month, date.day) + TimePart(dueTime);
        }
    }
    return AddOneYear(dueTime);
}

} // namespace

void TBWItem::AdvanceDueTime(double moment)
{
    switch (RepeatKind) {
    case RepeatDaily: {
        // A record without active weekdays is treated as active every day, so the loop ends.
        const bool anyDay = ActiveDayCount() > 0;
        if (DueTime < moment) {
            // Jump close to the moment at once; whole days added to the value are exact.
            const double whole = std::floor(moment - DueTime);
            if (whole > 1) {
                DueTime += whole - 1;
            }
        }
        while (DueTime < moment || (anyDay && !IsActiveOn(DayOfTheWeek(DueTime)))) {
            DueTime += 1;
        }
        break;
    }
    case RepeatWeekly: {
        // Every occurrence falls on the same weekday, so each comes the same days late.
        const int roll = DaysToActiveDay(*this, DueTime);
        const double weeks = std::floor((moment - DueTime) / 7);
        if (weeks > 1) {
            DueTime += (weeks - 1) * 7;
        }
        while (DueTime + roll < moment) {
            DueTime += 7;
        }
        break;
    }
    case RepeatMonthly:
        while (EffectiveDueTime() < moment) {
            DueTime = NextMonthlyStep(DueTime, moment);
        }
        break;
    case RepeatYearly:
        while (EffectiveDueTime() < moment) {
            DueTime = NextYearlyStep(DueTime, moment);
        }
        break;
    default:
        break;
    }
}

double TBWItem::EffectiveDueTime() const
{
    return DueTime + DaysToActiveDay(*this, DueTime);
}

bool TBWItem::TakeOccurrence(double now)
{
    const double comes = EffectiveDueTime();
    if (now < comes || LastDueTime == DueTime) {
        return false;
    }
    LastDueTime = DueTime;
    AdvanceDueTime(now);
    if (EffectiveDueTime() <= comes) {
        // Taken at the very moment it came: advancing to "now" stopped on the occurrence just
        // taken, and the series would stay there for good.
        AdvanceDueTime(std::nextafter(comes, std::numeric_limits<double>::infinity()));
    }
    return true;
}

bool TBWItem::CheckDue(double now)
{
    const double lastDelivered = LastDueTime;
    const bool activeToday = IsActiveOn(DayOfTheWeek(now));
    if (!TakeOccurrence(now)) {
        return false;
    }
    if (!activeToday && DueTime != LastDueTime) {
        // Passed over, not shown: the state mark must not claim a delivery. A message that does not
        // repeat keeps the mark of the taken occurrence, or it would come again.
        LastDueTime = lastDelivered;
    }
    return activeToday;
}

void TBWItem::Assign(const TBWItem& source)
{
    if (&source == this) {
        return;
    }
    Title = source.Title;
    Text = source.Text;
    Author = source.Author;
    Recipients = source.Recipients;
    DueTime = source.DueTime;
    LastDueTime = source.LastDueTime;
    Kind = source.Kind;
    Id = source.Id;
    RepeatKind = source.RepeatKind;
    DayFlags = source.DayFlags;
}

namespace {

void AppendField(std::string& text, std::string_view field)
{
    AppendCrLfToBr(text, field);
    text.append("\r\n");
}

void AppendNumber(std::string& text, std::int32_t value)
{
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, result.ptr);
    text.append("\r\n");
}

// The recipients line holds each name followed by "<br>" (any letter case); splitting it there
// gives the names that BrToCrLf and SplitLines would, and reuses the names' storage.
void ReadRecipients(TStringList& names, std::string_view line)
{
    std::size_t count = 0;
    const auto add = [&](std::string_view name) {
        if (count < names.size()) {
            names[count].assign(name);
        } else {
            names.emplace_back(name);
        }
        ++count;
    };
    std::size_t from = 0;
    for (std::size_t open = line.find('<'); open != std::string_view::npos; open = line.find('<', open + 1)) {
        if (open + 4 <= line.size() && SameText(line.substr(open, 4), "<br>")) {
            add(line.substr(from, open - from));
            from = open + 4;
            open += 3;
        }
    }
    if (from < line.size()) {
        add(line.substr(from));
    }
    names.resize(count);
}

} // namespace

void TBWItem::AppendLines(std::string& text) const
{
    // Convert first, so a date that cannot be stored fails before anything is written.
    const std::int32_t due = DateTimeToUnits(DueTime);
    const std::int32_t lastDue = DateTimeToUnits(LastDueTime);
    AppendField(text, Title);
    AppendField(text, Text);
    AppendField(text, Author);
    for (const std::string& name : Recipients) {
        AppendCrLfToBr(text, name);
        text.append("<br>");
    }
    text.append("\r\n");
    AppendNumber(text, due);
    AppendNumber(text, lastDue);
    AppendNumber(text, Kind);
    AppendNumber(text, Id);
    AppendNumber(text, RepeatKind);
    char flags[] = "2222222222\r\n";
    for (std::size_t i = 0; i < 8; ++i) {
        flags[i] = DayFlags[i] ? '1' : '0';
    }
    text.append(flags, 12);
}

void TBWItem::LoadFromLines(TLineReader& lines)
{
    AssignBrToCrLf(Title, lines.Next());
    AssignBrToCrLf(Text, lines.Next());
    AssignBrToCrLf(Author, lines.Next());
    ReadRecipients(Recipients, lines.Next());
    DueTime = UnitsToDateTime(StrToInt(lines.Next()));
    LastDueTime = UnitsToDateTime(StrToInt(lines.Next()));
    Kind = static_cast<std::uint8_t>(StrToInt(lines.Next()) & 0xFF);
    Id = StrToInt(lines.Next());
    RepeatKind = static_cast<std::uint8_t>(StrToInt(lines.Next()) & 0xFF);
    const std::string_view flags = lines.Next();
    DayFlags[0] = !flags.empty() && flags[0] == '1';
    for (std::size_t day = 1; day <= 7; ++day) {
        // A weekday is active unless its character says '0'; a short line leaves days active.
        DayFlags[day] = !(day < flags.size() && flags[day] == '0');
    }
    if (ActiveDayCount() == 0) {
        ActivateAllDays();
    }
}
