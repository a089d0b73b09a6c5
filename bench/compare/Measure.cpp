#include "Measure.h"

#include "MessageGenerator.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

[[noreturn]] void Usage(const char* program, std::string_view operations)
{
    std::fprintf(stderr, "usage: %s {%.*s} FILE [--out FILE] [--reps N] [--budget SECONDS]\n", program,
                 static_cast<int>(operations.size()), operations.data());
    std::exit(2);
}

} // namespace

TRunnerArgs ParseRunnerArgs(int argc, char** argv, std::string_view operations)
{
    if (argc < 3) {
        Usage(argv[0], operations);
    }
    TRunnerArgs args;
    args.Operation = argv[1];
    args.File = argv[2];
    if ((" " + std::string(operations) + " ").find(" " + args.Operation + " ") == std::string::npos) {
        Usage(argv[0], operations);
    }
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--out") {
            args.Output = argv[i + 1];
        } else if (option == "--reps") {
            args.Repetitions = std::max(1, std::atoi(argv[i + 1]));
        } else if (option == "--budget") {
            args.BudgetSeconds = std::atof(argv[i + 1]);
        } else {
            Usage(argv[0], operations);
        }
    }
    return args;
}

std::vector<double> TimeRepeated(const TRunnerArgs& args, const std::function<void()>& prepare,
                                 const std::function<void()>& body)
{
    using Clock = std::chrono::steady_clock;
    prepare();
    body();
    std::vector<double> millis;
    const auto started = Clock::now();
    const auto budget = std::chrono::duration<double>(args.BudgetSeconds);
    while (static_cast<int>(millis.size()) < args.Repetitions &&
           (millis.size() < 3 || Clock::now() - started < budget)) {
        prepare();
        const auto begin = Clock::now();
        body();
        const auto end = Clock::now();
        millis.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
    }
    return millis;
}

void PrintResult(const TRunnerArgs& args, std::size_t count, const std::vector<double>& millis, double check)
{
    std::string line = "{\"op\": \"" + args.Operation + "\", \"count\": " + std::to_string(count) + ", \"ms\": [";
    for (std::size_t i = 0; i < millis.size(); ++i) {
        char number[32];
        std::snprintf(number, sizeof number, "%s%.4f", i == 0 ? "" : ", ", millis[i]);
        line += number;
    }
    char tail[64];
    std::snprintf(tail, sizeof tail, "], \"check\": %.0f}", check);
    line += tail;
    std::puts(line.c_str());
    std::fflush(stdout);
}

std::string ReadFileBytes(const std::filesystem::path& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot open " + fileName.string());
    }
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

double NextOccurrenceMoment()
{
    return BenchMoment() + 9 + 4.0 / 24; // Wednesday of the next week, 12:00
}

long long MinutesAfter(double moment, double occurrence)
{
    return std::llround((occurrence - moment) * 1440);
}
