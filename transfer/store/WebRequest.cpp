#include "WebRequest.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

constexpr long ChunkSize = 16L * 1024;

std::string Trimmed(std::string text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) {
        text.pop_back();
    }
    const auto first =
        std::find_if(text.begin(), text.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)) == 0; });
    return {first, text.end()};
}

// The value of the header line when it has this name (in any letter case).
bool Value(const std::string& line, std::string_view name, std::string& value)
{
    if (line.size() <= name.size() || line[name.size()] != ':') {
        return false;
    }
    if (!std::equal(name.begin(), name.end(), line.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        })) {
        return false;
    }
    value = Trimmed(line.substr(name.size() + 1));
    return true;
}

int Seek(void* source, curl_off_t offset, int origin)
{
    // Only the rewind libcurl needs when an answer asks for the body once more (a redirect, an
    // authentication round).
    auto* self = static_cast<CurlSource*>(source);
    if (origin != SEEK_SET || offset != 0) {
        return CURL_SEEKFUNC_CANTSEEK;
    }
    self->Bytes = self->Whole;
    return CURL_SEEKFUNC_OK;
}

} // namespace

std::size_t AnswerHeaders::Take(char* data, std::size_t size, std::size_t count, void* headers)
{
    auto* self = static_cast<AnswerHeaders*>(headers);
    const std::size_t bytes = size * count;
    const std::string line(data, bytes);
    std::string value;
    // Each answer of a redirect chain brings its own headers; only the last one's count.
    if (line.rfind("HTTP/", 0) == 0) {
        *self = AnswerHeaders{{}, {}, {}, {}, {}, -1, self->Limit, false};
    } else if (Value(line, "etag", value)) {
        self->ETag = value;
    } else if (Value(line, "last-modified", value)) {
        self->LastModified = value;
    } else if (Value(line, "date", value)) {
        self->Date = value;
    } else if (Value(line, "dav", value)) {
        self->Dav += value + ",";
    } else if (Value(line, "allow", value)) {
        self->Allow += value + ",";
    } else if (Value(line, "content-length", value)) {
        self->Length = std::strtoll(value.c_str(), nullptr, 10);
        if (self->Length > static_cast<long long>(self->Limit)) {
            self->OverLimit = true;
            return 0;
        }
    }
    return bytes;
}

WebRequest::WebRequest(CurlSession& session, std::string url, std::size_t sizeLimit)
    : m_session(session), m_url(std::move(url))
{
    m_session.Reset();
    m_sink.Limit = sizeLimit;
    m_answer.Limit = sizeLimit;
    CURL* easy = Easy();
    curl_easy_setopt(easy, CURLOPT_URL, m_url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, ChunkSize);
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(sizeLimit));
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, AnswerHeaders::Take);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &m_answer);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, CurlSink::Write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &m_sink);
}

WebRequest::~WebRequest()
{
    curl_slist_free_all(m_headers);
}

void WebRequest::Method(const std::string& method)
{
    m_method = method;
    if (method == "HEAD") {
        curl_easy_setopt(Easy(), CURLOPT_NOBODY, 1L);
    } else {
        curl_easy_setopt(Easy(), CURLOPT_CUSTOMREQUEST, m_method.c_str());
    }
}

bool WebRequest::Header(const std::string& line)
{
    if (line.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
        return false;
    }
    m_headers = curl_slist_append(m_headers, line.c_str());
    return true;
}

void WebRequest::Body(std::string_view bytes)
{
    m_source = CurlSource{bytes, bytes};
    CURL* easy = Easy();
    curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(easy, CURLOPT_READFUNCTION, CurlSource::Read);
    curl_easy_setopt(easy, CURLOPT_READDATA, &m_source);
    curl_easy_setopt(easy, CURLOPT_SEEKFUNCTION, Seek);
    curl_easy_setopt(easy, CURLOPT_SEEKDATA, &m_source);
    curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(bytes.size()));
}

void WebRequest::Credentials(const std::string& user, const std::string& password)
{
    CURL* easy = Easy();
    curl_easy_setopt(easy, CURLOPT_USERNAME, user.c_str());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, password.c_str());
    // Basic at once (what Nextcloud and most servers ask for) or Digest after the server's challenge.
    curl_easy_setopt(easy, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC | CURLAUTH_DIGEST));
}

CURLcode WebRequest::Run()
{
    curl_easy_setopt(Easy(), CURLOPT_HTTPHEADER, m_headers);
    m_code = m_session.Perform();
    m_status = m_session.ResponseCode();
    return m_code;
}

std::uint64_t WebRequest::BodyBytes() const
{
    curl_off_t received = 0;
    curl_easy_getinfo(Easy(), CURLINFO_SIZE_DOWNLOAD_T, &received);
    return static_cast<std::uint64_t>(received);
}

std::string WebRequest::Describe() const
{
    std::string text =
        m_code == CURLE_OK || m_code == CURLE_HTTP_RETURNED_ERROR ? std::string() : m_session.Describe(m_code);
    if (m_status != 0) {
        text += (text.empty() ? "" : " ") + std::string("(HTTP status ") + std::to_string(m_status) + ")";
    }
    return text;
}
