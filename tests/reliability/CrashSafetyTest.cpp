#include "ChildProcess.h"
#include "Figures.h"
#include "SaveSamples.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <thread>

#include <sys/wait.h>

namespace {

bool IsSampleList(const std::filesystem::path& file, const std::string& password)
{
    TBWItemList list;
    if (LoadItemList(list, file, password) != LoadOk) {
        return false;
    }
    const auto count = static_cast<int>(list.size());
    return (count == SampleA || count == SampleB) && list.front()->Id == 1000 * count &&
           list.back()->Id == 1000 * count + count - 1;
}

bool IsSampleGroupList(const std::filesystem::path& file)
{
    TBWGroupList groups;
    if (!LoadGroupList(groups, file)) {
        return false;
    }
    const auto count = static_cast<int>(groups.size());
    return (count == SampleA || count == SampleB) && groups.back()->Password == "secret";
}

// Every line of the log is whole: a killed writer may lose its line, never leave half of one.
bool LogIsWhole(const std::filesystem::path& file)
{
    const std::string text = ReadBytes(file);
    if (!text.empty() && !text.ends_with("\r\n")) {
        return false;
    }
    TStringList lines;
    SplitLines(text, lines);
    for (const std::string& line : lines) {
        if (!line.starts_with("12/8/26 10:00:03 AM || ") || line.find(" || Round ") == std::string::npos) {
            return false;
        }
    }
    return true;
}

int LeftoverTemporaryFiles(const std::filesystem::path& folder)
{
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        count += name.starts_with(".") || name.find(".tmp") != std::string::npos ? 1 : 0;
    }
    return count;
}

// A process that saves every kind of file over and over is killed at random moments; each time
// every file must be one of its two versions, whole and loadable.
TEST(CrashSafety, KilledSavesLeaveEveryFileOldOrNew)
{
    TempFolder folder;
    for (const char* sub : {"BWELists", "Logs", "share"}) {
        std::filesystem::create_directories(folder / sub);
    }
    SaveItemList(SampleList(SampleA), folder / "source-a", "sales pw");
    SaveItemList(SampleList(SampleB), folder / "source-b", "sales pw");
    const std::string sourceA = ReadBytes(folder / "source-a");
    const std::string sourceB = ReadBytes(folder / "source-b");
    ASSERT_EQ(RunProcess({BW_SAVE_ONCE, "list", (folder / "bwlist.dat").string(), "40"}).ExitCode, 0);
    ASSERT_EQ(RunProcess({BW_SAVE_ONCE, "list", (folder / "bwlist.bak").string(), "40"}).ExitCode, 0);
    ASSERT_EQ(RunProcess({BW_SAVE_ONCE, "list", (folder / "BWELists" / "Sales").string(), "40"}).ExitCode, 0);
    ASSERT_EQ(RunProcess({BW_SAVE_ONCE, "groups", (folder / "glist.dat").string(), "40"}).ExitCode, 0);
    std::filesystem::copy_file(folder / "source-a", folder / "share" / "sales.dat");
    // The working list is saved with the group's password, unlike the sample tool's "list".
    SaveItemList(SampleList(SampleA), folder / "BWELists" / "Sales", "sales pw");

    constexpr int Kills = 300;
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delay(2, 40);
    int survived = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        const int pid = StartProcess({BW_SAVE_ONCE, "loop", folder.Path().string()});
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(delay(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);

        const std::string shared = ReadBytes(folder / "share" / "sales.dat");
        const bool whole = IsSampleList(folder / "bwlist.dat", PersonalListPassword) &&
                           IsSampleList(folder / "bwlist.bak", PersonalListPassword) &&
                           IsSampleList(folder / "BWELists" / "Sales", "sales pw") &&
                           IsSampleGroupList(folder / "glist.dat") && (shared == sourceA || shared == sourceB) &&
                           LogIsWhole(folder / "Logs" / "messages.log");
        EXPECT_TRUE(whole) << "after kill " << kill;
        survived += whole ? 1 : 0;
    }
    const int leftovers = LeftoverTemporaryFiles(folder.Path());
    RecordFigure("kills survived / tried: " + std::to_string(survived) + " / " + std::to_string(Kills) +
                 " (temporary files left by killed saves: " + std::to_string(leftovers) + ")");
    EXPECT_EQ(survived, Kills);
}

} // namespace
