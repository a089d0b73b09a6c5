#include "CurlBuffers.h"

#include <algorithm>
#include <cstring>

std::size_t CurlSink::Write(char* data, std::size_t size, std::size_t count, void* sink)
{
    auto* self = static_cast<CurlSink*>(sink);
    const std::size_t bytes = size * count;
    if (bytes > self->Limit - std::min(self->Limit, self->Bytes.size())) {
        // A short count makes libcurl end the transfer with a write error.
        self->OverLimit = true;
        return 0;
    }
    self->Bytes.append(data, bytes);
    return bytes;
}

std::size_t CurlSource::Read(char* buffer, std::size_t size, std::size_t count, void* source)
{
    auto* self = static_cast<CurlSource*>(source);
    const std::size_t bytes = std::min(size * count, self->Bytes.size());
    std::memcpy(buffer, self->Bytes.data(), bytes);
    self->Bytes.remove_prefix(bytes);
    return bytes;
}

CurlDownload RunBoundedDownload(CURL* easy, std::size_t limit, const std::function<StoreResult()>& run)
{
    CurlSink sink;
    sink.Limit = limit;
    curl_easy_setopt(easy, CURLOPT_FILETIME, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limit));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, CurlSink::Write);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &sink);
    CurlDownload download;
    download.Result = run();
    curl_easy_getinfo(easy, CURLINFO_FILETIME_T, &download.Modified);
    curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &download.Size);
    curl_easy_getinfo(easy, CURLINFO_SIZE_DOWNLOAD_T, &download.Received);
    download.OverLimit = sink.OverLimit;
    download.Bytes = std::move(sink.Bytes);
    return download;
}

StoreResult RunUpload(CURL* easy, std::string_view bytes, const std::string& what,
                      const std::function<StoreResult()>& run)
{
    CurlSource source{bytes, bytes};
    curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(easy, CURLOPT_READFUNCTION, CurlSource::Read);
    curl_easy_setopt(easy, CURLOPT_READDATA, &source);
    curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(bytes.size()));
    StoreResult result = run();
    curl_off_t sent = 0;
    curl_easy_getinfo(easy, CURLINFO_SIZE_UPLOAD_T, &sent);
    if (result.IsOk() && static_cast<std::size_t>(sent) != bytes.size()) {
        return StoreResult::Fail(StoreStatus::Failed, what + ": only " + std::to_string(sent) + " of " +
                                                          std::to_string(bytes.size()) + " bytes were sent");
    }
    return result;
}
