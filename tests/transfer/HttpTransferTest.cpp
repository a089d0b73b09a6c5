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
    struct Case
    {
        std::string Name;
        std::string Url;
        TransferOutcome Outcome;
    };
    // Only an answer that says there is no such file counts as missing.
    const std::vector<Case> cases = {
        {"NotFound", TestServers::HttpUrl("/status/404"), TransferOutcome::Missing},
        {"Gone", TestServers::HttpUrl("/status/410"), TransferOutcome::Missing},
        {"ServerError", TestServers::HttpUrl("/status/500"), TransferOutcome::Failed},
        {"Forbidden", TestServers::HttpUrl("/status/403"), TransferOutcome::Failed},
        // a redirect without a target
        {"NoContentYet", TestServers::HttpUrl("/status/302"), TransferOutcome::Failed},
        {"Stalled", TestServers::HttpUrl("/silent"), TransferOutcome::Failed},
        {"Cut", TestServers::HttpUrl("/cut/4000"), TransferOutcome::Failed},
        {"PlainToTls", TestServers::HttpsUrl("/body/10").replace(0, 5, "http"), TransferOutcome::Failed},
        {"NoServer", "http://127.0.0.1:1/list.dat", TransferOutcome::Failed},
        {"NotAnAddress", "httpish nonsense", TransferOutcome::Failed},
    };
    SetStallTimeout(std::chrono::milliseconds(1500));
    auto batch = m_center->NewBatch();
    for (const Case& c : cases) {
        WriteBytes(LocalCopy(c.Name), "good old copy of " + c.Name);
        ASSERT_TRUE(batch.DownloadGroupFile(MakeGroup(c.Name, c.Url))) << c.Name;
    }

    EXPECT_TRUE(batch.WaitForTransfers());

    std::vector<std::string> names;
    for (const Case& c : cases) {
        EXPECT_EQ(batch.Outcome(c.Name), c.Outcome) << c.Name;
        EXPECT_EQ(ReadBytes(LocalCopy(c.Name)), "good old copy of " + c.Name) << c.Name;
        names.push_back(c.Name);
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
