#pragma once

// Internal to the transfer library: the only header that brings in libcurl's.
#include "TransferSettings.h"

#include <curl/curl.h>

#include <string>

class CancelSignal;

// One libcurl transfer on a handle of its own (a reused connection would keep the FTP server's
// current folder from an earlier transfer). Perform() drives it through a multi handle so that a
// cancel wakes it at once, and fails it when no byte has moved for the stall time-out.
class CurlSession
{
public:
    CurlSession(const TransferSettings& settings, CancelSignal& cancel);
    ~CurlSession();
    CurlSession(const CurlSession&) = delete;
    CurlSession& operator=(const CurlSession&) = delete;

    [[nodiscard]] bool IsValid() const { return m_easy != nullptr && m_multi != nullptr; }
    [[nodiscard]] CURL* Easy() const { return m_easy; }
    [[nodiscard]] const TransferSettings& Settings() const { return m_settings; }

    // Runs the transfer to its end. CURLE_OK means libcurl saw no failure; protocol status codes
    // are for the caller to judge.
    [[nodiscard]] CURLcode Perform();
    [[nodiscard]] long ResponseCode() const;
    // Escapes a path segment for the URL.
    [[nodiscard]] std::string Escape(const std::string& text) const;

private:
    [[nodiscard]] curl_off_t BytesMoved() const;

    TransferSettings m_settings;
    CancelSignal& m_cancel;
    CURL* m_easy = nullptr;
    CURLM* m_multi = nullptr;
};
