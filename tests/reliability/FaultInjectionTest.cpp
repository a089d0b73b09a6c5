#include "ChildProcess.h"
#include "Figures.h"
#include "SaveSamples.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct Fault
{
    const char* name;
    std::vector<std::string> strace; // the injection, as strace takes it
};

const std::vector<Fault> Faults = {
    {"full disk", {"-e", "inject=write:error=ENOSPC:when=1"}},
    {"failed flush", {"-e", "inject=fsync,fdatasync:error=EIO"}},
    {"rename across devices", {"-e", "inject=rename,renameat,renameat2:error=EXDEV"}},
};

struct Target
{
    const char* kind;
    const char* file;
    const char* newVersion;
    bool namesFile; // the program's own error text names the file
};

const std::vector<Target> Targets = {
    {"list", "bwlist.dat", "75", true},
    {"groups", "glist.dat", "75", true},
    {"copy", "sales.dat", "", false},
};

int FilesIn(const std::filesystem::path& folder)
{
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

bool StraceWorks()
{
    return RunProcess({"strace", "-o", "/dev/null", "true"}).ExitCode == 0;
}

// Failing writes, flushes and renames are injected into a real saving process: the old file must
// stay as it was, no temporary file may be left, and the error must name the file.
TEST(FaultInjection, FailedSavesKeepTheOldFile)
{
#if defined(BW_SANITIZED)
    // The sanitizers' runtimes make system calls of their own that the injection would hit, and
    // LeakSanitizer refuses to run under ptrace; the plain build runs these cases.
    GTEST_SKIP() << "fault injection runs in the build without sanitizers";
#endif
    if (!StraceWorks()) {
        GTEST_SKIP() << "strace cannot trace here";
    }
    int survived = 0;
    int tried = 0;
    for (const Fault& fault : Faults) {
        for (const Target& target : Targets) {
            TempFolder folder;
            const std::filesystem::path file = folder / target.file;
            std::vector<std::string> save;
            if (std::string(target.kind) == "copy") {
                SaveItemList(SampleList(SampleA), file, "pw");
                SaveItemList(SampleList(SampleB), folder / "new-source", "pw");
                save = {BW_SAVE_ONCE, "copy", (folder / "new-source").string(), file.string()};
            } else {
                const auto first = RunProcess({BW_SAVE_ONCE, target.kind, file.string(), "40"});
                ASSERT_EQ(first.ExitCode, 0) << first.Err;
                save = {BW_SAVE_ONCE, target.kind, file.string(), target.newVersion};
            }
            const std::string before = ReadBytes(file);
            const int filesBefore = FilesIn(folder.Path());

            std::vector<std::string> command{"strace", "-f", "-o", "/dev/null"};
            command.insert(command.end(), fault.strace.begin(), fault.strace.end());
            command.insert(command.end(), save.begin(), save.end());
            const TProcessRun result = RunProcess(command);

            const bool kept = result.ExitCode == 1 && ReadBytes(file) == before &&
                              FilesIn(folder.Path()) == filesBefore &&
                              (!target.namesFile || result.Err.find(file.string()) != std::string::npos);
            EXPECT_TRUE(kept) << fault.name << " while saving " << target.file << ": exit " << result.ExitCode << ", "
                              << result.Err;
            ++tried;
            survived += kept ? 1 : 0;
        }
    }
    RecordFigure("injected faults survived / tried: " + std::to_string(survived) + " / " + std::to_string(tried));
}

// A folder nothing can be written into (immutable even for the administrator).
TEST(FaultInjection, ReadOnlyFolderKeepsTheOldFile)
{
    TempFolder folder;
    const std::filesystem::path file = folder / "bwlist.dat";
    ASSERT_EQ(RunProcess({BW_SAVE_ONCE, "list", file.string(), "40"}).ExitCode, 0);
    const std::string before = ReadBytes(file);
    if (RunProcess({"chattr", "+i", folder.Path().string()}).ExitCode != 0) {
        GTEST_SKIP() << "this file system cannot make a folder read-only for the administrator";
    }
    const TProcessRun result = RunProcess({BW_SAVE_ONCE, "list", file.string(), "75"});
    RunProcess({"chattr", "-i", folder.Path().string()});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_NE(result.Err.find(file.string()), std::string::npos) << result.Err;
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_EQ(FilesIn(folder.Path()), 1);
}

} // namespace
