#include "LogTimeText.h"
#include "DateTime.h"

#include <gtest/gtest.h>

namespace {

TEST(LogTimeText, ShortDateAndLongTimeWithoutTheTimeAtMidnight)
{
    EXPECT_EQ(LogTimeText(EncodeDateTime(2026, 12, 8, 14, 5, 9)), QStringLiteral("12/8/26 2:05:09 PM"));
    EXPECT_EQ(LogTimeText(EncodeDate(2026, 12, 8)), QStringLiteral("12/8/26"));
    // A moment a hair before midnight is the next day's midnight, never 24:00.
    EXPECT_EQ(LogTimeText(EncodeDateTime(2026, 12, 8, 23, 59, 59) + 0.9999 / 86400), QStringLiteral("12/9/26"));
}

} // namespace
