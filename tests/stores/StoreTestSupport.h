#pragma once

#include "CancelSignal.h"
#include "GroupStore.h"
#include "StoreClock.h"
#include "TBWItem.h"
#include "TBWListLocation.h"
#include "TransferSettings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The kinds of location the store tests run over: every test is one behaviour, checked for each.
enum class Kind
{
    Folder,
    Ftp,
    Http,
    FtpTls, // vsftpd: explicit TLS, passive mode
    Sftp,   // sshd, with the test's key
    WebDav, // Apache httpd with mod_dav, over HTTPS, with an account
};
// The kinds a group file can be written on.
[[nodiscard]] ::testing::internal::ParamGenerator<Kind> WritableKinds();
[[nodiscard]] std::string KindName(const ::testing::TestParamInfo<Kind>& info);

// Time that passes only when a lock or a publish pauses: bounds of minutes pass at once.
class FakeStoreClock final : public StoreClock
{
public:
    [[nodiscard]] std::int64_t UtcSeconds() const override;
    [[nodiscard]] Steady::time_point Now() const override { return m_start + m_passed; }
    void Pause(std::chrono::milliseconds duration) override { m_passed += duration; }
    void Advance(std::chrono::milliseconds duration) { m_passed += duration; }

private:
    Steady::time_point m_start = Steady::now();
    std::chrono::milliseconds m_passed{0};
};

// A folder of its own for the test, reached through the location kind of the parameter: a folder
// under the system's temporary folder, or one in the FTP server's home that the HTTP server serves
// too. Files are checked and planted through the file system in every case.
class StoreTest : public ::testing::TestWithParam<Kind>
{
protected:
    StoreTest();
    ~StoreTest() override;

    // The location text of a group file of that name, for the parameter's kind.
    [[nodiscard]] std::string Location(const std::string& fileName = "team.dat") const;
    [[nodiscard]] std::filesystem::path OnDisk(const std::string& fileName = "team.dat") const;
    [[nodiscard]] TBWListLocation Group(const std::string& fileName = "team.dat") const;
    [[nodiscard]] std::unique_ptr<GroupStore> Open(const std::string& fileName = "team.dat");
    [[nodiscard]] static TransferSettings Settings();
    [[nodiscard]] static TBWItem Message(std::int32_t id, const std::string& title);
    // Names in the test's folder, sorted.
    [[nodiscard]] std::vector<std::string> Names() const;

    std::filesystem::path m_folder;
    CancelSignal m_cancel;

private:
    // Apache writes as www-data: what the test plants in the folder must be its to change too.
    std::optional<mode_t> m_umask;
};

// A store that lets a test step in before any operation: to refuse it, or to act as another
// member would at that very moment.
class ScriptedStore final : public GroupStore
{
public:
    // Called with the operation's name ("Put", "Rename", ...) and the first name it acts on; a
    // result given back is returned instead of doing the operation.
    using Hook = std::function<std::optional<StoreResult>(const std::string& operation, const std::string& name)>;

    ScriptedStore(GroupStore& inner, Hook before) : m_inner(inner), m_before(std::move(before)) {}

    [[nodiscard]] const std::string& SharedName() const override { return m_inner.SharedName(); }
    [[nodiscard]] Abilities Can() const override { return m_inner.Can(); }
    FetchResult Fetch(const std::string& name, const FileValidator* unlessSame) override;
    StoreResult Stat(const std::string& name, FileValidator& validator) override;
    StoreResult MakeFolder(const std::string& name) override;
    StoreResult RemoveFolder(const std::string& name) override;
    StoreResult Put(const std::string& name, std::string_view bytes) override;
    StoreResult Rename(const std::string& from, const std::string& to) override;
    StoreResult Delete(const std::string& name) override;
    StoreResult List(std::vector<std::string>& names) override;

private:
    GroupStore& m_inner;
    Hook m_before;
};
