#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What the runners share: their command line, repeated timing and the one JSON line per result
// that compare.py reads. Every runner measures one operation of one program in a process of its
// own, so that the peak memory the driver reads from the outside belongs to that program alone.

struct TRunnerArgs
{
    std::string Operation;
    std::filesystem::path File;   // the list, calendar or reminders file to start from
    std::filesystem::path Output; // where saves go
    int Repetitions = 5;
    double BudgetSeconds = 30; // stop repeating after this, once three runs are timed
};

// runner OPERATION FILE [--out FILE] [--reps N] [--budget SECONDS]; exits with a usage text on error.
[[nodiscard]] TRunnerArgs ParseRunnerArgs(int argc, char** argv, std::string_view operations);

// One untimed warm-up run, then timed runs of body, each after an untimed prepare, until the
// repetitions are done or the budget is spent (never fewer than three). Milliseconds, wall clock.
[[nodiscard]] std::vector<double> TimeRepeated(const TRunnerArgs& args, const std::function<void()>& prepare,
                                               const std::function<void()>& body);

// {"op": ..., "count": ..., "ms": [...], "check": ...}: check is a number derived from the result
// (the count of loaded reminders, a sum of next occurrences) so a run that did nothing shows.
void PrintResult(const TRunnerArgs& args, std::size_t count, const std::vector<double>& millis, double check);

[[nodiscard]] std::string ReadFileBytes(const std::filesystem::path& fileName);

// The moment the next occurrences are asked for: the week after the generated lists were settled,
// on a Wednesday at noon, so that every repeating reminder has to move.
[[nodiscard]] double NextOccurrenceMoment();

// The password of the generated group files.
inline constexpr const char* BenchGroupPassword = "group password";

// Minutes from the moment to an occurrence, for the agreement check between programs.
[[nodiscard]] long long MinutesAfter(double moment, double occurrence);
