// bwlist send as members use it from scripts: many at once, and killed at any moment.
#include "ChildProcess.h"
#include "Clock.h"
#include "Figures.h"
#include "GroupFileBytes.h"
#include "LockedPublish.h"
#include "Member.h"
#include "OpenGroupStore.h"
#include "StoreTestSupport.h"
#include "TransferTestSupport.h"

#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <random>
#include <set>
#include <thread>

#include <sys/wait.h>

namespace {

using namespace std::chrono_literals;

const std::string Password = "team pw";

class PublisherProcessTest : public StoreTest
{
protected:
    PublisherProcessTest()
    {
        ::setenv("BWLIST_PASSWORD", Password.c_str(), 1);
        ::setenv("BWLIST_FTP_PASSWORD", "bwpass", 1);
    }

    [[nodiscard]] std::vector<std::string> Send(const std::string& title) const
    {
        const TBWListLocation group = Group();
        std::vector<std::string> words = {BW_BWLIST_PATH, "send",    "--location", Location(), "--ftp-user",
                                          group.FtpUser,  "--title", title,        "--at",     "2026-12-08 09:00"};
        // The group's settings as a script gives them.
        const std::string ca = TestServers::CaFile();
        const std::string knownHosts = (TestServers::SshFolder() / "known_hosts").string();
        switch (GetParam()) {
        case Kind::FtpTls:
            words.insert(words.end(), {"--tls", "explicit", "--passive", "--ca-file", ca});
            break;
        case Kind::Sftp:
            words.insert(words.end(), {"--ssh-key", group.Options.SshKey, "--known-hosts", knownHosts});
            break;
        case Kind::WebDav:
            words.insert(words.end(), {"--ca-file", ca});
            break;
        default:
            break;
        }
        return words;
    }

    [[nodiscard]] TBWItemList Shared() const
    {
        TBWItemList items;
        EXPECT_TRUE(OpenGroupFile(ReadBytes(OnDisk()), Password, items).IsOk());
        return items;
    }

    // A publish of this process, as the next member after a kill makes it.
    PublishOutcome PublishHere(const ChangeSet& changes, LockSettings settings)
    {
        SystemStoreClock clock;
        const auto store = Open();
        LockedPublish publish(*store, clock, &m_cancel, m_memory, ThisProcessAsOwner("Next"), settings);
        return publish.Run(Password, changes);
    }
    PublishOutcome PublishHere(const TBWItem& message, LockSettings settings)
    {
        ChangeSet changes;
        changes.Put(message);
        return PublishHere(changes, settings);
    }

    [[nodiscard]] std::string KindText() const { return KindName({GetParam(), 0}); }

    PublishMemory m_memory;
};

TEST_P(PublisherProcessTest, EightSendersAtOnceLoseNothing)
{
    constexpr int Senders = 8;
    constexpr int Each = 10;
    std::vector<std::vector<TProcessRun>> runs(Senders);
    std::vector<std::thread> senders;
    for (int sender = 0; sender < Senders; ++sender) {
        senders.emplace_back([&, sender] {
            const TempFolder folder;
            for (int i = 0; i < Each; ++i) {
                const std::vector<std::string> words = Send("w" + std::to_string(sender) + "-" + std::to_string(i));
                runs[sender].push_back(RunTool(words[0], {words.begin() + 1, words.end()}, {}, folder.Path()));
            }
        });
    }
    for (std::thread& sender : senders) {
        sender.join();
    }

    std::set<std::int32_t> printed;
    for (const auto& sent : runs) {
        for (const TProcessRun& run : sent) {
            EXPECT_EQ(run.ExitCode, 0) << run.Err;
            printed.insert(std::atoi(run.Out.c_str()));
        }
    }
    EXPECT_EQ(printed.size(), static_cast<std::size_t>(Senders * Each));
    std::set<std::int32_t> stored;
    for (const auto& item : Shared()) {
        stored.insert(item->Id);
    }
    EXPECT_EQ(stored, printed);

    // A member's program shows every one of them after its next pull.
    QTemporaryDir home;
    FakeClock clock(46363.375);
    Member bob(std::filesystem::path(home.path().toStdString()) / "bob", clock);
    TBWListLocation& group = bob.AddGroup("Team", Location(), Password, true);
    const TBWListLocation settings = Group();
    group.FtpUser = settings.FtpUser;
    group.FtpPassword = settings.FtpPassword;
    group.Options = settings.Options;
    bob.Transfers.SetSettings(Settings());
    const ExchangeReport report = bob.Exchange->PullGroups();
    EXPECT_TRUE(report.Problems.empty());
    EXPECT_EQ(bob.Working("Team").size(), printed.size());
    RecordFigure("bwlist send, " + std::to_string(Senders) + " processes x " + std::to_string(Each) + " at once, " +
                 KindText() + " group: " + std::to_string(stored.size()) + " of " + std::to_string(Senders * Each) +
                 " in the group file, " + std::to_string(Senders * Each - static_cast<int>(stored.size())) +
                 " lost; the member's pull shows " + std::to_string(bob.Working("Team").size()));
}

// Killed publishers: on a folder and on FTP, where an upload is cut at any byte.
using KilledPublisherTest = PublisherProcessTest;

TEST_P(KilledPublisherTest, APublisherKilledAtAnyMomentNeverBreaksTheGroup)
{
    constexpr int Tries = 50;
    // Enough messages that the uploads take a moment to be killed in.
    ChangeSet seed;
    for (int i = 0; i < 200; ++i) {
        seed.Put(Message(i + 1, "Seed message " + std::to_string(i)));
    }
    const auto seedStart = std::chrono::steady_clock::now();
    const PublishOutcome seeded = PublishHere(seed, {});
    ASSERT_TRUE(seeded.IsDone()) << static_cast<int>(seeded.What) << ", " << seeded.Detail;
    const auto seedTook =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - seedStart);
    // How long a whole send takes here: kills fall anywhere within it.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(RunProcess(Send("timed")).ExitCode, 0);
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    // Locks the killed ones leave are taken over after a bound far shorter than the program's, so
    // that fifty take-overs fit in the test; yet a holder stops committing after three quarters of
    // it, so it must stay well above what a publish takes on this machine (slow under a sanitizer,
    // or beside other tests).
    const auto staleAfter =
        std::clamp(std::chrono::duration_cast<std::chrono::milliseconds>(4 * std::max(seedTook, whole)),
                   std::chrono::milliseconds(400), std::chrono::milliseconds(3000));
    const LockSettings shortBound{staleAfter, 10s};

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<long long> moment(0, whole.count());
    int readable = 0;
    int nextWorked = 0;
    int locksLeft = 0;
    int uploadsLeft = 0;
    std::chrono::milliseconds slowestNext{0};
    for (int attempt = 0; attempt < Tries; ++attempt) {
        const int pid = StartProcess(Send("killed " + std::to_string(attempt)));
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);

        locksLeft += std::filesystem::exists(OnDisk("team.dat.bwlock")) ? 1 : 0;
        for (const std::string& name : Names()) {
            uploadsLeft += name.find(".bwtmp.") != std::string::npos ? 1 : 0;
        }
        TBWItemList items;
        readable += OpenGroupFile(ReadBytes(OnDisk()), Password, items).IsOk() ? 1 : 0;
        const auto before = std::chrono::steady_clock::now();
        const PublishOutcome next = PublishHere(Message(20000 + attempt, "next"), shortBound);
        const auto took =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - before);
        nextWorked += next.IsDone() ? 1 : 0;
        EXPECT_TRUE(next.IsDone()) << "after kill " << attempt << ": problem " << static_cast<int>(next.What) << ", "
                                   << next.Detail << ", in " << took.count() << " ms with a " << staleAfter.count()
                                   << " ms stale bound";
        slowestNext = std::max(slowestNext, took);
    }
    EXPECT_EQ(readable, Tries);
    EXPECT_EQ(nextWorked, Tries);
    // A stale lock is taken over within its bound (plus the time to notice and the publish itself).
    EXPECT_LT(slowestNext, shortBound.StaleAfter + 3s);
    // Once their time has passed, the next publish clears what the killed ones left.
    std::this_thread::sleep_for(shortBound.StaleAfter + 1100ms);
    ASSERT_TRUE(PublishHere(Message(30000, "last"), shortBound).IsDone());
    EXPECT_EQ(Names(), std::vector<std::string>{"team.dat"});
    RecordFigure("kill -9 of bwlist send at random moments, " + KindText() + " group: " + std::to_string(readable) +
                 " of " + std::to_string(Tries) + " left a group file that opens, the next publish worked " +
                 std::to_string(nextWorked) + " of " + std::to_string(Tries) + " (" + std::to_string(locksLeft) +
                 " locks and " + std::to_string(uploadsLeft) + " temporary uploads left behind; slowest next publish " +
                 std::to_string(slowestNext.count()) + " ms with a " + std::to_string(staleAfter.count()) +
                 " ms stale bound)");
}

INSTANTIATE_TEST_SUITE_P(Kinds, PublisherProcessTest, WritableKinds(), KindName);
INSTANTIATE_TEST_SUITE_P(Kinds, KilledPublisherTest, ::testing::Values(Kind::Folder, Kind::Ftp), KindName);

} // namespace
