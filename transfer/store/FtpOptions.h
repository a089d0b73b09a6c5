#pragma once

// Internal to the transfer libraries.
#include "FtpAddress.h"
#include "GroupOptions.h"

#include <curl/curl.h>

#include <string>
#include <vector>

class CurlSession;

// The FTP side shared by every FTP transfer: port 21, active mode, login with the group's user
// name and password (empty ones sent empty), a change of folder whose failure is ignored, then the
// operation by bare name in binary mode. A group may ask for passive mode, and for TLS: then every
// command and every byte goes encrypted or the transfer fails, and the address may name a port
// (which peers without TLS never reach anyway).
class FtpOptions
{
public:
    FtpOptions(const FtpAddress& address, const std::string& user, const std::string& password,
               const GroupOptions& options = {});
    ~FtpOptions();
    FtpOptions(const FtpOptions&) = delete;
    FtpOptions& operator=(const FtpOptions&) = delete;

    // False when the address or the credentials cannot be used safely or at all (no host, no
    // file name, a port or user name inside the host, a line break that would end an FTP command
    // early); such a transfer fails without touching the network.
    [[nodiscard]] bool IsUsable() const;
    // Whether a name or command can go into an FTP command line as it is.
    [[nodiscard]] static bool IsSafeInCommand(const std::string& text);
    [[nodiscard]] const FtpAddress& Address() const { return m_address; }
    [[nodiscard]] FtpSecurity Security() const { return m_security; }
    // The server's name without the port, and the port the connection goes to.
    [[nodiscard]] const std::string& HostName() const { return m_hostName; }
    [[nodiscard]] long Port() const { return m_port; }

    // Puts the options for a transfer of the address's file on the session.
    void Apply(CurlSession& session);
    // The same for a name in the file's folder (empty: the folder itself, as for a listing),
    // sending the given commands after the change of folder. The lists the options point to live
    // until the next Apply or the end of this object.
    void ApplyFor(CurlSession& session, const std::string& name, const std::vector<std::string>& commands);

    // The server keeps its current folder on a connection that serves several operations, so a
    // relative folder entered twice would be looked for inside itself. Once a login has shown the
    // folder the server starts in, later operations change to the folder by its full path.
    void LearnEntryFolder(const std::string& entryFolder);

private:
    FtpAddress m_address;
    std::string m_user;
    std::string m_password;
    std::string m_changeFolder;
    FtpSecurity m_security = FtpSecurity::None;
    bool m_passive = false;
    std::string m_hostName;
    long m_port = 0; // 0: the host text could not be read
    curl_slist* m_quote = nullptr;
};
