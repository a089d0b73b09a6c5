#include "HttpStore.h"

#include "CertificateProbe.h"
#include "CurlSession.h"
#include "WebFolderListing.h"
#include "WebRequest.h"

#include <ctime>

namespace {

constexpr long MaxRedirects = 5;
constexpr std::size_t ListingLimit = std::size_t{4} * 1024 * 1024;
constexpr const char* ListingQuery = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                                     "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:resourcetype/></d:prop></d:propfind>";

bool IsSuccess(long status)
{
    return status >= 200 && status <= 299;
}

// The part of a URL before its query or fragment.
std::string WithoutQuery(const std::string& url)
{
    return url.substr(0, url.find_first_of("?#"));
}

std::string HostOf(const std::string& url, long& port)
{
    const std::size_t start = url.find("://");
    const bool https = url.starts_with("https");
    port = https ? 443 : 80;
    if (start == std::string::npos) {
        return {};
    }
    std::string authority = url.substr(start + 3, url.find('/', start + 3) - start - 3);
    authority = authority.substr(authority.find('@') + 1);
    const std::size_t colon = authority.rfind(':');
    if (colon != std::string::npos && authority.find(']', colon) == std::string::npos) {
        port = std::strtol(authority.c_str() + colon + 1, nullptr, 10);
        authority.resize(colon);
    }
    return authority;
}

// The modification time names a version only where there is no entity tag: a server gives the time
// of its answer instead of a file's time that lies ahead of its clock (Apache does), which would make
// one version look like a new one at every look.
std::string VersionTime(const AnswerHeaders& answer)
{
    return answer.ETag.empty() ? answer.LastModified : std::string();
}

} // namespace

HttpStore::HttpStore(std::string url, WebAccount account, const TransferSettings& settings, CancelSignal& cancel)
    : m_url(std::move(url)), m_account(std::move(account)), m_settings(settings), m_cancel(cancel),
      m_session(std::make_unique<CurlSession>(settings, cancel))
{
    const std::string path = WithoutQuery(m_url);
    const std::size_t slash = path.find_last_of('/');
    m_sharedName = PercentDecoded(slash == std::string::npos ? path : path.substr(slash + 1));
    m_folderUrl = slash == std::string::npos ? path : path.substr(0, slash + 1);
}

HttpStore::~HttpStore() = default;

StoreResult HttpStore::ReadOnly()
{
    return StoreResult::Fail(StoreStatus::Refused, "a web address without an account can only be read",
                             StoreCause::ReadOnly);
}

std::string HttpStore::UrlOf(const std::string& name, bool collection) const
{
    if (name == m_sharedName && !collection) {
        return m_url;
    }
    std::string url = m_folderUrl;
    std::size_t start = 0;
    while (start <= name.size() && !name.empty()) {
        const std::size_t slash = std::min(name.find('/', start), name.size());
        url += m_session->Escape(name.substr(start, slash - start));
        if (slash < name.size()) {
            url += '/';
        }
        start = slash + 1;
    }
    return collection ? url + "/" : url;
}

StoreResult HttpStore::Prepare(WebRequest& request, const std::string& url, Access access) const
{
    if (!m_session->IsValid()) {
        return StoreResult::Fail(StoreStatus::Failed, "no transfer could be set up");
    }
    if (m_account.User.empty()) {
        return access == Access::Read ? StoreResult{} : ReadOnly();
    }
    if (!url.starts_with("https://") && !m_account.PlainHttpAllowed) {
        // Read as before, without the account; a change needs the account, which may not go in clear.
        if (access == Access::Read) {
            return {};
        }
        return StoreResult::Fail(StoreStatus::Refused,
                                 "the account's password would travel in clear over plain HTTP; use an https "
                                 "address, or allow plain HTTP in the group's settings",
                                 StoreCause::PlainLogin);
    }
    request.Credentials(m_account.User, m_account.Password);
    return {};
}

StoreResult HttpStore::Judge(const WebRequest& request, const std::string& what) const
{
    const long status = request.Status();
    const CURLcode code = request.Code();
    if ((code == CURLE_OK || code == CURLE_HTTP_RETURNED_ERROR) && IsSuccess(status)) {
        return {};
    }
    const std::string detail = what + ": " + request.Describe();
    if (code != CURLE_OK && code != CURLE_HTTP_RETURNED_ERROR) {
        StoreResult result = StoreResult::Fail(StoreStatus::Failed, detail, m_session->CauseOf(code));
        if (result.Cause == StoreCause::Certificate) {
            long port = 0;
            const std::string host = HostOf(m_url, port);
            result.Server = ProbeCertificate({CertificateTarget::Kind::ImplicitTls, host, port}, m_settings, m_cancel);
        }
        return result;
    }
    switch (status) {
    case 401:
        return StoreResult::Fail(StoreStatus::Refused, detail, StoreCause::Login);
    case 403:
    case 423:
        return StoreResult::Fail(StoreStatus::Refused, detail, StoreCause::Permission);
    case 404:
    case 409:
    case 410:
        return StoreResult::Fail(StoreStatus::NotFound, detail, StoreCause::NotFound);
    case 405:
    case 501:
        return StoreResult::Fail(StoreStatus::Refused, detail, StoreCause::ReadOnly);
    case 412:
        return StoreResult::Fail(StoreStatus::Changed, detail, StoreCause::Changed);
    default:
        return StoreResult::Fail(StoreStatus::Failed, detail);
    }
}

StoreResult HttpStore::CheckWritable()
{
    if (m_account.User.empty()) {
        return ReadOnly();
    }
    if (m_writableChecked) {
        return m_writable;
    }
    WebRequest request(*m_session, m_folderUrl, ListingLimit);
    if (StoreResult prepared = Prepare(request, m_folderUrl, Access::Write); !prepared.IsOk()) {
        return prepared;
    }
    request.Method("OPTIONS");
    request.Run();
    m_writable = Judge(request, "ask the web server what it offers");
    if (m_writable.IsOk() && request.Answer().Dav.find('1') == std::string::npos) {
        m_writable = StoreResult::Fail(StoreStatus::Refused,
                                       "the web server does not offer WebDAV, so the group can only be read there",
                                       StoreCause::ReadOnly);
    }
    // A failure to reach the server says nothing about it: asked again next time.
    m_writableChecked = m_writable.IsOk() || m_writable.Cause == StoreCause::ReadOnly;
    return m_writable;
}

void HttpStore::Remember(const std::string& name, const FetchResult& fetched)
{
    if (name != m_sharedName) {
        return;
    }
    m_sharedMissing = fetched.Result.Status == StoreStatus::NotFound;
    if (!fetched.Unchanged) {
        m_sharedETag = fetched.Result.IsOk() ? fetched.Validator.ETag : std::string();
    }
}

FetchResult HttpStore::Fetch(const std::string& name, const FileValidator* unlessSame)
{
    FetchResult fetched;
    if (name != m_sharedName && m_account.User.empty()) {
        fetched.Result = ReadOnly();
        return fetched;
    }
    const std::string url = UrlOf(name);
    WebRequest request(*m_session, url, m_settings.SizeLimit);
    if (StoreResult prepared = Prepare(request, url, Access::Read); !prepared.IsOk()) {
        fetched.Result = std::move(prepared);
        return fetched;
    }
    CURL* easy = request.Easy();
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, MaxRedirects);
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    // An error status ends the transfer before any of its page is kept.
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    if (unlessSame != nullptr && !unlessSame->ETag.empty()) {
        (void)request.Header("If-None-Match: " + unlessSame->ETag);
    }
    if (unlessSame != nullptr && !unlessSame->LastModified.empty()) {
        (void)request.Header("If-Modified-Since: " + unlessSame->LastModified);
    }
    const CURLcode code = request.Run();
    fetched.BodyBytes = request.BodyBytes();
    const long status = request.Status();
    if (request.OverLimit() || code == CURLE_FILESIZE_EXCEEDED) {
        fetched.Result =
            StoreResult::Fail(StoreStatus::TooLarge, "more than " + std::to_string(m_settings.SizeLimit) + " bytes");
        return fetched;
    }
    if (code == CURLE_OK && status == 304 && unlessSame != nullptr) {
        fetched.Unchanged = true;
        fetched.Validator = *unlessSame;
        Remember(name, fetched);
        return fetched;
    }
    fetched.Result = Judge(request, "fetch " + name);
    if (!fetched.Result.IsOk()) {
        if (fetched.Result.Status == StoreStatus::Failed) {
            // What had arrived when the transfer was cut, kept for a look.
            fetched.Bytes = std::move(request.Received());
        }
        Remember(name, fetched);
        return fetched;
    }
    fetched.Bytes = std::move(request.Received());
    const AnswerHeaders& answer = request.Answer();
    fetched.Validator.Size = static_cast<std::int64_t>(fetched.Bytes.size());
    fetched.Validator.ETag = answer.ETag;
    fetched.Validator.LastModified = VersionTime(answer);
    // Both times come from the server's clock.
    const std::time_t modified = curl_getdate(answer.LastModified.c_str(), nullptr);
    const std::time_t answered = curl_getdate(answer.Date.c_str(), nullptr);
    fetched.Settled = modified > 0 && answered > 0 && answered - modified >= 1;
    Remember(name, fetched);
    return fetched;
}

StoreResult HttpStore::Stat(const std::string& name, FileValidator& validator)
{
    if (m_account.User.empty()) {
        return ReadOnly();
    }
    const std::string url = UrlOf(name);
    WebRequest request(*m_session, url, m_settings.SizeLimit);
    if (StoreResult prepared = Prepare(request, url, Access::Write); !prepared.IsOk()) {
        return prepared;
    }
    request.Method("HEAD");
    request.Run();
    StoreResult result = Judge(request, "look at " + name);
    const AnswerHeaders& answer = request.Answer();
    validator = FileValidator{answer.Length, -1, 0, answer.ETag, VersionTime(answer)};
    if (name == m_sharedName && result.IsOk()) {
        m_sharedETag = answer.ETag;
        m_sharedMissing = false;
    }
    return result;
}

StoreResult HttpStore::MakeFolder(const std::string& name)
{
    if (StoreResult writable = CheckWritable(); !writable.IsOk()) {
        return writable;
    }
    const std::string url = UrlOf(name, true);
    WebRequest request(*m_session, url, ListingLimit);
    if (StoreResult prepared = Prepare(request, url, Access::Write); !prepared.IsOk()) {
        return prepared;
    }
    request.Method("MKCOL");
    request.Run();
    // A collection that exists already is the one answer MKCOL gives 405 for once WebDAV is known
    // to be offered.
    if (request.Code() == CURLE_OK && request.Status() == 405) {
        return StoreResult::Fail(StoreStatus::Exists, name + " exists");
    }
    return Judge(request, "make " + name);
}

StoreResult HttpStore::RemoveFolder(const std::string& name)
{
    const std::string url = UrlOf(name, true);
    WebRequest request(*m_session, url, ListingLimit);
    if (StoreResult prepared = Prepare(request, url, Access::Write); !prepared.IsOk()) {
        return prepared;
    }
    request.Method("DELETE");
    request.Run();
    return Judge(request, "remove " + name);
}

StoreResult HttpStore::Put(const std::string& name, std::string_view bytes)
{
    if (m_account.User.empty()) {
        return ReadOnly();
    }
    const std::string url = UrlOf(name);
    WebRequest request(*m_session, url, ListingLimit);
    if (StoreResult prepared = Prepare(request, url, Access::Write); !prepared.IsOk()) {
        return prepared;
    }
    request.Method("PUT");
    // A weak tag (Apache gives one for a file changed within the last second) never matches under
    // If-Match: such a version is left to the lock alone.
    if (name == m_sharedName && !m_sharedETag.empty() && !m_sharedETag.starts_with("W/")) {
        (void)request.Header("If-Match: " + m_sharedETag);
    } else if (name == m_sharedName && m_sharedMissing) {
        (void)request.Header("If-None-Match: *");
    }
    request.Body(bytes);
    request.Run();
    StoreResult result = Judge(request, "send " + name);
    if (result.IsOk() && name == m_sharedName) {
        // The new version's tag is learnt by the next look, not guessed.
        m_sharedETag.clear();
        m_sharedMissing = false;
    }
    return result;
}

StoreResult HttpStore::Rename(const std::string& from, const std::string& to)
{
    if (m_account.User.empty()) {
        return ReadOnly();
    }
    const std::string url = UrlOf(from);
    WebRequest request(*m_session, url, ListingLimit);
    if (StoreResult prepared = Prepare(request, url, Access::Write); !prepared.IsOk()) {
        return prepared;
    }
    request.Method("MOVE");
    (void)request.Header("Destination: " + UrlOf(to));
    (void)request.Header("Overwrite: T");
    request.Run();
    StoreResult result = Judge(request, "rename " + from);
    if (result.IsOk() && to == m_sharedName) {
        m_sharedETag.clear();
        m_sharedMissing = false;
    }
    return result;
}

StoreResult HttpStore::Delete(const std::string& name)
{
    if (m_account.User.empty()) {
        return ReadOnly();
    }
    const std::string url = UrlOf(name);
    WebRequest request(*m_session, url, ListingLimit);
    if (StoreResult prepared = Prepare(request, url, Access::Write); !prepared.IsOk()) {
        return prepared;
    }
    request.Method("DELETE");
    request.Run();
    StoreResult result = Judge(request, "delete " + name);
    if (result.IsOk() && name == m_sharedName) {
        m_sharedETag.clear();
        m_sharedMissing = true;
    }
    return result;
}

StoreResult HttpStore::List(std::vector<std::string>& names)
{
    names.clear();
    if (m_account.User.empty()) {
        return ReadOnly();
    }
    WebRequest request(*m_session, m_folderUrl, ListingLimit);
    if (StoreResult prepared = Prepare(request, m_folderUrl, Access::Write); !prepared.IsOk()) {
        return prepared;
    }
    request.Method("PROPFIND");
    (void)request.Header("Depth: 1");
    (void)request.Header("Content-Type: application/xml; charset=utf-8");
    request.Body(ListingQuery);
    request.Run();
    StoreResult result = Judge(request, "list the folder");
    if (result.IsOk()) {
        const std::size_t pathStart = m_folderUrl.find('/', m_folderUrl.find("://") + 3);
        names =
            NamesInListing(request.Received(), pathStart == std::string::npos ? "/" : m_folderUrl.substr(pathStart));
    }
    return result;
}
