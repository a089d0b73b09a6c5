// What guards the secure kinds of location: the server's certificate or host key, the account,
// and a web server's own check of the version a writer read.
#include "GroupFetch.h"
#include "GroupFileBytes.h"
#include "KnownHosts.h"
#include "LockedPublish.h"
#include "OpenGroupStore.h"
#include "StoreTestSupport.h"
#include "TransferTestSupport.h"

#include <QTemporaryDir>

#include <cstdio>

namespace {

using Status = GroupFetchOutcome::Status;
const std::string Password = "team pw";

// What a command prints: the fingerprints are worked out by OpenSSL's and OpenSSH's own tools.
std::string Output(const std::string& command)
{
    std::string text;
    FILE* pipe = ::popen(command.c_str(), "r");
    for (int c = 0; pipe != nullptr && (c = std::fgetc(pipe)) != EOF;) {
        text += static_cast<char>(c);
    }
    if (pipe != nullptr) {
        ::pclose(pipe);
    }
    return text;
}

class SecureLocation : public StoreTest
{
protected:
    SecureLocation() { WriteBytes(OnDisk(), SealGroupFile({}, Password)); }

    GroupFetchOutcome Fetch(const TBWListLocation& group, const TransferSettings& settings)
    {
        const auto store = OpenGroupStore(group, settings, m_cancel);
        FetchMemory memory;
        SystemStoreClock clock;
        return FetchGroupFile(*store, Password, {m_data / "Team", m_data / "Team.rejected"}, memory, clock);
    }

    PublishOutcome Publish(GroupStore& store, const std::string& title)
    {
        SystemStoreClock clock;
        ChangeSet changes;
        changes.Put(Message(static_cast<std::int32_t>(title.size()), title));
        LockedPublish publish(store, clock, &m_cancel, m_memory, ThisProcessAsOwner("Ann"), {});
        return publish.Run(Password, changes);
    }

    [[nodiscard]] std::vector<std::string> Titles(const std::filesystem::path& file) const
    {
        TBWItemList items;
        EXPECT_TRUE(OpenGroupFile(ReadBytes(file), Password, items).IsOk());
        std::vector<std::string> titles;
        for (const auto& item : items) {
            titles.push_back(item->Title);
        }
        return titles;
    }

    QTemporaryDir m_scratch;
    std::filesystem::path m_data{m_scratch.path().toStdString()};
    PublishMemory m_memory;
};

using ServerTrust = SecureLocation;

TEST_P(ServerTrust, AServerNotTrustedIsRefusedAndShownByItsFingerprint)
{
    TransferSettings untrusting = Settings();
    untrusting.CaFile.clear();
    untrusting.KnownHostsFile = (m_data / "known_hosts").string();
    std::vector<TBWListLocation> groups = {Group()};
    if (GetParam() == Kind::FtpTls) {
        // Implicit TLS, from the address alone.
        groups.push_back(Group());
        groups.back().Location = "ftps://127.0.0.1:" + std::to_string(TestServers::ImplicitTlsFtpPort) + "/" +
                                 m_folder.filename().string() + "/team.dat";
        groups.back().Options.Tls = FtpSecurity::None;
    }
    const std::string state = TestServers::StateDir().string();
    for (const TBWListLocation& group : groups) {
        std::filesystem::remove(m_data / "Team");
        const GroupFetchOutcome refused = Fetch(group, untrusting);
        ASSERT_EQ(refused.What, Status::Failed) << group.Location;
        EXPECT_FALSE(std::filesystem::exists(m_data / "Team"));
        if (GetParam() == Kind::Sftp) {
            EXPECT_EQ(refused.Cause, StoreCause::HostKeyUnknown) << refused.Detail;
            const std::string shown = Output("ssh-keygen -l -E sha256 -f " + state + "/ssh/host_ed25519.pub");
            EXPECT_NE(shown.find(refused.Server.Fingerprint), std::string::npos) << shown;
            EXPECT_NE(refused.Detail.find(refused.Server.Fingerprint), std::string::npos);
        } else {
            EXPECT_EQ(refused.Cause, StoreCause::Certificate) << refused.Detail;
            const std::string shown = Output("openssl x509 -noout -fingerprint -sha256 -in " + state + "/server.pem");
            ASSERT_FALSE(refused.Server.Fingerprint.empty()) << refused.Detail;
            EXPECT_NE(shown.find(refused.Server.Fingerprint), std::string::npos) << shown;
        }
        // With the group's own certificate authority the same server is fine.
        TBWListLocation withCa = group;
        withCa.Options.CaFile = TestServers::CaFile();
        if (GetParam() != Kind::Sftp) {
            EXPECT_EQ(Fetch(withCa, untrusting).What, Status::Fetched) << group.Location;
        }
    }
    if (GetParam() != Kind::Sftp) {
        return;
    }
    // Trusted once the user says so; a key that changed afterwards is refused, and never trusted
    // along the way.
    const GroupFetchOutcome first = Fetch(Group(), untrusting);
    KnownHosts::Trust(untrusting.KnownHostsFile, first.Server);
    EXPECT_EQ(Fetch(Group(), untrusting).What, Status::Fetched);
    const std::string other = ReadBytes(TestServers::SshFolder() / "id_ed25519.pub");
    WriteBytes(untrusting.KnownHostsFile, first.Server.Host + " " + other);
    const std::string before = ReadBytes(untrusting.KnownHostsFile);
    const GroupFetchOutcome changed = Fetch(Group(), untrusting);
    EXPECT_EQ(changed.Cause, StoreCause::HostKeyChanged) << changed.Detail;
    EXPECT_EQ(ReadBytes(untrusting.KnownHostsFile), before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ServerTrust, ::testing::Values(Kind::FtpTls, Kind::Sftp, Kind::WebDav), KindName);

using WebLocation = SecureLocation;

TEST_P(WebLocation, AWebServerWithoutWebDavOrWithoutHttpsIsOnlyRead)
{
    const std::string before = ReadBytes(OnDisk());
    TBWListLocation plain = Group();
    plain.Location = "https://127.0.0.1:" + std::to_string(TestServers::WebDavPort) + "/plain/" +
                     m_folder.filename().string() + "/team.dat";
    // Port 1: nothing listens there, so a request that went out would fail otherwise.
    TBWListLocation clear = Group();
    clear.Location = "http://127.0.0.1:1/dav/team.dat";
    for (const auto& [group, cause] :
         {std::pair{plain, StoreCause::ReadOnly}, std::pair{clear, StoreCause::PlainLogin}}) {
        const auto store = OpenGroupStore(group, Settings(), m_cancel);
        EXPECT_EQ(store->CheckWritable().Cause, cause) << group.Location;
        const PublishOutcome outcome = Publish(*store, "Not sent");
        EXPECT_EQ(outcome.What, PublishOutcome::Problem::ReadOnly) << outcome.Detail;
    }
    EXPECT_EQ(Fetch(plain, Settings()).What, Status::Fetched);
    EXPECT_EQ(ReadBytes(OnDisk()), before);
}

TEST_P(WebLocation, AnotherWriterInBetweenIsCaughtByTheServerAndMergedWith)
{
    // A folder with a space, as a Nextcloud address has them: %-escaped in the address.
    std::filesystem::create_directories(OnDisk("Team Files"));
    const std::filesystem::path shared = OnDisk("Team Files") / "reminders.dat";
    TBWListLocation group = Group();
    group.Location = "https://127.0.0.1:" + std::to_string(TestServers::WebDavPort) + "/dav/" +
                     m_folder.filename().string() + "/Team%20Files/reminders.dat";
    const auto inner = OpenGroupStore(group, Settings(), m_cancel);
    ASSERT_TRUE(Publish(*inner, "First").IsDone());
    // Apache tags a file changed within the last second weakly, and a weak tag guards nothing.
    std::filesystem::last_write_time(shared, std::filesystem::last_write_time(shared) - std::chrono::hours(1));
    // Stored in place (no temporary name), where only the server's If-Match sees the other writer.
    m_memory.StoreInPlace = true;
    bool cameInBetween = false;
    ScriptedStore store(*inner, [&](const std::string& operation, const std::string& name) {
        if (operation == "Put" && name == "reminders.dat" && !cameInBetween) {
            cameInBetween = true;
            TBWItemList items;
            EXPECT_TRUE(OpenGroupFile(ReadBytes(shared), Password, items).IsOk());
            items.push_back(std::make_unique<TBWItem>(Message(99, "Bob's, without the lock")));
            // Its own size, so that the server's tag changes even within the same second.
            WriteBytes(shared, SealGroupFile(items, Password) + std::string(16, '\0'));
        }
        return std::optional<StoreResult>();
    });
    const PublishOutcome outcome = Publish(store, "Second");
    ASSERT_TRUE(outcome.IsDone()) << outcome.Detail;
    EXPECT_TRUE(cameInBetween);
    EXPECT_EQ(Titles(shared), (std::vector<std::string>{"First", "Bob's, without the lock", "Second"}));
}

INSTANTIATE_TEST_SUITE_P(Kinds, WebLocation, ::testing::Values(Kind::WebDav), KindName);

} // namespace
