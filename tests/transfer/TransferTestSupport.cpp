#include "TransferTestSupport.h"

#include "TransferNoticeEvent.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace TestServers {
std::filesystem::path StateDir()
{
    const char* dir = std::getenv("BW_TRANSFER_SERVERS");
    if (dir == nullptr) {
        ADD_FAILURE() << "BW_TRANSFER_SERVERS is not set; run the tests through ctest";
        return "/nonexistent";
    }
    return dir;
}

static std::string Port(const char* file)
{
    std::string port = ReadBytes(StateDir() / file);
    while (!port.empty() && (port.back() == '\n' || port.back() == '\r')) {
        port.pop_back();
    }
    return port;
}

std::string HttpUrl(const std::string& path)
{
    return "http://127.0.0.1:" + Port("http.port") + path;
}

std::string HttpsUrl(const std::string& path)
{
    return "https://127.0.0.1:" + Port("https.port") + path;
}

std::string CaFile()
{
    return (StateDir() / "ca.pem").string();
}

std::filesystem::path FtpRoot()
{
    return StateDir() / "ftp-root";
}

std::filesystem::path SshFolder()
{
    return StateDir() / "ssh";
}
} // namespace TestServers

std::string PatternBytes(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + 3) % 256);
    }
    return bytes;
}

::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected)
{
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    const auto mismatch = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    return ::testing::AssertionFailure() << actual.size() << " bytes instead of " << expected.size()
                                         << ", first difference at offset " << (mismatch.first - actual.begin());
}

TBWListLocation MakeGroup(const std::string& name, const std::string& location, const std::string& ftpUser,
                          const std::string& ftpPassword)
{
    TBWListLocation group;
    group.Name = name;
    group.Location = location;
    group.FtpUser = ftpUser;
    group.FtpPassword = ftpPassword;
    group.Enabled = true;
    group.DetectLocationKind();
    return group;
}

static int EntryCount(const char* folder)
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

int ThreadCount()
{
    // ThreadSanitizer starts a helper thread of its own along with the first thread the program
    // starts. One started and ended here first makes that helper part of every count.
    [[maybe_unused]] static const bool helperStarted = [] {
        std::thread([] {}).join();
        return true;
    }();
    // Qt's thread pools (the painter borrows from them) keep idle workers for half a minute; they are
    // not the program's threads.
    int count = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        count += name == "Thread (pooled)" ? 0 : 1;
    }
    return count;
}

std::string ThreadNames()
{
    std::string names;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        names += (names.empty() ? "" : ", ") + name;
    }
    return names;
}

int OpenFileCount()
{
    // The iterator's own descriptor is counted both times, so differences are exact.
    return EntryCount("/proc/self/fd");
}

bool NoticeRecorder::event(QEvent* event)
{
    if (event->type() != TransferNoticeEvent::EventType()) {
        return QObject::event(event);
    }
    const auto* notice = static_cast<TransferNoticeEvent*>(event);
    Codes[notice->TransferId()].push_back(notice->Code());
    return true;
}

TransferTest::TransferTest()
{
    std::filesystem::create_directories(LocalCopy("x").parent_path());
    m_center = std::make_unique<TransferCenter>(m_folder.path(), &m_recorder);
    SetStallTimeout(std::chrono::seconds(10));
}

void TransferTest::SetStallTimeout(std::chrono::milliseconds timeout)
{
    TransferSettings settings;
    settings.CaFile = TestServers::CaFile();
    settings.ConnectTimeout = std::chrono::seconds(5);
    settings.StallTimeout = timeout;
    m_center->SetSettings(settings);
}

std::filesystem::path TransferTest::DataFolder() const
{
    return m_folder.path().toStdString();
}

std::filesystem::path TransferTest::LocalCopy(const std::string& groupName) const
{
    return DataFolder() / "BWLists" / groupName;
}

std::vector<std::string> TransferTest::StrayFiles(const std::vector<std::string>& expected) const
{
    std::vector<std::string> stray;
    for (const auto& entry : std::filesystem::directory_iterator(DataFolder() / "BWLists")) {
        const std::string name = entry.path().filename().string();
        if (std::find(expected.begin(), expected.end(), name) == expected.end()) {
            stray.push_back(name);
        }
    }
    return stray;
}

void TransferTest::ProcessNotices()
{
    // Two passes: the center's own notices, then the copies it posted to the recorder.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}
