// Groups whose location is a folder path: plain copies on the main thread.
#include "TransferTestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

class FileCopyTest : public TransferTest
{
protected:
    // Stands for the shared folder that the group's members reach.
    fs::path Shared(const std::string& name) const { return DataFolder() / "shared" / name; }

    void SetUp() override { fs::create_directories(DataFolder() / "shared"); }
};

TEST_F(FileCopyTest, UploadReplacesTheSharedFileWholeAndLeavesNoTemporaryFile)
{
    const std::string bytes = std::string("list\r\n\0\xff", 8) + PatternBytes(200000);
    WriteBytes(LocalCopy("Sales"), bytes);
    WriteBytes(Shared("sales.dat"), "old content");
    auto batch = m_center->NewBatch();

    EXPECT_TRUE(batch.UploadGroupFile(MakeGroup("Sales", Shared("sales.dat").string())));

    // A plain copy is done before the call returns; the wait has nothing to wait for.
    EXPECT_EQ(batch.Outcome("Sales"), TransferOutcome::Done);
    EXPECT_TRUE(batch.IsFinished());
    EXPECT_TRUE(SameBytes(ReadBytes(Shared("sales.dat")), bytes));
    EXPECT_EQ(std::distance(fs::directory_iterator(DataFolder() / "shared"), fs::directory_iterator()), 1);
    EXPECT_EQ(m_center->PendingTransfers(), 0);
    ProcessNotices();
    EXPECT_TRUE(m_recorder.Codes.empty());
}

TEST_F(FileCopyTest, DownloadReplacesTheLocalCopy)
{
    WriteBytes(Shared("dev.dat"), "shared bytes");
    WriteBytes(LocalCopy("Dev"), "older local bytes");
    auto batch = m_center->NewBatch();

    EXPECT_TRUE(batch.DownloadGroupFile(MakeGroup("Dev", Shared("dev.dat").string())));

    EXPECT_EQ(batch.Outcome("Dev"), TransferOutcome::Done);
    EXPECT_EQ(ReadBytes(LocalCopy("Dev")), "shared bytes");
    EXPECT_TRUE(StrayFiles({"Dev"}).empty());
}

TEST_F(FileCopyTest, FailedCopiesReportFailureAndTouchNothing)
{
    WriteBytes(LocalCopy("Ops"), "local");
    auto batch = m_center->NewBatch();

    // Upload into a folder that does not exist.
    EXPECT_FALSE(batch.UploadGroupFile(MakeGroup("Ops", (DataFolder() / "missing" / "ops.dat").string())));
    EXPECT_FALSE(fs::exists(DataFolder() / "missing"));
    EXPECT_EQ(batch.Outcome("Ops"), TransferOutcome::Failed);

    // Download of a shared file that is not there keeps the local copy, and says the file is
    // missing; a folder that is not there says nothing about the file.
    EXPECT_FALSE(batch.DownloadGroupFile(MakeGroup("Ops", Shared("none.dat").string())));
    EXPECT_EQ(ReadBytes(LocalCopy("Ops")), "local");
    EXPECT_EQ(batch.Outcome("Ops"), TransferOutcome::Failed); // the upload above failed
    auto fetch = m_center->NewBatch();
    EXPECT_FALSE(fetch.DownloadGroupFile(MakeGroup("None", Shared("none.dat").string())));
    EXPECT_FALSE(fetch.DownloadGroupFile(MakeGroup("Unmounted", (DataFolder() / "share-off" / "x.dat").string())));
    EXPECT_FALSE(fetch.DownloadGroupFile(MakeGroup("Blank", "")));
    EXPECT_EQ(fetch.Outcome("None"), TransferOutcome::Missing);
    EXPECT_EQ(fetch.Outcome("Unmounted"), TransferOutcome::Failed);
    EXPECT_EQ(fetch.Outcome("Blank"), TransferOutcome::Failed);

    // Upload of a group that has no local copy yet.
    EXPECT_FALSE(batch.UploadGroupFile(MakeGroup("Fresh", Shared("fresh.dat").string())));
    EXPECT_FALSE(fs::exists(Shared("fresh.dat")));
    EXPECT_EQ(batch.Outcome("Fresh"), TransferOutcome::Failed);
}

TEST_F(FileCopyTest, GroupNamesThatAreNotPlainFileNamesAreRefused)
{
    WriteBytes(DataFolder() / "glist.dat", "group list");
    WriteBytes(Shared("evil.dat"), "shared");
    auto batch = m_center->NewBatch();

    for (const std::string& name : std::vector<std::string>{"../glist.dat", "a/b", "..", ".", "", "a\\b"}) {
        EXPECT_FALSE(batch.DownloadGroupFile(MakeGroup(name, Shared("evil.dat").string()))) << name;
        EXPECT_EQ(batch.Outcome(name), TransferOutcome::Failed) << name;
    }
    EXPECT_EQ(ReadBytes(DataFolder() / "glist.dat"), "group list");
    EXPECT_TRUE(StrayFiles({}).empty());
}

TEST_F(FileCopyTest, UnknownLocationKindFails)
{
    WriteBytes(Shared("k.dat"), "shared");
    TBWListLocation group = MakeGroup("Kind", Shared("k.dat").string());
    group.LocationKind = 7;
    auto batch = m_center->NewBatch();
    EXPECT_FALSE(batch.DownloadGroupFile(group));
    EXPECT_EQ(batch.Outcome("Kind"), TransferOutcome::Failed);
    EXPECT_FALSE(fs::exists(LocalCopy("Kind")));
}
