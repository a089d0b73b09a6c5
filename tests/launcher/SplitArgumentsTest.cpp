#include "SplitArguments.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using Words = std::vector<std::string>;

TEST(SplitArgumentsTest, LineOfBlanksAndEmptyQuotesHasNoWords)
{
    EXPECT_EQ(SplitArguments(""), Words{});
    EXPECT_EQ(SplitArguments(" \t\r\n\x01 "), Words{});
    EXPECT_EQ(SplitArguments(R"(  "" ""  "")"), Words{});
}

TEST(SplitArgumentsTest, EveryControlCodeAndBlankSeparatesWords)
{
    EXPECT_EQ(SplitArguments("Launchel.exe notes.txt  -x"), (Words{"Launchel.exe", "notes.txt", "-x"}));
    EXPECT_EQ(SplitArguments("a\tb\nc\x1f"
                             "d\x01"
                             "e"),
              (Words{"a", "b", "c", "d", "e"}));
}

TEST(SplitArgumentsTest, LeadingBlanksAndEmptyQuotePairsBeforeAWordAreSkipped)
{
    EXPECT_EQ(SplitArguments("   a"), Words{"a"});
    EXPECT_EQ(SplitArguments(R"("" a)"), Words{"a"});
    EXPECT_EQ(SplitArguments(R"(""a)"), Words{"a"});
    EXPECT_EQ(SplitArguments(R"(""""b)"), Words{"b"});
    EXPECT_EQ(SplitArguments(R"(a "" "" b)"), (Words{"a", "b"}));
}

TEST(SplitArgumentsTest, QuotedStretchKeepsItsBlanksAndLosesItsQuotes)
{
    EXPECT_EQ(SplitArguments(R"(Launchel.exe "C:\Program Files\Tool\tool.exe" "-a -b" c)"),
              (Words{"Launchel.exe", R"(C:\Program Files\Tool\tool.exe)", "-a -b", "c"}));
    EXPECT_EQ(SplitArguments(R"(a"b c"d e)"), (Words{"ab cd", "e"}));
    EXPECT_EQ(SplitArguments(R"(" ")"), Words{" "});
    // Inside a word an empty pair is just two dropped quotes, not a separator.
    EXPECT_EQ(SplitArguments(R"(a""b)"), Words{"ab"});
}

TEST(SplitArgumentsTest, UnclosedQuoteRunsToTheEndOfTheLine)
{
    EXPECT_EQ(SplitArguments(R"(x "a b  )"), (Words{"x", "a b  "}));
}

TEST(SplitArgumentsTest, BytesAboveAsciiAreTextNotBlanks)
{
    // 0xE9 and 0xA0 are letters and a no-break space in the Western code pages; as signed chars they are negative.
    EXPECT_EQ(SplitArguments("caf\xE9 \xA0x"), (Words{"caf\xE9", "\xA0x"}));
}

TEST(SplitArgumentsTest, LineEndsAtItsFirstNul)
{
    EXPECT_EQ(SplitArguments(std::string_view("a b\0c d", 7)), (Words{"a", "b"}));
    EXPECT_EQ(SplitArguments(std::string_view("\"a\0b\"", 5)), Words{"a"});
}

} // namespace
