#include "Scheduler.h"
#include "Clock.h"
#include "DateTime.h"
#include "ReminderDelivery.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// 2026-12-08 is a Tuesday, 2026-12-12 a Saturday.
double At(int day, int hour, int minute, int second = 0)
{
    return EncodeDateTime(2026, 12, day, hour, minute, second);
}

struct RecordingDelivery : ReminderDelivery
{
    void ShowReminder(const TBWItem& message, const std::string& /*groupName*/) override
    {
        Shown.push_back(message.Title);
        if (WhileShowing) {
            WhileShowing();
        }
    }
    void OpenProgram(const TBWItem& /*message*/, const std::string& program, const std::string& parameters) override
    {
        Opened.push_back(program + "|" + parameters);
    }
    void ConfirmExecuteFiles(const TBWItem& message, const std::string& groupName,
                             const std::vector<TSplitCommandLine>& commands,
                             std::function<void(bool run)> answered) override
    {
        Confirmations.push_back(message.Title + "@" + groupName + "#" + std::to_string(commands.size()));
        Answers.push_back(std::move(answered));
    }
    void Beep() override { ++Beeps; }
    void LogFailed(const std::string& text) override { LogFailures.push_back(text); }

    std::vector<std::string> Shown;
    std::vector<std::string> Opened;
    std::vector<std::string> Confirmations;
    std::vector<std::function<void(bool run)>> Answers;
    std::vector<std::string> LogFailures;
    int Beeps = 0;
    std::function<void()> WhileShowing;
};

// A fake clock that counts how often it is read.
struct CountingClock : Clock
{
    explicit CountingClock(const FakeClock& clock) : Inner(clock) {}
    [[nodiscard]] double Now() const override
    {
        ++Reads;
        return Inner.Now();
    }
    const FakeClock& Inner;
    mutable int Reads = 0;
};

struct RecordingJobs : TickJobs
{
    void SaveBackup() override { Steps.push_back("backup"); }
    void PullGroups() override { Steps.push_back("pull"); }
    void PersonalPassDone() override { Steps.push_back("scan"); }
    std::vector<std::string> Steps;
};

class SchedulerTest : public ::testing::Test
{
protected:
    SchedulerTest() { std::filesystem::create_directories(m_folder / "Logs"); }

    TBWItem& Add(TBWItemList& list, std::int32_t id, const std::string& title, double due)
    {
        auto item = std::make_unique<TBWItem>();
        item->Id = id;
        item->Title = title;
        item->Author = "Ann";
        item->DueTime = due;
        item->ActivateAllDays();
        list.push_back(std::move(item));
        return *list.back();
    }

    TBWItemList& AddGroup(const std::string& name, bool enabled)
    {
        auto group = std::make_unique<TBWListLocation>();
        group->Name = name;
        group->Enabled = enabled;
        m_groups.push_back(std::move(group));
        return m_groupItems.Add(name, std::make_unique<TBWItemList>());
    }

    std::vector<std::string> LogLines() const
    {
        TStringList lines;
        SplitLines(ReadBytes(m_folder / "Logs" / "messages.log"), lines);
        return lines;
    }

    void TickTimes(int count)
    {
        for (int i = 0; i < count; ++i) {
            m_scheduler.Tick();
        }
    }

    TempFolder m_folder;
    FakeClock m_clock{At(8, 9, 59, 58)};
    TBWItemList m_personal;
    TBWGroupList m_groups;
    TBWGroupItemLists m_groupItems;
    RecordingDelivery m_delivery;
    RecordingJobs m_jobs;
    Scheduler m_scheduler{m_personal, m_groups, m_groupItems, m_folder.Path(), m_clock, m_delivery, m_jobs};
};

TEST_F(SchedulerTest, CounterCycleAndSteps)
{
    TickTimes(4);
    EXPECT_TRUE(m_jobs.Steps.empty());
    m_scheduler.Tick(); // the first scan comes with the 5th tick
    EXPECT_EQ(m_jobs.Steps, std::vector<std::string>{"scan"});
    TickTimes(55);
    EXPECT_EQ(m_jobs.Steps.size(), 13U);
    EXPECT_EQ(m_jobs.Steps[11], "pull");

    m_jobs.Steps.clear();
    m_scheduler.SetTickCounter(9999);
    m_scheduler.Tick();
    EXPECT_EQ(m_scheduler.TickCounter(), 10000);
    m_jobs.Steps.clear();
    m_scheduler.Tick(); // 10000 -> 0 does every step
    EXPECT_EQ(m_scheduler.TickCounter(), 0);
    EXPECT_EQ(m_jobs.Steps, (std::vector<std::string>{"backup", "pull", "scan"}));
}

TEST_F(SchedulerTest, MessageIsDeliveredOnceAtOrAfterItsMoment)
{
    Add(m_personal, 1, "Standup", At(8, 10, 0));
    TickTimes(5); // 09:59:58: not yet
    EXPECT_TRUE(m_delivery.Shown.empty());
    m_clock.Set(At(8, 10, 0, 3));
    TickTimes(5);
    EXPECT_EQ(m_delivery.Shown, std::vector<std::string>{"Standup"});
    m_clock.Set(At(8, 10, 0, 8));
    TickTimes(5);
    EXPECT_EQ(m_delivery.Shown.size(), 1U);
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0], "12/8/26 10:00:03 AM || 12/8/26 10:00:00 AM || Simple message || Ann || Standup");
}

TEST_F(SchedulerTest, OneDeliveryPerIdAcrossLists)
{
    TBWItemList& sales = AddGroup("Sales", true);
    TBWItemList& dev = AddGroup("Dev", true);
    TBWItemList& off = AddGroup("Off", false);
    m_clock.Set(At(8, 10, 0));
    TBWItem& own = Add(m_personal, 5, "Shared", At(8, 9, 0));
    TBWItem& salesCopy = Add(sales, 5, "Shared", At(8, 9, 0));
    Add(sales, 6, "Twice", At(8, 9, 0));
    Add(dev, 6, "Twice", At(8, 9, 0));
    TBWItem& disabled = Add(off, 7, "Disabled", At(8, 9, 0));

    m_scheduler.CheckDueMessages();
    EXPECT_EQ(m_delivery.Shown, (std::vector<std::string>{"Shared", "Twice"}));
    EXPECT_EQ(own.LastDueTime, At(8, 9, 0)); // both copies had their occurrence taken
    EXPECT_EQ(salesCopy.LastDueTime, At(8, 9, 0));
    EXPECT_EQ(disabled.LastDueTime, 0.0); // a disabled group is not looked at
    EXPECT_EQ(LogLines().size(), 2U);
}

// Thousands due at once come a bounded number per tick, each once, the group's copy of an own
// reminder delivered before the cut included.
TEST_F(SchedulerTest, AScanDeliversABoundedNumberAndGoesOnAtTheNextTick)
{
    TBWItemList& sales = AddGroup("Sales", true);
    m_clock.Set(At(8, 10, 0));
    const int count = Scheduler::MaxDeliveriesPerScan * 2 + 10;
    for (int i = 0; i < count; ++i) {
        Add(i < Scheduler::MaxDeliveriesPerScan ? m_personal : sales, i, "Due", At(8, 9, 0));
    }
    Add(sales, 0, "Copy of the first", At(8, 9, 0));

    m_scheduler.CheckDueMessages();
    EXPECT_EQ(m_delivery.Shown.size(), std::size_t{Scheduler::MaxDeliveriesPerScan});
    EXPECT_EQ(m_jobs.Steps, std::vector<std::string>{}) << "the personal pass is not over yet";
    m_scheduler.Tick(); // not a scan tick: the scan goes on anyway
    EXPECT_EQ(m_delivery.Shown.size(), std::size_t{Scheduler::MaxDeliveriesPerScan} * 2);
    m_scheduler.Tick();
    EXPECT_EQ(m_delivery.Shown.size(), std::size_t{count});
    TickTimes(5);
    EXPECT_EQ(m_delivery.Shown.size(), std::size_t{count});
    EXPECT_EQ(std::count(m_delivery.Shown.begin(), m_delivery.Shown.end(), "Copy of the first"), 0);
}

TEST_F(SchedulerTest, RecipientsOnlyCopyDefersToTheGroupCopy)
{
    TBWItemList& sales = AddGroup("Sales", true);
    m_clock.Set(At(8, 10, 0));
    TBWItem& own = Add(m_personal, 5, "For them", At(8, 9, 0));
    own.DayFlags[0] = true;
    Add(sales, 5, "For them", At(8, 9, 0));
    TBWItem& alone = Add(m_personal, 9, "Nobody", At(8, 9, 0));
    alone.DayFlags[0] = true;
    alone.RepeatKind = RepeatDaily;

    m_scheduler.CheckDueMessages();
    EXPECT_EQ(m_delivery.Shown, std::vector<std::string>{"For them"}); // once, from the group copy
    EXPECT_EQ(own.LastDueTime, At(8, 9, 0));
    EXPECT_EQ(alone.DueTime, At(9, 9, 0)); // taken silently, moved on
}

TEST_F(SchedulerTest, ExecuteFilesOpensEachLineAndLogsOnce)
{
    m_clock.Set(At(8, 10, 0));
    TBWItem& run = Add(m_personal, 3, "Tools", At(8, 9, 0));
    run.Kind = KindExecuteFiles;
    run.Text = "\"C:\\Tools\\a b.exe\" -x\r\nnotepad.exe readme.txt\r\n\"broken";
    TBWItem& empty = Add(m_personal, 4, "Nothing", At(8, 9, 0));
    empty.Kind = KindExecuteFiles;
    TBWItem& other = Add(m_personal, 8, "Unknown kind", At(8, 9, 0));
    other.Kind = 7;

    m_scheduler.CheckDueMessages();
    EXPECT_EQ(m_delivery.Opened, (std::vector<std::string>{"C:\\Tools\\a b.exe|-x", "notepad.exe|readme.txt"}));
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_NE(lines[0].find(" || Execute files || Ann || Tools"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find(" || Execute files || Ann || Nothing"), std::string::npos) << lines[1];
    EXPECT_EQ(other.LastDueTime, At(8, 9, 0));
    EXPECT_TRUE(m_delivery.Shown.empty());
}

TEST_F(SchedulerTest, ExecuteFilesFromAGroupAsksFirst)
{
    TBWItemList& sales = AddGroup("Sales", true);
    m_clock.Set(At(8, 10, 0));
    TBWItem& run = Add(sales, 3, "Remote", At(8, 9, 0));
    run.Kind = KindExecuteFiles;
    run.Text = "rm -rf somewhere\r\nother";
    m_scheduler.CheckDueMessages();
    EXPECT_TRUE(m_delivery.Opened.empty());
    EXPECT_EQ(m_delivery.Confirmations, std::vector<std::string>{"Remote@Sales#2"});
    EXPECT_EQ(LogLines().size(), 1U);
    // The log says what the user answered.
    ASSERT_EQ(m_delivery.Answers.size(), 1U);
    for (const bool answer : {false, true}) {
        m_delivery.Answers[0](answer);
    }
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_NE(lines[1].find(" || Execute files, declined || Ann || Remote"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find(" || Execute files, run || Ann || Remote"), std::string::npos) << lines[2];
}

// A group file can hold a message of megabytes: its delivery writes one short log line and offers
// only its first lines as programs.
TEST_F(SchedulerTest, AHugeMessageIsLoggedOnOneShortLineAndOffersOnlyItsFirstLines)
{
    TBWItemList& sales = AddGroup("Sales", true);
    m_clock.Set(At(8, 10, 0));
    TBWItem& huge = Add(sales, 3, std::string(std::size_t{1} << 20, 'T') + "\r\nsecond line", At(8, 9, 0));
    huge.Author = "Mallory\r\n12.12.2026 || forged entry";
    huge.Kind = KindExecuteFiles;
    for (int i = 0; i < 1000; ++i) {
        huge.Text += "tool" + std::to_string(i) + " -x\r\n";
    }
    m_scheduler.CheckDueMessages();
    ASSERT_EQ(m_delivery.Confirmations.size(), 1U);
    EXPECT_TRUE(m_delivery.Confirmations[0].ends_with("@Sales#" + std::to_string(Scheduler::MaxProgramLines)));
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_LT(lines[0].size(), 1024U);
}

TEST_F(SchedulerTest, TheMomentIsReadAgainAfterEachDeliveryButNotForEachMessage)
{
    TBWItemList& sales = AddGroup("Sales", true);
    m_clock.Set(At(8, 10, 0));
    Add(m_personal, 1, "Now", At(8, 10, 0));
    Add(m_personal, 2, "In half a minute", At(8, 10, 0, 30));
    Add(sales, 3, "In two minutes", At(8, 10, 2));
    for (int i = 0; i < 1000; ++i) {
        Add(i % 2 == 0 ? m_personal : sales, 100 + i, "Tomorrow", At(9, 10, 0));
    }
    // Showing the first reminder takes a minute: the messages after it see the moment after it.
    m_delivery.WhileShowing = [this] { m_clock.AdvanceSeconds(60); };
    CountingClock clock(m_clock);
    Scheduler scheduler(m_personal, m_groups, m_groupItems, m_folder.Path(), clock, m_delivery, m_jobs);
    scheduler.CheckDueMessages();
    EXPECT_EQ(m_delivery.Shown, (std::vector<std::string>{"Now", "In half a minute", "In two minutes"}));
    // Once at the start, after each of the three deliveries and before the groups, and once for each
    // of the three log lines.
    EXPECT_EQ(clock.Reads, 8);

    m_delivery.Shown.clear();
    clock.Reads = 0;
    scheduler.CheckDueMessages();
    EXPECT_TRUE(m_delivery.Shown.empty());
    EXPECT_EQ(clock.Reads, 2) << "a scan that delivers nothing reads the clock once per pass";
}

TEST_F(SchedulerTest, ChimeOnWorkingDaysBeforeTheHour)
{
    m_scheduler.SetChimeEnabled(true);
    const auto beepsDuring = [&](double start) {
        m_delivery.Beeps = 0;
        m_scheduler.SetTickCounter(0);
        m_clock.Set(start);
        for (int second = 0; second < 60; ++second) {
            m_scheduler.Tick();
            m_clock.AdvanceSeconds(1);
        }
        return m_delivery.Beeps;
    };
    EXPECT_GE(beepsDuring(At(8, 9, 57)), 1); // Tuesday
    EXPECT_LE(beepsDuring(At(8, 9, 57)), 2);
    EXPECT_GE(beepsDuring(At(8, 9, 59)), 1);
    EXPECT_EQ(beepsDuring(At(8, 9, 58)), 0);
    EXPECT_EQ(beepsDuring(At(12, 9, 57)), 0); // Saturday
    m_scheduler.SetChimeEnabled(false);
    EXPECT_EQ(beepsDuring(At(8, 9, 57)), 0);
}

TEST_F(SchedulerTest, UnwritableLogIsReportedOnceAndTheScanGoesOn)
{
    std::filesystem::remove_all(m_folder / "Logs");
    m_clock.Set(At(8, 10, 0));
    Add(m_personal, 1, "One", At(8, 9, 0));
    Add(m_personal, 2, "Two", At(8, 9, 0));
    m_scheduler.CheckDueMessages();
    EXPECT_EQ(m_delivery.Shown.size(), 2U);
    EXPECT_EQ(m_delivery.LogFailures, std::vector<std::string>{"File not found"});
}

} // namespace
