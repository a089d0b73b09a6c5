#pragma once

#include <string>

struct TSplitCommandLine
{
    bool Success = false;
    std::string Program;
    std::string Parameters;
};

// One line of an execute-files message: a program (quoted when it holds blanks) and its parameters.
[[nodiscard]] TSplitCommandLine SplitCommandLine(const std::string& line);
