#pragma once

// Internal to the store library: one HTTP or WebDAV request on a session.
#include "CurlBuffers.h"
#include "CurlSession.h"

#include <string>
#include <string_view>

// The headers of the answer being received that a store looks at, and whether its announced
// length is over the limit (refused before a byte of the body is read).
struct AnswerHeaders
{
    std::string ETag;
    std::string LastModified;
    std::string Date;
    std::string Dav;
    std::string Allow;
    long long Length = -1;
    std::size_t Limit = 0;
    bool OverLimit = false;

    static std::size_t Take(char* data, std::size_t size, std::size_t count, void* headers);
};

class WebRequest
{
public:
    WebRequest(CurlSession& session, std::string url, std::size_t sizeLimit);
    ~WebRequest();
    WebRequest(const WebRequest&) = delete;
    WebRequest& operator=(const WebRequest&) = delete;

    [[nodiscard]] CURL* Easy() const { return m_session.Easy(); }
    // A method other than GET ("HEAD" sends no body back).
    void Method(const std::string& method);
    // A header line ("If-Match: ..."); false when the value would end the line early.
    bool Header(const std::string& line);
    void Body(std::string_view bytes);
    void Credentials(const std::string& user, const std::string& password);

    CURLcode Run();
    [[nodiscard]] CURLcode Code() const { return m_code; }
    [[nodiscard]] long Status() const { return m_status; }
    [[nodiscard]] const AnswerHeaders& Answer() const { return m_answer; }
    [[nodiscard]] std::string& Received() { return m_sink.Bytes; }
    [[nodiscard]] bool OverLimit() const { return m_answer.OverLimit || m_sink.OverLimit; }
    [[nodiscard]] std::uint64_t BodyBytes() const;
    [[nodiscard]] std::string Describe() const;

private:
    CurlSession& m_session;
    std::string m_url;
    std::string m_method;
    curl_slist* m_headers = nullptr;
    CurlSource m_source;
    CurlSink m_sink;
    AnswerHeaders m_answer;
    CURLcode m_code = CURLE_OK;
    long m_status = 0;
};
