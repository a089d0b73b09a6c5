#include "CurlSession.h"

#include "CancelSignal.h"

#include <chrono>

namespace {
// How often a quiet transfer looks at its stall clock; libcurl wakes earlier when data moves.
constexpr int PollMilliseconds = 250;
// libcurl 7.88 leaves the FTP control connection out of what it waits on while the TLS handshake of
// a passive data connection is pending (the server starts it only on RETR or STOR), and asks to be
// woken after 200 ms: every command in that state, and so every transfer, waited that long.
constexpr int QuickPollMilliseconds = 5;
} // namespace

CurlSession::CurlSession(const TransferSettings& settings, CancelSignal& cancel)
    : m_settings(settings), m_cancel(cancel), m_easy(curl_easy_init()), m_multi(curl_multi_init())
{
    if (!IsValid()) {
        return;
    }
    SetBaseOptions();
    CURLM* multi = m_multi;
    m_cancel.SetWakeUp([multi] { curl_multi_wakeup(multi); });
}

CurlSession::~CurlSession()
{
    m_cancel.ClearWakeUp();
    if (m_easy != nullptr) {
        curl_easy_cleanup(m_easy);
    }
    if (m_multi != nullptr) {
        curl_multi_cleanup(m_multi);
    }
}

void CurlSession::SetBaseOptions()
{
    curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_easy, CURLOPT_USERAGENT, "Bellwick");
    curl_easy_setopt(m_easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_settings.ConnectTimeout.count()));
    curl_easy_setopt(m_easy, CURLOPT_TIMEOUT_MS, static_cast<long>(m_settings.TotalTimeout.count()));
    if (!m_settings.CaFile.empty()) {
        curl_easy_setopt(m_easy, CURLOPT_CAINFO, m_settings.CaFile.c_str());
    }
    curl_easy_setopt(m_easy, CURLOPT_ERRORBUFFER, m_error.data());
}

void CurlSession::Reset()
{
    if (IsValid()) {
        curl_easy_reset(m_easy);
        SetBaseOptions();
    }
}

CURLcode CurlSession::Perform()
{
    if (!IsValid()) {
        return CURLE_FAILED_INIT;
    }
    m_error[0] = '\0';
    if (curl_multi_add_handle(m_multi, m_easy) != CURLM_OK) {
        return CURLE_FAILED_INIT;
    }
    const CURLcode result = Drive();
    // Out of the multi handle again, so that the next transfer can be added; the multi handle keeps
    // the connection for it.
    curl_multi_remove_handle(m_multi, m_easy);
    return result;
}

CURLcode CurlSession::Drive()
{
    using Clock = std::chrono::steady_clock;
    auto lastProgress = Clock::now();
    curl_off_t lastBytes = 0;
    int running = 1;
    while (running != 0) {
        if (curl_multi_perform(m_multi, &running) != CURLM_OK) {
            return CURLE_FAILED_INIT;
        }
        if (running == 0) {
            break;
        }
        if (m_cancel.IsCancelled()) {
            return CURLE_ABORTED_BY_CALLBACK;
        }
        const curl_off_t bytes = BytesMoved();
        const auto now = Clock::now();
        if (bytes != lastBytes) {
            lastBytes = bytes;
            lastProgress = now;
        } else if (now - lastProgress > m_settings.StallTimeout) {
            return CURLE_OPERATION_TIMEDOUT;
        }
        if (curl_multi_poll(m_multi, nullptr, 0, m_quickPolling ? QuickPollMilliseconds : PollMilliseconds, nullptr) !=
            CURLM_OK) {
            return CURLE_FAILED_INIT;
        }
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(m_multi, &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == m_easy) {
            return message->data.result;
        }
    }
    return CURLE_FAILED_INIT;
}

long CurlSession::ResponseCode() const
{
    long code = 0;
    curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &code);
    return code;
}

std::string CurlSession::Escape(const std::string& text) const
{
    char* escaped = curl_easy_escape(m_easy, text.data(), static_cast<int>(text.size()));
    if (escaped == nullptr) {
        return {};
    }
    std::string result(escaped);
    curl_free(escaped);
    return result;
}

StoreCause CurlSession::CauseOf(CURLcode code) const
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return StoreCause::NameNotFound;
    case CURLE_COULDNT_CONNECT:
        return StoreCause::NotListening;
    case CURLE_OPERATION_TIMEDOUT:
        return StoreCause::TimedOut;
    case CURLE_PEER_FAILED_VERIFICATION:
        return StoreCause::Certificate;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
        return StoreCause::Tls;
    case CURLE_LOGIN_DENIED:
        return StoreCause::Login;
    case CURLE_REMOTE_ACCESS_DENIED:
        return StoreCause::Permission;
    case CURLE_REMOTE_FILE_NOT_FOUND:
        return StoreCause::NotFound;
    default:
        return StoreCause::Unknown;
    }
}

std::string CurlSession::Describe(CURLcode code) const
{
    std::string text = curl_easy_strerror(code);
    // libcurl 7.88 may leave an unrelated first message in the buffer in active FTP mode, so its
    // words are taken only where they name what the code cannot.
    const StoreCause cause = CauseOf(code);
    const bool telling = cause == StoreCause::Certificate || cause == StoreCause::Tls || cause == StoreCause::Login ||
                         code == CURLE_SSH || code == CURLE_QUOTE_ERROR;
    if (telling && m_error[0] != '\0') {
        text += ": ";
        text += m_error.data();
    }
    return text;
}

curl_off_t CurlSession::BytesMoved() const
{
    curl_off_t down = 0;
    curl_off_t up = 0;
    curl_easy_getinfo(m_easy, CURLINFO_SIZE_DOWNLOAD_T, &down);
    curl_easy_getinfo(m_easy, CURLINFO_SIZE_UPLOAD_T, &up);
    return down + up;
}
