#pragma once

#include "EventWait.h"
#include "TestFiles.h"
#include "TransferCenter.h"
#include "model/TBWListLocation.h"

#include <QObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Where the fixture's servers are (set by CTest through BW_TRANSFER_SERVERS).
namespace TestServers {
[[nodiscard]] std::filesystem::path StateDir();
[[nodiscard]] std::string HttpUrl(const std::string& path);
[[nodiscard]] std::string HttpsUrl(const std::string& path);
[[nodiscard]] std::string CaFile();
[[nodiscard]] std::filesystem::path FtpRoot();
// The SSH server's test files: the user's key (id_ed25519) and known_hosts trusting the server.
[[nodiscard]] std::filesystem::path SshFolder();
inline constexpr int TlsFtpPort = 2121;
inline constexpr int ImplicitTlsFtpPort = 2990;
inline constexpr int SftpPort = 2222;
inline constexpr int WebDavPort = 8443;
} // namespace TestServers

// The bytes the HTTP server sends for /body/N.
[[nodiscard]] std::string PatternBytes(std::size_t size);
// Compares file contents without printing kilobytes of binary on a mismatch.
[[nodiscard]] ::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected);
[[nodiscard]] TBWListLocation MakeGroup(const std::string& name, const std::string& location,
                                        const std::string& ftpUser = {}, const std::string& ftpPassword = {});
// Threads of this process right now.
[[nodiscard]] int ThreadCount();
// The names of this process's threads right now, for a failure message.
[[nodiscard]] std::string ThreadNames();
// Open file descriptors of this process right now.
[[nodiscard]] int OpenFileCount();

// Receives the notices the center passes on, as the main window does.
class NoticeRecorder : public QObject
{
public:
    // Codes in arrival order, per transfer id.
    std::map<std::uint64_t, std::vector<int>> Codes;

protected:
    bool event(QEvent* event) override;
};

// A data folder with its BWLists folder, and a center over it whose notices go to a recorder.
class TransferTest : public ::testing::Test
{
protected:
    TransferTest();

    [[nodiscard]] std::filesystem::path DataFolder() const;
    [[nodiscard]] std::filesystem::path LocalCopy(const std::string& groupName) const;
    // Files in BWLists other than the local copies named: left-over temporary files.
    [[nodiscard]] std::vector<std::string> StrayFiles(const std::vector<std::string>& expected) const;
    // Handles the notices already posted (the center's, then the recorder's copies).
    static void ProcessNotices();
    // The fixture trusts the test CA and gives up on a silent server after 10 s.
    void SetStallTimeout(std::chrono::milliseconds timeout);

    QTemporaryDir m_folder;
    NoticeRecorder m_recorder;
    std::unique_ptr<TransferCenter> m_center;
};
