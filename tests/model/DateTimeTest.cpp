#include "DateTime.h"
#include "BWError.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double Seconds(double dateTime)
{
    return TimePart(dateTime) * 86400.0;
}

TEST(DateTime, RoundingGoesToEven)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(2.4999), 2.0);
}

TEST(DateTime, EncodeDecodeAndWeekdays)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2026, 12, 7), 46363.0);
    const CalendarDate date = DecodeDate(EncodeDate(2028, 2, 29) + 0.75);
    EXPECT_EQ(date.year, 2028);
    EXPECT_EQ(date.month, 2);
    EXPECT_EQ(date.day, 29);
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2026, 12, 7)), 1); // a Monday
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2026, 12, 13) + 0.99), 7);
    EXPECT_EQ(DayOfTheWeek(0.0), 6);  // 1899-12-30 was a Saturday
    EXPECT_EQ(DayOfTheWeek(-1.5), 4); // before the epoch the weekday still follows the calendar
}

TEST(DateTime, NextMonthDateKeepsTimeAndClampsLateDays)
{
    const auto next = [](int y, int m, int d) { return DecodeDate(NextMonthDate(EncodeDateTime(y, m, d, 10, 0))); };
    EXPECT_EQ(next(2026, 1, 15).month, 2);
    EXPECT_EQ(next(2026, 1, 15).day, 15);
    EXPECT_EQ(next(2026, 1, 31).day, 28); // 31 + 28 days
    EXPECT_EQ(next(2026, 1, 30).day, 27);
    EXPECT_EQ(next(2026, 2, 28).month, 3);
    EXPECT_EQ(next(2026, 2, 28).day, 28);
    EXPECT_NEAR(TimePart(NextMonthDate(EncodeDateTime(2026, 1, 15, 10, 0))), 10.0 / 24, 1e-9);
}

TEST(DateTime, YearlyStepClampsLeapDay)
{
    const CalendarDate date = DecodeDate(AddOneYear(EncodeDateTime(2028, 2, 29, 8, 30)));
    EXPECT_EQ(date.year, 2029);
    EXPECT_EQ(date.month, 2);
    EXPECT_EQ(date.day, 28);
    EXPECT_NEAR(Seconds(AddOneYear(EncodeDateTime(2028, 2, 29, 8, 30))), 8.5 * 3600, 1e-3);
}

TEST(DateTime, StoredUnitsRoundToTenThousandthsOfADay)
{
    const double due = EncodeDateTime(2026, 12, 7, 10, 7, 0);
    const double back = UnitsToDateTime(DateTimeToUnits(due));
    EXPECT_NEAR(Seconds(back), 10 * 3600 + 6 * 60 + 57.6, 1e-3); // 10:07:00 -> 10:06:57.6
    EXPECT_EQ(DateTimeToUnits(46363.42156), 463634216);          // rounds to nearest
    EXPECT_EQ(DateTimeToUnits(0.00005), 0);                      // a tie goes to even
    EXPECT_EQ(DateTimeToUnits(-0.00004), 0);
}

TEST(DateTime, UnitsOutsideThirtyTwoBitsFailClearly)
{
    EXPECT_EQ(DateTimeToUnits(214748.3647), 2147483647);
    EXPECT_THROW((void)DateTimeToUnits(214748.3648), EBWError);
    EXPECT_THROW((void)DateTimeToUnits(-214748.3649), EBWError);
    EXPECT_THROW((void)DateTimeToUnits(std::nan("")), EBWError);
    try {
        (void)DateTimeToUnits(EncodeDate(2500, 1, 1));
        FAIL() << "no error";
    } catch (const EBWError& error) {
        EXPECT_NE(std::string(error.what()).find("cannot be stored"), std::string::npos) << error.what();
    }
}

// Every date and clock the user sees is made from this split.
TEST(DateTime, SplitIntoDayAndMillisecondRoundsAndRollsOverAtMidnight)
{
    const auto split = [](double dateTime) {
        const DayAndTime parts = SplitDateTime(dateTime);
        return std::pair(parts.Day, parts.Millisecond);
    };
    constexpr double Ms = 1.0 / 86400000.0;
    const double day = EncodeDate(2026, 12, 8);
    EXPECT_EQ(split(day + 1000.4 * Ms), std::pair(46364LL, 1000));
    EXPECT_EQ(split(day + 1000.6 * Ms), std::pair(46364LL, 1001));
    EXPECT_EQ(split(EncodeDateTime(2026, 12, 8, 23, 59, 59) + 900 * Ms), std::pair(46364LL, 86399900));
    EXPECT_EQ(split(day + 1 - 0.4 * Ms), std::pair(46365LL, 0)); // never 24:00
    // Days before 1899-12-30 count their time forward from their own midnight.
    EXPECT_EQ(split(-0.25), std::pair(-1LL, 18 * 3600000));
    EXPECT_EQ(split(-2.0), std::pair(-2LL, 0));
    EXPECT_EQ(split(-1e-10), std::pair(0LL, 0));

    // Every moment a list file can hold is a whole number of milliseconds (a unit is 8.64 s), and
    // comes back from its parts exactly.
    for (long long units = -2147483647; units <= 2147483647; units += 99991) {
        const double stored = UnitsToDateTime(static_cast<std::int32_t>(units));
        const DayAndTime parts = SplitDateTime(stored);
        const long long expectedUnits = parts.Day * 10000 + parts.Millisecond / 8640;
        ASSERT_EQ(parts.Millisecond % 8640, 0) << units;
        ASSERT_EQ(expectedUnits, units);
        ASSERT_EQ(DateTimeToUnits(JoinDateTime(parts.Day, parts.Millisecond)), units);
    }
}

} // namespace
