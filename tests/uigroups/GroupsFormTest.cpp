#include "BWError.h"
#include "DialogRecorder.h"
#include "FakeGroupFileService.h"
#include "GroupList.h"
#include "ItemList.h"
#include "TBWGroupEditForm.h"
#include "TBWGroupsForm.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

namespace fs = std::filesystem;

const QString NoGroupText = QStringLiteral("Group is not exists or connection failed.");

std::unique_ptr<TBWListLocation> MakeGroup(const std::string& name, const std::string& location,
                                           const std::string& password, bool enabled)
{
    auto group = std::make_unique<TBWListLocation>();
    group->Name = name;
    group->Location = location;
    group->Password = password;
    group->Enabled = enabled;
    group->FtpUser = name + "-user";
    group->FtpPassword = name + "-ftp";
    group->DetectLocationKind();
    return group;
}

// All seven fields of every group, as the group list file holds them.
TStringList Lines(const TBWGroupList& groups)
{
    TStringList lines;
    for (const auto& group : groups) {
        group->SaveToLines(lines);
    }
    return lines;
}

class GroupsFormTest : public ::testing::Test
{
protected:
    GroupsFormTest() : m_files(fs::path(m_folder.path().toStdString()) / "BWLists") {}

    QListWidget* List() { return Child<QListWidget>(m_form, "groupList"); }
    QPushButton* Button(const char* name) { return Child<QPushButton>(m_form, name); }
    TBWGroupEditForm& Editor() { return m_form.EditForm(); }
    QLineEdit* EditorField(const char* name) { return Child<QLineEdit>(Editor(), name); }

    void Load(const TBWGroupList& groups)
    {
        m_form.LoadGroups(groups);
        m_form.show();
    }

    void Select(int row) { List()->setCurrentRow(row); }

    // Writes a group file holding `count` messages under the password, as another member would.
    fs::path RemoteFile(const std::string& name, const std::string& password, int count)
    {
        TBWItemList items;
        for (int i = 0; i < count; ++i) {
            auto item = std::make_unique<TBWItem>();
            item->Id = 100 + i;
            item->Title = "Message " + std::to_string(i);
            items.push_back(std::move(item));
        }
        const fs::path file = fs::path(m_folder.path().toStdString()) / ("remote-" + name);
        SaveItemList(items, file, password);
        return file;
    }

    // Fills the editor's fields when it shows and presses OK.
    void AnswerEditor(const QString& title, const QString& location, const QString& password)
    {
        WhenShown(Editor(), [=, this] {
            EditorField("titleEdit")->setText(title);
            EditorField("locationEdit")->setText(location);
            EditorField("passwordEdit")->setText(password);
            Click(Editor(), "okButton");
        });
    }

    void AddByButton(const QString& title, const QString& location, const QString& password)
    {
        AnswerEditor(title, location, password);
        Click(m_form, "addButton");
    }

    void TestRow(int row)
    {
        Select(row);
        Click(m_form, "testButton");
    }

    QTemporaryDir m_folder;
    FakeGroupFileService m_files;
    DialogRecorder m_recorder;
    TBWGroupsForm m_form{m_files, m_recorder.Hooks()};
};

TEST_F(GroupsFormTest, EmptyListOffersNothingToEditTestOrDelete)
{
    Load({});
    const ShowCounter editorShown(Editor());
    EXPECT_EQ(List()->count(), 0);
    EXPECT_FALSE(Button("editButton")->isEnabled());
    EXPECT_FALSE(Button("testButton")->isEnabled());
    EXPECT_FALSE(Button("deleteButton")->isEnabled());
    EXPECT_TRUE(Button("addButton")->isEnabled());

    m_form.EditGroup();
    m_form.TestGroup();
    m_form.DeleteGroup();
    EXPECT_EQ(editorShown.Count(), 0);
    EXPECT_TRUE(m_files.Fetches.empty());
    EXPECT_TRUE(m_recorder.Messages.empty());

    TBWGroupList groups;
    groups.push_back(MakeGroup("Old", "/srv/old.dat", "pw", true));
    m_form.SaveGroups(groups);
    EXPECT_TRUE(groups.empty());
}

TEST_F(GroupsFormTest, OkWithoutChangesGivesEqualCopiesWithTheCheckMarksAsEnabled)
{
    TBWGroupList groups;
    groups.push_back(MakeGroup("Sales", "ftp://files.example.org/sales.dat", "s1", true));
    groups.push_back(MakeGroup("Dev", "/srv/share/dev.dat", "d2", false));
    groups.push_back(MakeGroup("Ops", "https://example.org/ops.dat", "o3", true));
    m_form.LoadGroups(groups);
    Load(groups); // a second filling replaces the lines
    const TStringList before = Lines(groups);
    groups[0]->Name = "Changed after loading";

    ASSERT_EQ(List()->count(), 3);
    EXPECT_EQ(List()->item(2)->text(), QStringLiteral("Ops"));
    EXPECT_EQ(List()->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(List()->item(1)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(List()->selectedItems().isEmpty());

    Click(m_form, "okButton");
    EXPECT_EQ(m_form.result(), QDialog::Accepted);
    m_form.SaveGroups(groups);
    EXPECT_EQ(Lines(groups), before);

    // Only the check marks change the groups when nothing else was touched.
    List()->item(0)->setCheckState(Qt::Unchecked);
    List()->item(1)->setCheckState(Qt::Checked);
    m_form.SaveGroups(groups);
    ASSERT_EQ(groups.size(), 3U);
    EXPECT_FALSE(groups[0]->Enabled);
    EXPECT_TRUE(groups[1]->Enabled);
    EXPECT_TRUE(groups[2]->Enabled);
    EXPECT_EQ(groups[2]->LocationKind, LocationHttp);
    EXPECT_EQ(groups[1]->FtpPassword, "Dev-ftp");
}

TEST_F(GroupsFormTest, CancelAfterAddEditAndDeleteLeavesTheGroupsButNotTheNewFile)
{
    TBWGroupList groups;
    groups.push_back(MakeGroup("Sales", "/srv/sales.dat", "s1", true));
    groups.push_back(MakeGroup("Dev", "/srv/dev.dat", "d2", false));
    const TStringList before = Lines(groups);
    m_form.LoadGroups(groups);
    m_form.open();

    AddByButton(QStringLiteral("Ops"), QStringLiteral("ftp://files.example.org/ops.dat"), QStringLiteral("o3"));
    Select(0);
    m_files.SetRemote("Sales team", FetchOutcome::Present, RemoteFile("Sales team", "x", 0));
    AnswerEditor(QStringLiteral("Sales team"), QStringLiteral("/srv/other.dat"), QStringLiteral("x"));
    Click(m_form, "editButton");
    Select(1);
    ASSERT_EQ(List()->item(1)->text(), QStringLiteral("Dev"));
    Click(m_form, "deleteButton");

    // Delete asks nothing and takes the line at once.
    EXPECT_TRUE(m_recorder.Messages.empty());
    ASSERT_EQ(List()->count(), 2);
    EXPECT_EQ(List()->item(0)->text(), QStringLiteral("Sales team"));
    EXPECT_EQ(List()->item(1)->text(), QStringLiteral("Ops"));

    Click(m_form, "cancelButton");
    EXPECT_EQ(m_form.result(), QDialog::Rejected);
    EXPECT_FALSE(m_form.isVisible());
    EXPECT_EQ(Lines(groups), before);
    EXPECT_TRUE(fs::exists(m_files.LocalCopyPath("Ops")));
    EXPECT_EQ(m_files.Uploads.size(), 1U);
}

TEST_F(GroupsFormTest, AddOfAMissingGroupFileCreatesAnEmptyOneAndUploadsIt)
{
    Load({});
    AddByButton(QStringLiteral("Sales"), QStringLiteral("ftp://files.example.org/sales.dat"), QStringLiteral("pw"));

    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(List()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(List()->item(0)->isSelected());
    EXPECT_EQ(m_files.Fetches, (std::vector<std::string>{"Sales"}));

    TBWItemList items;
    items.push_back(std::make_unique<TBWItem>());
    EXPECT_EQ(LoadItemList(items, m_files.LocalCopyPath("Sales"), "pw"), LoadOk);
    EXPECT_TRUE(items.empty());
    ASSERT_EQ(m_files.Uploads.size(), 1U);
    EXPECT_EQ(m_files.Uploads[0].Name, "Sales");
    EXPECT_EQ(m_files.Uploads[0].Bytes, ReadBytes(m_files.LocalCopyPath("Sales")));

    TBWGroupList groups;
    m_form.SaveGroups(groups);
    ASSERT_EQ(groups.size(), 1U);
    EXPECT_EQ(groups[0]->Location, "ftp://files.example.org/sales.dat");
    EXPECT_EQ(groups[0]->Password, "pw");
    EXPECT_EQ(groups[0]->LocationKind, LocationFtp);
    EXPECT_FALSE(groups[0]->Enabled);
}

TEST_F(GroupsFormTest, AddOfAnExistingGroupFileJoinsItWithoutWritingAnything)
{
    const fs::path remote = RemoteFile("Sales", "pw", 2);
    m_files.SetRemote("Sales", FetchOutcome::Present, remote);
    Load({});
    // A wrong password is warned of, and the group kept; it must not make a new, empty file.
    AddByButton(QStringLiteral("Sales"), QStringLiteral("/srv/sales.dat"), QStringLiteral("wrong"));

    EXPECT_EQ(List()->count(), 1);
    EXPECT_EQ(ReadBytes(m_files.LocalCopyPath("Sales")), ReadBytes(remote));
    EXPECT_TRUE(m_files.Uploads.empty());
    ASSERT_EQ(m_recorder.Messages.size(), 1U);
    EXPECT_EQ(m_recorder.Messages[0].Icon, QMessageBox::Warning);
    EXPECT_TRUE(m_recorder.Messages[0].Text.contains(QStringLiteral("does not open with this password")));
}

TEST_F(GroupsFormTest, AddWhenTheFetchFailedOrDidNotAnswerInTimeCreatesAndSendsNothing)
{
    // After a refused login or a server error, as after a late answer, the group file may exist.
    m_files.SetRemote("Sales", FetchOutcome::StillRunning);
    m_files.SetRemote("Dev", FetchOutcome::Failed);
    m_files.SetRemote("Share", FetchOutcome::Failed);
    Load({});
    AddByButton(QStringLiteral("Sales"), QStringLiteral("ftp://slow.example.org/sales.dat"), QStringLiteral("pw"));
    AddByButton(QStringLiteral("Dev"), QStringLiteral("ftp://locked.example.org/dev.dat"), QStringLiteral("pw"));
    AddByButton(QStringLiteral("Share"), QStringLiteral("/mnt/gone/share.dat"), QStringLiteral("pw"));

    EXPECT_EQ(List()->count(), 3);
    EXPECT_FALSE(fs::exists(m_files.LocalCopyPath("Sales")));
    EXPECT_FALSE(fs::exists(m_files.LocalCopyPath("Dev")));
    EXPECT_TRUE(m_files.Uploads.empty());
    ASSERT_EQ(m_recorder.Messages.size(), 3U);
    EXPECT_EQ(m_recorder.Messages[0].Icon, QMessageBox::Warning);
    EXPECT_TRUE(m_recorder.Messages[0].Text.contains(QStringLiteral("\"Sales\"")));
    EXPECT_TRUE(m_recorder.Messages[0].Text.contains(QStringLiteral("did not answer in time")));
    EXPECT_EQ(m_recorder.Messages[1].Icon, QMessageBox::Warning);
    EXPECT_TRUE(m_recorder.Messages[1].Text.contains(QStringLiteral("\"Dev\"")));
    EXPECT_TRUE(m_recorder.Messages[1].Text.contains(QStringLiteral("could not be fetched")));
    // A folder has no login to refuse.
    EXPECT_TRUE(m_recorder.Messages[2].Text.contains(QStringLiteral("the folder could not be reached")));
    EXPECT_FALSE(m_recorder.Messages[2].Text.contains(QStringLiteral("login")));
}

// After Add the focus is where it was, and Enter is OK, not Help.
TEST_F(GroupsFormTest, AfterAddEnterIsOk)
{
    Load({});
    m_form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_form));
    AddByButton(QStringLiteral("Sales"), QStringLiteral("/srv/sales.dat"), QStringLiteral("pw"));
    // The desktop gives the dialog back the keyboard when the editor closes; offscreen, it is told.
    QApplication::setActiveWindow(&m_form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_form));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(m_recorder.HelpTopics.empty());
    EXPECT_EQ(m_form.result(), QDialog::Accepted);
}

TEST_F(GroupsFormTest, EditWritesTheFieldsBackAndFetchesOnlyANewLocation)
{
    TBWGroupList groups;
    groups.push_back(MakeGroup("Sales", "/srv/sales.dat", "s1", true));
    groups.push_back(MakeGroup("Dev", "/srv/dev.dat", "d2", false));
    Load(groups);

    // Keeping the title is fine; the editor shows the group's values.
    Select(0);
    WhenShown(Editor(), [&] {
        EXPECT_EQ(Editor().windowTitle(), QStringLiteral("Edit group"));
        EXPECT_EQ(EditorField("titleEdit")->text(), QStringLiteral("Sales"));
        EXPECT_EQ(EditorField("ftpPasswordEdit")->text(), QStringLiteral("Sales-ftp"));
        Click(Editor(), "okButton");
    });
    Click(m_form, "editButton");
    EXPECT_TRUE(m_recorder.Messages.empty());
    EXPECT_TRUE(m_files.Fetches.empty()) << "nothing that reaches the file changed";

    // Add starts from the values last shown, so its title is refused until changed.
    WhenShown(Editor(), [&] {
        EXPECT_EQ(Editor().windowTitle(), QStringLiteral("New group"));
        EXPECT_EQ(EditorField("locationEdit")->text(), QStringLiteral("/srv/sales.dat"));
        Click(Editor(), "okButton");
        EXPECT_TRUE(Editor().isVisible());
    });
    Click(m_form, "addButton");
    // Another group's title, in other letters' case, is refused.
    WhenShown(Editor(), [&] {
        EditorField("titleEdit")->setText(QStringLiteral("dEV"));
        Click(Editor(), "okButton");
        EXPECT_TRUE(Editor().isVisible());
    });
    Click(m_form, "editButton");
    ASSERT_EQ(m_recorder.Messages.size(), 2U);
    EXPECT_EQ(m_recorder.Messages[1].Text, QStringLiteral("Group name already exists. Please change it."));
    EXPECT_EQ(List()->count(), 2);
    EXPECT_EQ(List()->item(0)->text(), QStringLiteral("Sales"));

    // A double click edits too.
    AnswerEditor(QStringLiteral("Marketing"), QStringLiteral("https://example.org/m.dat"), QStringLiteral("m9"));
    const QRect line = List()->visualItemRect(List()->item(0));
    const QPoint textPoint(line.right() - 4, line.center().y());
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, textPoint);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, textPoint);

    EXPECT_EQ(List()->item(0)->text(), QStringLiteral("Marketing"));
    m_form.SaveGroups(groups);
    EXPECT_EQ(groups[0]->Name, "Marketing");
    EXPECT_EQ(groups[0]->Password, "m9");
    EXPECT_EQ(groups[0]->LocationKind, LocationHttp);
    EXPECT_TRUE(groups[0]->Enabled);
    // The new location was tried; without a group file there, one is made as Add makes it.
    EXPECT_EQ(m_files.Fetches, std::vector<std::string>{"Marketing"});
    EXPECT_TRUE(fs::exists(m_files.LocalCopyPath("Marketing")));
    EXPECT_EQ(m_files.Uploads.size(), 1U);
}

TEST_F(GroupsFormTest, TestReportsEveryOutcome)
{
    struct Case
    {
        const char* name;
        FetchOutcome outcome;
        bool fileArrives;
        const char* password;
        QMessageBox::Icon icon;
        QString text;
    };
    const Case cases[] = {
        {"Absent", FetchOutcome::Absent, false, "pw", QMessageBox::Critical, NoGroupText},
        {"Late", FetchOutcome::StillRunning, false, "pw", QMessageBox::Critical, NoGroupText},
        {"Refused", FetchOutcome::Failed, false, "pw", QMessageBox::Critical, NoGroupText},
        {"Good", FetchOutcome::Present, true, "pw", QMessageBox::Information, QStringLiteral("Group is OK.")},
        {"WrongPassword", FetchOutcome::Present, true, "other", QMessageBox::Critical,
         QStringLiteral("Group is exists, but password is wrong.")},
        {"Vanished", FetchOutcome::Present, false, "pw", QMessageBox::Critical,
         QStringLiteral("Group is exists, but file is corrupted.")},
    };
    TBWGroupList groups;
    for (const Case& c : cases) {
        groups.push_back(MakeGroup(c.name, "/srv/group.dat", c.password, true));
        m_files.SetRemote(c.name, c.outcome, c.fileArrives ? RemoteFile(c.name, "pw", 3) : fs::path());
    }
    Load(groups);

    for (int row = 0; row < static_cast<int>(std::size(cases)); ++row) {
        SCOPED_TRACE(cases[row].name);
        m_recorder.Messages.clear();
        TestRow(row);
        ASSERT_EQ(m_recorder.Messages.size(), 1U);
        EXPECT_EQ(m_recorder.Messages[0].Title, QStringLiteral("Test result"));
        EXPECT_EQ(m_recorder.Messages[0].Text, cases[row].text);
        EXPECT_EQ(m_recorder.Messages[0].Icon, cases[row].icon);
    }
    EXPECT_EQ(m_files.Fetches.size(), std::size(cases));
    EXPECT_TRUE(m_files.Uploads.empty());
    EXPECT_TRUE(m_form.isVisible());
}

TEST_F(GroupsFormTest, TestExplainsTheCauseAndTrustsANewHostKeyOnlyWhenTheUserSaysSo)
{
    TBWGroupList groups;
    groups.push_back(MakeGroup("Sales", "sftp://files.example.org/sales.dat", "pw", true));
    Load(groups);
    m_files.SetRemote("Sales", FetchOutcome::Failed);
    m_files.TrustedOutcome = FetchOutcome::Present;
    m_files.Report.Cause = StoreCause::Certificate;
    m_files.Report.Server.Fingerprint = "AB:CD:EF";
    m_files.Report.Server.Note = "self-signed certificate";
    TestRow(0);
    ASSERT_EQ(m_recorder.Messages.size(), 1U);
    EXPECT_TRUE(m_recorder.Messages[0].Text.startsWith(NoGroupText));
    EXPECT_TRUE(m_recorder.Messages[0].Text.contains(QStringLiteral("certificate is not trusted")));
    EXPECT_TRUE(m_recorder.Messages[0].Text.contains(QStringLiteral("AB:CD:EF\n(self-signed certificate)")));

    m_files.Report = {};
    m_files.Report.Cause = StoreCause::HostKeyUnknown;
    m_files.Report.Server = {"[files.example.org]:2222", "ssh-ed25519", "key-blob", "SHA256:q0Vn", ""};
    for (const bool answer : {false, true}) {
        SCOPED_TRACE(answer);
        m_recorder.Messages.clear();
        m_recorder.Answer = answer;
        TestRow(0);
        ASSERT_GE(m_recorder.Messages.size(), 1U);
        EXPECT_EQ(m_recorder.Messages[0].Icon, QMessageBox::Question);
        EXPECT_TRUE(
            m_recorder.Messages[0].Text.contains(QStringLiteral("ssh-ed25519 key has the fingerprint\n\nSHA256:q0Vn")));
        EXPECT_EQ(m_files.KeysTrusted, answer ? 1 : 0);
    }
    // Trusted, the fetch ran again and found the group file (here a damaged one).
    EXPECT_EQ(m_files.Fetches.size(), 4U);
    EXPECT_EQ(m_recorder.Messages.back().Text, QStringLiteral("Group is exists, but file is corrupted."));

    // A changed key is never offered for trust.
    m_files.KeysTrusted = 0;
    m_files.Report.Cause = StoreCause::HostKeyChanged;
    m_recorder.Messages.clear();
    TestRow(0);
    ASSERT_EQ(m_recorder.Messages.size(), 1U);
    EXPECT_EQ(m_recorder.Messages[0].Icon, QMessageBox::Critical);
    EXPECT_TRUE(m_recorder.Messages[0].Text.contains(QStringLiteral("WARNING")));
    EXPECT_EQ(m_files.KeysTrusted, 0);
}

TEST_F(GroupsFormTest, TestUsesTheGroupAsEditedInTheDialog)
{
    m_files.SetRemote("Sales", FetchOutcome::Present, RemoteFile("Sales", "right", 1));
    TBWGroupList groups;
    groups.push_back(MakeGroup("Sales", "/srv/sales.dat", "wrong", true));
    Load(groups);

    TestRow(0);
    Select(0);
    WhenShown(Editor(), [&] {
        EditorField("passwordEdit")->setText(QStringLiteral("right"));
        Click(Editor(), "okButton");
    });
    Click(m_form, "editButton");
    TestRow(0);

    ASSERT_EQ(m_recorder.Messages.size(), 2U);
    EXPECT_EQ(m_recorder.Messages[0].Text, QStringLiteral("Group is exists, but password is wrong."));
    EXPECT_EQ(m_recorder.Messages[1].Text, QStringLiteral("Group is OK."));
    // Edit tried the new password on the file as well.
    EXPECT_EQ(m_files.FetchedPasswords, (std::vector<std::string>{"wrong", "right", "right"}));
}

TEST_F(GroupsFormTest, AFileThatIsNoListShowsTheErrorAndTheDialogStaysOpen)
{
    const fs::path page = fs::path(m_folder.path().toStdString()) / "error-page.html";
    std::ofstream(page, std::ios::binary) << "<html><body>404 Not Found</body></html>\n";
    std::string expected;
    try {
        TBWItemList items;
        (void)LoadItemList(items, page, "pw");
    } catch (const EBWError& error) {
        expected = error.what();
    }
    ASSERT_FALSE(expected.empty()) << "the model no longer refuses this file";

    m_files.SetRemote("Web", FetchOutcome::Present, page);
    TBWGroupList groups;
    groups.push_back(MakeGroup("Web", "http://example.org/web.dat", "pw", true));
    Load(groups);
    TestRow(0);

    ASSERT_EQ(m_recorder.Messages.size(), 1U);
    EXPECT_EQ(m_recorder.Messages[0].Icon, QMessageBox::Critical);
    EXPECT_EQ(m_recorder.Messages[0].Text, QString::fromStdString(expected));
    EXPECT_TRUE(m_form.isVisible());
    EXPECT_FALSE(m_form.IsFetching());
    EXPECT_TRUE(Button("testButton")->isEnabled());
}

TEST_F(GroupsFormTest, WhileAFetchRunsTheCommandsAndClosingAreHeldOff)
{
    TBWGroupList groups;
    groups.push_back(MakeGroup("Sales", "ftp://files.example.org/sales.dat", "pw", true));
    Load(groups);
    const ShowCounter editorShown(Editor());
    int checks = 0;
    m_files.DuringFetch = [&](const TBWListLocation&) {
        ++checks;
        for (const char* name : {"addButton", "editButton", "deleteButton", "testButton", "okButton", "cancelButton"}) {
            EXPECT_FALSE(Button(name)->isEnabled()) << name;
        }
        EXPECT_TRUE(Button("helpButton")->isEnabled());
        EXPECT_TRUE(Child<QLabel>(m_form, "statusLabel")->text().contains(QStringLiteral("Sales")));

        // What the user could still reach while the wait runs the event loop.
        m_form.TestGroup();
        m_form.AddGroup();
        m_form.DeleteGroup();
        QTest::keyClick(List(), Qt::Key_Escape);
        m_form.close();
        m_form.done(QDialog::Accepted);
        EXPECT_TRUE(m_form.isVisible());
    };
    TestRow(0);

    EXPECT_EQ(checks, 1);
    EXPECT_EQ(editorShown.Count(), 0);
    EXPECT_EQ(List()->count(), 1);
    EXPECT_TRUE(m_form.isVisible());
    EXPECT_TRUE(Button("okButton")->isEnabled());
    EXPECT_TRUE(Child<QLabel>(m_form, "statusLabel")->text().isEmpty());
    ASSERT_EQ(m_recorder.Messages.size(), 1U);
    EXPECT_EQ(m_recorder.Messages[0].Text, NoGroupText);
}

TEST_F(GroupsFormTest, HelpOpensItsTopic)
{
    Load({});
    Click(m_form, "helpButton");
    m_form.activateWindow();
    QApplication::processEvents();
    QTest::keyClick(&m_form, Qt::Key_F1);
    EXPECT_EQ(m_recorder.HelpTopics, (std::vector<QString>{QStringLiteral("groups-recipients-window.htm"),
                                                           QStringLiteral("groups-recipients-window.htm")}));
}

} // namespace
