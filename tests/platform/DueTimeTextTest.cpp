// The due column's text: the time alone today, the date and weekday on any other day.
#include "DueTimeText.h"
#include "DateTime.h"
#include "DayNumbers.h"
#include "SystemClock.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

const QLocale American(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);

} // namespace

TEST(DueTimeText, TodayShowsTheTimeOtherDaysTheDateAndWeekday)
{
    const double now = EncodeDateTime(2024, 3, 14, 12, 0);
    EXPECT_EQ(DueTimeText(EncodeDateTime(2024, 3, 14, 7, 5), now, American), QStringLiteral("07:05"));
    EXPECT_EQ(DueTimeText(EncodeDateTime(2024, 3, 14, 23, 59, 50), now, American), QStringLiteral("23:59"));
    EXPECT_EQ(DueTimeText(EncodeDateTime(2024, 3, 15, 7, 5), now, American), QStringLiteral("3/15/24 Fri 07:05"));
    EXPECT_EQ(DueTimeText(EncodeDateTime(2024, 3, 13, 14, 5), now, German), QStringLiteral("13.03.24 Mi. 14:05"));
    EXPECT_EQ(DueTimeText(EncodeDateTime(2024, 3, 14, 0, 0), now, American), QStringLiteral("00:00"));
}

TEST(DueTimeText, AMomentReadFromAListFileShowsTheMinuteItWasSetTo)
{
    const double now = EncodeDateTime(2024, 3, 14, 8, 0);
    // The file keeps 1/10000 day: 09:30 is stored as 09:29:57.
    const double stored = UnitsToDateTime(DateTimeToUnits(EncodeDateTime(2024, 3, 14, 9, 30)));
    ASSERT_LT(stored, EncodeDateTime(2024, 3, 14, 9, 30));
    EXPECT_EQ(DueTimeText(stored, now, American), QStringLiteral("09:30"));
    // A moment well into its minute keeps that minute, as a clock shows it.
    EXPECT_EQ(DueTimeText(EncodeDateTime(2024, 3, 14, 14, 5, 40), now, American), QStringLiteral("14:05"));
    EXPECT_EQ(DueTimeText(EncodeDateTime(2024, 3, 14, 14, 5, 50), now, American), QStringLiteral("14:05"));
    const double lateInTheDay = UnitsToDateTime(DateTimeToUnits(EncodeDateTime(2024, 3, 15, 0, 0))) - 1e-9;
    EXPECT_EQ(DueTimeText(lateInTheDay, now, American), QStringLiteral("3/15/24 Fri 00:00"));
}

TEST(SystemClock, DaysAndDateTimesConvertBothWays)
{
    const QDateTime moment(QDate(2024, 2, 29), QTime(18, 30, 15, 250));
    const double days = ToDays(moment);
    EXPECT_DOUBLE_EQ(days, EncodeDateTime(2024, 2, 29, 18, 30, 15) + 0.25 / 86400.0);
    EXPECT_EQ(FromDays(days), moment);
    EXPECT_EQ(FromDays(0.0), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    // A moment a hair before midnight is shown as the next day's midnight, never as 24:00.
    EXPECT_EQ(FromDays(EncodeDate(2024, 3, 1) - 1e-10), QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
    EXPECT_EQ(DateOfDays(EncodeDate(2024, 3, 1) - 1e-10), QDate(2024, 3, 1));
    EXPECT_EQ(TimeOfDays(EncodeDate(2024, 3, 1) - 1e-10), QTime(0, 0));

    const double before = ToDays(QDateTime::currentDateTime());
    const double now = SystemClock().Now();
    EXPECT_GE(now, before);
    EXPECT_LT(now - before, 5.0 / 86400.0);
}
