#pragma once

// Internal to the transfer library.
#include "FtpAddress.h"

#include <curl/curl.h>

#include <string>

class CurlSession;

// The FTP side shared by upload and download: port 21, active mode only, login with the group's
// user name and password (empty ones sent empty), a change of folder whose failure is ignored,
// then the transfer by bare file name in binary mode.
class FtpOptions
{
public:
    FtpOptions(const FtpAddress& address, const std::string& user, const std::string& password);
    ~FtpOptions();
    FtpOptions(const FtpOptions&) = delete;
    FtpOptions& operator=(const FtpOptions&) = delete;

    // False when the address or the credentials cannot be used safely or at all (no host, no
    // file name, a port or user name inside the host, a line break that would end an FTP command
    // early); such a transfer fails without touching the network.
    [[nodiscard]] bool IsUsable() const;
    // Puts the options on the session; the list they point to lives as long as this object.
    void Apply(CurlSession& session);

private:
    FtpAddress m_address;
    std::string m_user;
    std::string m_password;
    std::string m_changeFolder;
    curl_slist* m_quote = nullptr;
};
