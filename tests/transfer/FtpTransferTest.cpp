// FTP uploads and downloads against the fixture's active-mode-only server on 127.0.0.1:21.
#include "TransferNotice.h"
#include "TransferTestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
const std::string User = "bwuser";
const std::string Password = "bwpass";

std::string Ftp(const std::string& path)
{
    return "ftp://127.0.0.1/" + path;
}
} // namespace

class FtpTransferTest : public TransferTest
{
protected:
    // A group file with the bytes that trip text-mode transfers: CR LF, lone LF, NUL, high bytes.
    const std::string m_bytes = std::string("BW\r\n\n\0\xff\x80 list\r\n", 13) + PatternBytes(70000);

    // Uploads the group's local copy, then downloads it again into a second group's local copy.
    void RoundTrip(const std::string& location, const fs::path& expectedOnServer)
    {
        WriteBytes(LocalCopy("Up"), m_bytes);
        auto up = m_center->NewBatch();
        ASSERT_TRUE(up.UploadGroupFile(MakeGroup("Up", location, User, Password)));
        EXPECT_TRUE(up.WaitForTransfers());
        EXPECT_EQ(up.Outcome("Up"), TransferOutcome::Done) << location;
        EXPECT_TRUE(SameBytes(ReadBytes(expectedOnServer), m_bytes)) << location;

        auto down = m_center->NewBatch();
        ASSERT_TRUE(down.DownloadGroupFile(MakeGroup("Down", location, User, Password)));
        EXPECT_TRUE(down.WaitForTransfers());
        EXPECT_EQ(down.Outcome("Down"), TransferOutcome::Done) << location;
        EXPECT_TRUE(SameBytes(ReadBytes(LocalCopy("Down")), m_bytes)) << location;
        EXPECT_TRUE(StrayFiles({"Up", "Down"}).empty());
    }
};

TEST_F(FtpTransferTest, InTheLoginFolder)
{
    RoundTrip(Ftp("login-folder.dat"), TestServers::FtpRoot() / "login-folder.dat");
}

TEST_F(FtpTransferTest, InASubFolder)
{
    fs::create_directories(TestServers::FtpRoot() / "sub" / "a" / "b");
    RoundTrip(Ftp("sub/a/b/list.dat"), TestServers::FtpRoot() / "sub" / "a" / "b" / "list.dat");
}

TEST_F(FtpTransferTest, InAnAbsoluteFolder)
{
    fs::create_directories(TestServers::FtpRoot() / "abs" / "a");
    RoundTrip(Ftp("/abs/a/list.dat"), TestServers::FtpRoot() / "abs" / "a" / "list.dat");
}

TEST_F(FtpTransferTest, AFolderThatCannotBeEnteredIsIgnored)
{
    // The change of folder fails and the file goes to the login folder, as with the peers.
    RoundTrip(Ftp("no-such-folder/ignored-folder.dat"), TestServers::FtpRoot() / "ignored-folder.dat");
    EXPECT_FALSE(fs::exists(TestServers::FtpRoot() / "no-such-folder"));
}

TEST_F(FtpTransferTest, NoticesOfUploadAndDownload)
{
    WriteBytes(LocalCopy("N"), "notice test");
    const std::uint64_t up = m_center->StartFtpUpload(Ftp("notices.dat"), LocalCopy("N").string(), User, Password);
    ASSERT_TRUE(WaitUntil([&] { return m_recorder.Codes[up].size() >= 2; }, std::chrono::seconds(10)));
    const std::uint64_t down = m_center->StartFtpDownload(Ftp("notices.dat"), LocalCopy("M").string(), User, Password);
    ASSERT_TRUE(WaitUntil([&] { return m_recorder.Codes[down].size() >= 2; }, std::chrono::seconds(10)));
    ProcessNotices();

    EXPECT_EQ(m_recorder.Codes[up], (std::vector<int>{UploadStarted, UploadDone}));
    EXPECT_EQ(m_recorder.Codes[down], (std::vector<int>{DownloadStarted, DownloadDone}));
    EXPECT_EQ(ReadBytes(LocalCopy("M")), "notice test");
}

TEST_F(FtpTransferTest, UnusableAddressesAndLoginsFail)
{
    fs::create_directories(TestServers::FtpRoot() / "fail");
    WriteBytes(TestServers::FtpRoot() / "fail" / "list.dat", "on the server");
    WriteBytes(TestServers::FtpRoot() / "anonymous" / "list.dat", "anonymous file");
    const std::vector<TBWListLocation> groups = {
        MakeGroup("WrongPassword", Ftp("fail/list.dat"), User, "wrong"),
        // Sent as an empty USER, which the server refuses; an anonymous login would have worked.
        MakeGroup("EmptyUser", Ftp("list.dat"), "", ""),
        MakeGroup("NoHost", "ftp://host", User, Password),
        MakeGroup("NoFileName", Ftp("fail/"), User, Password),
        // The port stays in the host name, as with the peers, so even the right port fails.
        MakeGroup("Port", "ftp://127.0.0.1:21/fail/list.dat", User, Password),
        MakeGroup("UserInAddress", "ftp://bwuser@127.0.0.1/fail/list.dat", User, Password),
        // A line break would smuggle a second command to the server.
        MakeGroup("Injected", Ftp("fail\r\nDELE list.dat/list.dat"), User, Password),
    };
    auto down = m_center->NewBatch();
    for (const TBWListLocation& group : groups) {
        WriteBytes(LocalCopy(group.Name), "kept");
        ASSERT_TRUE(down.DownloadGroupFile(group)) << group.Name;
    }
    WriteBytes(LocalCopy("Missing"), "kept");
    ASSERT_TRUE(down.DownloadGroupFile(MakeGroup("Missing", Ftp("fail/missing.dat"), User, Password)));
    EXPECT_TRUE(down.WaitForTransfers());
    // Only a file the server says is not there counts as missing; a refused login does not.
    EXPECT_EQ(down.Outcome("Missing"), TransferOutcome::Missing);
    EXPECT_EQ(ReadBytes(LocalCopy("Missing")), "kept");
    auto up = m_center->NewBatch();
    for (const TBWListLocation& group : groups) {
        ASSERT_TRUE(up.UploadGroupFile(group)) << group.Name;
    }
    EXPECT_TRUE(up.WaitForTransfers());

    for (const TBWListLocation& group : groups) {
        EXPECT_EQ(down.Outcome(group.Name), TransferOutcome::Failed) << group.Name;
        EXPECT_EQ(up.Outcome(group.Name), TransferOutcome::Failed) << group.Name;
        EXPECT_EQ(ReadBytes(LocalCopy(group.Name)), "kept") << group.Name;
    }
    EXPECT_EQ(ReadBytes(TestServers::FtpRoot() / "fail" / "list.dat"), "on the server");
    EXPECT_EQ(ReadBytes(TestServers::FtpRoot() / "anonymous" / "list.dat"), "anonymous file");
}
