// The groups' passwords at rest, against the desktop's real password store (a GNOME Keyring on a
// private session bus, see scripts/testservers/with-keyring.sh) and without any store. The same
// test runs both ways; BW_EXPECT_STORE says which one this run is.
#include "KeychainSecretStore.h"
#include "ListFiles.h"
#include "ProcessLists.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

bool StoreExpected()
{
    const char* expected = std::getenv("BW_EXPECT_STORE");
    return expected != nullptr && std::string(expected) == "1";
}

std::unique_ptr<TBWListLocation> Group(const std::string& name, const std::string& password,
                                       const std::string& ftpPassword)
{
    auto group = std::make_unique<TBWListLocation>();
    group->Name = name;
    group->Location = "ftp://files.example.com/" + name + ".dat";
    group->Password = password;
    group->FtpUser = "team";
    group->FtpPassword = ftpPassword;
    group->Enabled = false;
    group->DetectLocationKind();
    return group;
}

std::string Bytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class GroupPasswordsTest : public ::testing::Test
{
protected:
    // A start of the program: a fresh store object (nothing remembered) and the lists loaded.
    ProcessLists Start(std::vector<QString>& notes) const
    {
        KeychainSecretStore store(std::chrono::seconds(20));
        ProcessLists lists;
        const ListFiles files(
            Data(), [&notes](const QString& text) { notes.push_back(text); }, &store);
        EXPECT_FALSE(files.Load(lists).has_value());
        return lists;
    }

    [[nodiscard]] fs::path Data() const { return fs::path(m_home.path().toStdString()); }

    QTemporaryDir m_home;
};

TEST_F(GroupPasswordsTest, GlistDatKeepsNoPasswordWhereTheDesktopHasAStore)
{
    // Bytes beyond ASCII and a control character, and a group without passwords.
    const std::string odd = "p\xE4ss \x01!";
    TBWGroupList groups;
    groups.push_back(Group("Sales", "north-wind", "ftp-secret-1"));
    groups.push_back(Group("Dev", odd, ""));
    groups.push_back(Group("Open", "", ""));
    ASSERT_TRUE(SaveGroupList(groups, Data() / "glist.dat"));
    const std::string before = Bytes(Data() / "glist.dat");

    std::vector<QString> notes;
    ProcessLists first = Start(notes);
    ASSERT_EQ(first.GroupList.size(), 3U);
    EXPECT_EQ(first.GroupList[0]->FtpPassword, "ftp-secret-1");
    EXPECT_EQ(first.GroupList[1]->Password, odd);

    TBWGroupList onDisk;
    ASSERT_TRUE(LoadGroupList(onDisk, Data() / "glist.dat"));
    if (!StoreExpected()) {
        // Without a store nothing changes: the file is not even written.
        EXPECT_EQ(Bytes(Data() / "glist.dat"), before);
        ASSERT_EQ(notes.size(), 1U);
        EXPECT_TRUE(notes[0].contains(QStringLiteral("Open"))) << notes[0].toStdString();
        // A group whose password the store may hold keeps its working list as it is, unread.
        fs::create_directories(Data() / "BWELists");
        SaveItemList(TBWItemList{}, Data() / "BWELists" / "Open", "kept in the store");
        const std::string working = Bytes(Data() / "BWELists" / "Open");
        groups[2]->Enabled = true;
        ASSERT_TRUE(SaveGroupList(groups, Data() / "glist.dat"));
        KeychainSecretStore store(std::chrono::seconds(20));
        ProcessLists again;
        const ListFiles files(
            Data(), [&notes](const QString& text) { notes.push_back(text); }, &store);
        ASSERT_FALSE(files.Load(again).has_value());
        EXPECT_EQ(again.GroupItemLists.Find("Open"), nullptr);
        files.SaveGroupItemLists(again);
        EXPECT_EQ(Bytes(Data() / "BWELists" / "Open"), working);
        EXPECT_FALSE(fs::exists(Data() / "BWELists" / "Open.damaged"));
        return;
    }
    EXPECT_TRUE(notes.empty()) << notes.front().toStdString();
    // Moved into the store at once, the rest of the file as it was.
    for (const auto& group : onDisk) {
        EXPECT_TRUE(group->Password.empty()) << group->Name;
        EXPECT_TRUE(group->FtpPassword.empty()) << group->Name;
    }
    EXPECT_EQ(onDisk[0]->FtpUser, "team");
    EXPECT_EQ(onDisk[1]->Location, groups[1]->Location);

    // The next start finds them there. A group removed is forgotten by the store.
    ProcessLists second = Start(notes);
    ASSERT_EQ(second.GroupList.size(), 3U);
    EXPECT_EQ(second.GroupList[0]->Password, "north-wind");
    EXPECT_EQ(second.GroupList[1]->Password, odd);
    EXPECT_TRUE(second.GroupList[2]->Password.empty());
    second.GroupList.erase(second.GroupList.begin());
    KeychainSecretStore saving(std::chrono::seconds(20));
    ListFiles(
        Data(), [](const QString& text) { ADD_FAILURE() << text.toStdString(); }, &saving)
        .SaveGroupList(second);
    KeychainSecretStore reading(std::chrono::seconds(20));
    std::string secret;
    EXPECT_EQ(reading.Read(QStringLiteral("Sales (group password)"), secret), SecretStore::Result::NotFound);
    EXPECT_EQ(reading.Read(QStringLiteral("Sales (FTP password)"), secret), SecretStore::Result::NotFound);
    EXPECT_EQ(reading.Read(QStringLiteral("Dev (group password)"), secret), SecretStore::Result::Done);
    EXPECT_TRUE(notes.empty());
}

} // namespace
