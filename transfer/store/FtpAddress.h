#pragma once

#include <string>

// An FTP location taken apart the way the group file's peers expect: the first six characters
// are taken to be "ftp://" without being looked at, the host runs to the next "/", and the rest
// splits at its last "/" into a directory and a file name. A port or user name stays in the host.
// An "ftps://" address, which no peer of the old kind reads, is FTP with implicit TLS: its prefix
// is seven characters.
struct FtpAddress
{
    std::string Host;
    std::string Directory;
    std::string FileName;
    bool ImplicitTls = false;
};

[[nodiscard]] FtpAddress SplitFtpAddress(const std::string& address);
