#include "FtpOptions.h"

#include "CurlSession.h"

#include <algorithm>
#include <chrono>

namespace {
constexpr long FtpPort = 21;

// What a host name or address may hold. Anything else (":" of a port, "@" of a user name, a
// bracket) would not name the host, so such an address fails as it does with the peers.
bool IsHostCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_';
}

bool HasCommandBreak(const std::string& text)
{
    return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}
} // namespace

FtpOptions::FtpOptions(const FtpAddress& address, const std::string& user, const std::string& password)
    : m_address(address), m_user(user), m_password(password)
{
    if (!m_address.Directory.empty()) {
        // The leading "*" makes libcurl go on when the server refuses the folder.
        m_changeFolder = "*CWD " + m_address.Directory;
    }
}

FtpOptions::~FtpOptions()
{
    curl_slist_free_all(m_quote);
}

bool FtpOptions::IsUsable() const
{
    const std::string& host = m_address.Host;
    if (host.empty() || !std::all_of(host.begin(), host.end(), IsHostCharacter)) {
        return false;
    }
    if (m_address.FileName.empty()) {
        return false;
    }
    return !HasCommandBreak(m_address.Directory) && !HasCommandBreak(m_address.FileName) && !HasCommandBreak(m_user) &&
           !HasCommandBreak(m_password);
}

void FtpOptions::Apply(CurlSession& session)
{
    CURL* easy = session.Easy();
    const std::string url = "ftp://" + m_address.Host + "/" + session.Escape(m_address.FileName);
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PORT, FtpPort);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(easy, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(easy, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(easy, CURLOPT_USERNAME, m_user.c_str());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, m_password.c_str());
    const TransferSettings& settings = session.Settings();
    curl_easy_setopt(easy, CURLOPT_ACCEPTTIMEOUT_MS, static_cast<long>(settings.ConnectTimeout.count()));
    curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     static_cast<long>(std::chrono::ceil<std::chrono::seconds>(settings.StallTimeout).count()));
    if (!m_changeFolder.empty() && m_quote == nullptr) {
        m_quote = curl_slist_append(nullptr, m_changeFolder.c_str());
    }
    if (m_quote != nullptr) {
        curl_easy_setopt(easy, CURLOPT_QUOTE, m_quote);
    }
}
