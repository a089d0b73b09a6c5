#pragma once

// Internal to the store library: libcurl callbacks between transfers and memory.
#include <cstddef>
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
