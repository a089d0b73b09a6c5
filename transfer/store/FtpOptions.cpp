#include "FtpOptions.h"

#include "CurlSession.h"

#include <algorithm>
#include <charconv>
#include <chrono>

namespace {
constexpr long FtpPort = 21;
constexpr long ImplicitTlsPort = 990;

// What a host name or address may hold. Anything else (":" of a port, "@" of a user name, a
// bracket) would not name the host, so such an address fails as it does with the peers.
bool IsHostCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_';
}
} // namespace

FtpOptions::FtpOptions(const FtpAddress& address, const std::string& user, const std::string& password,
                       const GroupOptions& options)
    : m_address(address), m_user(user), m_password(password),
      m_security(address.ImplicitTls ? FtpSecurity::Implicit : options.Tls), m_passive(options.Passive),
      m_hostName(address.Host), m_port(m_security == FtpSecurity::Implicit ? ImplicitTlsPort : FtpPort)
{
    if (!m_address.Directory.empty()) {
        // The leading "*" makes libcurl go on when the server refuses the folder.
        m_changeFolder = "*CWD " + m_address.Directory;
    }
    const std::size_t colon = m_hostName.find(':');
    if (m_security != FtpSecurity::None && colon != std::string::npos) {
        const std::string digits = m_hostName.substr(colon + 1);
        long port = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
        m_port = error == std::errc() && end == digits.data() + digits.size() && port > 0 && port < 65536 ? port : 0;
        m_hostName.resize(colon);
    }
}

FtpOptions::~FtpOptions()
{
    curl_slist_free_all(m_quote);
}

bool FtpOptions::IsSafeInCommand(const std::string& text)
{
    return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

bool FtpOptions::IsUsable() const
{
    const std::string& host = m_hostName;
    if (m_port == 0 || host.empty() || !std::all_of(host.begin(), host.end(), IsHostCharacter)) {
        return false;
    }
    if (m_address.FileName.empty()) {
        return false;
    }
    return IsSafeInCommand(m_address.Directory) && IsSafeInCommand(m_address.FileName) && IsSafeInCommand(m_user) &&
           IsSafeInCommand(m_password);
}

void FtpOptions::LearnEntryFolder(const std::string& entryFolder)
{
    const std::string& folder = m_address.Directory;
    if (folder.empty() || folder.front() == '/' || entryFolder.empty() || entryFolder.front() != '/' ||
        !IsSafeInCommand(entryFolder)) {
        return;
    }
    m_changeFolder = "*CWD " + entryFolder + (entryFolder.back() == '/' ? "" : "/") + folder;
}

void FtpOptions::Apply(CurlSession& session)
{
    ApplyFor(session, m_address.FileName, {});
}

void FtpOptions::ApplyFor(CurlSession& session, const std::string& name, const std::vector<std::string>& commands)
{
    CURL* easy = session.Easy();
    // Each part of the name is escaped on its own, so that its "/" still separates folders.
    std::string path;
    std::size_t start = 0;
    while (start <= name.size() && !name.empty()) {
        const std::size_t slash = std::min(name.find('/', start), name.size());
        path += session.Escape(name.substr(start, slash - start));
        if (slash < name.size()) {
            path += '/';
        }
        start = slash + 1;
    }
    const bool implicit = m_security == FtpSecurity::Implicit;
    const std::string url = (implicit ? "ftps://" : "ftp://") + m_hostName + "/" + path;
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PORT, m_port);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, implicit ? "ftps" : "ftp");
    if (m_security != FtpSecurity::None) {
        // Control and data connections both, or no transfer at all: never a password in clear.
        curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    }
    // libcurl's default (no CURLOPT_FTPPORT) is passive: EPSV, then PASV.
    curl_easy_setopt(easy, CURLOPT_FTPPORT, m_passive ? nullptr : "-");
    session.SetQuickPolling(m_passive && m_security != FtpSecurity::None);
    curl_easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(easy, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(easy, CURLOPT_USERNAME, m_user.c_str());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, m_password.c_str());
    const TransferSettings& settings = session.Settings();
    curl_easy_setopt(easy, CURLOPT_ACCEPTTIMEOUT_MS, static_cast<long>(settings.ConnectTimeout.count()));
    curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     static_cast<long>(std::chrono::ceil<std::chrono::seconds>(settings.StallTimeout).count()));
    curl_slist_free_all(m_quote);
    m_quote = nullptr;
    if (!m_changeFolder.empty()) {
        m_quote = curl_slist_append(m_quote, m_changeFolder.c_str());
    }
    for (const std::string& command : commands) {
        m_quote = curl_slist_append(m_quote, command.c_str());
    }
    if (m_quote != nullptr) {
        curl_easy_setopt(easy, CURLOPT_QUOTE, m_quote);
    }
}
