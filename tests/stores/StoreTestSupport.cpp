#include "StoreTestSupport.h"

#include "OpenGroupStore.h"
#include "TransferTestSupport.h"

#include <algorithm>
#include <random>

std::string KindName(const ::testing::TestParamInfo<Kind>& info)
{
    switch (info.param) {
    case Kind::Folder:
        return "Folder";
    case Kind::Ftp:
        return "Ftp";
    case Kind::Http:
        return "Http";
    case Kind::FtpTls:
        return "FtpTls";
    case Kind::Sftp:
        return "Sftp";
    case Kind::WebDav:
        return "WebDav";
    }
    return "Unknown";
}

::testing::internal::ParamGenerator<Kind> WritableKinds()
{
    return ::testing::Values(Kind::Folder, Kind::Ftp, Kind::FtpTls, Kind::Sftp, Kind::WebDav);
}

std::int64_t FakeStoreClock::UtcSeconds() const
{
    const auto real = std::chrono::system_clock::now().time_since_epoch() + m_passed;
    return std::chrono::duration_cast<std::chrono::seconds>(real).count();
}

StoreTest::StoreTest()
{
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::string folder = "stores-" + test;
    std::replace(folder.begin(), folder.end(), '/', '-');
    if (GetParam() == Kind::Folder) {
        m_folder = std::filesystem::temp_directory_path() / (folder + "-" + std::to_string(std::random_device{}()));
    } else {
        m_folder = TestServers::FtpRoot() / folder;
    }
    if (GetParam() == Kind::WebDav) {
        m_umask = ::umask(0);
    }
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
}

StoreTest::~StoreTest()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
    if (m_umask) {
        ::umask(*m_umask);
    }
}

std::string StoreTest::Location(const std::string& fileName) const
{
    switch (GetParam()) {
    case Kind::Folder:
        return (m_folder / fileName).string();
    case Kind::Ftp:
        // Relative to the login folder, so that the store has to enter it on every operation.
        return "ftp://127.0.0.1/" + m_folder.filename().string() + "/" + fileName;
    case Kind::Http:
        return TestServers::HttpUrl("/file/" + m_folder.filename().string() + "/" + fileName);
    case Kind::FtpTls:
        return "ftp://127.0.0.1:" + std::to_string(TestServers::TlsFtpPort) + "/" + m_folder.filename().string() + "/" +
               fileName;
    case Kind::Sftp:
        return "sftp://127.0.0.1:" + std::to_string(TestServers::SftpPort) + (m_folder / fileName).string();
    case Kind::WebDav:
        return "https://127.0.0.1:" + std::to_string(TestServers::WebDavPort) + "/dav/" + m_folder.filename().string() +
               "/" + fileName;
    }
    return {};
}

std::filesystem::path StoreTest::OnDisk(const std::string& fileName) const
{
    return m_folder / fileName;
}

TBWListLocation StoreTest::Group(const std::string& fileName) const
{
    TBWListLocation group = MakeGroup("Team", Location(fileName), "bwuser", "bwpass");
    if (GetParam() == Kind::FtpTls) {
        group.Options.Tls = FtpSecurity::Explicit;
        group.Options.Passive = true;
    } else if (GetParam() == Kind::Sftp) {
        group.FtpUser = "root";
        group.FtpPassword.clear();
        group.Options.SshKey = (TestServers::SshFolder() / "id_ed25519").string();
    }
    return group;
}

std::unique_ptr<GroupStore> StoreTest::Open(const std::string& fileName)
{
    return OpenGroupStore(Group(fileName), Settings(), m_cancel);
}

TransferSettings StoreTest::Settings()
{
    TransferSettings settings;
    settings.ConnectTimeout = std::chrono::seconds(5);
    settings.StallTimeout = std::chrono::seconds(10);
    settings.CaFile = TestServers::CaFile();
    settings.KnownHostsFile = (TestServers::SshFolder() / "known_hosts").string();
    return settings;
}

TBWItem StoreTest::Message(std::int32_t id, const std::string& title)
{
    TBWItem item;
    item.Id = id;
    item.Title = title;
    item.Author = "Ann";
    item.DueTime = 46363.375;
    item.ActivateAllDays();
    return item;
}

std::vector<std::string> StoreTest::Names() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

FetchResult ScriptedStore::Fetch(const std::string& name, const FileValidator* unlessSame)
{
    if (auto result = m_before("Fetch", name)) {
        return FetchResult{*result, false, {}, {}, 0};
    }
    return m_inner.Fetch(name, unlessSame);
}

namespace {
// Runs the operation only when the hook lets it.
template <typename Call>
StoreResult Scripted(const ScriptedStore::Hook& hook, const char* operation, const std::string& name, Call call)
{
    if (auto result = hook(operation, name)) {
        return *result;
    }
    return call();
}
} // namespace

StoreResult ScriptedStore::Stat(const std::string& name, FileValidator& validator)
{
    return Scripted(m_before, "Stat", name, [&] { return m_inner.Stat(name, validator); });
}

StoreResult ScriptedStore::MakeFolder(const std::string& name)
{
    return Scripted(m_before, "MakeFolder", name, [&] { return m_inner.MakeFolder(name); });
}

StoreResult ScriptedStore::RemoveFolder(const std::string& name)
{
    return Scripted(m_before, "RemoveFolder", name, [&] { return m_inner.RemoveFolder(name); });
}

StoreResult ScriptedStore::Put(const std::string& name, std::string_view bytes)
{
    return Scripted(m_before, "Put", name, [&] { return m_inner.Put(name, bytes); });
}

StoreResult ScriptedStore::Rename(const std::string& from, const std::string& to)
{
    return Scripted(m_before, "Rename", from, [&] { return m_inner.Rename(from, to); });
}

StoreResult ScriptedStore::Delete(const std::string& name)
{
    return Scripted(m_before, "Delete", name, [&] { return m_inner.Delete(name); });
}

StoreResult ScriptedStore::List(std::vector<std::string>& names)
{
    return Scripted(m_before, "List", {}, [&] { return m_inner.List(names); });
}
