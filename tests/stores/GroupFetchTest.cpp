// The fetch of a pull: by validator, and never replacing the last good local copy with anything
// that is not the group's file.
#include "GroupFetch.h"
#include "GroupFileBytes.h"
#include "OpenGroupStore.h"
#include "StoreTestSupport.h"
#include "TransferTestSupport.h"

#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

using namespace std::chrono_literals;
using Status = GroupFetchOutcome::Status;

const std::string Password = "team pw";

class GroupFetchTest : public StoreTest
{
protected:
    GroupFetchTest()
    {
        m_paths.LocalCopy = std::filesystem::path(m_data.path().toStdString()) / "Team";
        m_paths.RejectedCopy = std::filesystem::path(m_data.path().toStdString()) / "Team.rejected";
    }

    GroupFetchOutcome Fetch(const TBWListLocation& group, TransferSettings settings = Settings())
    {
        const auto store = OpenGroupStore(group, settings, m_cancel);
        return FetchGroupFile(*store, Password, m_paths, m_memory, m_clock);
    }

    static std::string GroupFile(const std::string& title)
    {
        TBWItemList items;
        items.push_back(std::make_unique<TBWItem>(Message(1, title)));
        return SealGroupFile(items, Password);
    }

    void SetModified(std::chrono::system_clock::time_point when) const
    {
        const auto since = when.time_since_epoch();
        const timespec time{static_cast<time_t>(std::chrono::duration_cast<std::chrono::seconds>(since).count()), 0};
        const timespec times[2] = {time, time};
        ASSERT_EQ(::utimensat(AT_FDCWD, OnDisk().c_str(), times, 0), 0);
    }

    // Rewrites the shared file in place with the modification time it had: what a change within
    // the same second looks like to a location that keeps whole seconds.
    void RewriteKeepingItsTime(const std::string& bytes)
    {
        struct stat before
        {};
        ASSERT_EQ(::stat(OnDisk().c_str(), &before), 0);
        WriteBytes(OnDisk(), bytes);
        const timespec times[2] = {before.st_atim, before.st_mtim};
        ASSERT_EQ(::utimensat(AT_FDCWD, OnDisk().c_str(), times, 0), 0);
    }

    [[nodiscard]] int BodiesServedOverHttp() const
    {
        const std::string log = ReadBytes(TestServers::FtpRoot() / ".http-bodies");
        return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
    }

    QTemporaryDir m_data;
    GroupFetchPaths m_paths;
    FetchMemory m_memory;
    FakeStoreClock m_clock;
};

TEST_P(GroupFetchTest, UnchangedPullsMoveNoBodyButAChangeInTheSameSecondArrives)
{
    const std::string first = GroupFile("First!");
    const std::string second = GroupFile("Second");
    ASSERT_EQ(first.size(), second.size());
    WriteBytes(OnDisk(), first);
    // Ahead of every clock: however long the test takes, the file's second has not ended.
    SetModified(std::chrono::system_clock::now() + 1h);

    GroupFetchOutcome outcome = Fetch(Group());
    ASSERT_EQ(outcome.What, Status::Fetched) << outcome.Detail;
    EXPECT_EQ(ReadBytes(m_paths.LocalCopy), first);

    // Changed right after that look, keeping size and time: the next pull must not trust them yet.
    RewriteKeepingItsTime(second);
    m_clock.Advance(2s);
    outcome = Fetch(Group());
    ASSERT_EQ(outcome.What, Status::Fetched) << outcome.Detail;
    EXPECT_EQ(ReadBytes(m_paths.LocalCopy), second);

    // Seen unchanged a second or more apart: now the file stays where it is.
    m_clock.Advance(60s);
    const int bodiesBefore = BodiesServedOverHttp();
    outcome = Fetch(Group());
    EXPECT_EQ(outcome.What, Status::Unchanged);
    EXPECT_EQ(outcome.BodyBytes, 0U);
    EXPECT_EQ(BodiesServedOverHttp(), bodiesBefore);

    // A local copy that is missing or was changed is fetched whatever the location says.
    std::filesystem::remove(m_paths.LocalCopy);
    outcome = Fetch(Group());
    EXPECT_EQ(outcome.What, Status::Fetched);
    EXPECT_EQ(outcome.BodyBytes, second.size());
    EXPECT_EQ(ReadBytes(m_paths.LocalCopy), second);

    // A web server's own clock can show that the file's second had ended before it answered:
    // then one download is enough.
    if (GetParam() == Kind::Http) {
        SetModified(std::chrono::system_clock::now() - 1h);
        EXPECT_EQ(Fetch(Group()).What, Status::Fetched);
        EXPECT_EQ(Fetch(Group()).What, Status::Unchanged);
    }
}

TEST_P(GroupFetchTest, NothingHostileReplacesTheLastGoodCopy)
{
    struct Case
    {
        std::string Why;
        std::string Location;
        Status Expected;
        bool KeptAside;
    };
    std::vector<Case> cases;
    WriteBytes(OnDisk("page.dat"), "<html><body>Service unavailable</body></html>");
    WriteBytes(OnDisk("other.dat"), SealGroupFile({}, "another password"));
    cases.push_back({"not a group file", Location("page.dat"), Status::Rejected, true});
    cases.push_back({"another password", Location("other.dat"), Status::Rejected, true});
    switch (GetParam()) {
    case Kind::Folder:
        ASSERT_EQ(::mkfifo(OnDisk("pipe.dat").c_str(), 0600), 0);
        std::filesystem::create_symlink("/dev/zero", OnDisk("zero.dat"));
        cases.push_back({"a named pipe", Location("pipe.dat"), Status::Failed, false});
        cases.push_back({"a link to an endless device", Location("zero.dat"), Status::Failed, false});
        break;
    case Kind::Ftp:
        WriteBytes(OnDisk("short.dat.cut"), GroupFile("Cut short"));
        cases.push_back({"a transfer that ends early", Location("short.dat.cut"), Status::Failed, true});
        break;
    case Kind::Http:
        cases.push_back({"an error page with status 200", TestServers::HttpUrl("/status/200"), Status::Rejected, true});
        cases.push_back({"an endless body", TestServers::HttpUrl("/endless"), Status::Failed, false});
        cases.push_back({"a 5 GB length", TestServers::HttpUrl("/huge"), Status::Failed, false});
        break;
    default:
        break;
    }
    TransferSettings settings = Settings();
    settings.SizeLimit = 1024 * 1024;
    const std::string good = GroupFile("Good");
    for (const Case& c : cases) {
        WriteBytes(m_paths.LocalCopy, good);
        std::filesystem::remove(m_paths.RejectedCopy);
        TBWListLocation group = Group();
        group.Location = c.Location;
        const auto start = std::chrono::steady_clock::now();
        const GroupFetchOutcome outcome = Fetch(group, settings);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << c.Why;
        EXPECT_EQ(outcome.What, c.Expected) << c.Why << ": " << outcome.Detail;
        EXPECT_FALSE(outcome.Detail.empty()) << c.Why;
        EXPECT_EQ(ReadBytes(m_paths.LocalCopy), good) << c.Why;
        EXPECT_EQ(std::filesystem::exists(m_paths.RejectedCopy), c.KeptAside) << c.Why;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, GroupFetchTest,
                         ::testing::Values(Kind::Folder, Kind::Ftp, Kind::Http, Kind::FtpTls, Kind::Sftp, Kind::WebDav),
                         KindName);

} // namespace
