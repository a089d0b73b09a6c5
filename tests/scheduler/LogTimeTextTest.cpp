#include "LogTimeText.h"
#include "DateTime.h"

#include <gtest/gtest.h>

namespace {

TEST(LogTimeText, ShortDateAndLongTimeWithoutTheTimeAtMidnight)
{
    EXPECT_EQ(LogTimeText(EncodeDateTime(2026, 12, 8, 14, 5, 9)), QStringLiteral("12/8/26 2:05:09 PM"));
    EXPECT_EQ(LogTimeText(EncodeDate(2026, 12, 8)), QStringLiteral("12/8/26"));
}

TEST(LogTimeText, ConversionToQtAndBack)
{
    const double moment = EncodeDateTime(2026, 12, 8, 23, 59, 59) + 0.9999 / 86400;
    const QDateTime converted = ToQDateTime(moment);
    EXPECT_EQ(converted.date(), QDate(2026, 12, 9)); // rounds to the next midnight, not to 24:00
    EXPECT_EQ(converted.time(), QTime(0, 0));
    EXPECT_NEAR(FromQDateTime(ToQDateTime(EncodeDateTime(2028, 2, 29, 7, 30))), EncodeDateTime(2028, 2, 29, 7, 30),
                1e-9);
}

} // namespace
