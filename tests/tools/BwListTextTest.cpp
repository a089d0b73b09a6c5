#include "Arguments.h"
#include "DateTime.h"
#include "DisplayText.h"
#include "TextTable.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(BwListText, DateTimeTextRoundsToTheSecond)
{
    EXPECT_EQ(DateTimeText(EncodeDateTime(2025, 3, 3, 9, 0)), "2025-03-03 09:00:00");
    EXPECT_EQ(DateTimeText(0.0), "1899-12-30 00:00:00");
    EXPECT_EQ(DateTimeText(-1.25), "1899-12-28 18:00:00");
    // A stored value has a resolution of 8.64 s: 09:15 is kept as 0.3854 day, 09:14:58.56.
    EXPECT_EQ(DateTimeText(UnitsToDateTime(458103854)), "2025-06-02 09:14:59");
    // Half a second before midnight rounds into the next day, and the date follows.
    EXPECT_EQ(DateTimeText(EncodeDate(2024, 12, 31) + 86399.6 / 86400.0), "2025-01-01 00:00:00");
    EXPECT_EQ(DateTimeText(EncodeDate(2024, 2, 28) + 86399.5 / 86400.0), "2024-02-29 00:00:00");
    EXPECT_EQ(DateTimeText(EncodeDate(2024, 2, 28) + 86399.4 / 86400.0), "2024-02-28 23:59:59");
}

TEST(BwListText, FieldTexts)
{
    std::array<bool, 8> flags{};
    EXPECT_EQ(WeekdaysText(flags), "-------");
    flags = {true, false, true, false, false, false, true, true};
    EXPECT_EQ(WeekdaysText(flags), "-T---SS");
    EXPECT_EQ(RepeatText(4), "Yearly");
    EXPECT_EQ(RepeatText(200), "(200)");
    EXPECT_EQ(KindText(2), "(2)");
    EXPECT_EQ(LocationKindText(2), "HTTP");
    EXPECT_EQ(LocationKindText(3), "SFTP");
    EXPECT_EQ(JoinNames({"a", "", "b"}), "a, , b");
}

TEST(BwListText, OneLineKeepsACellOnOneLine)
{
    EXPECT_EQ(OneLine("plain \xC3\xA9t\xC3\xA9"), "plain \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(OneLine("a\r\nb\rc\nd\te"), "a\\nb\\x0Dc\\x0Ad\\te");
    EXPECT_EQ(OneLine(std::string("x\0y\x7F", 4)), "x\\x00y\\x7F");
    EXPECT_EQ(OneLine("\r\n\r\n"), "\\n\\n");
}

TEST(BwListText, AbbreviateNeverCutsACharacter)
{
    EXPECT_EQ(DisplayWidth("\xC3\xA4\xC3\xB6\xE2\x82\xAC"), 3U);
    EXPECT_EQ(Abbreviate("short", 5), "short");
    EXPECT_EQ(Abbreviate("abcdefgh", 6), "abc...");
    // Cutting after two characters keeps both 2-byte sequences whole.
    EXPECT_EQ(Abbreviate("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4\xC3\xB6\xC3\xBC", 5), "\xC3\xA4\xC3\xB6...");
}

TEST(BwListText, TableAlignsColumnsByCharacters)
{
    TTextTable table({"Name", "Town", "Note"});
    table.SetMaxWidth(1, 6);
    table.AddRow({"J\xC3\xB6rg", "Z\xC3\xBCrich-Oerlikon", ""});
    table.AddRow({"Al", "Bern"});
    std::ostringstream out;
    table.Print(out);
    EXPECT_EQ(out.str(), "Name  Town    Note\n"
                         "J\xC3\xB6rg  Z\xC3\xBCr...\n"
                         "Al    Bern\n");
}

TEST(BwListText, ArgumentsInAnyOrder)
{
    std::string problem;
    auto parsed = ParseBwListArguments({"show", "-p", "pw", "list.dat"}, problem);
    ASSERT_TRUE(parsed.has_value()) << problem;
    EXPECT_EQ(parsed->Command, "show");
    EXPECT_EQ(parsed->FileName, "list.dat");
    EXPECT_EQ(parsed->Password, "pw");

    parsed = ParseBwListArguments({"lines", "list.dat"}, problem);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->Password, "58203");

    // A password may itself look like an option.
    parsed = ParseBwListArguments({"pack", "f", "-p", "-p"}, problem);
    ASSERT_TRUE(parsed.has_value()) << problem;
    EXPECT_EQ(parsed->Password, "-p");

    // -e keeps the password out of the process list.
    parsed = ParseBwListArguments({"show", "-e", "group.dat"}, problem, std::string("secret"));
    ASSERT_TRUE(parsed.has_value()) << problem;
    EXPECT_EQ(parsed->Password, "secret");
    EXPECT_FALSE(ParseBwListArguments({"show", "-e", "group.dat"}, problem).has_value());
    EXPECT_EQ(problem, "-e needs the environment variable BWLIST_PASSWORD");
    EXPECT_FALSE(ParseBwListArguments({"groups", "-e", "glist.dat"}, problem, std::string("x")).has_value());

    EXPECT_FALSE(ParseBwListArguments({"lines", "-x", "f"}, problem).has_value());
    EXPECT_EQ(problem, "unknown option \"-x\"");
    EXPECT_FALSE(ParseBwListArguments({"Lines", "f"}, problem).has_value());
}

} // namespace
