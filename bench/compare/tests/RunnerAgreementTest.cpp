// The runners, on the files the harness generates, must find the same next occurrence for every
// reminder; otherwise the table would compare different work. remind must read its file cleanly.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <unistd.h>

namespace {

const std::filesystem::path Build = BW_COMPARE_BUILD_DIR;

struct TCommandResult
{
    int Status = -1;
    std::string Output;
};

TCommandResult RunCommand(const std::string& command)
{
    TCommandResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        result.Output.append(buffer, got);
    }
    result.Status = ::pclose(pipe);
    return result;
}

std::map<std::string, long long> ReadDump(const std::filesystem::path& file)
{
    std::map<std::string, long long> next;
    std::ifstream in(file);
    std::string uid;
    long long minutes = 0;
    while (in >> uid >> minutes) {
        next[uid] = minutes;
    }
    return next;
}

class RunnerAgreementTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = std::filesystem::temp_directory_path() / ("bw-compare-test-" + std::to_string(::getpid()));
        ASSERT_EQ(RunCommand((Build / "bw_compare_make").string() + " " + s_folder.string() + " 1500").Status, 0);
        ASSERT_EQ(Dump("bellwick", "bellwick-1500.dat"), 0);
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(s_folder); }

    static int Dump(const std::string& program, const std::string& input)
    {
        const std::filesystem::path runner = Build / ("bw_compare_" + program);
        return RunCommand(runner.string() + " nextdump " + (s_folder / input).string() + " --out " +
                          (s_folder / (program + ".txt")).string() + " >/dev/null")
            .Status;
    }

    void ExpectSameAsBellwick(const std::string& program)
    {
        if (!std::filesystem::exists(Build / ("bw_compare_" + program))) {
            GTEST_SKIP() << program << " is not built";
        }
        ASSERT_EQ(Dump(program, "events-1500.ics"), 0);
        const auto bellwick = ReadDump(s_folder / "bellwick.txt");
        const auto peer = ReadDump(s_folder / (program + ".txt"));
        ASSERT_EQ(bellwick.size(), 1500u);
        EXPECT_EQ(peer, bellwick);
    }

    static inline std::filesystem::path s_folder;
};

TEST_F(RunnerAgreementTest, LibicalFindsBellwicksNextOccurrences)
{
    ExpectSameAsBellwick("libical");
}

TEST_F(RunnerAgreementTest, KCalendarCoreFindsBellwicksNextOccurrences)
{
    ExpectSameAsBellwick("kcal");
}

TEST_F(RunnerAgreementTest, RemindReadsItsFileWithoutErrorsAndFindsAsManyUpcoming)
{
    if (RunCommand("command -v remind >/dev/null").Status != 0) {
        GTEST_SKIP() << "remind is not installed";
    }
    const TCommandResult run =
        RunCommand("remind -n -q -r " + (s_folder / "reminders-1500.rem").string() + " 2026-03-11 12:00 2>&1");
    ASSERT_EQ(run.Status, 0);
    EXPECT_EQ(run.Output.find("rror"), std::string::npos) << run.Output.substr(0, 500);
    std::size_t upcoming = 0;
    for (const auto& [uid, minutes] : ReadDump(s_folder / "bellwick.txt")) {
        upcoming += minutes >= 0 ? 1 : 0;
    }
    std::size_t lines = 0;
    std::istringstream output(run.Output);
    for (std::string line; std::getline(output, line);) {
        lines += line.empty() ? 0 : 1;
    }
    // remind decides by day: a reminder due earlier on the day of the moment still counts as next.
    EXPECT_GE(lines, upcoming);
    EXPECT_LE(lines, upcoming + upcoming / 100);
}

} // namespace
