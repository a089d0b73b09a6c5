// HTTP and HTTPS downloads against the fixture's servers.
#include "TransferNotice.h"
#include "TransferTestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

using HttpTransferTest = TransferTest;

TEST_F(HttpTransferTest, DownloadsBodiesOfAnySizeByteForByte)
{
    WriteBytes(LocalCopy("Big"), "previous");
    auto batch = m_center->NewBatch();
    ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup("Big", TestServers::HttpUrl("/body/300000"))));
    ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup("Empty", TestServers::HttpUrl("/empty"))));
    ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup("Moved", TestServers::HttpUrl("/redirect/77"))));
    ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup("Secure", TestServers::HttpsUrl("/body/5000"))));

    EXPECT_TRUE(batch.WaitForTransfers());

    EXPECT_EQ(batch.Outcome("Big"), TransferOutcome::Done);
    EXPECT_TRUE(SameBytes(ReadBytes(LocalCopy("Big")), PatternBytes(300000)));
    EXPECT_EQ(batch.Outcome("Empty"), TransferOutcome::Done);
    EXPECT_TRUE(fs::exists(LocalCopy("Empty")));
    EXPECT_EQ(fs::file_size(LocalCopy("Empty")), 0U);
    EXPECT_TRUE(SameBytes(ReadBytes(LocalCopy("Moved")), PatternBytes(77)));
    EXPECT_EQ(batch.Outcome("Secure"), TransferOutcome::Done);
    EXPECT_TRUE(SameBytes(ReadBytes(LocalCopy("Secure")), PatternBytes(5000)));
    EXPECT_TRUE(StrayFiles({"Big", "Empty", "Moved", "Secure"}).empty());
}

TEST_F(HttpTransferTest, FailedDownloadsKeepThePreviousLocalCopy)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"NotFound", TestServers::HttpUrl("/status/404")},
        {"ServerError", TestServers::HttpUrl("/status/500")},
        {"NoContentYet", TestServers::HttpUrl("/status/302")}, // a redirect without a target
        {"Stalled", TestServers::HttpUrl("/silent")},
        {"Cut", TestServers::HttpUrl("/cut/4000")},
        {"PlainToTls", TestServers::HttpsUrl("/body/10").replace(0, 5, "http")},
        {"NoServer", "http://127.0.0.1:1/list.dat"},
        {"NotAnAddress", "httpish nonsense"},
    };
    SetStallTimeout(std::chrono::milliseconds(1500));
    auto batch = m_center->NewBatch();
    for (const auto& [name, url] : cases) {
        WriteBytes(LocalCopy(name), "good old copy of " + name);
        ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup(name, url))) << name;
    }

    EXPECT_TRUE(batch.WaitForTransfers());

    std::vector<std::string> names;
    for (const auto& [name, url] : cases) {
        EXPECT_EQ(batch.Outcome(name), TransferOutcome::Failed) << name;
        EXPECT_EQ(ReadBytes(LocalCopy(name)), "good old copy of " + name) << name;
        names.push_back(name);
    }
    EXPECT_TRUE(StrayFiles(names).empty());
}

TEST_F(HttpTransferTest, HttpsNeedsATrustedCertificate)
{
    // Without the test CA only the system's store is trusted, which does not know the server.
    m_center->SetSettings(TransferSettings{});
    auto batch = m_center->NewBatch();
    ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup("Secure", TestServers::HttpsUrl("/body/10"))));
    EXPECT_TRUE(batch.WaitForTransfers());
    EXPECT_EQ(batch.Outcome("Secure"), TransferOutcome::Failed);
    EXPECT_FALSE(fs::exists(LocalCopy("Secure")));
}

TEST_F(HttpTransferTest, EveryWorkerPostsOneStartAndOneFinalNotice)
{
    const std::uint64_t done = m_center->StartHttpDownload(TestServers::HttpUrl("/body/10"), LocalCopy("A").string());
    const std::uint64_t missing =
        m_center->StartHttpDownload(TestServers::HttpUrl("/status/404"), LocalCopy("B").string());
    // The local copy cannot be written: its folder does not exist.
    const std::uint64_t unwritable =
        m_center->StartHttpDownload(TestServers::HttpUrl("/body/10"), (DataFolder() / "nowhere" / "C").string());
    auto batch = m_center->NewBatch();
    // An HTTP location is never written: nothing is started and nothing is posted.
    EXPECT_TRUE(batch.UploadGroupFile(MakeGroup("Web", TestServers::HttpUrl("/body/10"))));
    EXPECT_EQ(batch.Outcome("Web"), TransferOutcome::NotNeeded);
    EXPECT_TRUE(batch.IsFinished());

    EXPECT_TRUE(WaitUntil(
        [&] {
            return m_recorder.Codes[done].size() == 2 && m_recorder.Codes[missing].size() == 2 &&
                   m_recorder.Codes[unwritable].size() == 2;
        },
        std::chrono::seconds(10)));
    ProcessNotices();

    EXPECT_EQ(m_center->PendingTransfers(), 0);
    EXPECT_EQ(m_recorder.Codes.size(), 3U);
    EXPECT_EQ(m_recorder.Codes[done], (std::vector<int>{DownloadStarted, DownloadDone}));
    EXPECT_EQ(m_recorder.Codes[missing], (std::vector<int>{DownloadStarted, TransferFailed}));
    EXPECT_EQ(m_recorder.Codes[unwritable], (std::vector<int>{DownloadStarted, TransferFailed}));
    EXPECT_TRUE(SameBytes(ReadBytes(LocalCopy("A")), PatternBytes(10)));
    EXPECT_FALSE(fs::exists(LocalCopy("B")));
}
