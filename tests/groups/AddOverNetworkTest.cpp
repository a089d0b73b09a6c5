// The groups dialog's Add over the real transfers: an empty group file is created and sent only
// where the location says there is none; after any other failure nothing is written anywhere.
#include "DialogRecorder.h"
#include "TBWGroupEditForm.h"
#include "TBWGroupsForm.h"
#include "TransferGroupFileService.h"
#include "TransferTestSupport.h"

#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

class AddOverNetwork : public ::testing::Test
{
protected:
    AddOverNetwork()
    {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_folder = "groups-" + test;
        fs::remove_all(ServerFolder());
        fs::create_directories(ServerFolder());
        fs::create_directories(DataFolder() / "BWLists");
        TransferSettings settings;
        settings.ConnectTimeout = std::chrono::seconds(5);
        settings.StallTimeout = std::chrono::seconds(10);
        settings.CaFile = TestServers::CaFile();
        m_transfers.SetSettings(settings);
        m_form.LoadGroups({});
        m_form.show();
    }

    [[nodiscard]] fs::path DataFolder() const { return fs::path(m_home.path().toStdString()); }
    [[nodiscard]] fs::path LocalCopy(const std::string& name) const { return DataFolder() / "BWLists" / name; }
    [[nodiscard]] fs::path ServerFolder() const { return TestServers::FtpRoot() / m_folder; }
    [[nodiscard]] std::string Ftp(const std::string& file) const { return "ftp://127.0.0.1/" + m_folder + "/" + file; }

    // Adds the group through the editor, as the user does.
    void Add(const std::string& name, const std::string& location, const std::string& ftpPassword = "bwpass")
    {
        TBWListLocation group;
        group.Name = name;
        group.Location = location;
        group.Password = "group pw";
        group.FtpUser = "bwuser";
        group.FtpPassword = ftpPassword;
        WhenShown(m_form.EditForm(), [this, group] {
            m_form.EditForm().SetFields(group);
            Click(m_form.EditForm(), "okButton");
        });
        Click(m_form, "addButton");
    }

    // The upload that Add starts is not waited for by the dialog.
    bool UploadsEnded()
    {
        return WaitUntil([this] { return m_transfers.PendingTransfers() == 0; }, Limit);
    }

    static constexpr std::chrono::seconds Limit{10};
    QTemporaryDir m_home;
    std::string m_folder;
    TransferCenter m_transfers{m_home.path()};
    TransferGroupFileService m_files{m_transfers, DataFolder()};
    DialogRecorder m_recorder;
    TBWGroupsForm m_form{m_files, m_recorder.Hooks()};
};

TEST_F(AddOverNetwork, AMissingFtpGroupFileIsCreatedAndSent)
{
    Add("Sales", Ftp("sales.dat"));

    ASSERT_TRUE(WaitUntil([this] { return fs::exists(ServerFolder() / "sales.dat"); }, Limit));
    ASSERT_TRUE(UploadsEnded());
    TBWItemList items;
    EXPECT_EQ(LoadItemList(items, ServerFolder() / "sales.dat", "group pw"), LoadOk);
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(ReadBytes(ServerFolder() / "sales.dat"), ReadBytes(LocalCopy("Sales")));
    EXPECT_TRUE(m_recorder.Messages.empty());
}

TEST_F(AddOverNetwork, AnExistingGroupFileIsJoinedAndLeftAlone)
{
    TBWItemList items;
    items.push_back(std::make_unique<TBWItem>());
    items[0]->Id = 9;
    items[0]->Title = "Already here";
    SaveItemList(items, ServerFolder() / "dev.dat", "group pw");
    const std::string before = ReadBytes(ServerFolder() / "dev.dat");

    Add("Dev", Ftp("dev.dat"));

    ASSERT_TRUE(UploadsEnded());
    EXPECT_EQ(ReadBytes(ServerFolder() / "dev.dat"), before);
    EXPECT_EQ(ReadBytes(LocalCopy("Dev")), before);
    EXPECT_TRUE(m_recorder.Messages.empty());
}

TEST_F(AddOverNetwork, AfterAFailureOtherThanAMissingFileNothingIsWritten)
{
    // The file exists, but the login is refused: it must not be replaced by an empty one.
    TBWItemList items;
    items.push_back(std::make_unique<TBWItem>());
    items[0]->Id = 4;
    SaveItemList(items, ServerFolder() / "ops.dat", "group pw");
    const std::string before = ReadBytes(ServerFolder() / "ops.dat");
    Add("Ops", Ftp("ops.dat"), "wrong");
    // A missing file behind a refused login, a host that refuses the connection, a server error.
    Add("Locked", Ftp("locked.dat"), "wrong");
    Add("Down", "ftp://127.0.0.2/" + m_folder + "/down.dat");
    Add("Broken", TestServers::HttpUrl("/status/500"));

    ASSERT_TRUE(UploadsEnded());
    EXPECT_EQ(ReadBytes(ServerFolder() / "ops.dat"), before);
    EXPECT_FALSE(fs::exists(ServerFolder() / "locked.dat"));
    EXPECT_FALSE(fs::exists(ServerFolder() / "down.dat"));
    for (const char* name : {"Ops", "Locked", "Down", "Broken"}) {
        EXPECT_FALSE(fs::exists(LocalCopy(name))) << name;
    }
    ASSERT_EQ(m_recorder.Messages.size(), 4U);
    for (const auto& message : m_recorder.Messages) {
        EXPECT_TRUE(message.Text.contains(QStringLiteral("could not be fetched"))) << message.Text.toStdString();
    }
    // The groups are added all the same, unchecked.
    EXPECT_EQ(m_form.findChild<QListWidget*>(QStringLiteral("groupList"))->count(), 4);
}

TEST_F(AddOverNetwork, AWebAddressWithoutAFileGetsAnEmptyLocalCopyOnly)
{
    Add("Web", TestServers::HttpUrl("/file/" + m_folder + "/web.dat"));

    ASSERT_TRUE(UploadsEnded());
    TBWItemList items;
    EXPECT_EQ(LoadItemList(items, LocalCopy("Web"), "group pw"), LoadOk);
    EXPECT_FALSE(fs::exists(ServerFolder() / "web.dat"));
    EXPECT_TRUE(m_recorder.Messages.empty());
}

} // namespace
