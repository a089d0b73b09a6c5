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

} // namespace
