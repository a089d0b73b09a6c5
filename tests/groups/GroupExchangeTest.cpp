// Two members, each with a data folder, lists, transfers and exchange of its own, sharing the groups
// Sales, Dev and Ops: in one folder, or through the loopback servers (Ann reaches every group by
// FTP; Bob reads Sales over HTTP and reaches Dev and Ops by FTP). Ann has Dev switched off.
#include "DateTime.h"
#include "Member.h"
#include "ReminderDelivery.h"
#include "Scheduler.h"
#include "TestFiles.h"
#include "TransferTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

namespace fs = std::filesystem;

constexpr double Now = 46363.375; // Monday 2026-12-07 09:00
constexpr double Second = 1.0 / 86400;

enum class Where
{
    Folder,
    Network,
};

class RecordingDelivery : public ReminderDelivery
{
public:
    void ShowReminder(const TBWItem& message, const std::string& /*groupName*/) override
    {
        Shown.push_back(message.Title);
    }
    void OpenProgram(const TBWItem& /*message*/, const std::string& /*program*/,
                     const std::string& /*parameters*/) override
    {}
    void ConfirmExecuteFiles(const TBWItem& /*message*/, const std::string& /*groupName*/,
                             const std::vector<TSplitCommandLine>& /*commands*/,
                             std::function<void(bool run)> /*answered*/) override
    {}
    void Beep() override {}
    void LogFailed(const std::string& /*text*/) override {}

    std::vector<std::string> Shown;
};

class NoTickJobs : public TickJobs
{
public:
    void SaveBackup() override {}
    void PullGroups() override {}
    void PersonalPassDone() override {}
};

class GroupExchangeTest : public ::testing::TestWithParam<Where>
{
protected:
    GroupExchangeTest()
    {
        std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(test.begin(), test.end(), '/', '-');
        m_folder = "groups-" + test;
        fs::remove_all(SharedFolder());
        fs::create_directories(SharedFolder());
        for (const char* name : {"Sales", "Dev", "Ops"}) {
            SaveItemList(TBWItemList{}, SharedFile(name), Password(name));
        }
        for (Member* member : {&m_ann, &m_bob}) {
            Join(*member, "Sales", true);
            Join(*member, "Dev", member == &m_bob);
            Join(*member, "Ops", true);
        }
    }

    [[nodiscard]] static bool OverNetwork() { return GetParam() == Where::Network; }

    static std::string Lower(std::string name)
    {
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        return name;
    }
    static std::string Password(const std::string& name) { return Lower(name) + " pw"; }

    [[nodiscard]] fs::path SharedFolder() const
    {
        return OverNetwork() ? TestServers::FtpRoot() / m_folder : fs::path(m_home.path().toStdString()) / "share";
    }
    [[nodiscard]] fs::path SharedFile(const std::string& name) const { return SharedFolder() / (Lower(name) + ".dat"); }

    [[nodiscard]] std::string Location(const Member& member, const std::string& name) const
    {
        if (!OverNetwork()) {
            return SharedFile(name).string();
        }
        const std::string file = m_folder + "/" + Lower(name) + ".dat";
        return &member == &m_bob && name == "Sales" ? TestServers::HttpUrl("/file/" + file) : "ftp://127.0.0.1/" + file;
    }

    TBWListLocation& Join(Member& member, const std::string& name, bool enabled)
    {
        if (OverNetwork()) {
            TransferSettings settings;
            settings.ConnectTimeout = std::chrono::seconds(5);
            settings.StallTimeout = std::chrono::seconds(10);
            settings.CaFile = TestServers::CaFile();
            member.Transfers.SetSettings(settings);
        }
        TBWListLocation& group = member.AddGroup(name, Location(member, name), Password(name), enabled);
        group.FtpUser = "bwuser";
        group.FtpPassword = "bwpass";
        return group;
    }

    // The member's way to the group is gone: a share that is not mounted, a login that fails.
    void Break(TBWListLocation& group) const
    {
        if (OverNetwork()) {
            group.FtpPassword = "wrong";
        } else {
            group.Location = (SharedFolder().parent_path() / "unmounted" / "ops.dat").string();
        }
    }

    [[nodiscard]] TBWItemList Shared(const std::string& name) const
    {
        TBWItemList items;
        EXPECT_EQ(LoadItemList(items, SharedFile(name), Password(name)), LoadOk) << name;
        return items;
    }

    static TBWItem Message(std::int32_t id, const std::string& title, double due)
    {
        TBWItem item;
        item.Id = id;
        item.Title = title;
        item.Author = "Ann";
        item.DueTime = due;
        item.RepeatKind = RepeatDaily;
        item.ActivateAllDays();
        return item;
    }

    // A pull, and the working lists it merged on disk.
    static ExchangeReport PullAndSave(Member& member)
    {
        ExchangeReport report = member.Exchange->PullGroups();
        member.Exchange->FinishSaves();
        return report;
    }

    static void ExpectClean(const ExchangeReport& report)
    {
        for (const GroupProblem& problem : report.Problems) {
            ADD_FAILURE() << "problem with " << problem.Group << ": " << static_cast<int>(problem.Problem) << " "
                          << problem.Detail;
        }
    }

    QTemporaryDir m_home;
    std::string m_folder;
    FakeClock m_clock{Now};
    Member m_ann{fs::path(m_home.path().toStdString()) / "ann", m_clock};
    Member m_bob{fs::path(m_home.path().toStdString()) / "bob", m_clock};
};

INSTANTIATE_TEST_SUITE_P(Kinds, GroupExchangeTest, ::testing::Values(Where::Folder, Where::Network),
                         [](const ::testing::TestParamInfo<Where>& kind) {
                             return kind.param == Where::Folder ? "Folder" : "Network";
                         });

TEST_P(GroupExchangeTest, PublishEditAndDeleteReachTheOtherMember)
{
    RecordingDelivery delivery;
    NoTickJobs jobs;
    TBWItemList bobPersonal;
    Scheduler bobScheduler(bobPersonal, m_bob.Groups, m_bob.ItemLists, m_bob.DataFolder, m_clock, delivery, jobs);
    // Bob takes part in Sales only, so that one of his groups delivers the message.
    m_bob.Groups[1]->Enabled = false;
    m_bob.Groups[2]->Enabled = false;
    LoadGroupItemLists(m_bob.ItemLists, m_bob.Groups, m_bob.DataFolder / "BWELists");

    const double due = Now + 1.0 / 24; // 10:00
    TBWItem message = Message(5150, "Standup", due);
    ExchangeReport report = m_ann.Exchange->PublishMessage(message, {}, {"Sales", "Dev"});
    ExpectClean(report);
    EXPECT_EQ(report.Completed, (std::vector<std::string>{"Sales", "Dev"}));
    ASSERT_EQ(Shared("Sales").size(), 1U);
    ASSERT_EQ(Shared("Dev").size(), 1U);
    EXPECT_TRUE(Shared("Ops").empty());

    // Bob pulls; his due scan takes the message at its moment, once.
    ExpectClean(m_bob.Exchange->PullGroups());
    m_bob.Exchange->FinishSaves();
    ASSERT_EQ(m_bob.Working("Sales").size(), 1U);
    EXPECT_TRUE(fs::exists(m_bob.DataFolder / "BWELists" / "Sales"));
    m_clock.Set(due - Second);
    bobScheduler.CheckDueMessages();
    EXPECT_TRUE(delivery.Shown.empty());
    m_clock.Set(due + 3 * Second);
    bobScheduler.CheckDueMessages();
    EXPECT_EQ(delivery.Shown, std::vector<std::string>{"Standup"});
    m_clock.Set(due + 8 * Second);
    bobScheduler.CheckDueMessages();
    EXPECT_EQ(delivery.Shown.size(), 1U);

    // Ann moves the recipients from Sales, Dev to Sales, Ops and renames the message.
    message.Title = "Standup (room 4)";
    report = m_ann.Exchange->PublishMessage(message, {"Sales", "Dev"}, {"Sales", "Ops"});
    ExpectClean(report);
    ASSERT_EQ(Shared("Sales").size(), 1U);
    EXPECT_EQ(Shared("Sales")[0]->Title, "Standup (room 4)");
    EXPECT_TRUE(Shared("Dev").empty());
    ASSERT_EQ(Shared("Ops").size(), 1U);
    EXPECT_EQ(Shared("Ops")[0]->Id, 5150);

    // Bob keeps his delivery progress: the occurrence he had is not delivered again.
    m_clock.Set(due + 20 * Second);
    ExpectClean(m_bob.Exchange->PullGroups());
    ASSERT_EQ(m_bob.Working("Sales").size(), 1U);
    EXPECT_EQ(m_bob.Working("Sales")[0]->Title, "Standup (room 4)");
    EXPECT_EQ(m_bob.Working("Sales")[0]->LastDueTime, UnitsToDateTime(DateTimeToUnits(due)));
    bobScheduler.CheckDueMessages();
    EXPECT_EQ(delivery.Shown.size(), 1U);

    ExpectClean(m_ann.Exchange->PublishMessage(message, {"Sales", "Ops"}, {}));
    EXPECT_TRUE(Shared("Sales").empty());
    EXPECT_TRUE(Shared("Ops").empty());
    ExpectClean(m_bob.Exchange->PullGroups());
    EXPECT_TRUE(m_bob.Working("Sales").empty());
}

TEST_P(GroupExchangeTest, ADisabledGroupIsChangedButNotMerged)
{
    // Dev is switched off for Ann: her publish still reaches its file, her pull leaves it alone.
    m_ann.Exchange->PublishMessage(Message(1, "Deploy", Now), {}, {"dev", "Nobody"});
    EXPECT_EQ(Shared("Dev").size(), 1U);
    m_ann.Exchange->PullGroups();
    EXPECT_EQ(m_ann.ItemLists.Find("Dev"), nullptr);
    EXPECT_FALSE(fs::exists(m_ann.DataFolder / "BWELists" / "Dev"));
}

TEST_P(GroupExchangeTest, AWrongGroupPasswordChangesNeitherTheSharedFileNorTheWorkingList)
{
    ExpectClean(m_ann.Exchange->PublishMessage(Message(1, "Kept", Now + 1), {}, {"Dev"}));
    ExpectClean(m_bob.Exchange->PullGroups());
    m_bob.Exchange->FinishSaves();
    ASSERT_EQ(m_bob.Working("Dev").size(), 1U);
    const std::string shared = ReadBytes(SharedFile("Dev"));
    const std::string working = ReadBytes(m_bob.DataFolder / "BWELists" / "Dev");

    m_bob.Groups[1]->Password = "typo";
    ExchangeReport report = m_bob.Exchange->PublishMessage(Message(2, "Would replace all", Now + 2), {}, {"Dev"});
    ASSERT_EQ(report.Problems.size(), 1U);
    EXPECT_EQ(report.Problems[0].Problem, GroupProblem::Kind::BadContainer);
    EXPECT_EQ(ReadBytes(SharedFile("Dev")), shared);

    report = m_bob.Exchange->PullGroups();
    m_bob.Exchange->FinishSaves();
    ASSERT_EQ(report.Problems.size(), 1U);
    EXPECT_EQ(report.Problems[0].Group, "Dev");
    ASSERT_EQ(m_bob.Working("Dev").size(), 1U);
    EXPECT_EQ(m_bob.Working("Dev")[0]->Title, "Kept");
    EXPECT_EQ(ReadBytes(m_bob.DataFolder / "BWELists" / "Dev"), working);
}

TEST_P(GroupExchangeTest, AFailedFetchNeverSendsBackStaleContent)
{
    // Ann's local copy of Ops holds her first message; then another member rewrites the file.
    ExpectClean(m_ann.Exchange->PublishMessage(Message(1, "First", Now + 1), {}, {"Ops"}));
    ExpectClean(m_bob.Exchange->PublishMessage(Message(2, "Bob's", Now + 1), {}, {"Ops"}));
    ASSERT_EQ(Shared("Ops").size(), 2U);
    const std::string before = ReadBytes(SharedFile("Ops"));

    Break(*m_ann.Groups[2]);
    const ExchangeReport report = m_ann.Exchange->PublishMessage(Message(3, "Third", Now + 1), {}, {"Ops", "Sales"});

    ASSERT_EQ(report.Problems.size(), 1U);
    EXPECT_EQ(report.Problems[0].Group, "Ops");
    EXPECT_EQ(report.Problems[0].Problem, GroupProblem::Kind::Unreachable);
    EXPECT_EQ(report.Completed, std::vector<std::string>{"Sales"});
    EXPECT_EQ(ReadBytes(SharedFile("Ops")), before);
    if (!OverNetwork()) {
        // A folder that is not there is not made: it may be a share that is not mounted.
        EXPECT_FALSE(fs::exists(SharedFolder().parent_path() / "unmounted"));
    }
}

TEST_P(GroupExchangeTest, PullsRewriteTheWorkingListOnlyWhenItChanged)
{
    const double due = Now + 1.0 / 24;
    m_ann.Exchange->PublishMessage(Message(1, "Standup", due), {}, {"Sales"});
    const auto working = m_bob.DataFolder / "BWELists" / "Sales";
    PullAndSave(m_bob);
    ASSERT_TRUE(fs::exists(working));
    const ino_t written = InodeOf(working);
    const std::string bytes = ReadBytes(working);

    PullAndSave(m_bob);
    EXPECT_EQ(InodeOf(working), written);

    // Bob's delivery of the occurrence is his alone: the next pull must keep it on disk, or a
    // restart would show the reminder again.
    ASSERT_TRUE(m_bob.Working("Sales")[0]->CheckDue(due + 10 * Second));
    m_clock.Set(due + 20 * Second);
    PullAndSave(m_bob);
    EXPECT_NE(ReadBytes(working), bytes);
    TBWItemList saved;
    ASSERT_EQ(LoadItemList(saved, working, "sales pw"), LoadOk);
    ASSERT_EQ(saved.size(), 1U);
    EXPECT_EQ(saved[0]->LastDueTime, m_bob.Working("Sales")[0]->LastDueTime);
    EXPECT_FALSE(saved[0]->CheckDue(m_clock.Now()));
}

TEST_P(GroupExchangeTest, AWorkingListThatCouldNotBeWrittenIsToldWithTheNextPull)
{
    m_ann.Exchange->PublishMessage(Message(1, "Standup", Now + 1), {}, {"Sales"});
    const fs::path folder = m_bob.DataFolder / "BWELists";
    fs::remove_all(folder);
    WriteBytes(folder, "not a folder");

    ExpectClean(PullAndSave(m_bob));
    const ExchangeReport report = m_bob.Exchange->PullGroups();
    ASSERT_EQ(report.Problems.size(), 3U) << "Sales, Dev and Ops";
    for (const GroupProblem& problem : report.Problems) {
        EXPECT_EQ(problem.Problem, GroupProblem::Kind::ReadFailed) << problem.Group;
        EXPECT_FALSE(problem.Detail.empty()) << problem.Group;
    }
    EXPECT_EQ(m_bob.Working("Sales").size(), 1U) << "the merged list stays in use";
}

// A member new to a group is not shown the group's past, nor asked to run its old programs; once
// joined (also after a restart), what falls due later comes as usual.
TEST_P(GroupExchangeTest, JoiningAGroupTakesItsPastAsShownOnce)
{
    // Yesterday's, a daily one since Friday, old programs to run; later today; one just gone.
    const std::tuple<double, std::uint8_t, std::uint8_t> messages[] = {
        {Now - 1, RepeatNone, KindSimpleMessage},
        {Now - 3 - 1.0 / 24, RepeatDaily, KindSimpleMessage},
        {Now - 0.5, RepeatNone, KindExecuteFiles},
        {Now + 0.25, RepeatNone, KindSimpleMessage},
        {Now - 1.0 / 1440, RepeatNone, KindSimpleMessage}};
    std::int32_t id = 0;
    for (const auto& [due, repeat, kind] : messages) {
        TBWItem message = Message(++id, "Message", due);
        message.RepeatKind = repeat;
        message.Kind = kind;
        m_ann.Exchange->PublishMessage(message, {}, {"Sales"});
        if (id == 4) {
            const ExchangeReport report = m_bob.Exchange->PullGroups();
            EXPECT_NE(std::find(report.Joined.begin(), report.Joined.end(), JoinedGroup{"Sales", 3}),
                      report.Joined.end());
        }
    }

    m_bob.Exchange->FinishSaves();
    // Bob restarts: nothing is replayed, and what comes later, or was published once he had joined,
    // comes as usual.
    Member restarted(m_bob.DataFolder, m_clock);
    Join(restarted, "Sales", true);
    EXPECT_TRUE(restarted.Exchange->PullGroups().Joined.empty());
    const TBWItemList& working = restarted.Working("Sales");
    ASSERT_EQ(working.size(), 5U);
    const std::vector<std::pair<double, bool>> checks = {
        {Now, false}, {Now + 1, true}, {Now, false}, {Now + 0.25, true}, {Now, true}};
    for (std::size_t i = 0; i < checks.size(); ++i) {
        EXPECT_EQ(working[i]->CheckDue(checks[i].first), checks[i].second) << i;
    }
}

TEST_P(GroupExchangeTest, DuplicateRecipientNamesAreVisitedOnce)
{
    m_ann.Exchange->PublishMessage(Message(1, "Once", Now), {}, {"Sales", "SALES"});
    EXPECT_EQ(Shared("Sales").size(), 1U);
}

// Bob reaches Sales through a web address, which the program only reads.
class WebGroupExchangeTest : public GroupExchangeTest
{};

INSTANTIATE_TEST_SUITE_P(Kinds, WebGroupExchangeTest, ::testing::Values(Where::Network),
                         [](const ::testing::TestParamInfo<Where>& /*kind*/) { return "Network"; });

TEST_P(WebGroupExchangeTest, AWebAddressIsReadButNeverWritten)
{
    ExpectClean(m_ann.Exchange->PublishMessage(Message(1, "From Ann", Now + 1), {}, {"Sales"}));
    const std::string before = ReadBytes(SharedFile("Sales"));

    const ExchangeReport report = m_bob.Exchange->PublishMessage(Message(2, "From Bob", Now + 1), {}, {"Sales"});

    ASSERT_EQ(report.Problems.size(), 1U);
    EXPECT_EQ(report.Problems[0].Problem, GroupProblem::Kind::ReadOnly);
    EXPECT_EQ(ReadBytes(SharedFile("Sales")), before);
}

} // namespace
