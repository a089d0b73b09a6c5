#include "SftpStore.h"

#include "CurlBuffers.h"
#include "CurlSession.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <filesystem>

namespace {

constexpr std::size_t ListingLimit = std::size_t{4} * 1024 * 1024;
constexpr std::string_view Prefix = "sftp://";
// The user's usual keys, in the order OpenSSH offers them.
constexpr std::array<const char*, 3> UsualKeys = {"id_ed25519", "id_ecdsa", "id_rsa"};

std::size_t Discard(char* /*data*/, std::size_t size, std::size_t count, void* /*ignored*/)
{
    return size * count;
}

bool IsSafe(const std::string& text)
{
    return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

bool IsHostCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '.' || c == '_' || c == ':';
}

// A path as libcurl's SFTP commands read it: in double quotes, with quotes and backslashes escaped.
std::string Quoted(const std::string& path)
{
    std::string text = "\"";
    for (const char c : path) {
        if (c == '"' || c == '\\') {
            text += '\\';
        }
        text += c;
    }
    return text + "\"";
}

bool FileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

int CheckHostKey(void* data, int /*keyType*/, const char* key, std::size_t length)
{
    auto* check = static_cast<SftpStore::HostCheck*>(data);
    const std::string blob(key, length);
    check->Seen.Host = check->HostEntry;
    check->Seen.Key = blob;
    check->Seen.KeyType = KnownHosts::KeyTypeOf(blob);
    check->Seen.Fingerprint = KnownHosts::Fingerprint(blob);
    check->Verdict = check->Known.Check(check->HostEntry, check->Seen.KeyType, blob);
    return check->Verdict == KnownHosts::Verdict::Trusted ? CURLKHMATCH_OK : CURLKHMATCH_MISMATCH;
}

} // namespace

SftpStore::SftpStore(const std::string& address, SshAccount account, const TransferSettings& settings,
                     CancelSignal& cancel)
    : m_account(std::move(account)), m_settings(settings), m_session(std::make_unique<CurlSession>(settings, cancel))
{
    m_hostCheck.Known.Read(settings.KnownHostsFile);
    if (!settings.SshFolder.empty()) {
        m_hostCheck.Known.Read(settings.SshFolder + "/known_hosts");
    }
    m_keyFile = m_account.KeyFile;
    for (const char* usual : UsualKeys) {
        if (m_keyFile.empty() && !settings.SshFolder.empty() && FileExists(settings.SshFolder + "/" + usual)) {
            m_keyFile = settings.SshFolder + "/" + usual;
        }
    }
    if (!address.starts_with(Prefix)) {
        return;
    }
    const std::string rest = address.substr(Prefix.size());
    const std::size_t slash = rest.find('/');
    const std::string authority = rest.substr(0, slash);
    const std::string path = slash == std::string::npos ? std::string() : rest.substr(slash);
    const std::size_t lastSlash = path.find_last_of('/');
    if (lastSlash == std::string::npos) {
        return;
    }
    m_folder = path.substr(0, lastSlash + 1);
    m_sharedName = path.substr(lastSlash + 1);
    m_host = authority;
    std::string port;
    if (authority.starts_with("[")) {
        const std::size_t close = authority.find(']');
        m_host = authority.substr(0, close == std::string::npos ? close : close + 1);
        port = close == std::string::npos || close + 1 >= authority.size() ? "" : authority.substr(close + 2);
    } else if (const std::size_t colon = authority.find(':'); colon != std::string::npos) {
        m_host = authority.substr(0, colon);
        port = authority.substr(colon + 1);
    }
    if (!port.empty()) {
        const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), m_port);
        if (error != std::errc() || end != port.data() + port.size() || m_port <= 0 || m_port > 65535) {
            return;
        }
    }
    const std::string bareHost = m_host.starts_with("[") ? m_host.substr(1, m_host.size() - 2) : m_host;
    m_hostCheck.HostEntry = KnownHosts::HostEntry(bareHost, m_port);
    m_usable = !bareHost.empty() && std::all_of(bareHost.begin(), bareHost.end(), IsHostCharacter) &&
               !m_sharedName.empty() && IsSafe(path) && IsSafe(m_account.User) && IsSafe(m_account.Password);
}

SftpStore::~SftpStore()
{
    curl_slist_free_all(m_quote);
}

StoreResult SftpStore::Unusable(const std::string& what) const
{
    return StoreResult::Fail(StoreStatus::Refused,
                             what + ": the SFTP address, the account or the name cannot be used (no host or file "
                                    "name, a port that is no number, or a line break)");
}

std::string SftpStore::PathOf(const std::string& name) const
{
    return m_folder + name;
}

bool SftpStore::Begin(const std::string& name)
{
    if (!m_usable || !m_session->IsValid() || !IsSafe(name)) {
        return false;
    }
    m_session->Reset();
    CURL* easy = m_session->Easy();
    std::string path;
    const std::string full = PathOf(name);
    std::size_t start = 0;
    // Each part is escaped on its own, so that its "/" still separates folders; "~" stays itself.
    while (start <= full.size()) {
        const std::size_t slash = std::min(full.find('/', start), full.size());
        const std::string part = full.substr(start, slash - start);
        path += part == "~" ? part : m_session->Escape(part);
        if (slash < full.size()) {
            path += '/';
        }
        start = slash + 1;
    }
    const std::string url = "sftp://" + m_host + ":" + std::to_string(m_port) + path;
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "sftp");
    curl_easy_setopt(easy, CURLOPT_USERNAME, m_account.User.c_str());
    long methods = CURLSSH_AUTH_PUBLICKEY | CURLSSH_AUTH_AGENT;
    if (!m_account.KeyFile.empty()) {
        // The password is the named key's passphrase, never sent to the server.
        curl_easy_setopt(easy, CURLOPT_KEYPASSWD, m_account.Password.c_str());
    } else if (!m_account.Password.empty()) {
        curl_easy_setopt(easy, CURLOPT_PASSWORD, m_account.Password.c_str());
        methods |= CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD;
    }
    if (!m_keyFile.empty()) {
        curl_easy_setopt(easy, CURLOPT_SSH_PRIVATE_KEYFILE, m_keyFile.c_str());
        // Empty: the public key is worked out from the private one.
        curl_easy_setopt(easy, CURLOPT_SSH_PUBLIC_KEYFILE, "");
    } else {
        methods &= ~static_cast<long>(CURLSSH_AUTH_PUBLICKEY);
    }
    curl_easy_setopt(easy, CURLOPT_SSH_AUTH_TYPES, methods);
    curl_easy_setopt(easy, CURLOPT_SSH_HOSTKEYFUNCTION, CheckHostKey);
    curl_easy_setopt(easy, CURLOPT_SSH_HOSTKEYDATA, &m_hostCheck);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, Discard);
    curl_slist_free_all(m_quote);
    m_quote = nullptr;
    return true;
}

StoreResult SftpStore::Run(const std::string& what)
{
    const CURLcode code = m_session->Perform();
    if (code == CURLE_OK) {
        return {};
    }
    StoreCause cause = m_session->CauseOf(code);
    StoreStatus status = StoreStatus::Failed;
    std::string detail = what + ": " + m_session->Describe(code);
    StoreResult result;
    if (code == CURLE_PEER_FAILED_VERIFICATION) {
        const bool changed = m_hostCheck.Verdict == KnownHosts::Verdict::Changed;
        cause = changed ? StoreCause::HostKeyChanged : StoreCause::HostKeyUnknown;
        detail = what + ": " +
                 (changed ? "the server's host key is not the one trusted for " + m_hostCheck.HostEntry +
                                " (someone may be posing as the server)"
                          : "the server " + m_hostCheck.HostEntry + " is not trusted yet") +
                 "; it presents the " + m_hostCheck.Seen.KeyType + " key " + m_hostCheck.Seen.Fingerprint;
    } else if (code == CURLE_REMOTE_FILE_NOT_FOUND) {
        status = StoreStatus::NotFound;
    } else if (code == CURLE_LOGIN_DENIED) {
        status = StoreStatus::Refused;
    } else if (code == CURLE_QUOTE_ERROR || code == CURLE_REMOTE_ACCESS_DENIED || code == CURLE_UPLOAD_FAILED) {
        // The server said no to this operation on an open session: a name that is taken or missing,
        // or one the account may not touch.
        status = StoreStatus::Refused;
        cause = cause == StoreCause::Unknown ? StoreCause::Permission : cause;
    }
    result = StoreResult::Fail(status, std::move(detail), cause);
    if (cause == StoreCause::HostKeyChanged || cause == StoreCause::HostKeyUnknown) {
        result.Server = m_hostCheck.Seen;
    }
    return result;
}

StoreResult SftpStore::Command(const std::string& command, const std::string& what)
{
    if (!Begin({})) {
        return Unusable(what);
    }
    m_quote = curl_slist_append(m_quote, command.c_str());
    curl_easy_setopt(m_session->Easy(), CURLOPT_QUOTE, m_quote);
    curl_easy_setopt(m_session->Easy(), CURLOPT_NOBODY, 1L);
    return Run(what);
}

bool SftpStore::IsListed(const std::string& name)
{
    std::vector<std::string> names;
    return List(names).IsOk() && std::find(names.begin(), names.end(), name) != names.end();
}

FetchResult SftpStore::Fetch(const std::string& name, const FileValidator* unlessSame)
{
    FetchResult fetched;
    if (unlessSame != nullptr) {
        fetched.Result = Stat(name, fetched.Validator);
        if (!fetched.Result.IsOk()) {
            return fetched;
        }
        if (fetched.Validator == *unlessSame) {
            fetched.Unchanged = true;
            return fetched;
        }
    }
    if (!Begin(name)) {
        fetched.Result = Unusable("fetch " + name);
        return fetched;
    }
    CurlDownload download =
        RunBoundedDownload(m_session->Easy(), m_settings.SizeLimit, [&] { return Run("fetch " + name); });
    const curl_off_t size = download.Size;
    fetched.Result = download.Result;
    fetched.BodyBytes = static_cast<std::uint64_t>(download.Received);
    if (download.OverLimit || fetched.Result.Status == StoreStatus::TooLarge) {
        fetched.Result =
            StoreResult::Fail(StoreStatus::TooLarge, "more than " + std::to_string(m_settings.SizeLimit) + " bytes");
        return fetched;
    }
    if (fetched.Result.IsOk() && size >= 0 && download.Bytes.size() != static_cast<std::size_t>(size)) {
        fetched.Result = StoreResult::Fail(StoreStatus::Failed, "fetch " + name + ": the transfer ended after " +
                                                                    std::to_string(download.Bytes.size()) + " of " +
                                                                    std::to_string(size) + " bytes");
    }
    fetched.Validator = FileValidator{size, download.Modified, 0, {}, {}};
    fetched.Bytes = std::move(download.Bytes);
    return fetched;
}

StoreResult SftpStore::Stat(const std::string& name, FileValidator& validator)
{
    if (!Begin(name)) {
        return Unusable("look at " + name);
    }
    CURL* easy = m_session->Easy();
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(easy, CURLOPT_FILETIME, 1L);
    StoreResult result = Run("look at " + name);
    curl_off_t modified = -1;
    curl_off_t size = -1;
    curl_easy_getinfo(easy, CURLINFO_FILETIME_T, &modified);
    curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
    validator = FileValidator{size, modified, 0, {}, {}};
    return result;
}

StoreResult SftpStore::MakeFolder(const std::string& name)
{
    // SFTP version 3 answers "failure" alike for a name that is taken and for one that is
    // forbidden; the listing tells them apart.
    StoreResult result = Command("mkdir " + Quoted(PathOf(name)), "make " + name);
    if (result.Status == StoreStatus::Refused && IsListed(name)) {
        return StoreResult::Fail(StoreStatus::Exists, std::move(result.Detail));
    }
    return result;
}

StoreResult SftpStore::RemoveFolder(const std::string& name)
{
    return Command("rmdir " + Quoted(PathOf(name)), "remove " + name);
}

StoreResult SftpStore::Put(const std::string& name, std::string_view bytes)
{
    if (!Begin(name)) {
        return Unusable("send " + name);
    }
    return RunUpload(m_session->Easy(), bytes, "send " + name, [&] { return Run("send " + name); });
}

StoreResult SftpStore::Rename(const std::string& from, const std::string& to)
{
    const std::string command = "rename " + Quoted(PathOf(from)) + " " + Quoted(PathOf(to));
    StoreResult result = Command(command, "rename " + from);
    if (result.Status != StoreStatus::Refused) {
        return result;
    }
    if (!IsListed(from)) {
        return StoreResult::Fail(StoreStatus::NotFound, std::move(result.Detail), StoreCause::NotFound);
    }
    // SFTP version 3 renames only onto a free name (OpenSSH's posix-rename is out of libcurl's
    // reach): the old file goes first, so that it is missing for a moment, never broken.
    if (IsListed(to) && Delete(to).IsOk()) {
        result = Command(command, "rename " + from);
    }
    return result;
}

StoreResult SftpStore::Delete(const std::string& name)
{
    return Command("rm " + Quoted(PathOf(name)), "delete " + name);
}

StoreResult SftpStore::List(std::vector<std::string>& names)
{
    names.clear();
    if (!Begin({})) {
        return Unusable("list the folder");
    }
    CURL* easy = m_session->Easy();
    CurlSink sink;
    sink.Limit = ListingLimit;
    curl_easy_setopt(easy, CURLOPT_DIRLISTONLY, 1L);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, CurlSink::Write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &sink);
    StoreResult result = Run("list the folder");
    if (!result.IsOk()) {
        return result;
    }
    std::size_t start = 0;
    while (start < sink.Bytes.size()) {
        const std::size_t end = std::min(sink.Bytes.find('\n', start), sink.Bytes.size());
        std::string name = sink.Bytes.substr(start, end - start);
        if (!name.empty() && name.back() == '\r') {
            name.pop_back();
        }
        if (!name.empty() && name != "." && name != "..") {
            names.push_back(std::move(name));
        }
        start = end + 1;
    }
    return {};
}
