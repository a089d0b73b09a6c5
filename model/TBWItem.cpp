#include "TBWItem.h"

#include "DateTime.h"

#include <cmath>

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
        const double weeks = std::floor((moment - DueTime) / 7);
        if (weeks > 1) {
            DueTime += (weeks - 1) * 7;
        }
        while (DueTime < moment) {
            DueTime += 7;
        }
        break;
    }
    case RepeatMonthly:
        while (DueTime < moment) {
            DueTime = NextMonthDate(DueTime);
        }
        break;
    case RepeatYearly:
        while (DueTime < moment) {
            DueTime = AddOneYear(DueTime);
        }
        break;
    default:
        break;
    }
}

bool TBWItem::CheckDue(double now)
{
    if (now < DueTime) {
        return false;
    }
    if (LastDueTime == DueTime) {
        return false;
    }
    const bool activeToday = IsActiveOn(DayOfTheWeek(now));
    LastDueTime = DueTime;
    AdvanceDueTime(now);
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

void TBWItem::SaveToLines(TStringList& lines) const
{
    std::string recipients;
    for (const std::string& name : Recipients) {
        recipients += name;
        recipients += "\r\n";
    }
    std::string flags = "2222222222";
    for (std::size_t i = 0; i < 8; ++i) {
        flags[i] = DayFlags[i] ? '1' : '0';
    }
    // Convert first, so a date that cannot be stored fails before anything is appended.
    const std::int32_t due = DateTimeToUnits(DueTime);
    const std::int32_t lastDue = DateTimeToUnits(LastDueTime);
    lines.push_back(CrLfToBr(Title));
    lines.push_back(CrLfToBr(Text));
    lines.push_back(CrLfToBr(Author));
    lines.push_back(CrLfToBr(recipients));
    lines.push_back(std::to_string(due));
    lines.push_back(std::to_string(lastDue));
    lines.push_back(std::to_string(Kind));
    lines.push_back(std::to_string(Id));
    lines.push_back(std::to_string(RepeatKind));
    lines.push_back(std::move(flags));
}

void TBWItem::LoadFromLines(const TStringList& lines, long long start)
{
    Title = BrToCrLf(LineAt(lines, start));
    Text = BrToCrLf(LineAt(lines, start + 1));
    Author = BrToCrLf(LineAt(lines, start + 2));
    Recipients.clear();
    SplitLines(BrToCrLf(LineAt(lines, start + 3)), Recipients);
    DueTime = UnitsToDateTime(StrToInt(LineAt(lines, start + 4)));
    LastDueTime = UnitsToDateTime(StrToInt(LineAt(lines, start + 5)));
    Kind = static_cast<std::uint8_t>(StrToInt(LineAt(lines, start + 6)) & 0xFF);
    Id = StrToInt(LineAt(lines, start + 7));
    RepeatKind = static_cast<std::uint8_t>(StrToInt(LineAt(lines, start + 8)) & 0xFF);
    const std::string& flags = LineAt(lines, start + 9);
    DayFlags[0] = !flags.empty() && flags[0] == '1';
    for (std::size_t day = 1; day <= 7; ++day) {
        // A weekday is active unless its character says '0'; a short line leaves days active.
        DayFlags[day] = !(day < flags.size() && flags[day] == '0');
    }
    if (ActiveDayCount() == 0) {
        ActivateAllDays();
    }
}
