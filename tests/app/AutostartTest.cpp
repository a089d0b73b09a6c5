// "Start with the desktop" on the real main window, with the real XDG autostart entry in a temporary
// configuration home: the entry follows the option, start-up mends it, failures are shown.
#include "AppContext.h"
#include "Clock.h"
#include "FakeNotificationArea.h"
#include "MemoryPreferencesStore.h"
#include "ProcessLists.h"
#include "RecordingHelpService.h"
#include "RecordingShell.h"
#include "RecordingSoundPlayer.h"
#include "ScriptedDialogs.h"
#include "TBWCForm.h"
#include "XdgAutostart.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

QString Text(const char* text)
{
    return QString::fromUtf8(text);
}

QByteArray ReadAll(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// XDG_CONFIG_HOME pointed at a folder of the test's own while the test runs.
class ConfigHomeOverride
{
public:
    explicit ConfigHomeOverride(const QString& folder) : m_saved(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder));
    }
    ~ConfigHomeOverride() { qputenv("XDG_CONFIG_HOME", m_saved); }
    ConfigHomeOverride(const ConfigHomeOverride&) = delete;
    ConfigHomeOverride& operator=(const ConfigHomeOverride&) = delete;

private:
    QByteArray m_saved;
};

class AutostartTest : public ::testing::Test
{
protected:
    void Start()
    {
        preferences.Write(Text("General"), Text("UserName"), Text("Ann"));
        form = std::make_unique<TBWCForm>(context, lists);
        form->findChild<QTimer*>(Text("tickTimer"))->stop();
        form->RunStartSteps();
    }

    [[nodiscard]] QAction* Option() const { return form->Menu().startWithDesktopAction; }
    [[nodiscard]] QString Entry() const { return home.filePath(Text("config/autostart/bellwick.desktop")); }
    [[nodiscard]] static QString Program() { return QCoreApplication::applicationFilePath(); }

    QTemporaryDir home;
    ConfigHomeOverride configHome{home.filePath(Text("config"))};
    XdgAutostart autostart{XdgAutostart::DefaultConfigHome()};
    std::filesystem::path dataFolder = std::filesystem::path(home.path().toStdString()) / "Bellwick/";
    FakeClock clock{45000.5};
    MemoryPreferencesStore preferences;
    RecordingShell shell;
    RecordingSoundPlayer sound;
    RecordingHelpService help;
    FakeNotificationArea notificationArea{true};
    ScriptedDialogs dialogs;
    AppContext context{dataFolder, clock, preferences, shell, sound, help, notificationArea, dialogs, autostart};
    ProcessLists lists;
    std::unique_ptr<TBWCForm> form;
};

} // namespace

TEST_F(AutostartTest, TheEntryAppearsAndDisappearsWithTheOptionWhichIsKeptAtExit)
{
    Start();
    ASSERT_NE(Option(), nullptr);
    EXPECT_TRUE(Option()->isCheckable());
    EXPECT_FALSE(Option()->isChecked()) << "off for a new user";
    EXPECT_FALSE(QFile::exists(Entry()));

    Option()->trigger();
    EXPECT_TRUE(Option()->isChecked());
    const QByteArray entry = ReadAll(Entry());
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n")) << entry.toStdString();
    EXPECT_TRUE(entry.contains("\nType=Application\n")) << entry.toStdString();
    EXPECT_TRUE(entry.contains("\nName=Bellwick\n")) << entry.toStdString();
    const qsizetype exec = entry.indexOf("\nExec=");
    ASSERT_GE(exec, 0) << entry.toStdString();
    const QByteArray execValue = entry.mid(exec + 6, entry.indexOf('\n', exec + 1) - exec - 6);
    EXPECT_EQ(XdgAutostart::ExecWords(QString::fromUtf8(execValue)), (QStringList{Program(), Text("/m")}))
        << "the absolute path of the running program, started hidden";
    EXPECT_TRUE(autostart.StartsProgram(Program()));
    form->ShutdownSave([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    EXPECT_EQ(preferences.values.at({Text("General"), Text("StartWithDesktop")}), StoredValue(Text("1")));

    Option()->trigger();
    EXPECT_FALSE(Option()->isChecked());
    EXPECT_FALSE(QFile::exists(Entry()));
    form->ShutdownSave([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    EXPECT_EQ(preferences.values.at({Text("General"), Text("StartWithDesktop")}), StoredValue(Text("0")));
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(AutostartTest, StartUpMendsAMissingEntryOrOneThatStartsAnotherProgramFile)
{
    preferences.Write(Text("General"), Text("StartWithDesktop"), Text("1"));
    QDir().mkpath(QFileInfo(Entry()).absolutePath());
    QFile old(Entry());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[Desktop Entry]\nType=Application\nName=Bellwick\nExec=/old/place/BWClient /m\n");
    old.close();

    Start();
    EXPECT_TRUE(Option()->isChecked());
    EXPECT_TRUE(autostart.StartsProgram(Program())) << ReadAll(Entry()).toStdString();

    form.reset();
    ASSERT_TRUE(QFile::remove(Entry()));
    Start();
    EXPECT_TRUE(autostart.StartsProgram(Program())) << "an entry removed by hand comes back while the option is on";
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(AutostartTest, AnEntryThatTheUserMadeIsLeftAloneWhileTheOptionIsOff)
{
    QDir().mkpath(QFileInfo(Entry()).absolutePath());
    QFile own(Entry());
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("[Desktop Entry]\nExec=/somewhere/BWClient\n");
    own.close();

    Start();
    EXPECT_FALSE(Option()->isChecked());
    EXPECT_EQ(ReadAll(Entry()), QByteArray("[Desktop Entry]\nExec=/somewhere/BWClient\n"));
}

TEST_F(AutostartTest, AnEntryThatCannotBeWrittenIsShownWithItsFileNameAndTheCheckMarkStaysOff)
{
    // A file where the autostart folder should be.
    QDir().mkpath(home.filePath(Text("config")));
    QFile blocker(home.filePath(Text("config/autostart")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    Start();
    Option()->trigger();
    ASSERT_EQ(dialogs.errors.size(), 1U);
    EXPECT_TRUE(dialogs.errors[0].contains(Entry())) << dialogs.errors[0].toStdString();
    EXPECT_FALSE(Option()->isChecked());
    EXPECT_FALSE(form->CurrentPreferences().StartWithDesktop);

    // The same failure at start-up is shown too, and the start goes on to the end.
    form.reset();
    dialogs.errors.clear();
    preferences.Write(Text("General"), Text("StartWithDesktop"), Text("1"));
    Start();
    ASSERT_EQ(dialogs.errors.size(), 1U);
    EXPECT_TRUE(dialogs.errors[0].contains(Entry())) << dialogs.errors[0].toStdString();
    EXPECT_TRUE(Option()->isChecked()) << "the option stays on, so the next start tries again";
    EXPECT_EQ(form->windowTitle(), Text("Bellwick (Ann)"));
}
