#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Other programs run by the tests (the tools, a program killed at random, a system command), each as
// its own process. POSIX only.

// What a finished run left behind.
struct TProcessRun
{
    int ExitCode = -1; // -1 when the process could not start or did not exit normally
    std::string Out;
    std::string Err;
};

// Runs the command (a program's path, or a name found on PATH, and its arguments) in folder, feeding
// input to its standard input, and waits for it. Output is collected through files in folder, so a
// chatty program cannot block on a full pipe. Fails when the program cannot be started.
TProcessRun RunTool(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const std::string& input, const std::filesystem::path& folder);
// The same with no input, in the test's working folder; a program that cannot start gives ExitCode -1.
TProcessRun RunProcess(const std::vector<std::string>& command);
// Starts the command with nothing to read and its standard output into the file output (dropped
// when empty); returns the process id, or -1. Unlike QProcess, whose child runs intercepted calls
// in the parent's memory before its exec, this leaves ThreadSanitizer's view of the test intact.
int StartProcess(const std::vector<std::string>& command, const std::filesystem::path& output = {});
