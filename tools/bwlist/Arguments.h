#pragma once

#include <optional>
#include <string>
#include <vector>

// What a bwlist command line asks for.
struct TBwListArguments
{
    std::string Command;
    std::string FileName;
    std::string CalendarFileName; // import, export: the iCalendar file
    std::string Password;
    bool HelpWanted = false;
};

// The usage text shown on a usage error and for -h.
[[nodiscard]] const char* BwListUsage();

// The environment variable that -e takes the password from: a password given with -p can be read
// by every user of the machine in the process list.
inline constexpr const char* PasswordVariable = "BWLIST_PASSWORD";

// Parses the arguments; on a usage error gives nothing and fills problem with a one-line reason.
// passwordVariable is the value of PasswordVariable, if it is set.
[[nodiscard]] std::optional<TBwListArguments>
ParseBwListArguments(const std::vector<std::string>& arguments, std::string& problem,
                     const std::optional<std::string>& passwordVariable = std::nullopt);
