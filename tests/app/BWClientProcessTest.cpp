// The real program, started as a user starts it: one copy per user, and the data saved when the
// program is ended from outside.
#include "ProgramHome.h"
#include "TestMessages.h"

#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// A loaded machine running the tests in parallel may take a while to start a Qt program.
constexpr int StartTimeoutMs = 15000;

QByteArray ReadAll(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(BWClientProcess, ASecondCopyEndsAtOnceWithoutAWordWhileTheFirstGoesOn)
{
    ProgramHome home;
    const auto first = home.Start({});
    ASSERT_TRUE(WaitUntil([&] { return home.HasStarted(); }, std::chrono::milliseconds(StartTimeoutMs)));

    const auto second = home.Start({});
    ASSERT_TRUE(second->waitForFinished(StartTimeoutMs));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(second->readAllStandardOutput(), QByteArray());
    EXPECT_EQ(second->readAllStandardError(), QByteArray()) << "no message of any kind";
    EXPECT_EQ(first->state(), QProcess::Running);

    EXPECT_TRUE(Terminate(*first)) << "the program had ended before it was asked to";
    EXPECT_TRUE(first->waitForFinished(StartTimeoutMs));
    EXPECT_EQ(first->exitCode(), 0);
    EndProcess(*first);
}

TEST(BWClientProcess, SigtermSavesTheListsAndThePreferencesBeforeTheProgramEnds)
{
    ProgramHome home;
    TBWItemList messages = MakeSampleList(3, 45000.0);
    WritePersonalList(home.DataFolder(), messages);
    std::filesystem::remove(home.DataFolder() / "glist.dat");

    const auto program = home.Start({});
    ASSERT_TRUE(WaitUntil([&] { return home.HasStarted(); }, std::chrono::milliseconds(StartTimeoutMs)));
    ASSERT_TRUE(Terminate(*program)) << "the program had ended before it was asked to";
    ASSERT_TRUE(program->waitForFinished(StartTimeoutMs));
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program->exitCode(), 0) << program->readAllStandardError().toStdString();

    TBWItemList saved;
    ASSERT_EQ(LoadItemList(saved, home.DataFolder() / "bwlist.dat", PersonalListPassword), LoadOk);
    ASSERT_EQ(saved.size(), 3U);
    EXPECT_EQ(saved[2]->Title, messages[2]->Title);
    EXPECT_TRUE(std::filesystem::exists(home.DataFolder() / "glist.dat"));
    const QByteArray config = ReadAll(home.ConfigFile());
    EXPECT_TRUE(config.contains("UserName=Ann")) << config.toStdString();
    EXPECT_TRUE(config.contains("Wav9=s9.wav")) << config.toStdString();
    EXPECT_FALSE(config.contains("FXH1Alert"));
    const auto mode = std::filesystem::status(home.DataFolder() / "bwlist.dat").permissions();
    EXPECT_EQ(mode & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
              std::filesystem::perms::none);
    EndProcess(*program);
}

// On a first start the program waits for the user's name; a desktop logging out or a service
// manager stopping it must not wait with it.
TEST(BWClientProcess, SigtermEndsTheFirstStartsNamePromptAndTheProgramStillSaves)
{
    ProgramHome home;
    ASSERT_TRUE(QFile::remove(home.ConfigFile())) << "no name chosen yet";
    const auto program = home.Start({QStringLiteral("/m")});
    ASSERT_TRUE(WaitUntil([&] { return home.HasStarted(); }, std::chrono::milliseconds(StartTimeoutMs)));
    // The folder tree comes just before the question; give the question time to open.
    QThread::msleep(500);
    ASSERT_TRUE(Terminate(*program)) << "the program had ended before it was asked to";
    ASSERT_TRUE(program->waitForFinished(StartTimeoutMs)) << "the name prompt kept the program running";
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program->exitCode(), 0) << program->readAllStandardError().toStdString();
    EXPECT_TRUE(std::filesystem::exists(home.DataFolder() / "bwlist.dat"));
    EndProcess(*program);
}

TEST(BWClientProcess, ACopyThatWasKilledDoesNotKeepTheNextOneFromStarting)
{
    ProgramHome home;
    const auto killed = home.Start({});
    ASSERT_TRUE(WaitUntil([&] { return home.HasStarted(); }, std::chrono::milliseconds(StartTimeoutMs)));
    killed->kill();
    ASSERT_TRUE(killed->waitForFinished(StartTimeoutMs));
    ASSERT_TRUE(QFile::exists(home.LockFile())) << "a killed copy leaves its lock behind";

    const auto next = home.Start({});
    // Once through the lock, the new copy's own process number is in the lock file.
    const QByteArray pid = QByteArray::number(next->processId());
    EXPECT_TRUE(WaitUntil([&] { return ReadAll(home.LockFile()).startsWith(pid + '\n'); },
                          std::chrono::milliseconds(StartTimeoutMs)));
    EXPECT_EQ(next->state(), QProcess::Running);
    EXPECT_TRUE(Terminate(*next)) << "the program had ended before it was asked to";
    EXPECT_TRUE(next->waitForFinished(StartTimeoutMs));
    EndProcess(*next);
}
