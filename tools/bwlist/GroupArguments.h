#pragma once

#include "GroupOptions.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What "bwlist send" or "bwlist remove" asks for: a change to a group's shared file at its location.
struct TGroupArguments
{
    std::string Command; // "send" or "remove"
    std::string Location;
    std::string FtpUser;
    std::string PasswordFile;    // the group's password, when not in BWLIST_PASSWORD
    std::string FtpPasswordFile; // the account's, when not in BWLIST_FTP_PASSWORD
    std::chrono::seconds Wait{60};
    // TLS, passive mode, CA file, SSH key, plain HTTP login: as the group's settings in the program.
    GroupOptions Options;
    std::string KnownHosts; // SSH host keys trusted besides the program's and the user's

    // send
    std::string Title;
    std::string Text;
    std::string From;
    double Due = 0.0;
    std::uint8_t Repeat = 0;
    std::uint8_t Kind = 0;
    std::vector<int> Days; // ISO weekdays; empty: every day

    // remove
    std::int32_t Id = 0;
};

// The environment variables the passwords come from: a password in the arguments would show in the
// process list.
inline constexpr const char* FtpPasswordVariable = "BWLIST_FTP_PASSWORD";

[[nodiscard]] bool IsGroupCommand(const std::string& word);
// Parses the arguments after the command word's position (arguments[0] is the command); on a usage
// error gives nothing and fills problem with a one-line reason.
[[nodiscard]] std::optional<TGroupArguments> ParseGroupArguments(const std::vector<std::string>& arguments,
                                                                 std::string& problem);
