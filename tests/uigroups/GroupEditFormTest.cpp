#include "DialogRecorder.h"
#include "TBWGroupEditForm.h"
#include "TBWListLocation.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

const QString TakenText = QStringLiteral("Group name already exists. Please change it.");

class GroupEditFormTest : public ::testing::Test
{
protected:
    QLineEdit* Edit(const char* name) { return Child<QLineEdit>(m_form, name); }

    // Shows the editor modally with the given title typed in and presses OK, as the user would.
    int TypeTitleAndPressOk(const QString& title)
    {
        WhenShown(m_form, [&] {
            Edit("titleEdit")->setText(title);
            Click(m_form, "okButton");
            m_openAfterOk = m_form.isVisible();
        });
        return m_form.exec();
    }

    DialogRecorder m_recorder;
    TBWGroupEditForm m_form{m_recorder.Hooks()};
    bool m_openAfterOk = false;
};

TEST_F(GroupEditFormTest, FieldsMapToTheGroupAndKeepTheirBytes)
{
    TBWListLocation group;
    group.Name = "Caf\xE9"; // a code-page byte that is no valid UTF-8
    group.Location = "ftp://files.example.org/sales.dat";
    group.Password = "p\xFC\xFDw";
    group.FtpUser = "anna";
    group.FtpPassword = "ftp-pass";
    group.LocationKind = LocationHttp;
    group.Enabled = true;
    m_form.SetFields(group);

    EXPECT_EQ(Edit("ftpUserEdit")->text(), QStringLiteral("anna"));
    for (const char* name : {"passwordEdit", "ftpPasswordEdit"}) {
        QLineEdit* edit = Edit(name);
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password) << name;
        EXPECT_EQ(edit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit), '*') << name;
    }
    EXPECT_EQ(Edit("locationEdit")->toolTip(), QStringLiteral("Local file name, FTP, SFTP or HTTP address"));

    Edit("ftpPasswordEdit")->setText(QStringLiteral("new"));
    Edit("locationEdit")->setText(QStringLiteral("ftp://host/list.dat\r\n")); // pasted with its line end
    TBWListLocation back;
    m_form.GetFields(back);
    EXPECT_EQ(back.Name, group.Name);
    EXPECT_EQ(back.Location, "ftp://host/list.dat");
    EXPECT_EQ(back.Password, group.Password);
    EXPECT_EQ(back.FtpUser, "anna");
    EXPECT_EQ(back.FtpPassword, "new");
    // The editor leaves the fields it does not show alone.
    EXPECT_EQ(back.LocationKind, LocationFile);
    EXPECT_FALSE(back.Enabled);
}

TEST_F(GroupEditFormTest, OptionRowsAppearForTheirKindOfLocationAndGiveBackOnlyWhatApplies)
{
    QComboBox* tls = Child<QComboBox>(m_form, "tlsComboBox");
    QCheckBox* passive = Child<QCheckBox>(m_form, "passiveCheckBox");
    QCheckBox* plainHttp = Child<QCheckBox>(m_form, "plainHttpCheckBox");
    GroupOptions everything;
    everything.Tls = FtpSecurity::Explicit;
    everything.Passive = true;
    everything.CaFile = "/etc/team-ca.pem";
    everything.SshKey = "/home/anna/.ssh/team";
    everything.PlainHttpLogin = true;
    struct Case
    {
        const char* location;
        const char* user;
        std::vector<QWidget*> shown;
        GroupOptions back;
    };
    GroupOptions ftp;
    ftp.Tls = FtpSecurity::Explicit;
    ftp.Passive = true;
    ftp.CaFile = everything.CaFile;
    GroupOptions ftps = ftp;
    ftps.Tls = FtpSecurity::None; // the address says it
    GroupOptions sftp;
    sftp.SshKey = everything.SshKey;
    GroupOptions https;
    https.CaFile = everything.CaFile;
    GroupOptions http;
    http.PlainHttpLogin = true;
    const Case cases[] = {
        {"/srv/groups/sales.dat", "", {}, {}},
        {"ftp://files.example.org/sales.dat", "anna", {tls, passive, Edit("caFileEdit")}, ftp},
        {"ftps://files.example.org/sales.dat", "anna", {tls, passive, Edit("caFileEdit")}, ftps},
        {"sftp://files.example.org:2222/srv/sales.dat", "anna", {Edit("sshKeyEdit")}, sftp},
        {"https://cloud.example.org/remote.php/dav/files/anna/sales.dat", "anna", {Edit("caFileEdit")}, https},
        {"http://intranet/sales.dat", "anna", {plainHttp}, http},
        {"http://intranet/sales.dat", "", {}, {}},
    };
    const std::vector<QWidget*> rows = {tls, passive, Edit("caFileEdit"), Edit("sshKeyEdit"), plainHttp};
    TBWListLocation group;
    group.Options = everything;
    m_form.SetFields(group);
    m_form.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.location);
        Edit("locationEdit")->setText(QString::fromLatin1(c.location));
        Edit("ftpUserEdit")->setText(QString::fromLatin1(c.user));
        for (QWidget* row : rows) {
            const bool expected = std::find(c.shown.begin(), c.shown.end(), row) != c.shown.end();
            EXPECT_EQ(row->isVisible(), expected) << row->objectName().toStdString();
            // Each field has a name a screen reader can say, or a label that gives it one.
            if (row->isVisible() && qobject_cast<QLineEdit*>(row) != nullptr) {
                EXPECT_FALSE(row->accessibleName().isEmpty()) << row->objectName().toStdString();
            }
        }
        EXPECT_EQ(tls->isEnabled(), !std::string_view(c.location).starts_with("ftps://"));
        TBWListLocation back;
        m_form.GetFields(back);
        EXPECT_EQ(back.Options, c.back);
    }
    // The dialog grows to hold the rows, never off a small screen.
    EXPECT_LE(m_form.height(), 480);
    // The FTP choice made before an ftps:// address came back when it went.
    Edit("locationEdit")->setText(QStringLiteral("ftp://files.example.org/sales.dat"));
    EXPECT_EQ(tls->currentIndex(), static_cast<int>(FtpSecurity::Explicit));

    // The rows shown are reached from the keyboard, in order after the account's password.
    m_form.activateWindow();
    QApplication::processEvents();
    QTest::keyClick(&m_form, Qt::Key_Y, Qt::AltModifier);
    EXPECT_EQ(m_form.focusWidget(), tls);
    Edit("locationEdit")->setText(QStringLiteral("sftp://files.example.org/sales.dat"));
    Edit("ftpPasswordEdit")->setFocus();
    QTest::keyClick(m_form.focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(m_form.focusWidget(), Edit("sshKeyEdit"));
}

TEST_F(GroupEditFormTest, TakenTitleIsRefusedInAnyLetterCase)
{
    m_form.TakenNames() = {"Sales", "Dev",
                           "\xC3\x9C"
                           "bung"}; // "Übung" in UTF-8
    Edit("locationEdit")->setText(QStringLiteral("/srv/share/list.dat"));

    for (const QString& title : {QStringLiteral("sales"), QStringLiteral("DEV"), QStringLiteral("\u00FCBUNG")}) {
        SCOPED_TRACE(title.toStdString());
        m_recorder.Messages.clear();
        EXPECT_EQ(TypeTitleAndPressOk(title), QDialog::Rejected);
        EXPECT_TRUE(m_openAfterOk);
        ASSERT_EQ(m_recorder.Messages.size(), 1U);
        EXPECT_EQ(m_recorder.Messages[0].Text, TakenText);
        EXPECT_EQ(m_recorder.Messages[0].Title, QStringLiteral("Information"));
        EXPECT_EQ(m_recorder.Messages[0].Icon, QMessageBox::Information);
    }
    // The typed values stay for the next try.
    EXPECT_EQ(Edit("locationEdit")->text(), QStringLiteral("/srv/share/list.dat"));
    EXPECT_EQ(Edit("titleEdit")->text(), QStringLiteral("\u00FCBUNG"));

    m_recorder.Messages.clear();
    EXPECT_EQ(TypeTitleAndPressOk(QStringLiteral("Sales 2")), QDialog::Accepted);
    EXPECT_TRUE(m_recorder.Messages.empty());
}

TEST_F(GroupEditFormTest, KeyboardReachesTheFieldsAndARefusalReturnsToTheTitle)
{
    m_form.TakenNames() = {"Sales"};
    m_form.show();
    m_form.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(m_form.focusWidget(), Edit("titleEdit"));
    QTest::keyClick(&m_form, Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(m_form.focusWidget(), Edit("ftpPasswordEdit"));
    QTest::keyClick(&m_form, Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(m_form.focusWidget(), Edit("locationEdit"));
    QTest::keyClick(m_form.focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(m_form.focusWidget(), Edit("passwordEdit"));

    Edit("titleEdit")->setText(QStringLiteral("SALES"));
    // Enter presses the default button, OK.
    QTest::keyClick(Edit("passwordEdit"), Qt::Key_Return);
    EXPECT_TRUE(m_form.isVisible());
    ASSERT_EQ(m_recorder.Messages.size(), 1U);
    EXPECT_EQ(m_form.focusWidget(), Edit("titleEdit"));
    EXPECT_EQ(Edit("titleEdit")->selectedText(), QStringLiteral("SALES"));
}

TEST_F(GroupEditFormTest, TitleThatCannotBeAFileNameIsRefused)
{
    for (const QString& title : {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("a/b"),
                                 QStringLiteral("a\\b"), QStringLiteral("../Sales")}) {
        SCOPED_TRACE(title.toStdString());
        m_recorder.Messages.clear();
        EXPECT_EQ(TypeTitleAndPressOk(title), QDialog::Rejected);
        EXPECT_TRUE(m_openAfterOk);
        ASSERT_EQ(m_recorder.Messages.size(), 1U);
        EXPECT_TRUE(m_recorder.Messages[0].Text.contains(QStringLiteral("file name")));
    }
    for (const QString& title :
         {QStringLiteral("Sales & Marketing"), QStringLiteral(".hidden"), QStringLiteral("a..b")}) {
        SCOPED_TRACE(title.toStdString());
        EXPECT_EQ(TypeTitleAndPressOk(title), QDialog::Accepted);
    }
}

TEST_F(GroupEditFormTest, CancelEscapeAndCloseBoxNeverCheckTheTitle)
{
    m_form.TakenNames() = {"Sales"};
    Edit("titleEdit")->setText(QStringLiteral("Sales"));

    WhenShown(m_form, [&] { Click(m_form, "cancelButton"); });
    EXPECT_EQ(m_form.exec(), QDialog::Rejected);
    WhenShown(m_form, [&] { QTest::keyClick(Edit("titleEdit"), Qt::Key_Escape); });
    EXPECT_EQ(m_form.exec(), QDialog::Rejected);
    WhenShown(m_form, [&] { m_form.close(); });
    EXPECT_EQ(m_form.exec(), QDialog::Rejected);

    EXPECT_TRUE(m_recorder.Messages.empty());
    EXPECT_EQ(Edit("titleEdit")->text(), QStringLiteral("Sales"));
}

TEST_F(GroupEditFormTest, HelpOpensItsTopic)
{
    Click(m_form, "helpButton");
    ASSERT_EQ(m_recorder.HelpTopics.size(), 1U);
    EXPECT_EQ(m_recorder.HelpTopics[0], QStringLiteral("edit-group-window.htm"));
}

} // namespace
