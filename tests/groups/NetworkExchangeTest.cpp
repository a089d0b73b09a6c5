// Two members, each with a data folder, lists, transfers and exchange of its own, sharing groups
// through the loopback servers: Ann reaches every group by FTP; Bob reads Sales over HTTP and
// reaches Dev and Ops by FTP. Bob's own due scan delivers what Ann published.
#include "DateTime.h"
#include "Member.h"
#include "ReminderDelivery.h"
#include "Scheduler.h"
#include "TransferTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

namespace fs = std::filesystem;

constexpr double Now = 46363.375; // Monday 2026-12-07 09:00
constexpr double Second = 1.0 / 86400;
const std::string FtpUser = "bwuser";
const std::string FtpPassword = "bwpass";

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

class NetworkExchange : public ::testing::Test
{
protected:
    NetworkExchange()
    {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_folder = "groups-" + test;
        fs::remove_all(ServerFolder());
        fs::create_directories(ServerFolder());
        for (const char* name : {"Sales", "Dev", "Ops"}) {
            SaveItemList(TBWItemList{}, ServerFile(name), Password(name));
        }
        for (Member* member : {&m_ann, &m_bob}) {
            member->Transfers.SetSettings(Settings());
            const bool isBob = member == &m_bob;
            Join(*member, "Sales", isBob ? TestServers::HttpUrl("/file/" + m_folder + "/sales.dat") : Ftp("sales.dat"));
            Join(*member, "Dev", Ftp("dev.dat"));
            Join(*member, "Ops", Ftp("ops.dat"));
        }
    }

    static TransferSettings Settings()
    {
        TransferSettings settings;
        settings.ConnectTimeout = std::chrono::seconds(5);
        settings.StallTimeout = std::chrono::seconds(10);
        settings.CaFile = TestServers::CaFile();
        return settings;
    }

    static std::string Lower(std::string name)
    {
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        return name;
    }
    static std::string Password(const std::string& name) { return Lower(name) + " pw"; }

    void Join(Member& member, const std::string& name, const std::string& location)
    {
        TBWListLocation& group = member.AddGroup(name, location, Password(name), true);
        group.FtpUser = FtpUser;
        group.FtpPassword = FtpPassword;
    }

    [[nodiscard]] std::string Ftp(const std::string& file) const { return "ftp://127.0.0.1/" + m_folder + "/" + file; }
    [[nodiscard]] fs::path ServerFolder() const { return TestServers::FtpRoot() / m_folder; }
    [[nodiscard]] fs::path ServerFile(const std::string& name) const { return ServerFolder() / (Lower(name) + ".dat"); }

    [[nodiscard]] TBWItemList Shared(const std::string& name) const
    {
        TBWItemList items;
        EXPECT_EQ(LoadItemList(items, ServerFile(name), Password(name)), LoadOk) << name;
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

TEST_F(NetworkExchange, PublishEditAndDeleteReachTheOtherMember)
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

    // Bob reads Sales over HTTP; his due scan takes the message at its moment, once.
    ExpectClean(m_bob.Exchange->PullGroups());
    ASSERT_EQ(m_bob.Working("Sales").size(), 1U);
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
    bobScheduler.CheckDueMessages();
    EXPECT_EQ(delivery.Shown.size(), 1U);

    ExpectClean(m_ann.Exchange->PublishMessage(message, {"Sales", "Ops"}, {}));
    EXPECT_TRUE(Shared("Sales").empty());
    EXPECT_TRUE(Shared("Ops").empty());
    ExpectClean(m_bob.Exchange->PullGroups());
    EXPECT_TRUE(m_bob.Working("Sales").empty());
}

TEST_F(NetworkExchange, AWebAddressIsReadButNeverWritten)
{
    ExpectClean(m_ann.Exchange->PublishMessage(Message(1, "From Ann", Now + 1), {}, {"Sales"}));
    const std::string before = ReadBytes(ServerFile("Sales"));

    const ExchangeReport report = m_bob.Exchange->PublishMessage(Message(2, "From Bob", Now + 1), {}, {"Sales"});

    ASSERT_EQ(report.Problems.size(), 1U);
    EXPECT_EQ(report.Problems[0].Problem, GroupProblem::Kind::ReadOnly);
    EXPECT_EQ(ReadBytes(ServerFile("Sales")), before);
}

TEST_F(NetworkExchange, AWrongGroupPasswordChangesNeitherTheSharedFileNorTheWorkingList)
{
    ExpectClean(m_ann.Exchange->PublishMessage(Message(1, "Kept", Now + 1), {}, {"Dev"}));
    ExpectClean(m_bob.Exchange->PullGroups());
    ASSERT_EQ(m_bob.Working("Dev").size(), 1U);
    const std::string shared = ReadBytes(ServerFile("Dev"));
    const std::string working = ReadBytes(m_bob.DataFolder / "BWELists" / "Dev");

    m_bob.Groups[1]->Password = "typo";
    ExchangeReport report = m_bob.Exchange->PublishMessage(Message(2, "Would replace all", Now + 2), {}, {"Dev"});
    ASSERT_EQ(report.Problems.size(), 1U);
    EXPECT_EQ(report.Problems[0].Problem, GroupProblem::Kind::BadContainer);
    EXPECT_EQ(ReadBytes(ServerFile("Dev")), shared);

    report = m_bob.Exchange->PullGroups();
    ASSERT_EQ(report.Problems.size(), 1U);
    EXPECT_EQ(report.Problems[0].Group, "Dev");
    ASSERT_EQ(m_bob.Working("Dev").size(), 1U);
    EXPECT_EQ(m_bob.Working("Dev")[0]->Title, "Kept");
    EXPECT_EQ(ReadBytes(m_bob.DataFolder / "BWELists" / "Dev"), working);
}

TEST_F(NetworkExchange, AFailedFetchNeverSendsBackStaleContent)
{
    // Ann's local copy of Ops holds her first message; then another member rewrites the file.
    ExpectClean(m_ann.Exchange->PublishMessage(Message(1, "First", Now + 1), {}, {"Ops"}));
    ExpectClean(m_bob.Exchange->PublishMessage(Message(2, "Bob's", Now + 1), {}, {"Ops"}));
    ASSERT_EQ(Shared("Ops").size(), 2U);
    const std::string before = ReadBytes(ServerFile("Ops"));

    m_ann.Groups[2]->FtpPassword = "wrong";
    const ExchangeReport report = m_ann.Exchange->PublishMessage(Message(3, "Third", Now + 1), {}, {"Ops", "Dev"});

    ASSERT_EQ(report.Problems.size(), 1U);
    EXPECT_EQ(report.Problems[0].Group, "Ops");
    EXPECT_EQ(report.Problems[0].Problem, GroupProblem::Kind::Unreachable);
    EXPECT_EQ(report.Completed, std::vector<std::string>{"Dev"});
    EXPECT_EQ(ReadBytes(ServerFile("Ops")), before);
}

} // namespace
