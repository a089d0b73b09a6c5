#pragma once

#include <cstdint>
#include <string>

// How a group's FTP connection is secured. Once TLS is asked for, nothing goes in clear.
enum class FtpSecurity : std::uint8_t
{
    None,
    Explicit, // AUTH TLS on the FTP port
    Implicit, // TLS from the first byte (port 990 unless the address names another)
};

// The settings of a group beyond its seven lines in glist.dat: they live in a file of their own
// beside it (GroupOptionsFile), so that a group that uses none of them is stored exactly as before.
struct GroupOptions
{
    FtpSecurity Tls = FtpSecurity::None;
    bool Passive = false;
    // Certificate authorities trusted for this group instead of the system's (a PEM file).
    std::string CaFile;
    // The SSH private key for an SFTP location; empty: the SSH agent and the user's usual keys.
    std::string SshKey;
    // The user agreed to send the web account's password over plain HTTP.
    bool PlainHttpLogin = false;
    // Why the stored settings could not be read; a group with a problem is not used until the user
    // looks at its settings again, so that nothing is guessed (TLS silently off, say).
    std::string Problem;
    // The group's lines as they were read, written back unchanged until the user sets them anew.
    std::string Unread;

    [[nodiscard]] bool IsDefault() const { return *this == GroupOptions{}; }
    bool operator==(const GroupOptions&) const = default;
};
