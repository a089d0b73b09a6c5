#include "BWError.h"
#include "CommandLine.h"
#include "Log.h"
#include "TempFolder.h"
#include "TextUtil.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(SplitCommandLine, ProgramAndParameters)
{
    const auto split = [](const std::string& line) { return SplitCommandLine(line); };
    EXPECT_TRUE(split("notepad").Success);
    EXPECT_EQ(split("notepad").Program, "notepad");
    EXPECT_EQ(split("notepad").Parameters, "");
    EXPECT_EQ(split("notepad c:\\a.txt").Parameters, "c:\\a.txt");
    EXPECT_EQ(split("\"C:\\Program Files\\x.exe\" -x").Program, "C:\\Program Files\\x.exe");
    EXPECT_EQ(split("\"C:\\Program Files\\x.exe\" -x").Parameters, "-x");
    EXPECT_EQ(split("\"/opt/my app/run\"").Program, "/opt/my app/run");
    EXPECT_FALSE(split("\"C:\\Program Files\\x.exe -x").Success);
    EXPECT_TRUE(split("\" rest").Success);
    EXPECT_EQ(split("\" rest").Program, "");
    EXPECT_EQ(split("\" rest").Parameters, "rest");
    EXPECT_TRUE(split("").Success);
    EXPECT_EQ(split("").Program, "");
    EXPECT_EQ(split("a  b c").Parameters, " b c");
}

TEST(WriteLog, AppendsLinesAndReportsFailures)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "Logs");
    WriteLog(folder.Path(), "first || line", "messages");
    WriteLog(folder.Path(), "second", "messages");
    EXPECT_EQ(ReadBytes(folder / "Logs" / "messages.log"), "first || line\r\nsecond\r\n");

    try {
        WriteLog(folder / "missing", "x", "messages");
        FAIL();
    } catch (const EBWError& error) {
        EXPECT_STREQ(error.what(), "File not found");
    }
    if (::geteuid() != 0) { // root may write anywhere
        ::chmod((folder / "Logs").c_str(), 0500);
        try {
            WriteLog(folder.Path(), "x", "other");
            ADD_FAILURE();
        } catch (const EBWError& error) {
            EXPECT_STREQ(error.what(), "File access denied");
        }
        ::chmod((folder / "Logs").c_str(), 0700);
    }
}

// A line of a file may be as long as the file; what a message or the log quotes of it is not.
TEST(QuotedText, IsCutWhereACharacterBeginsAndStaysOneLine)
{
    try {
        (void)StrToInt(std::string(std::size_t{1} << 20, '7') + "x");
        FAIL();
    } catch (const EBWError& error) {
        EXPECT_LT(std::string_view(error.what()).size(), 128U);
        EXPECT_EQ(std::string_view(error.what()).substr(0, 4), "'777");
    }
    EXPECT_EQ(CutText("h\xC3\xA9llo", 2), "h...") << "the two bytes of the e-acute stay together";
    EXPECT_EQ(CutText("short", 5), "short");
    const std::string field = LogField("Mallory\r\n" + std::string(100000, 'x'));
    EXPECT_EQ(field.find_first_of("\r\n"), std::string::npos);
    EXPECT_LE(field.size(), LogFieldLength + 3);
}

} // namespace
