// The XDG autostart entry: where it goes, what it says, how its Exec line is quoted, and the
// failures the user gets to read.
#include "XdgAutostart.h"
#include "BWError.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& fileName, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::string FailureText(const std::function<void()>& work)
{
    try {
        work();
    } catch (const EBWError& failure) {
        return failure.what();
    }
    return {};
}

} // namespace

TEST(XdgAutostart, TheEntryComesAndGoesInTheAutostartFolderOfTheConfigurationHome)
{
    QTemporaryDir config;
    XdgAutostart autostart(config.path());
    const QString entry = config.filePath(QStringLiteral("autostart/bellwick.desktop"));
    ASSERT_EQ(autostart.EntryFile(), entry);
    EXPECT_FALSE(autostart.StartsProgram(QStringLiteral("/usr/bin/BWClient")));

    autostart.Enable(QStringLiteral("/usr/bin/BWClient"));
    EXPECT_EQ(ReadAll(entry), QByteArray("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Bellwick\n"
                                         "Comment=Reminders for you and your team, from the notification area\n"
                                         "TryExec=/usr/bin/BWClient\n"
                                         "Exec=/usr/bin/BWClient /m\n"
                                         "Icon=bellwick\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n"));
    EXPECT_TRUE(autostart.StartsProgram(QStringLiteral("/usr/bin/BWClient")));
    EXPECT_FALSE(autostart.StartsProgram(QStringLiteral("/usr/local/bin/BWClient")));

    autostart.Disable();
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_NO_THROW(autostart.Disable()) << "no entry is nothing to remove";
}

TEST(XdgAutostart, TheConfigurationHomeIsXdgConfigHomeWhenAbsoluteElseDotConfig)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const QString fallback = QDir::homePath() + QStringLiteral("/.config");
    qputenv("XDG_CONFIG_HOME", "/tmp/some config");
    EXPECT_EQ(XdgAutostart::DefaultConfigHome(), QStringLiteral("/tmp/some config"));
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(XdgAutostart::DefaultConfigHome(), fallback);
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(XdgAutostart::DefaultConfigHome(), fallback);
    qputenv("XDG_CONFIG_HOME", saved);
}

TEST(XdgAutostart, AProgramPathWithReservedCharactersIsQuotedAsDesktopEntriesWant)
{
    // Expected values written out by hand from the quoting and escaping rules of desktop entries.
    const std::vector<std::pair<QString, QString>> cases = {
        {QStringLiteral("/opt/bellwick/BWClient"), QStringLiteral("/opt/bellwick/BWClient /m")},
        {QStringLiteral("/home/ann/My Programs/BWClient"), QStringLiteral("\"/home/ann/My Programs/BWClient\" /m")},
        {QStringLiteral("/home/ann/$HOME/BWClient"), QStringLiteral("\"/home/ann/\\\\$HOME/BWClient\" /m")},
        {QStringLiteral("/home/ann/a\"b`c/BWClient"), QStringLiteral("\"/home/ann/a\\\\\"b\\\\`c/BWClient\" /m")},
        {QStringLiteral("/home/ann/back\\slash/BWClient"),
         QStringLiteral("\"/home/ann/back\\\\\\\\slash/BWClient\" /m")},
        {QStringLiteral("/home/ann/100%/BWClient"), QStringLiteral("/home/ann/100%%/BWClient /m")},
        {QStringLiteral("/home/ann/it's/BWClient"), QStringLiteral("\"/home/ann/it's/BWClient\" /m")},
    };
    QTemporaryDir config;
    XdgAutostart autostart(config.path());
    for (const auto& [program, exec] : cases) {
        EXPECT_EQ(XdgAutostart::ExecValue(program), exec) << program.toStdString();
        EXPECT_EQ(XdgAutostart::ExecWords(exec), (QStringList{program, QStringLiteral("/m")})) << exec.toStdString();
        autostart.Enable(program);
        EXPECT_TRUE(autostart.StartsProgram(program)) << program.toStdString();
    }
}

TEST(XdgAutostart, AnEntryEditedByHandStillCountsWhenItStartsThisProgram)
{
    QTemporaryDir config;
    XdgAutostart autostart(config.path());
    const QString program = QStringLiteral("/usr/bin/BWClient");
    WriteAll(autostart.EntryFile(), "# moved by the user\n[Desktop Entry]\nName=Bellwick\nExec[de]=/elsewhere\n"
                                    "Exec = \"/usr/bin/BWClient\" /m\nX-GNOME-Autostart-Delay=30\n");
    EXPECT_TRUE(autostart.StartsProgram(program));

    WriteAll(autostart.EntryFile(), "[Desktop Entry]\nExec=/old/place/BWClient /m\n");
    EXPECT_FALSE(autostart.StartsProgram(program));
    WriteAll(autostart.EntryFile(), "[Other Group]\nExec=/usr/bin/BWClient /m\n");
    EXPECT_FALSE(autostart.StartsProgram(program)) << "only the main group's Exec counts";
    WriteAll(autostart.EntryFile(), "[Desktop Entry]\nExec=\"/usr/bin/BWClient /m\n");
    EXPECT_FALSE(autostart.StartsProgram(program)) << "an unclosed quote is no program";
}

TEST(XdgAutostart, AnEntryThatCannotBeWrittenOrRemovedIsReportedWithItsFileName)
{
    // A file where the configuration folder should be: no folder can be made below it, for root too.
    QTemporaryDir root;
    const QString notAFolder = root.filePath(QStringLiteral("config"));
    WriteAll(notAFolder, "x");
    XdgAutostart blocked(notAFolder);
    const std::string written = FailureText([&] { blocked.Enable(QStringLiteral("/usr/bin/BWClient")); });
    EXPECT_NE(written.find("Cannot write the autostart entry"), std::string::npos) << written;
    EXPECT_NE(written.find(blocked.EntryFile().toStdString()), std::string::npos) << written;

    // A folder where the entry should be cannot be removed as a file.
    QTemporaryDir config;
    XdgAutostart autostart(config.path());
    WriteAll(autostart.EntryFile() + QStringLiteral("/inside"), "x");
    const std::string removed = FailureText([&] { autostart.Disable(); });
    EXPECT_NE(removed.find("Cannot remove the autostart entry"), std::string::npos) << removed;
    EXPECT_NE(removed.find(autostart.EntryFile().toStdString()), std::string::npos) << removed;
}

TEST(XdgAutostart, TheEntryPassesTheDesktopFileValidator)
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty()) {
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) is not installed";
    }
    QTemporaryDir config;
    XdgAutostart autostart(config.path());
    for (const QString& program :
         {QStringLiteral("/usr/bin/BWClient"), QStringLiteral("/home/ann/My $Programs/a\"b\\c%d/BWClient")}) {
        autostart.Enable(program);
        QProcess check;
        check.start(validator, {autostart.EntryFile()});
        ASSERT_TRUE(check.waitForFinished(10000));
        EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
        EXPECT_EQ(check.readAllStandardOutput(), QByteArray()) << "not even a hint";
    }
}
