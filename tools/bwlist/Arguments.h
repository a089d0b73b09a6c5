#pragma once

#include <optional>
#include <string>
#include <vector>

// What a bwlist command line asks for.
struct TBwListArguments
{
    std::string Command;
    std::string FileName;
    std::string Password;
    bool HelpWanted = false;
};

// The usage text shown on a usage error and for -h.
[[nodiscard]] const char* BwListUsage();

// Parses the arguments; on a usage error gives nothing and fills problem with a one-line reason.
[[nodiscard]] std::optional<TBwListArguments> ParseBwListArguments(const std::vector<std::string>& arguments,
                                                                   std::string& problem);
