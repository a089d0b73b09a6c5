#pragma once

#include <string>
#include <vector>

// Runs a program of the test suite as its own process.
struct ProcessResult
{
    int ExitCode = -1;
    std::string Errors;
};

// Starts the program and returns its process id, standard output and errors to /dev/null.
int StartProcess(const std::vector<std::string>& arguments);
// Runs the program to its end and collects what it wrote to standard error.
ProcessResult RunProcess(const std::vector<std::string>& arguments);
