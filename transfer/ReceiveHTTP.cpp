#include "ReceiveHTTP.h"

#include "CurlSession.h"
#include "DownloadTarget.h"
#include "TransferNotice.h"

namespace {
constexpr long MaxRedirects = 5;
// The body arrives in pieces of at most this size and goes straight to the file.
constexpr long ChunkSize = 16 * 1024;

bool IsSuccess(long status)
{
    return status >= 200 && status <= 299;
}

bool IsNotFound(long status)
{
    return status == 404 || status == 410;
}
} // namespace

int ReceiveHTTP::StartNotice() const
{
    return DownloadStarted;
}

int ReceiveHTTP::Body()
{
    DownloadTarget target(LocalFile);
    if (!target.Open()) {
        return TransferFailed;
    }
    CurlSession session(Settings(), Cancellation());
    if (!session.IsValid()) {
        return TransferFailed;
    }
    CURL* easy = session.Easy();
    curl_easy_setopt(easy, CURLOPT_URL, Address.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, MaxRedirects);
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    // With this an error status ends the transfer before any of its page is written.
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, ChunkSize);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, DownloadTarget::WriteCallback);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &target);
    const CURLcode result = session.Perform();
    if (result != CURLE_OK || !IsSuccess(session.ResponseCode())) {
        if ((result == CURLE_OK || result == CURLE_HTTP_RETURNED_ERROR) && IsNotFound(session.ResponseCode())) {
            NoteSourceMissing();
        }
        target.Discard();
        return TransferFailed;
    }
    return target.Commit() ? DownloadDone : TransferFailed;
}
