// The center's own promises: the bounded wait, batches, one transfer per local copy at a time,
// the activity text and an orderly end.
#include "TransferTestSupport.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <ctime>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {
std::chrono::nanoseconds ThreadCpuTime()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
} // namespace

using TransferCenterTest = TransferTest;

TEST_F(TransferCenterTest, WaitEndsAtItsLimitAndSleepsMeanwhile)
{
    // A server that never answers, and no stall limit within the wait.
    SetStallTimeout(60s);
    WriteBytes(LocalCopy("Slow"), "kept");
    auto batch = m_center->NewBatch();
    ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup("Slow", TestServers::HttpUrl("/silent"))));

    const auto start = std::chrono::steady_clock::now();
    const auto cpuStart = ThreadCpuTime();
    EXPECT_FALSE(batch.WaitForTransfers());
    const double cpuSeconds = std::chrono::duration<double>(ThreadCpuTime() - cpuStart).count();
    const double seconds = SecondsSince(start);

    EXPECT_GE(seconds, 8.6);
    EXPECT_LT(seconds, 10.0);
    // A spinning wait burns the whole 8.64 s; a sleeping one a few milliseconds.
    EXPECT_LT(cpuSeconds, 0.5) << "main thread processor time during the wait";
    std::cout << "[ measured ] wait " << seconds << " s, main thread processor time " << cpuSeconds << " s\n";
    EXPECT_EQ(batch.Outcome("Slow"), TransferOutcome::Running);
    EXPECT_EQ(m_center->PendingTransfers(), 1);
    EXPECT_EQ(ReadBytes(LocalCopy("Slow")), "kept");
}

TEST_F(TransferCenterTest, NestedWaitsKeepTheirOwnCounts)
{
    auto outer = m_center->NewBatch();
    ASSERT_TRUE(outer.DownloadGroupFile(MakeGroup("Outer", TestServers::HttpUrl("/slow/1500"))));
    bool innerDone = false;
    // Inside the outer wait, as a timer tick would: a quick batch of its own that ends first.
    QTimer::singleShot(0, [&] {
        auto inner = m_center->NewBatch();
        inner.DownloadGroupFile(MakeGroup("Inner", TestServers::HttpUrl("/body/10")));
        innerDone = inner.WaitForTransfers();
    });

    EXPECT_TRUE(outer.WaitForTransfers());

    EXPECT_TRUE(innerDone);
    // The inner wait's end did not end the outer one before its own transfer.
    EXPECT_EQ(outer.Outcome("Outer"), TransferOutcome::Done);
    EXPECT_EQ(outer.Outcome("Inner"), TransferOutcome::NotRequested);
    EXPECT_EQ(ReadBytes(LocalCopy("Outer")), "slow 1500");
}

TEST_F(TransferCenterTest, TransfersOfOthersDoNotProlongAWait)
{
    auto quick = m_center->NewBatch();
    ASSERT_TRUE(quick.DownloadGroupFile(MakeGroup("Quick", TestServers::HttpUrl("/body/10"))));
    // Started during the wait by someone who does not wait, and running far longer.
    QTimer::singleShot(0,
                       [this] { m_center->DownloadGroupFile(MakeGroup("Long", TestServers::HttpUrl("/slow/6000"))); });
    const auto start = std::chrono::steady_clock::now();

    EXPECT_TRUE(quick.WaitForTransfers());

    EXPECT_LT(SecondsSince(start), 4.0);
    EXPECT_EQ(quick.Outcome("Quick"), TransferOutcome::Done);
    EXPECT_EQ(m_center->PendingTransfers(), 1);
}

TEST_F(TransferCenterTest, TransfersOfOneLocalCopyRunOneAfterTheOther)
{
    fs::create_directories(DataFolder() / "shared");
    WriteBytes(DataFolder() / "shared" / "copy.dat", "from the folder");
    auto batch = m_center->NewBatch();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup("Sales", TestServers::HttpUrl("/slow/1000"))));
    ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup("Sales", TestServers::HttpUrl("/slow/1001"))));
    // A plain copy queued behind them runs only when they have ended.
    ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup("Sales", (DataFolder() / "shared" / "copy.dat").string())));
    EXPECT_EQ(batch.Outcome("Sales"), TransferOutcome::Running);
    ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup("Dev", TestServers::HttpUrl("/slow/1002"))));
    EXPECT_EQ(m_center->ActivityText(), QStringLiteral("Fetching group Dev… (3 transfers)"));

    EXPECT_TRUE(batch.WaitForTransfers());

    // Two one-second answers one after the other; Dev ran beside them.
    EXPECT_GE(SecondsSince(start), 2.0);
    EXPECT_LT(SecondsSince(start), 3.5);
    EXPECT_EQ(batch.Outcome("Sales"), TransferOutcome::Done);
    EXPECT_EQ(ReadBytes(LocalCopy("Sales")), "from the folder");
    EXPECT_EQ(ReadBytes(LocalCopy("Dev")), "slow 1002");
    EXPECT_TRUE(StrayFiles({"Sales", "Dev"}).empty());
}

TEST_F(TransferCenterTest, ActivityTextFollowsTheRunningTransfers)
{
    QStringList texts;
    QObject::connect(m_center.get(), &TransferCenter::ActivityChanged,
                     [&texts](const QString& text) { texts.append(text); });
    auto batch = m_center->NewBatch();
    ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup("Sales", TestServers::HttpUrl("/slow/200"))));
    EXPECT_EQ(m_center->ActivityText(), QStringLiteral("Fetching group Sales…"));
    EXPECT_TRUE(batch.WaitForTransfers());
    EXPECT_TRUE(m_center->ActivityText().isEmpty());
    EXPECT_EQ(texts, QStringList({QStringLiteral("Fetching group Sales…"), QString()}));
}

TEST_F(TransferCenterTest, EndingDuringTransfersCancelsAndJoinsEveryWorker)
{
    const int threadsBefore = ThreadCount();
    SetStallTimeout(60s);
    WriteBytes(LocalCopy("Silent"), "kept");
    auto batch = m_center->NewBatch();
    ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup("Silent", TestServers::HttpUrl("/silent"))));
    ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup("Cut", TestServers::HttpUrl("/cut/100000"))));
    // Queued behind the silent one: must never start.
    ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup("Silent", TestServers::HttpUrl("/body/10"))));
    // Let the transfers get under way.
    EXPECT_FALSE(WaitUntil([] { return false; }, 500ms));
    EXPECT_GT(ThreadCount(), threadsBefore);

    const auto start = std::chrono::steady_clock::now();
    m_center.reset();

    EXPECT_LT(SecondsSince(start), 2.0);
    EXPECT_EQ(ThreadCount(), threadsBefore);
    EXPECT_TRUE(batch.IsFinished());
    EXPECT_EQ(ReadBytes(LocalCopy("Silent")), "kept");
    EXPECT_TRUE(StrayFiles({"Silent"}).empty());
}

TEST_F(TransferCenterTest, NothingStartsAfterShutdown)
{
    m_center->Shutdown();
    auto batch = m_center->NewBatch();
    EXPECT_FALSE(batch.DownloadGroupFile(MakeGroup("Late", TestServers::HttpUrl("/body/10"))));
    EXPECT_EQ(batch.Outcome("Late"), TransferOutcome::Failed);
    EXPECT_EQ(m_center->StartHttpDownload(TestServers::HttpUrl("/body/10"), LocalCopy("Late").string()), 0U);
    ProcessNotices();
    EXPECT_TRUE(m_recorder.Codes.empty());
    EXPECT_FALSE(fs::exists(LocalCopy("Late")));
}
