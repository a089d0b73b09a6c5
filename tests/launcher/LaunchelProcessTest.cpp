#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

struct LaunchResult
{
    bool finished = false;
    int exitCode = -1;
    QByteArray output;
};

// Each test gets a folder with a stub desktop handler ("xdg-open") first on PATH and an executable script.
// Both append one line per start to their log, each argument in brackets so that word boundaries show.
class LaunchelProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        ASSERT_TRUE(QDir(m_root.path()).mkpath(QStringLiteral("bin")));
        ASSERT_TRUE(QDir(m_root.path()).mkpath(QStringLiteral("work/my folder")));
        WriteLoggingScript(Path("bin/xdg-open"), HandlerLog());
        WriteLoggingScript(Path("work/tool.sh"), ScriptLog());
    }

    QString Path(const char* relative) const { return m_root.filePath(QString::fromUtf8(relative)); }
    QString HandlerLog() const { return Path("handler.log"); }
    QString ScriptLog() const { return Path("script.log"); }

    static void WriteFile(const QString& path, const QByteArray& contents)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(contents), contents.size());
    }

    static void WriteLoggingScript(const QString& path, const QString& log)
    {
        WriteFile(path,
                  "#!/bin/sh\n{ for a in \"$@\"; do printf '[%s]' \"$a\"; done; echo; } >> '" + log.toUtf8() + "'\n");
        ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    LaunchResult Run(const QStringList& arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PATH"), Path("bin") + u':' + environment.value(QStringLiteral("PATH")));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(Path("work"));
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral(BW_LAUNCHEL_PATH), arguments);
        LaunchResult result;
        result.finished = process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit;
        result.exitCode = process.exitCode();
        result.output = process.readAll();
        return result;
    }

    // The launcher's normal end: code 0 and not a character printed.
    void RunQuietly(const QStringList& arguments) const
    {
        const LaunchResult result = Run(arguments);
        EXPECT_TRUE(result.finished) << arguments.join(u' ').toStdString();
        EXPECT_EQ(result.exitCode, 0) << arguments.join(u' ').toStdString();
        EXPECT_EQ(result.output.toStdString(), "") << arguments.join(u' ').toStdString();
    }

    // The complete lines of a log; what was started runs detached, so its line may come a moment after the
    // launcher has ended, and the wait for it is bounded.
    static QStringList WaitForLines(const QString& log, qsizetype count)
    {
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        for (;;) {
            QFile file(log);
            QStringList lines;
            if (file.open(QIODevice::ReadOnly)) {
                lines = QString::fromUtf8(file.readAll()).split(u'\n');
                lines.removeLast(); // the piece after the last line end, empty unless a line is half written
            }
            if (lines.size() >= count || std::chrono::steady_clock::now() >= deadline) {
                return lines;
            }
            std::this_thread::sleep_for(20ms);
        }
    }

    // Proves that the runs before started nothing: a later run that does start the handler is then the only
    // entry in either log.
    void ExpectNothingStartedSoFar() const
    {
        WriteFile(Path("work/fence.txt"), "fence");
        RunQuietly({QStringLiteral("fence.txt")});
        EXPECT_EQ(WaitForLines(HandlerLog(), 1), QStringList{QStringLiteral("[fence.txt]")});
        EXPECT_FALSE(QFile::exists(ScriptLog()));
    }

private:
    QTemporaryDir m_root;
};

TEST_F(LaunchelProcessTest, WithoutArgumentsOpensNothing)
{
    RunQuietly({});
    ExpectNothingStartedSoFar();
}

// A name that names nothing opens nothing, and whoever started the launcher reads why on standard
// error; the exit code stays 0.
TEST_F(LaunchelProcessTest, NonexistentTargetOpensNothingAndSaysSo)
{
    for (const QStringList& arguments :
         {QStringList{Path("work/missing.txt")}, QStringList{QStringLiteral("missing.txt"), QStringLiteral("-x")},
          QStringList{QStringLiteral("no-such-program-here"), QStringLiteral("-x")}}) {
        const LaunchResult result = Run(arguments);
        EXPECT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.output.toStdString(), "Launchel: cannot open \"" + arguments[0].toStdString() +
                                                   "\": there is no such file, folder, program or address.\n");
    }
    RunQuietly({QString()});
    ExpectNothingStartedSoFar();
}

TEST_F(LaunchelProcessTest, ProgramRunsWithItsParametersSplitIntoWords)
{
    RunQuietly({Path("work/tool.sh"), QStringLiteral(R"(alpha "two words"  "" beta)")});
    EXPECT_EQ(WaitForLines(ScriptLog(), 1), QStringList{QStringLiteral("[alpha][two words][beta]")});
    EXPECT_FALSE(QFile::exists(HandlerLog()));
}

TEST_F(LaunchelProcessTest, ThirdAndLaterArgumentsAreIgnored)
{
    RunQuietly({Path("work/tool.sh"), QStringLiteral("second"), QStringLiteral("third"), QStringLiteral("fourth")});
    EXPECT_EQ(WaitForLines(ScriptLog(), 1), QStringList{QStringLiteral("[second]")});
}

TEST_F(LaunchelProcessTest, ProgramIsFoundInTheCurrentFolderOrOnPath)
{
    WriteLoggingScript(Path("bin/bw-path-tool"), Path("path-tool.log"));
    RunQuietly({QStringLiteral("tool.sh")});
    RunQuietly({QStringLiteral("bw-path-tool"), QStringLiteral("x y")});
    EXPECT_EQ(WaitForLines(ScriptLog(), 1), QStringList{QString()});
    EXPECT_EQ(WaitForLines(Path("path-tool.log"), 1), QStringList{QStringLiteral("[x][y]")});
}

TEST_F(LaunchelProcessTest, DocumentOpensThroughTheDefaultHandlerWithoutParameters)
{
    WriteFile(Path("work/notes.txt"), "notes");
    RunQuietly({Path("work/notes.txt"), QStringLiteral("--not-for-documents")});
    EXPECT_EQ(WaitForLines(HandlerLog(), 1), QStringList{QLatin1Char('[') + Path("work/notes.txt") + u']'});
    EXPECT_FALSE(QFile::exists(ScriptLog()));
}

TEST_F(LaunchelProcessTest, PathWithBlanksIsOpenedWhole)
{
    WriteFile(Path("work/my folder/report 1.txt"), "report");
    WriteLoggingScript(Path("work/my folder/run me.sh"), ScriptLog());
    RunQuietly({Path("work/my folder/report 1.txt")});
    RunQuietly({QStringLiteral("my folder/run me.sh"), QStringLiteral(R"("C:\My Files\a.txt")")});
    EXPECT_EQ(WaitForLines(HandlerLog(), 1),
              QStringList{QLatin1Char('[') + Path("work/my folder/report 1.txt") + u']'});
    EXPECT_EQ(WaitForLines(ScriptLog(), 1), QStringList{QStringLiteral(R"([C:\My Files\a.txt])")});
}

TEST_F(LaunchelProcessTest, FoldersAddressesAndDashNamesGoToTheDefaultHandler)
{
    WriteFile(Path("work/-n.txt"), "dash");
    RunQuietly({QStringLiteral("my folder")});
    RunQuietly({QStringLiteral("https://example.org/a b")});
    RunQuietly({QStringLiteral("-n.txt")});
    // The three handlers run on their own, so their lines may come in any order.
    QStringList lines = WaitForLines(HandlerLog(), 3);
    lines.sort();
    EXPECT_EQ(lines, (QStringList{QStringLiteral("[./-n.txt]"), QStringLiteral("[https://example.org/a b]"),
                                  QStringLiteral("[my folder]")}));
}

} // namespace
