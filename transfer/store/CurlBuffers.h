#pragma once

// Internal to the store library: libcurl callbacks between transfers and memory.
#include "StoreResult.h"

#include <curl/curl.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Collects a download in memory and stops it at the limit: a location cannot fill the memory.
struct CurlSink
{
    std::string Bytes;
    std::size_t Limit = 0;
    bool OverLimit = false;

    static std::size_t Write(char* data, std::size_t size, std::size_t count, void* sink);
};

// Feeds an upload from memory.
struct CurlSource
{
    std::string_view Bytes;
    std::string_view Whole; // what a rewind starts again from

    static std::size_t Read(char* buffer, std::size_t size, std::size_t count, void* source);
};

// A download into memory on a prepared handle, bounded by the limit, with what the server said of
// the file: its time, its announced size (-1 when unknown) and the bytes that came.
struct CurlDownload
{
    StoreResult Result;
    std::string Bytes;
    bool OverLimit = false;
    curl_off_t Modified = -1;
    curl_off_t Size = -1;
    curl_off_t Received = 0;
};

// run performs the transfer (the store's own error mapping); the handle is set up to write here.
[[nodiscard]] CurlDownload RunBoundedDownload(CURL* easy, std::size_t limit, const std::function<StoreResult()>& run);

// An upload from memory on a prepared handle. A transfer that ends short of the whole is a failure,
// whatever the server answered.
[[nodiscard]] StoreResult RunUpload(CURL* easy, std::string_view bytes, const std::string& what,
                                    const std::function<StoreResult()>& run);
