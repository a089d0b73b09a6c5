// What the program writes, shows and starts must not hand the user's secrets to anyone: the data
// folder and everything the program creates in it are the user's alone, and no group password or
// FTP password turns up in the delivery log, in a text shown to the user, or in the arguments of a
// program it starts. A session of the main window with groups that work and groups that fail.
#include "GroupCommands.h"
#include "MainWindowFixture.h"
#include "ReminderDispatcher.h"
#include "TBWRunFilesForm.h"
#include "TransferCenter.h"
#include "TransferTestSupport.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A umask that would let others read, so that only the program's own care keeps them out.
class LaxUmask
{
public:
    LaxUmask() : m_previous(::umask(022)) {}
    ~LaxUmask() { ::umask(m_previous); }
    LaxUmask(const LaxUmask&) = delete;
    LaxUmask& operator=(const LaxUmask&) = delete;

private:
    mode_t m_previous;
};

struct SecretGroup
{
    const char* Name;
    std::string Location;
    const char* Password;
    const char* FtpPassword;
};

class PrivacyTest : public MainWindowTest
{
protected:
    [[nodiscard]] static fs::path ServerFolder() { return TestServers::FtpRoot() / "privacy"; }
    [[nodiscard]] fs::path Share() const { return fs::path(home.path().toStdString()) / "share"; }

    static std::unique_ptr<TBWItem> Message(std::int32_t id, const std::string& title, double due)
    {
        auto item = std::make_unique<TBWItem>();
        item->Id = id;
        item->Title = title;
        item->Author = "Bob";
        item->DueTime = due;
        item->ActivateAllDays();
        return item;
    }

    void AddGroup(const SecretGroup& secret)
    {
        auto group = std::make_unique<TBWListLocation>();
        group->Name = secret.Name;
        group->Location = secret.Location;
        group->Password = secret.Password;
        group->FtpUser = "bwuser";
        group->FtpPassword = secret.FtpPassword;
        group->Enabled = true;
        group->DetectLocationKind();
        lists.GroupList.push_back(std::move(group));
    }

    // Every text the session showed or handed on, one per entry.
    [[nodiscard]] std::vector<std::string> TextsShown() const
    {
        std::vector<std::string> texts;
        for (const QString& error : dialogs.errors) {
            texts.push_back(error.toStdString());
        }
        for (const auto& question : dialogs.confirmations) {
            texts.push_back((question.caption + question.prompt).toStdString());
        }
        for (const auto* box : form->findChildren<QMessageBox*>()) {
            texts.push_back(box->text().toStdString());
        }
        for (const auto* label : form->findChildren<QLabel*>()) {
            texts.push_back(label->text().toStdString());
        }
        texts.push_back(form->windowTitle().toStdString());
        for (const RecordingShell::Call& call : shell.calls) {
            texts.push_back((call.target + QLatin1Char(' ') + call.parameters).toStdString());
        }
        return texts;
    }
};

TEST_F(PrivacyTest, TheDataFolderIsTheUsersAloneAndNoPasswordLeavesTheProgram)
{
    const LaxUmask umask;
    fs::remove_all(ServerFolder());
    fs::create_directories(ServerFolder());
    fs::create_directories(Share());
    const std::vector<SecretGroup> secrets = {
        {"Share", (Share() / "share.dat").string(), "Share-Secret-1", "Share-Ftp-Secret"},
        {"Files", "ftp://127.0.0.1/privacy/files.dat", "Files-Secret-2", "bwpass"},
        {"Refused", "ftp://127.0.0.3/privacy/refused.dat", "Refused-Secret-3", "Refused-Ftp-Secret"},
        {"Web", TestServers::HttpUrl("/status/500"), "Web-Secret-4", "Web-Ftp-Secret"},
        {"Gone", (Share() / "no such folder" / "gone.dat").string(), "Gone-Secret-5", "Gone-Ftp-Secret"},
        {"Wrong", (Share() / "share.dat").string(), "Wrong-Secret-6", "Wrong-Ftp-Secret"},
    };
    // Bob's messages: a reminder in each group that can be reached, and a program to run.
    TBWItemList shared;
    shared.push_back(Message(501, "Share reminder", Noon() + 90 / 86400.0));
    auto program = Message(502, "Share program", Noon() + 90 / 86400.0);
    program->Kind = KindExecuteFiles;
    program->Text = "/bin/true --quiet";
    shared.push_back(std::move(program));
    SaveItemList(shared, Share() / "share.dat", secrets[0].Password);
    TBWItemList files;
    files.push_back(Message(503, "Files reminder", Noon() + 90 / 86400.0));
    SaveItemList(files, ServerFolder() / "files.dat", secrets[1].Password);

    StartAs(Text("Ann"));
    TransferSettings settings;
    settings.CaFile = TestServers::CaFile();
    settings.ConnectTimeout = 3s;
    settings.WaitLimit = 3s;
    form->Transfers().SetSettings(settings);
    for (const SecretGroup& secret : secrets) {
        AddGroup(secret);
    }

    // Five minutes: five pulls, the backup, the due scans; the program from the group is run.
    for (int tick = 1; tick <= 300; ++tick) {
        clock.AdvanceSeconds(1);
        TickTimes(1);
        QCoreApplication::processEvents();
        for (TBWRunFilesForm* question : form->Reminders().RunQuestions()) {
            question->findChild<QPushButton*>(Text("runButton"))->click();
        }
    }
    TBWItem note = *Message(504, "From Ann", Noon() + 1);
    note.Author = "Ann";
    form->Groups().PublishMessage(note, {}, {"Share", "Files", "Refused", "Web", "Gone", "Wrong"});
    form->ShutdownSave([](const QString& text) { ADD_FAILURE() << text.toStdString(); });

    // The session did what it should, so that the checks below have something to look at.
    ASSERT_EQ(shell.calls.size(), 1U);
    EXPECT_EQ(shell.calls[0].target, Text("/bin/true"));
    ASSERT_FALSE(dialogs.notices.empty());
    for (const char* failing : {"Refused", "Web", "Gone", "Wrong"}) {
        EXPECT_TRUE(dialogs.notices.back().contains(Text(failing))) << dialogs.notices.back().toStdString();
    }
    const std::string log = ReadBytes(dataFolder / "Logs" / "messages.log");
    EXPECT_NE(log.find("Share reminder"), std::string::npos) << log;
    EXPECT_NE(log.find("Files reminder"), std::string::npos) << log;

    std::vector<std::string> notPrivate;
    std::vector<fs::path> everything{dataFolder};
    for (const auto& entry : fs::recursive_directory_iterator(dataFolder)) {
        everything.push_back(entry.path());
    }
    for (const fs::path& path : everything) {
        const fs::perms mode = fs::status(path).permissions();
        if ((mode & (fs::perms::group_all | fs::perms::others_all)) != fs::perms::none) {
            notPrivate.push_back(path.string());
        }
    }
    EXPECT_TRUE(notPrivate.empty()) << ::testing::PrintToString(notPrivate);
    EXPECT_GE(everything.size(), 12U) << "the session wrote fewer files than expected";

    const std::vector<std::string> texts = TextsShown();
    for (const SecretGroup& secret : secrets) {
        for (const char* password : {secret.Password, secret.FtpPassword}) {
            EXPECT_EQ(log.find(password), std::string::npos) << password << " in the delivery log";
            for (const std::string& text : texts) {
                EXPECT_EQ(text.find(password), std::string::npos) << password << " shown in: " << text;
            }
            for (const fs::path& path : everything) {
                if (fs::is_regular_file(path)) {
                    EXPECT_EQ(ReadBytes(path).find(password), std::string::npos) << password << " in " << path;
                }
            }
        }
    }
}

} // namespace
