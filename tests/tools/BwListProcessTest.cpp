#include "ChildProcess.h"
#include "TestFiles.h"

#include "Container.h"
#include "DateTime.h"
#include "GroupList.h"
#include "ItemList.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <set>

namespace {

const std::filesystem::path BwList = BW_BWLIST_PATH;
const std::filesystem::path DataDir = BW_TEST_DATA_DIR;

class BwListTest : public ::testing::Test
{
protected:
    TProcessRun Run(const std::vector<std::string>& arguments, const std::string& input = {}) const
    {
        return RunTool(BwList, arguments, input, m_folder.Path());
    }
    [[nodiscard]] std::string File(const std::string& name) const { return (m_folder / name).string(); }

    static void ExpectUsageError(const TProcessRun& run)
    {
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err.rfind("bwlist: ", 0), 0U) << run.Err;
        EXPECT_NE(run.Err.find("usage: bwlist"), std::string::npos) << run.Err;
    }

    TempFolder m_folder;
};

TEST_F(BwListTest, PackedLinesComeBackUnchanged)
{
    const std::string input = "1\n\n  spaced  \n\xC3\xA4rger <br> tag\nlast\n";
    const TProcessRun pack = Run({"pack", File("a.dat")}, input);
    ASSERT_EQ(pack.ExitCode, 0) << pack.Err;
    EXPECT_EQ(pack.Out + pack.Err, "");

    const TProcessRun lines = Run({"lines", File("a.dat")});
    EXPECT_EQ(lines.ExitCode, 0) << lines.Err;
    EXPECT_EQ(lines.Out, input);
    EXPECT_EQ(lines.Err, "");

    // What the tool writes is what the program reads: the personal list's password by default.
    TStringList read;
    EXPECT_FALSE(LoadLinesEncrypted(read, File("a.dat"), PersonalListPassword));
    EXPECT_EQ(read, (TStringList{"1", "", "  spaced  ", "\xC3\xA4rger <br> tag", "last"}));
}

TEST_F(BwListTest, CrLfAndLfInputMakeTheSameFile)
{
    ASSERT_EQ(Run({"pack", File("lf.dat")}, "alpha\nbeta\n\ngamma\n").ExitCode, 0);
    ASSERT_EQ(Run({"pack", File("crlf.dat")}, "alpha\r\nbeta\r\n\r\ngamma\r\n").ExitCode, 0);
    ASSERT_EQ(Run({"pack", File("mixed.dat")}, "alpha\r\nbeta\n\r\ngamma").ExitCode, 0);
    const std::string lf = ReadBytes(File("lf.dat"));
    EXPECT_EQ(ReadBytes(File("crlf.dat")), lf);
    EXPECT_EQ(ReadBytes(File("mixed.dat")), lf);
    EXPECT_EQ(Run({"lines", File("crlf.dat")}).Out, "alpha\nbeta\n\ngamma\n");
}

TEST_F(BwListTest, EmptyInputMakesAnEmptyContainer)
{
    ASSERT_EQ(Run({"pack", File("empty.dat")}, "").ExitCode, 0);
    EXPECT_EQ(ReadBytes(File("empty.dat")).size(), 20U);
    const TProcessRun lines = Run({"lines", File("empty.dat")});
    EXPECT_EQ(lines.ExitCode, 0);
    EXPECT_EQ(lines.Out, "");
}

TEST_F(BwListTest, PasswordOptionAndCheckFailure)
{
    ASSERT_EQ(Run({"pack", "-p", "Ab-9 x", File("p.dat")}, "one\ntwo\nthree\n").ExitCode, 0);
    const TProcessRun right = Run({"lines", File("p.dat"), "-p", "Ab-9 x"});
    EXPECT_EQ(right.ExitCode, 0);
    EXPECT_EQ(right.Out, "one\ntwo\nthree\n");

    // The default password does not open it: the check fails, and what was deciphered is still shown.
    const TProcessRun wrong = Run({"lines", File("p.dat")});
    EXPECT_EQ(wrong.ExitCode, 1);
    EXPECT_NE(wrong.Out, right.Out);
    EXPECT_FALSE(wrong.Out.empty());

    ASSERT_EQ(Run({"pack", File("e.dat"), "-p", ""}, "x\n").ExitCode, 0);
    EXPECT_EQ(Run({"lines", File("e.dat"), "-p", ""}).ExitCode, 0);
    EXPECT_EQ(Run({"lines", File("e.dat")}).ExitCode, 1);
}

TEST_F(BwListTest, BrokenFilesAreErrors)
{
    const TProcessRun missing = Run({"lines", File("none.dat")});
    EXPECT_EQ(missing.ExitCode, 2);
    EXPECT_NE(missing.Err.find("Cannot open file"), std::string::npos) << missing.Err;

    WriteBytes(File("short.dat"), "abc");
    const TProcessRun tooShort = Run({"lines", File("short.dat")});
    EXPECT_EQ(tooShort.ExitCode, 2);
    EXPECT_EQ(tooShort.Err, "bwlist: Stream read error\n");

    WriteBytes(File("odd.dat"), std::string(4 + 15, '\x01'));
    const TProcessRun odd = Run({"show", File("odd.dat")});
    EXPECT_EQ(odd.ExitCode, 2);
    EXPECT_EQ(odd.Err, "bwlist: Invalid buffer size for decryption\n");
    EXPECT_EQ(odd.Out, "");

    EXPECT_EQ(Run({"show", File("none.dat")}).ExitCode, 2);
    EXPECT_EQ(Run({"groups", File("none.dat")}).ExitCode, 2);
    EXPECT_EQ(Run({"pack", (m_folder / "no-such-folder" / "x.dat").string()}, "a\n").ExitCode, 2);
}

TEST_F(BwListTest, PackRefusesLinesAListFileCannotKeep)
{
    const TProcessRun lone = Run({"pack", File("cr.dat")}, "fine\nhalf\rline\n");
    EXPECT_EQ(lone.ExitCode, 2);
    EXPECT_NE(lone.Err.find("Line 2"), std::string::npos) << lone.Err;
    EXPECT_FALSE(std::filesystem::exists(File("cr.dat")));

    EXPECT_EQ(Run({"pack", File("nul.dat")}, std::string("a\0b\n", 4)).ExitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(File("nul.dat")));
}

TEST_F(BwListTest, SendAndRemoveChangeAGroupFile)
{
    WriteBytes(File("pw"), "team pw\n");
    const std::vector<std::string> where = {"--location", File("g.dat"), "--password-file", File("pw")};
    std::vector<std::string> send = {"send",   "--title", "Standup",  "--at",   "2026-12-08 09:30", "--text", "a\nb",
                                     "--from", "Ann",     "--repeat", "weekly", "--days",           "Mon,Fri"};
    send.insert(send.end(), where.begin(), where.end());
    const TProcessRun sent = Run(send);
    ASSERT_EQ(sent.ExitCode, 0) << sent.Err;
    const std::int32_t id = std::stoi(sent.Out);

    TBWItemList items;
    ASSERT_EQ(LoadItemList(items, File("g.dat"), "team pw"), LoadOk);
    ASSERT_EQ(items.size(), 1U);
    EXPECT_EQ(items[0]->Id, id);
    EXPECT_EQ(items[0]->Title, "Standup");
    EXPECT_EQ(items[0]->Text, "a\r\nb");
    EXPECT_EQ(items[0]->Author, "Ann");
    EXPECT_EQ(items[0]->DueTime, UnitsToDateTime(DateTimeToUnits(EncodeDateTime(2026, 12, 8, 9, 30))));
    EXPECT_EQ(items[0]->RepeatKind, RepeatWeekly);
    EXPECT_EQ(items[0]->DayFlags, (std::array<bool, 8>{false, true, false, false, false, true, false, false}));

    // Another password neither reads nor changes the file.
    const std::string bytes = ReadBytes(File("g.dat"));
    WriteBytes(File("wrong"), "typo\n");
    std::vector<std::string> wrong = {"remove",          "--id",       std::to_string(id), "--location", File("g.dat"),
                                      "--password-file", File("wrong")};
    EXPECT_EQ(Run(wrong).ExitCode, 1);
    EXPECT_EQ(ReadBytes(File("g.dat")), bytes);

    std::vector<std::string> remove = {"remove", "--id", std::to_string(id)};
    remove.insert(remove.end(), where.begin(), where.end());
    EXPECT_EQ(Run(remove).ExitCode, 0);
    ASSERT_EQ(LoadItemList(items, File("g.dat"), "team pw"), LoadOk);
    EXPECT_TRUE(items.empty());
    const TProcessRun again = Run(remove);
    EXPECT_EQ(again.ExitCode, 0);
    EXPECT_NE(again.Err.find("no reminder with Id"), std::string::npos) << again.Err;

    // No password, or a web address: nothing is sent.
    const TProcessRun noPassword =
        Run({"send", "--location", File("g.dat"), "--title", "x", "--at", "2026-12-08 09:30"});
    EXPECT_EQ(noPassword.ExitCode, 2);
    EXPECT_NE(noPassword.Err.find("BWLIST_PASSWORD"), std::string::npos) << noPassword.Err;
    EXPECT_EQ(
        Run({"remove", "--location", "http://127.0.0.1:9/g.dat", "--id", "1", "--password-file", File("pw")}).ExitCode,
        2);
}

TEST_F(BwListTest, UsageErrors)
{
    ExpectUsageError(Run({}));
    ExpectUsageError(Run({"frobnicate", File("x")}));
    ExpectUsageError(Run({"lines"}));
    ExpectUsageError(Run({"lines", File("x"), "-p"}));
    ExpectUsageError(Run({"lines", File("x"), File("y")}));
    ExpectUsageError(Run({"show", File("x"), "--verbose"}));
    ExpectUsageError(Run({"groups", File("x"), "-p", "secret"}));
    ExpectUsageError(Run({"import", File("x")}));
    ExpectUsageError(Run({"export", File("x"), File("y.ics"), File("z.ics")}));

    ExpectUsageError(Run({"send", "--location", File("g.dat"), "--title", "No time"}));
    ExpectUsageError(Run({"send", "--location", File("g.dat"), "--title", "x", "--at", "2026-02-30 09:00"}));
    ExpectUsageError(
        Run({"send", "--location", File("g.dat"), "--title", "x", "--at", "2026-02-03 09:00", "--repeat", "hourly"}));
    ExpectUsageError(Run({"remove", "--location", File("g.dat"), "--id", "12", "--title", "x"}));

    const TProcessRun help = Run({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_NE(help.Out.find("usage: bwlist"), std::string::npos);
}

// Import names each entry it leaves out and adds the rest with Ids of their own; what export writes
// imports again as the same reminders; a list that does not open is left alone.
TEST_F(BwListTest, ImportAndExportCalendars)
{
    const std::string todos = (DataDir / "calendar" / "todos.ics").string();
    const TProcessRun imported = Run({"import", File("cal.dat"), todos, "-p", "pw"});
    EXPECT_EQ(imported.ExitCode, 4) << imported.Err;
    // The tests run in UTC, whose clock keeps no summer time as the sample's Berlin does.
    EXPECT_EQ(imported.Out, "not imported: to-do \"Water the plants\" 2027-01-06 19:00: repeats in the time zone "
                            "\"Europe/Berlin\", whose clock changes are not this computer's, so its local time "
                            "would move\n"
                            "not imported: to-do \"Order new glasses\" 2026-11-01 10:00: is completed\n"
                            "not imported: to-do \"Learn the cello\": has no due date or start\n");
    const TProcessRun exported = Run({"export", File("cal.dat"), File("out.ics"), "-p", "pw"});
    EXPECT_EQ(exported.ExitCode, 0) << exported.Err;
    EXPECT_EQ(exported.Out, "");
    const TProcessRun again = Run({"import", File("cal.dat"), File("out.ics"), "-p", "pw"});
    EXPECT_EQ(again.ExitCode, 0) << again.Err;

    TBWItemList list;
    ASSERT_EQ(LoadItemList(list, File("cal.dat"), "pw"), LoadOk);
    ASSERT_EQ(list.size(), 4U);
    std::set<std::int32_t> ids;
    for (std::size_t i = 0; i < 2; ++i) {
        const TBWItem& first = *list[i];
        const TBWItem& second = *list[i + 2];
        EXPECT_EQ(second.Title, first.Title);
        EXPECT_EQ(DateTimeToUnits(second.DueTime), DateTimeToUnits(first.DueTime)) << first.Title;
        EXPECT_EQ(second.RepeatKind, first.RepeatKind);
        EXPECT_EQ(second.DayFlags, first.DayFlags);
        ids.insert({first.Id, second.Id});
    }
    EXPECT_EQ(ids.size(), 4U);
    EXPECT_EQ(list[1]->Title, "File the tax return");

    const std::string before = ReadBytes(File("cal.dat"));
    const TProcessRun wrong = Run({"import", File("cal.dat"), todos, "-p", "other"});
    EXPECT_EQ(wrong.ExitCode, 1);
    EXPECT_EQ(ReadBytes(File("cal.dat")), before);
    EXPECT_EQ(Run({"export", File("cal.dat"), File("no.ics")}).ExitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(File("no.ics")));
    EXPECT_EQ(Run({"import", File("cal.dat"), File("cal.dat"), "-p", "pw"}).ExitCode, 2);
    EXPECT_EQ(ReadBytes(File("cal.dat")), before);
}

TEST_F(BwListTest, FileNamesAfterDoubleDashMayStartWithAMinus)
{
    // The tool runs in the scratch folder, so the relative name lands there.
    ASSERT_EQ(Run({"pack", "--", "-odd.dat"}, "z\n").ExitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(File("-odd.dat")));
    EXPECT_EQ(Run({"lines", "-p", "58203", "--", "-odd.dat"}).Out, "z\n");
    ExpectUsageError(Run({"lines", "-odd.dat"}));
}

TEST_F(BwListTest, ShowPrintsOneRowPerMessage)
{
    TBWItemList list;
    auto weekly = std::make_unique<TBWItem>();
    weekly->Title = "Sprint review\r\nroom 4";
    weekly->Author = "Tom Hale";
    weekly->Recipients = {"Sales", "Support"};
    weekly->DueTime = EncodeDateTime(2025, 3, 3, 9, 0);
    weekly->Kind = KindExecuteFiles;
    weekly->Id = 123456789;
    weekly->RepeatKind = RepeatWeekly;
    weekly->DayFlags = {true, true, true, true, true, true, false, false};
    list.push_back(std::move(weekly));
    auto once = std::make_unique<TBWItem>();
    once->Title = "Call back";
    once->DueTime = EncodeDateTime(2024, 12, 31, 23, 59, 59);
    once->LastDueTime = EncodeDateTime(2024, 2, 29, 7, 30);
    once->Id = -5;
    once->RepeatKind = 9;
    once->ActivateAllDays();
    list.push_back(std::move(once));
    SaveItemList(list, File("list.dat"), "team");

    const TProcessRun show = Run({"show", File("list.dat"), "-p", "team"});
    ASSERT_EQ(show.ExitCode, 0) << show.Err;
    EXPECT_EQ(show.Err, "");
    const std::string& out = show.Out;
    EXPECT_EQ(out.rfind("Id ", 0), 0U) << out;
    for (const char* expected :
         {"123456789  2025-03-03 09:00:00  never", "Execute file(s)  Weekly", "MTWTF--", "Tom Hale",
          "Sprint review\\nroom 4", "Sales, Support (not for me)", "\n-5  ", "2025-01-01 00:00:00",
          "2024-02-29 07:30:00", "Simple message", "(9)", "MTWTFSS", "2 messages\n"}) {
        EXPECT_NE(out.find(expected), std::string::npos) << expected << "\n" << out;
    }
    // Header, two rows, count: a line break in a title must not break a row.
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 4);

    const TProcessRun wrong = Run({"show", File("list.dat")});
    EXPECT_NE(wrong.ExitCode, 0);
    EXPECT_NE(wrong.Err.find("line-count check failed"), std::string::npos) << wrong.Err;
}

TEST_F(BwListTest, GroupsNeverShowPasswords)
{
    TBWGroupList groups;
    auto sales = std::make_unique<TBWListLocation>();
    sales->Name = "Sales";
    sales->Location = "ftp://files.example.org/bw/sales.dat";
    sales->Password = "Tr0ub4dor&3";
    sales->LocationKind = LocationFtp;
    sales->Enabled = true;
    sales->FtpUser = "bwsync";
    sales->FtpPassword = "corr3ct-h0rse";
    groups.push_back(std::move(sales));
    auto dev = std::make_unique<TBWListLocation>();
    dev->Name = "Dev";
    dev->Location = "/srv/share/dev.dat";
    dev->Password = "dev-secret";
    groups.push_back(std::move(dev));
    ASSERT_TRUE(SaveGroupList(groups, File("glist.dat")));

    const TProcessRun run = Run({"groups", File("glist.dat")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    for (const char* expected : {"Sales", "yes", "FTP", "ftp://files.example.org/bw/sales.dat", "bwsync", "Dev", "no",
                                 "File", "/srv/share/dev.dat", "2 groups\n"}) {
        EXPECT_NE(run.Out.find(expected), std::string::npos) << expected << "\n" << run.Out;
    }
    for (const std::string secret : {"Tr0ub4dor&3", "corr3ct-h0rse", "dev-secret"}) {
        EXPECT_EQ(run.Out.find(secret), std::string::npos) << secret;
        EXPECT_EQ(run.Out.find(ScrambleText(secret, 3)), std::string::npos) << secret;
        EXPECT_EQ(run.Out.find(ScrambleText(secret, 5)), std::string::npos) << secret;
        EXPECT_EQ(run.Out.find(ReverseText(secret)), std::string::npos) << secret;
    }
}

// The committed sample is the packed form of its text file; packing the text again must give the
// same bytes, or the container format has drifted.
TEST_F(BwListTest, SampleFileMatchesItsSource)
{
    const std::string sample = (DataDir / "sample-bwlist.dat").string();
    const std::string source = ReadBytes(DataDir / "sample-bwlist.txt");
    ASSERT_FALSE(source.empty());

    const TProcessRun lines = Run({"lines", sample});
    EXPECT_EQ(lines.ExitCode, 0);
    EXPECT_EQ(lines.Out, source);

    ASSERT_EQ(Run({"pack", File("again.dat")}, source).ExitCode, 0);
    EXPECT_EQ(ReadBytes(File("again.dat")), ReadBytes(sample));

    const TProcessRun show = Run({"show", sample});
    EXPECT_EQ(show.ExitCode, 0) << show.Err;
    EXPECT_NE(show.Out.find("6 messages"), std::string::npos) << show.Out;
}

} // namespace
