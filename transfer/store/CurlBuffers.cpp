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
