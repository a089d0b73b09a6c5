// The real program facing files it cannot use: a list file that cannot be read (as a file of mode
// 000 or a failing disk would make it) and a runtime folder that takes no lock file (read-only or
// full). The faults are injected with strace into the one file's system calls, since the tests run
// as the administrator, whom file modes do not stop.
#include "ProgramHome.h"
#include "TestMessages.h"

#include <QFile>

#include <gtest/gtest.h>

#include <map>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

constexpr int StartTimeoutMs = 20000;

QByteArray ReadAll(const fs::path& file)
{
    QFile in(QString::fromStdString(file.string()));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

ino_t InodeOf(const fs::path& file)
{
    struct stat info
    {};
    return ::stat(file.c_str(), &info) == 0 ? info.st_ino : 0;
}

bool StraceWorks()
{
    QProcess probe;
    probe.start(QStringLiteral("strace"), {QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("true")});
    return probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}

struct Fault
{
    const char* name;
    const char* file;      // under the test's home folder
    const char* syscall;   // traced on that file only
    const char* error;     // what it fails with
    bool stops;            // the program refuses to go on
    const char* explained; // a word of the text on standard error
};

void PrintTo(const Fault& fault, std::ostream* out)
{
    *out << fault.name;
}

// What the user sees of a file and whether the program may write over it.
struct FileState
{
    QByteArray Bytes;
    ino_t Inode;
};

class UnusableFilesTest : public ::testing::TestWithParam<Fault>
{
protected:
    void SetUp() override
    {
        if (!StraceWorks()) {
            GTEST_SKIP() << "strace cannot trace here";
        }
        const fs::path data = home.DataFolder();
        WritePersonalList(data, MakeSampleList(3, 45000.0));
        fs::copy_file(data / "bwlist.dat", data / "bwlist.bak");
        TBWGroupList groups;
        groups.push_back(MakeGroup("Sales", "north-wind", true));
        ASSERT_TRUE(SaveGroupList(groups, data / "glist.dat"));
        fs::create_directories(data / "BWELists");
        SaveItemList(MakeSampleList(2, 45000.0), data / "BWELists" / "Sales", "north-wind");
    }

    [[nodiscard]] fs::path Root() const { return home.DataFolder().parent_path().parent_path(); }

    [[nodiscard]] std::map<std::string, FileState> ListFiles() const
    {
        std::map<std::string, FileState> files;
        for (const char* name : {"bwlist.dat", "bwlist.bak", "glist.dat", "BWELists/Sales"}) {
            files[name] = {ReadAll(home.DataFolder() / name), InodeOf(home.DataFolder() / name)};
        }
        return files;
    }

    // BWClient with the fault injected into the one file's system calls.
    [[nodiscard]] std::unique_ptr<QProcess> StartWithFault(const Fault& fault) const
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = home.Environment(QStringLiteral("offscreen"));
        // LeakSanitizer cannot work in a traced process; the other sanitizers can.
        const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
        if (!sanitizer.isEmpty()) {
            environment.insert(QStringLiteral("ASAN_OPTIONS"), sanitizer + QStringLiteral(":detect_leaks=0"));
        }
        process->setProcessEnvironment(environment);
        const QString file = QString::fromStdString((Root() / fault.file).string());
        const QString syscall = QString::fromLatin1(fault.syscall);
        process->start(QStringLiteral("strace"),
                       // -D: the tracer is no parent of the program, whose own exit status and signals this test
                       // sees.
                       {QStringLiteral("-D"), QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                        QStringLiteral("-P"), file, QStringLiteral("-e"), QStringLiteral("trace=") + syscall,
                        QStringLiteral("-e"),
                        QStringLiteral("inject=%1:error=%2").arg(syscall, QString::fromLatin1(fault.error)),
                        QStringLiteral(BW_CLIENT_PATH)});
        process->waitForStarted(10000);
        return process;
    }

    ProgramHome home;
};

TEST_P(UnusableFilesTest, NothingIsWrittenOverWhatCouldNotBeReadAndTheUserIsToldWhy)
{
    const Fault& fault = GetParam();
    const std::map<std::string, FileState> before = ListFiles();
    const auto program = StartWithFault(fault);
    QByteArray errors;

    if (fault.stops) {
        // The reason goes to standard error first; the box with the same text waits for the user,
        // and the end of the session (SIGTERM) answers it.
        ASSERT_TRUE(WaitFor(
            [&] {
                errors += program->readAllStandardError();
                return errors.contains(fault.explained);
            },
            StartTimeoutMs))
            << errors.toStdString();
        EXPECT_TRUE(errors.contains(QByteArray(fault.file).split('/').last())) << errors.toStdString();
    } else {
        // A working list is moved aside, as it was, and the program goes on without it.
        ASSERT_TRUE(
            WaitFor([&] { return fs::exists(home.DataFolder() / "BWELists" / "Sales.damaged"); }, StartTimeoutMs));
    }
    ASSERT_TRUE(Terminate(*program));
    ASSERT_TRUE(program->waitForFinished(StartTimeoutMs));
    errors += program->readAllStandardError();
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program->exitCode(), fault.stops ? 1 : 0) << errors.toStdString();

    const std::map<std::string, FileState> after = ListFiles();
    if (fault.stops) {
        for (const auto& [name, state] : before) {
            EXPECT_EQ(after.at(name).Bytes, state.Bytes) << name;
            EXPECT_EQ(after.at(name).Inode, state.Inode) << name << " was written";
        }
        EXPECT_FALSE(fs::exists(home.DataFolder() / "BWELists" / "Sales.damaged"));
    } else {
        EXPECT_EQ(ReadAll(home.DataFolder() / "BWELists" / "Sales.damaged"), before.at("BWELists/Sales").Bytes);
        EXPECT_EQ(after.at("bwlist.bak").Bytes, before.at("bwlist.bak").Bytes);
    }
    EndProcess(*program);
}

const Fault Faults[] = {
    {"PersonalListWithoutPermission", "data/Bellwick/bwlist.dat", "openat", "EACCES", true, "Permission denied"},
    {"GroupListWithADiskError", "data/Bellwick/glist.dat", "read", "EIO", true, "Stream read error"},
    {"WorkingListWithoutPermission", "data/Bellwick/BWELists/Sales", "openat", "EACCES", false, ""},
    {"ReadOnlyRuntimeFolder", "run/Bellwick_Mutex.lock", "openat", "EROFS", true, "cannot be written to"},
    {"FullRuntimeFolder", "run/Bellwick_Mutex.lock", "write", "ENOSPC", true, "disk full"},
};

INSTANTIATE_TEST_SUITE_P(Faults, UnusableFilesTest, ::testing::ValuesIn(Faults),
                         [](const ::testing::TestParamInfo<Fault>& fault) { return std::string(fault.param.name); });

} // namespace
