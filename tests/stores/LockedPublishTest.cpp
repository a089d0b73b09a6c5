// The publish under the group's lock, on every writable kind of location.
#include "LockedPublish.h"
#include "GroupFileBytes.h"
#include "OpenGroupStore.h"
#include "StoreTestSupport.h"
#include "TransferTestSupport.h"

#include <thread>

namespace {

using namespace std::chrono_literals;

const std::string Password = "team pw";

class LockedPublishTest : public StoreTest
{
protected:
    PublishOutcome Publish(const ChangeSet& changes, GroupStore& store, LockSettings settings = {})
    {
        LockedPublish publish(store, m_clock, &m_cancel, m_memory, ThisProcessAsOwner("Ann"), settings);
        return publish.Run(Password, changes);
    }
    PublishOutcome Publish(const ChangeSet& changes, LockSettings settings = {})
    {
        const auto store = Open();
        return Publish(changes, *store, settings);
    }

    static ChangeSet Puts(std::initializer_list<TBWItem> messages)
    {
        ChangeSet changes;
        for (const TBWItem& message : messages) {
            changes.Put(message);
        }
        return changes;
    }

    [[nodiscard]] std::vector<std::string> Titles() const
    {
        TBWItemList items;
        EXPECT_TRUE(OpenGroupFile(ReadBytes(OnDisk()), Password, items).IsOk());
        std::vector<std::string> titles;
        for (const auto& item : items) {
            titles.push_back(item->Title);
        }
        return titles;
    }

    // A lock folder as another member leaves it, with an owner file taken so long ago.
    void PlantLock(const std::string& folder, std::optional<std::chrono::seconds> age, const std::string& token)
    {
        std::filesystem::create_directories(OnDisk(folder));
        if (age) {
            LockOwner owner = ThisProcessAsOwner("Bob");
            owner.Token = token;
            owner.Taken = m_clock.UtcSeconds() - age->count();
            WriteBytes(OnDisk(folder) / "owner", owner.Encode());
        }
    }

    FakeStoreClock m_clock;
    PublishMemory m_memory;
};

TEST_P(LockedPublishTest, AMissingFileIsCreatedAndChangesLandInPlace)
{
    PublishOutcome outcome = Publish(Puts({Message(1, "Standup"), Message(2, "Review")}));
    ASSERT_TRUE(outcome.IsDone()) << outcome.Detail;
    EXPECT_TRUE(outcome.Created);
    EXPECT_FALSE(outcome.Unlocked);
    EXPECT_EQ(outcome.Bytes, ReadBytes(OnDisk()));

    ChangeSet edit = Puts({Message(1, "Standup, room 4"), Message(3, "Deploy")});
    edit.Remove(Message(2, "Review"));
    outcome = Publish(edit);
    ASSERT_TRUE(outcome.IsDone()) << outcome.Detail;
    EXPECT_FALSE(outcome.Created);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Standup, room 4", "Deploy"}));

    // A retry of a change that did arrive sends nothing again.
    outcome = Publish(edit);
    EXPECT_TRUE(outcome.IsDone());
    EXPECT_FALSE(outcome.Sent);
    // Neither the lock nor a temporary file stays behind.
    EXPECT_EQ(Names(), std::vector<std::string>{"team.dat"});
}

TEST_P(LockedPublishTest, AFetchThatFailedForAnyOtherReasonSendsNothing)
{
    using Problem = PublishOutcome::Problem;
    ASSERT_TRUE(Publish(Puts({Message(1, "Kept")})).IsDone());
    const std::string before = ReadBytes(OnDisk());

    struct Case
    {
        std::string Why;
        TBWListLocation Group;
        std::string Password;
        Problem Expected;
    };
    TBWListLocation wrongAccount = Group();
    wrongAccount.FtpPassword = "wrong";
    wrongAccount.Options.SshKey.clear();
    TBWListLocation noFolder = Group();
    noFolder.Location = Location("no-such-folder/team.dat");
    std::vector<Case> cases = {{"wrong group password", Group(), "typo", Problem::BadContainer}};
    if (GetParam() != Kind::Folder) {
        cases.push_back({"login refused", wrongAccount, Password, Problem::Unreachable});
    }
    // (An FTP folder that cannot be entered is ignored, as by every member: the login folder.)
    if (GetParam() != Kind::Ftp && GetParam() != Kind::FtpTls) {
        cases.push_back({"no such folder", noFolder, Password, Problem::Unreachable});
    }
    for (const Case& c : cases) {
        const auto store = OpenGroupStore(c.Group, Settings(), m_cancel);
        LockedPublish publish(*store, m_clock, &m_cancel, m_memory, ThisProcessAsOwner("Ann"), {});
        const PublishOutcome outcome = publish.Run(c.Password, Puts({Message(2, "Would replace everything")}));
        EXPECT_EQ(outcome.What, c.Expected) << c.Why << ": " << outcome.Detail;
        EXPECT_FALSE(outcome.Detail.empty()) << c.Why;
        if (c.Why == "login refused") {
            EXPECT_EQ(outcome.Cause, StoreCause::Login) << outcome.Detail;
        }
    }
    EXPECT_EQ(ReadBytes(OnDisk()), before);
    // Not a group file at all: an error page someone put there.
    WriteBytes(OnDisk(), "<html>Service unavailable</html>");
    EXPECT_EQ(Publish(Puts({Message(2, "x")})).What, Problem::BadContainer);
    EXPECT_EQ(ReadBytes(OnDisk()), "<html>Service unavailable</html>");
    EXPECT_EQ(Names(), std::vector<std::string>{"team.dat"});
}

TEST_P(LockedPublishTest, WritersAtTheSameMomentLoseNothing)
{
    constexpr int Writers = 4;
    constexpr int Each = 3;
    std::vector<std::thread> writers;
    std::vector<std::string> problems(Writers);
    for (int writer = 0; writer < Writers; ++writer) {
        writers.emplace_back([&, writer] {
            CancelSignal cancel;
            SystemStoreClock clock;
            PublishMemory memory;
            const auto store = OpenGroupStore(Group(), Settings(), cancel);
            for (int i = 0; i < Each; ++i) {
                const int id = 100 * writer + i;
                LockedPublish publish(*store, clock, &cancel, memory, ThisProcessAsOwner("W"), {});
                const PublishOutcome outcome = publish.Run(Password, Puts({Message(id, std::to_string(id))}));
                if (!outcome.IsDone()) {
                    problems[writer] += outcome.Detail + "; ";
                }
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    for (const std::string& problem : problems) {
        EXPECT_TRUE(problem.empty()) << problem;
    }
    EXPECT_EQ(Titles().size(), static_cast<std::size_t>(Writers * Each));
}

TEST_P(LockedPublishTest, StaleLocksAreTakenOverAndLeftoversCleared)
{
    const LockSettings bound{10s, 2s};
    const std::int64_t now = m_clock.UtcSeconds();
    const std::string old = std::to_string(now - 60);
    const std::string recent = std::to_string(now - 2);
    // A member killed while holding the lock, two of its uploads, and a take-over cut short.
    PlantLock("team.dat.bwlock", 60s, "dead");
    WriteBytes(OnDisk("team.dat.bwtmp." + old + ".0dead"), "half a file");
    WriteBytes(OnDisk("team.dat.bwtmp." + recent + ".0a1e"), "still on its way");
    PlantLock("team.dat.bwstale." + old + ".0dead", 60s, "older");
    ASSERT_TRUE(Publish(Puts({Message(1, "After a crash")}), bound).IsDone());
    EXPECT_EQ(Names(), (std::vector<std::string>{"team.dat", "team.dat.bwtmp." + recent + ".0a1e"}));

    // A live holder keeps the lock for the whole wait.
    PlantLock("team.dat.bwlock", 1s, "alive");
    PublishOutcome outcome = Publish(Puts({Message(2, "Waits")}), bound);
    EXPECT_EQ(outcome.What, PublishOutcome::Problem::Busy) << outcome.Detail;
    EXPECT_NE(outcome.Detail.find("Bob"), std::string::npos) << outcome.Detail;

    // A lock without an owner file (its maker died before writing it) is judged by how long this
    // member has seen it unchanged: not yet after one wait, but once the bound has passed.
    std::filesystem::remove_all(OnDisk("team.dat.bwlock"));
    PlantLock("team.dat.bwlock", std::nullopt, {});
    EXPECT_EQ(Publish(Puts({Message(2, "Waits")}), bound).What, PublishOutcome::Problem::Busy);
    m_clock.Advance(9s);
    outcome = Publish(Puts({Message(2, "Waits")}), bound);
    ASSERT_TRUE(outcome.IsDone()) << outcome.Detail;
    EXPECT_EQ(Titles(), (std::vector<std::string>{"After a crash", "Waits"}));
}

TEST_P(LockedPublishTest, AHolderThatLostItsLockNeverCommits)
{
    ASSERT_TRUE(Publish(Puts({Message(1, "Kept")})).IsDone());
    const std::string before = ReadBytes(OnDisk());
    // Another member takes the lock over while this one uploads (as after a stall of minutes).
    const auto inner = Open();
    ScriptedStore store(*inner, [this](const std::string& operation, const std::string& name) {
        if (operation == "Put" && name.find(".bwtmp.") != std::string::npos) {
            LockOwner other = ThisProcessAsOwner("Bob");
            WriteBytes(OnDisk("team.dat.bwlock") / "owner", other.Encode());
        }
        return std::optional<StoreResult>();
    });
    const PublishOutcome outcome = Publish(Puts({Message(2, "Too late")}), store);
    EXPECT_EQ(outcome.What, PublishOutcome::Problem::Busy);
    EXPECT_EQ(ReadBytes(OnDisk()), before);
    // The other member's lock is not this one's to clear; the upload is gone.
    EXPECT_EQ(Names(), (std::vector<std::string>{"team.dat", "team.dat.bwlock"}));
}

TEST_P(LockedPublishTest, ALocationThatRefusesNamesBesideTheFileIsWrittenInPlace)
{
    ASSERT_TRUE(Publish(Puts({Message(1, "First")})).IsDone());
    int uploads = 0;
    const auto inner = Open();
    ScriptedStore store(*inner, [&uploads](const std::string& operation, const std::string& name) {
        const bool beside = name.find(".bw") != std::string::npos;
        uploads += operation == "Put" && beside ? 1 : 0;
        if ((operation == "MakeFolder" || operation == "Rename") && beside) {
            return std::optional(StoreResult::Fail(StoreStatus::Refused, "550 Permission denied"));
        }
        return std::optional<StoreResult>();
    });
    PublishOutcome outcome = Publish(Puts({Message(2, "Second")}), store);
    ASSERT_TRUE(outcome.IsDone()) << outcome.Detail;
    EXPECT_TRUE(outcome.Unlocked);
    EXPECT_TRUE(outcome.StoredInPlace);
    EXPECT_EQ(uploads, 1);
    // Remembered: the next publish leaves no temporary file to be refused.
    outcome = Publish(Puts({Message(3, "Third")}), store);
    ASSERT_TRUE(outcome.IsDone()) << outcome.Detail;
    EXPECT_EQ(uploads, 1);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"First", "Second", "Third"}));
    EXPECT_EQ(Names(), std::vector<std::string>{"team.dat"});
}

TEST_P(LockedPublishTest, ACutBetweenTakingTheOldFileAwayAndRenamingTheNewOneLosesNothing)
{
    ASSERT_TRUE(Publish(Puts({Message(1, "Kept")})).IsDone());
    // A server that renames only onto a free name; the connection is lost right after the old
    // file was deleted, and comes back for the next publish.
    bool cut = false;
    const auto inner = Open();
    ScriptedStore store(*inner, [this, &cut](const std::string& operation, const std::string& /*name*/) {
        if (cut) {
            return std::optional(StoreResult::Fail(StoreStatus::Failed, "connection lost"));
        }
        if (operation == "Rename" && std::filesystem::exists(OnDisk())) {
            return std::optional(StoreResult::Fail(StoreStatus::Refused, "553 File exists"));
        }
        cut = operation == "Rename";
        return cut ? std::optional(StoreResult::Fail(StoreStatus::Failed, "connection lost"))
                   : std::optional<StoreResult>();
    });
    EXPECT_FALSE(Publish(Puts({Message(2, "Sent as the line went")}), store).IsDone());
    ASSERT_FALSE(std::filesystem::exists(OnDisk()));

    // The next publish, by any member, takes over the lock the cut one could not give back once
    // it is stale, and starts from what the cut one had uploaded.
    const PublishOutcome next = Publish(Puts({Message(3, "Next")}), LockSettings{10s, 30s});
    ASSERT_TRUE(next.IsDone()) << next.Detail;
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Kept", "Sent as the line went", "Next"}));
}

TEST_P(LockedPublishTest, AVersionThatLooksLikeTheLastOneIsStoredAgainASecondLater)
{
    // Same size within the same second: members that compare size and whole-second times must
    // still see a change.
    SystemStoreClock clock;
    const auto store = Open();
    const auto publish = [&](const std::string& title) {
        LockedPublish run(*store, clock, &m_cancel, m_memory, ThisProcessAsOwner("Ann"), {});
        return run.Run(Password, Puts({Message(1, title)}));
    };
    ASSERT_TRUE(publish("aaaa").IsDone());
    FileValidator first;
    ASSERT_TRUE(store->Stat("team.dat", first).IsOk());
    ASSERT_TRUE(publish("bbbb").IsDone());
    FileValidator second;
    ASSERT_TRUE(store->Stat("team.dat", second).IsOk());
    EXPECT_EQ(second.Size, first.Size);
    EXPECT_NE(second, first);
    EXPECT_EQ(Titles(), std::vector<std::string>{"bbbb"});
}

INSTANTIATE_TEST_SUITE_P(Kinds, LockedPublishTest, WritableKinds(), KindName);

} // namespace
