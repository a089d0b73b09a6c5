// The program's exchange over the stores: a change for a busy group is never lost, and a publish
// that outlives its wait is told how it ended.
#include "Clock.h"
#include "LockOwner.h"
#include "Member.h"
#include "StoreTestSupport.h"
#include "TransferTestSupport.h"

#include <QTemporaryDir>
#include <QTimer>

namespace {

using namespace std::chrono_literals;

const std::string Password = "team pw";

class ExchangeOverStores : public StoreTest
{
protected:
    std::unique_ptr<Member> Join(TransferSettings settings)
    {
        auto member = std::make_unique<Member>(std::filesystem::path(m_home.path().toStdString()) / "ann", m_clock);
        member->Transfers.SetSettings(settings);
        TBWListLocation& group = member->AddGroup("Team", Location(), Password, true);
        group.FtpUser = "bwuser";
        group.FtpPassword = "bwpass";
        member->Exchange->SetLateReport([this](const ExchangeReport& report) { m_late.push_back(report); });
        return member;
    }

    // Another member is at work on the group.
    void HoldLock() const
    {
        std::filesystem::create_directories(OnDisk("team.dat.bwlock"));
        LockOwner other = ThisProcessAsOwner("Bob");
        other.Taken = SystemStoreClock().UtcSeconds();
        WriteBytes(OnDisk("team.dat.bwlock") / "owner", other.Encode());
    }
    void ReleaseLock() const { std::filesystem::remove_all(OnDisk("team.dat.bwlock")); }

    [[nodiscard]] std::vector<std::string> OutboxFiles() const
    {
        std::vector<std::string> names;
        const auto folder = std::filesystem::path(m_home.path().toStdString()) / "ann" / "BWOutbox";
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    [[nodiscard]] std::size_t SharedCount() const
    {
        TBWItemList items;
        EXPECT_EQ(LoadItemList(items, OnDisk(), Password), LoadOk);
        return items.size();
    }

    QTemporaryDir m_home;
    FakeClock m_clock{46363.375};
    std::vector<ExchangeReport> m_late;
};

TEST_P(ExchangeOverStores, ABusyGroupKeepsTheChangeAcrossARestartUntilItIsFree)
{
    TransferSettings settings = Settings();
    settings.LockWait = 200ms;
    SaveItemList(TBWItemList{}, OnDisk(), Password);
    auto ann = Join(settings);
    HoldLock();
    const ExchangeReport report = ann->Exchange->PublishMessage(Message(5, "Waits for Bob"), {}, {"Team"});
    ASSERT_EQ(report.Problems.size(), 1U);
    EXPECT_EQ(report.Problems[0].Problem, GroupProblem::Kind::Busy);
    EXPECT_EQ(SharedCount(), 0U);

    // The program ends before the group is free; the change is in the data folder.
    ann.reset();
    EXPECT_EQ(OutboxFiles().size(), 2U);
    ReleaseLock();
    ann = Join(settings);
    EXPECT_TRUE(ann->Exchange->HasWaitingChanges());

    // The next pull sends it, and the one after brings the group file that holds it.
    EXPECT_TRUE(ann->Exchange->PullGroups().Problems.empty());
    ASSERT_TRUE(WaitUntil([this] { return !m_late.empty(); }, 10s));
    EXPECT_EQ(m_late[0].Completed, std::vector<std::string>{"Team"});
    EXPECT_EQ(SharedCount(), 1U);
    EXPECT_TRUE(ann->Exchange->PullGroups().Problems.empty());
    EXPECT_EQ(ann->Working("Team").size(), 1U);
    EXPECT_FALSE(ann->Exchange->HasWaitingChanges());
    EXPECT_TRUE(OutboxFiles().empty());
}

TEST_P(ExchangeOverStores, APublishThatOutlivesItsWaitIsToldHowItEnded)
{
    TransferSettings settings = Settings();
    settings.WaitLimit = 200ms;
    auto ann = Join(settings);
    HoldLock();
    QTimer::singleShot(600ms, [this] { ReleaseLock(); });

    const ExchangeReport report = ann->Exchange->PublishMessage(Message(6, "After the wait"), {}, {"Team"});
    EXPECT_TRUE(report.Completed.empty());
    EXPECT_TRUE(report.Problems.empty());
    EXPECT_EQ(report.StillSending, std::vector<std::string>{"Team"});

    ASSERT_TRUE(WaitUntil([this] { return !m_late.empty(); }, 10s));
    EXPECT_EQ(m_late[0].Completed, std::vector<std::string>{"Team"});
    EXPECT_EQ(SharedCount(), 1U);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ExchangeOverStores, ::testing::Values(Kind::Folder, Kind::Ftp), KindName);

} // namespace
