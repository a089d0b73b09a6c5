#include "HttpStore.h"

#include "CurlBuffers.h"
#include "CurlSession.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <ctime>

namespace {

constexpr long MaxRedirects = 5;
constexpr long ChunkSize = 16L * 1024;

// The validators of the answer being received, and whether its announced length is too large.
struct AnswerHeaders
{
    std::string ETag;
    std::string LastModified;
    std::string Date;
    long long Length = -1;
    std::size_t Limit = 0;
    bool OverLimit = false;

    static std::size_t Take(char* data, std::size_t size, std::size_t count, void* headers);
};

std::string Trimmed(std::string text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) {
        text.pop_back();
    }
    const auto first =
        std::find_if(text.begin(), text.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)) == 0; });
    return {first, text.end()};
}

bool HasName(const std::string& line, const char* name)
{
    const std::size_t length = std::char_traits<char>::length(name);
    if (line.size() <= length || line[length] != ':') {
        return false;
    }
    return std::equal(name, name + length, line.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

std::size_t AnswerHeaders::Take(char* data, std::size_t size, std::size_t count, void* headers)
{
    auto* self = static_cast<AnswerHeaders*>(headers);
    const std::size_t bytes = size * count;
    const std::string line(data, bytes);
    // Each answer of a redirect chain brings its own headers; only the last one's count.
    if (line.rfind("HTTP/", 0) == 0) {
        *self = AnswerHeaders{{}, {}, {}, -1, self->Limit, false};
    } else if (HasName(line, "etag")) {
        self->ETag = Trimmed(line.substr(5));
    } else if (HasName(line, "last-modified")) {
        self->LastModified = Trimmed(line.substr(14));
    } else if (HasName(line, "date")) {
        self->Date = Trimmed(line.substr(5));
    } else if (HasName(line, "content-length")) {
        self->Length = std::strtoll(line.c_str() + 15, nullptr, 10);
        // Refused before a byte of the body is read.
        if (self->Length > static_cast<long long>(self->Limit)) {
            self->OverLimit = true;
            return 0;
        }
    }
    return bytes;
}

bool IsSuccess(long status)
{
    return status >= 200 && status <= 299;
}

// A header value from the server goes back into a request line: it must not end that line early.
bool IsSafeHeaderValue(const std::string& value)
{
    return value.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

} // namespace

HttpStore::HttpStore(std::string url, const TransferSettings& settings, CancelSignal& cancel)
    : m_url(std::move(url)), m_settings(settings), m_session(std::make_unique<CurlSession>(settings, cancel))
{
    const std::string path = m_url.substr(0, m_url.find_first_of("?#"));
    const std::size_t slash = path.find_last_of('/');
    m_sharedName = slash == std::string::npos ? path : path.substr(slash + 1);
}

HttpStore::~HttpStore() = default;

StoreResult HttpStore::ReadOnly()
{
    return StoreResult::Fail(StoreStatus::Refused, "a web address can only be read");
}

FetchResult HttpStore::Fetch(const std::string& name, const FileValidator* unlessSame)
{
    FetchResult fetched;
    if (name != m_sharedName || !m_session->IsValid()) {
        fetched.Result = ReadOnly();
        return fetched;
    }
    m_session->Reset();
    CURL* easy = m_session->Easy();
    curl_easy_setopt(easy, CURLOPT_URL, m_url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, MaxRedirects);
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    // An error status ends the transfer before any of its page is kept.
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, ChunkSize);
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_settings.SizeLimit));
    AnswerHeaders headers;
    headers.Limit = m_settings.SizeLimit;
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, AnswerHeaders::Take);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &headers);
    CurlSink sink;
    sink.Limit = m_settings.SizeLimit;
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, CurlSink::Write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &sink);
    curl_slist* conditions = nullptr;
    if (unlessSame != nullptr && !unlessSame->ETag.empty() && IsSafeHeaderValue(unlessSame->ETag)) {
        conditions = curl_slist_append(conditions, ("If-None-Match: " + unlessSame->ETag).c_str());
    }
    if (unlessSame != nullptr && !unlessSame->LastModified.empty() && IsSafeHeaderValue(unlessSame->LastModified)) {
        conditions = curl_slist_append(conditions, ("If-Modified-Since: " + unlessSame->LastModified).c_str());
    }
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, conditions);
    const CURLcode code = m_session->Perform();
    curl_slist_free_all(conditions);
    const long status = m_session->ResponseCode();
    curl_off_t received = 0;
    curl_easy_getinfo(easy, CURLINFO_SIZE_DOWNLOAD_T, &received);
    fetched.BodyBytes = static_cast<std::uint64_t>(received);

    if (headers.OverLimit || sink.OverLimit || code == CURLE_FILESIZE_EXCEEDED) {
        fetched.Result = StoreResult::Fail(StoreStatus::TooLarge, "more than " + std::to_string(sink.Limit) + " bytes");
        return fetched;
    }
    if (code == CURLE_OK && status == 304 && unlessSame != nullptr) {
        fetched.Unchanged = true;
        fetched.Validator = *unlessSame;
        return fetched;
    }
    if ((code == CURLE_OK || code == CURLE_HTTP_RETURNED_ERROR) && (status == 404 || status == 410)) {
        fetched.Result = StoreResult::Fail(StoreStatus::NotFound, "HTTP status " + std::to_string(status));
        return fetched;
    }
    if (code != CURLE_OK) {
        std::string detail = curl_easy_strerror(code);
        if (status != 0) {
            detail += " (HTTP status " + std::to_string(status) + ")";
        }
        fetched.Result = StoreResult::Fail(StoreStatus::Failed, std::move(detail));
        fetched.Bytes = std::move(sink.Bytes);
        return fetched;
    }
    if (!IsSuccess(status)) {
        fetched.Result = StoreResult::Fail(StoreStatus::Failed, "HTTP status " + std::to_string(status));
        return fetched;
    }
    fetched.Bytes = std::move(sink.Bytes);
    fetched.Validator.Size = static_cast<std::int64_t>(fetched.Bytes.size());
    fetched.Validator.ETag = headers.ETag;
    fetched.Validator.LastModified = headers.LastModified;
    // Both times come from the server's clock.
    const std::time_t modified = curl_getdate(headers.LastModified.c_str(), nullptr);
    const std::time_t answered = curl_getdate(headers.Date.c_str(), nullptr);
    fetched.Settled = modified > 0 && answered > 0 && answered - modified >= 1;
    return fetched;
}

StoreResult HttpStore::Stat(const std::string& /*name*/, FileValidator& /*validator*/)
{
    return ReadOnly();
}

StoreResult HttpStore::MakeFolder(const std::string& /*name*/)
{
    return ReadOnly();
}

StoreResult HttpStore::RemoveFolder(const std::string& /*name*/)
{
    return ReadOnly();
}

StoreResult HttpStore::Put(const std::string& /*name*/, std::string_view /*bytes*/)
{
    return ReadOnly();
}

StoreResult HttpStore::Rename(const std::string& /*from*/, const std::string& /*to*/)
{
    return ReadOnly();
}

StoreResult HttpStore::Delete(const std::string& /*name*/)
{
    return ReadOnly();
}

StoreResult HttpStore::List(std::vector<std::string>& /*names*/)
{
    return ReadOnly();
}
