#include "TBWItem.h"
#include "BWError.h"
#include "DateTime.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

// 2026-12-07 is a Monday.
constexpr int Monday = 7;

double At(int day, int hour, int minute, int second = 0)
{
    return EncodeDateTime(2026, 12, day, hour, minute, second);
}

TBWItem Daily(double due, std::initializer_list<int> weekdays)
{
    TBWItem item;
    item.RepeatKind = RepeatDaily;
    item.DueTime = due;
    for (const int day : weekdays) {
        item.DayFlags[static_cast<std::size_t>(day)] = true;
    }
    return item;
}

std::string ErrorText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EBWError& error) {
        return error.what();
    }
    return "no error";
}

TEST(TBWItem, DailyMessageTakesEachOccurrenceOnce)
{
    TBWItem item = Daily(At(Monday, 9, 0), {1, 3});
    EXPECT_TRUE(item.CheckDue(At(Monday, 9, 0, 3)));
    EXPECT_EQ(item.LastDueTime, At(Monday, 9, 0));
    EXPECT_EQ(item.DueTime, At(Monday + 2, 9, 0)); // Wednesday
    EXPECT_FALSE(item.CheckDue(At(Monday, 9, 0, 8)));
    EXPECT_EQ(item.DueTime, At(Monday + 2, 9, 0));
}

// An occurrence that falls on an inactive weekday comes at the same time on the next active one;
// until then nothing changes, and a merge's catch-up does not skip it.
TEST(TBWItem, AnOccurrenceOnAnInactiveDayComesOnTheNextActiveDay)
{
    const std::pair<std::uint8_t, double> cases[] = {// the repeat, and DueTime once the occurrence came
                                                     {RepeatNone, At(12, 10, 0)},
                                                     {RepeatDaily, At(15, 10, 0)},
                                                     {RepeatWeekly, At(19, 10, 0)},
                                                     {RepeatMonthly, EncodeDateTime(2027, 1, 12, 10, 0)},
                                                     {RepeatYearly, EncodeDateTime(2027, 12, 12, 10, 0)}};
    for (const auto& [repeat, nextDue] : cases) {
        SCOPED_TRACE(int{repeat});
        TBWItem item = Daily(At(12, 10, 0), {1, 2, 3, 4, 5}); // a Saturday
        item.RepeatKind = repeat;
        TBWItem merged = item;
        merged.AdvanceDueTime(At(13, 12, 0));
        EXPECT_EQ(merged.EffectiveDueTime(), At(14, 10, 0));
        EXPECT_FALSE(item.CheckDue(At(12, 10, 0, 5)) || item.CheckDue(At(14, 9, 59)));
        EXPECT_EQ(item.LastDueTime, 0.0);
        EXPECT_TRUE(item.CheckDue(At(14, 10, 0, 5)));
        EXPECT_EQ(item.DueTime, nextDue);
        EXPECT_FALSE(item.CheckDue(At(14, 10, 0, 10)));
    }
}

// Passed over on an inactive day (the program did not run on the active one), an occurrence is not
// marked as shown; one taken at its very moment moves the series on rather than stopping it there.
TEST(TBWItem, PassedOverAndExactlyTimedOccurrences)
{
    TBWItem daily = Daily(At(11, 9, 0), {1, 2, 3, 4, 5}); // a Friday
    EXPECT_FALSE(daily.CheckDue(At(12, 10, 0)));
    EXPECT_EQ(daily.LastDueTime, 0.0);
    EXPECT_TRUE(daily.CheckDue(At(14, 9, 0)));
    EXPECT_EQ(daily.DueTime, At(15, 9, 0));
    TBWItem once = Daily(At(11, 9, 0), {1, 2, 3, 4, 5});
    once.RepeatKind = RepeatNone;
    EXPECT_FALSE(once.CheckDue(At(12, 10, 0)));
    EXPECT_FALSE(once.CheckDue(At(14, 10, 0)));
}

TEST(TBWItem, OneTimeMessageFiresOnceHoweverLate)
{
    TBWItem item;
    item.ActivateAllDays();
    item.DueTime = At(1, 8, 0);
    EXPECT_FALSE(item.CheckDue(At(1, 7, 59)));
    EXPECT_TRUE(item.CheckDue(At(Monday, 12, 0)));
    EXPECT_EQ(item.DueTime, At(1, 8, 0));
    EXPECT_FALSE(item.CheckDue(At(Monday, 12, 1)));
    EXPECT_FALSE(item.CheckDue(At(20, 12, 1)));
}

TEST(TBWItem, AdvanceDueTimeByRepeatKind)
{
    TBWItem item = Daily(At(Monday, 9, 0), {1, 2, 3, 4, 5, 6, 7});
    item.AdvanceDueTime(At(Monday, 9, 0)); // equality stops
    EXPECT_EQ(item.DueTime, At(Monday, 9, 0));

    item = Daily(EncodeDateTime(2025, 1, 6, 9, 0), {5}); // a year back, Fridays only
    item.AdvanceDueTime(At(Monday, 10, 0));
    EXPECT_EQ(item.DueTime, At(11, 9, 0));

    TBWItem noDays = Daily(At(1, 9, 0), {}); // never valid, but must not loop forever
    noDays.AdvanceDueTime(At(Monday, 10, 0));
    EXPECT_EQ(noDays.DueTime, At(Monday + 1, 9, 0));

    TBWItem monthly;
    monthly.RepeatKind = RepeatMonthly;
    monthly.DueTime = EncodeDateTime(2026, 1, 31, 10, 0);
    monthly.AdvanceDueTime(EncodeDateTime(2026, 3, 1, 0, 0));
    EXPECT_EQ(monthly.DueTime, EncodeDateTime(2026, 3, 28, 10, 0)); // Jan 31 -> Feb 28 -> Mar 28

    TBWItem yearly;
    yearly.RepeatKind = RepeatYearly;
    yearly.DueTime = EncodeDateTime(2028, 2, 29, 7, 0);
    yearly.AdvanceDueTime(EncodeDateTime(2028, 3, 1, 0, 0));
    EXPECT_EQ(yearly.DueTime, EncodeDateTime(2029, 2, 28, 7, 0));

    TBWItem unknown;
    unknown.RepeatKind = 9;
    unknown.DueTime = At(1, 1, 0);
    unknown.AdvanceDueTime(At(Monday, 1, 0));
    EXPECT_EQ(unknown.DueTime, At(1, 1, 0));
}

// The monthly and yearly rules as the loop applied them, one occurrence at a time.
double SteppedDueTime(std::uint8_t repeat, double due, double moment)
{
    while (due < moment) {
        due = repeat == RepeatMonthly ? NextMonthDate(due) : AddOneYear(due);
    }
    return due;
}

// Catching up gives bit for bit the moments that stepping gave, from any era, across the binades
// where a sum of days loses bits of the time of day, and from the ends of months.
TEST(TBWItem, CatchingUpGivesTheSteppedMoments)
{
    const double starts[] = {
        EncodeDateTime(-5, 3, 10, 8, 0),            // before year 0: no file holds it, but memory may
        UnitsToDateTime(-2147483000),               // 1312
        EncodeDateTime(1600, 2, 29, 23, 59, 59),    // a leap day
        EncodeDateTime(1899, 12, 31, 0, 0, 1),      // day 1: a binade every few steps
        UnitsToDateTime(180001234),                 // 1949, below the 32768th day
        EncodeDateTime(1989, 8, 31, 13, 37) + 1e-9, // just below that day, from a month's end
        EncodeDateTime(2026, 1, 30, 7, 0),
    };
    const double moments[] = {EncodeDateTime(-1, 6, 1, 0, 0), At(Monday, 9, 0),
                              EncodeDateTime(2090, 1, 1, 0, 0)}; // 2090: past day 65536
    for (const std::uint8_t repeat : {RepeatMonthly, RepeatYearly}) {
        for (const double start : starts) {
            for (const double moment : moments) {
                TBWItem item = Daily(start, {1, 2, 3, 4, 5, 6, 7});
                item.RepeatKind = repeat;
                item.AdvanceDueTime(moment);
                EXPECT_EQ(item.DueTime, SteppedDueTime(repeat, start, moment)) << int{repeat} << " " << start;
            }
        }
    }
}

// A group file full of monthly reminders from the year 1312 is merged every minute, and each merge
// catches every one of them up by some 8 500 months: stepping took seconds.
TEST(TBWItem, CatchingUpTakesNoLongerForOldMoments)
{
    TBWItem item;
    item.RepeatKind = RepeatMonthly;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20000; ++i) {
        item.DueTime = UnitsToDateTime(-2147483000);
        item.AdvanceDueTime(At(Monday, 9, 0));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

TEST(TBWItem, GenerateIdFollowsTheDigitLayout)
{
    TBWItem item;
    item.Title = "abc";       // 2 * 3
    item.Author = "Ann";      // 3 * 3
    item.Text = "hello";      // 5 -> L = 20
    item.GenerateId(46363.5); // both halves are ties: the day rounds to 46364, 49999.5 to 50000
    EXPECT_EQ(item.Id, 20 * 10000000 + 64 * 100000 + 50000);
    item.GenerateId(46363.25);
    EXPECT_EQ(item.Id, 20 * 10000000 + 63 * 100000 + 25000);
    item.Text = std::string(80, 'x'); // L = (6 + 9 + 80) mod 100 = 95
    item.GenerateId(46363.999999);    // rounds to the next day, 64; T = 99999
    EXPECT_EQ(item.Id, 95 * 10000000 + 64 * 100000 + 99999);
}

TEST(TBWItem, LinesRoundTrip)
{
    TBWItem item = Daily(At(Monday, 10, 7), {1, 5});
    item.Title = "Stand<BR>up";
    item.Text = "line one\r\nline two";
    item.Author = "Ann";
    item.Recipients = {"Sales", "Support"};
    item.LastDueTime = At(1, 10, 7);
    item.Kind = KindExecuteFiles;
    item.Id = -42;
    item.DayFlags[0] = true;

    std::string text = "before\r\n";
    item.AppendLines(text);
    TStringList lines;
    SplitLines(text, lines);
    ASSERT_EQ(lines.size(), 11U);
    EXPECT_EQ(lines[2], "line one<br>line two");
    EXPECT_EQ(lines[4], "Sales<br>Support<br>");
    EXPECT_EQ(lines[8], "-42");
    EXPECT_EQ(lines[10], "1100010022");

    TLineReader reader(text);
    reader.Next();
    TBWItem back;
    back.LoadFromLines(reader);
    EXPECT_EQ(back.Title, "Stand\r\nup"); // "<br>" in any letter case is a line break
    EXPECT_EQ(back.Text, item.Text);
    EXPECT_EQ(back.Recipients, item.Recipients);
    EXPECT_EQ(back.Kind, KindExecuteFiles);
    EXPECT_EQ(back.Id, -42);
    EXPECT_EQ(back.RepeatKind, RepeatDaily);
    EXPECT_EQ(back.DayFlags, item.DayFlags);
    EXPECT_NEAR((back.DueTime - item.DueTime) * 86400, -2.4, 1e-3); // 10:07 is stored as 10:06:57.6
}

TEST(TBWItem, FlagLineRules)
{
    const auto load = [](const std::string& flags, const std::string& kind = "0") {
        const std::string text = "t\nx\na\n\n0\n0\n" + kind + "\n1\n0\n" + flags + "\n";
        TLineReader lines(text);
        TBWItem item;
        item.LoadFromLines(lines);
        return item;
    };
    TBWItem none = load("0000000022");
    EXPECT_EQ(none.ActiveDayCount(), 7);
    EXPECT_FALSE(none.DayFlags[0]);
    TBWItem all = load("1222222222");
    EXPECT_EQ(all.ActiveDayCount(), 7);
    EXPECT_TRUE(all.DayFlags[0]);
    TBWItem shortLine = load("000");
    EXPECT_FALSE(shortLine.DayFlags[1]);
    EXPECT_FALSE(shortLine.DayFlags[2]);
    EXPECT_TRUE(shortLine.DayFlags[3]);
    EXPECT_EQ(load("", "256").Kind, 0);
    EXPECT_EQ(load("", "257").Kind, 1);
}

TEST(TBWItem, ReadFailuresCarryTheirTexts)
{
    TBWItem item;
    const auto load = [&item](const std::string& due, int skipped = 0) {
        const std::string text = "t\r\nx\r\na\r\n\r\n" + due + "\r\n0\r\n0\r\n1\r\n0\r\n0111111122\r\n";
        return ErrorText([&] {
            TLineReader lines(text);
            for (int i = 0; i < skipped; ++i) {
                lines.Next();
            }
            item.LoadFromLines(lines);
        });
    };
    EXPECT_EQ(load("12x"), "'12x' is not a valid integer value");
    EXPECT_EQ(item.Title, "t"); // fields read before the failure keep their values
    EXPECT_EQ(load("99999999999"), "'99999999999' is not a valid integer value");
    EXPECT_EQ(load(""), "'' is not a valid integer value");
    EXPECT_EQ(load("0", 3), "List index out of bounds (10)");
}

TEST(TBWItem, SavingAnUnstorableDateAppendsNothing)
{
    TBWItem item;
    item.DueTime = EncodeDate(2600, 1, 1);
    std::string text;
    EXPECT_THROW(item.AppendLines(text), EBWError);
    EXPECT_TRUE(text.empty());
}

TEST(TBWItem, AssignCopiesEverything)
{
    TBWItem source = Daily(At(Monday, 9, 0), {2});
    source.Title = "T";
    source.Recipients = {"A"};
    source.Id = 7;
    source.LastDueTime = 3.5;
    TBWItem copy;
    copy.Recipients = {"old", "names"};
    copy.Assign(source);
    EXPECT_EQ(copy.Recipients, source.Recipients);
    EXPECT_EQ(copy.Id, 7);
    EXPECT_EQ(copy.LastDueTime, 3.5);
    EXPECT_EQ(copy.DayFlags, source.DayFlags);
    copy.Assign(copy);
    EXPECT_EQ(copy.Title, "T");
}

} // namespace
