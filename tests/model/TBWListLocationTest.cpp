#include "TBWListLocation.h"
#include "BWError.h"

#include <gtest/gtest.h>

namespace {

TEST(TBWListLocation, LocationKindFromTheStartOfTheText)
{
    const auto kind = [](const std::string& location) {
        TBWListLocation group;
        group.Location = location;
        group.DetectLocationKind();
        return group.LocationKind;
    };
    EXPECT_EQ(kind("ftp://host/a/list.dat"), LocationFtp);
    EXPECT_EQ(kind("https://host/list.dat"), LocationHttp);
    EXPECT_EQ(kind("http://host/list.dat"), LocationHttp);
    EXPECT_EQ(kind("FTP://host/list.dat"), LocationFile);
    EXPECT_EQ(kind("/srv/share/list.dat"), LocationFile);
    EXPECT_EQ(kind("\\\\server\\share\\list.dat"), LocationFile);
}

TEST(TBWListLocation, ScrambleTextReversesAndShifts)
{
    EXPECT_EQ(ScrambleText("abc", 3), "fed");
    EXPECT_EQ(ScrambleText("fed", -3), "abc");
    EXPECT_EQ(ScrambleText("012", 3), "543");
    EXPECT_EQ(ScrambleText("543", -3), "012");
    EXPECT_EQ(ScrambleText("a -b", 3), "e- d");
    EXPECT_EQ(ScrambleText("", 5), "");
    // Bytes near the top wrap below '0' and are then left as they are.
    EXPECT_EQ(ScrambleText("\xFE", 3), "\xFE");
    const std::string password = "S3cret pw!~";
    EXPECT_EQ(ScrambleText(ScrambleText(password, 5), -5), password);
}

TEST(TBWListLocation, SevenLinesRoundTrip)
{
    TBWListLocation group;
    group.Name = "Sales";
    group.Location = "ftp://files.example/shared/sales.dat";
    group.Password = "abc";
    group.LocationKind = LocationFtp;
    group.Enabled = false;
    group.FtpUser = "ann";
    group.FtpPassword = "";
    TStringList lines;
    group.SaveToLines(lines);
    ASSERT_EQ(lines.size(), 7U);
    EXPECT_EQ(lines[2], "fed");
    EXPECT_EQ(lines[3], "1");
    EXPECT_EQ(lines[4], "0222222222");
    EXPECT_EQ(lines[6], "");

    group.Enabled = true;
    lines.clear();
    group.SaveToLines(lines);
    EXPECT_EQ(lines[4], "1222222222");
    TBWListLocation back;
    back.LoadFromLines(lines, 0);
    EXPECT_EQ(back.Name, "Sales");
    EXPECT_EQ(back.Password, "abc");
    EXPECT_EQ(back.LocationKind, LocationFtp);
    EXPECT_TRUE(back.Enabled);
    EXPECT_EQ(back.FtpUser, "ann");

    TBWListLocation copy;
    copy.Assign(back);
    EXPECT_EQ(copy.FtpUser, back.FtpUser);
    EXPECT_EQ(copy.FtpPassword, back.FtpPassword);
}

TEST(TBWListLocation, ReadFailures)
{
    TStringList lines{"n", "l", "p", "x1", "1", "u", "f"};
    TBWListLocation group;
    try {
        group.LoadFromLines(lines, 0);
        FAIL();
    } catch (const EBWError& error) {
        EXPECT_STREQ(error.what(), "'x1' is not a valid integer value");
    }
    lines[3] = "258";
    group.LoadFromLines(lines, 0);
    EXPECT_EQ(group.LocationKind, 2);
    EXPECT_THROW(group.LoadFromLines(lines, 1), EBWError);
}

} // namespace
