#pragma once

// Internal to the transfer library: the only header that brings in libcurl's.
#include "StoreResult.h"
#include "TransferSettings.h"

#include <curl/curl.h>

#include <array>
#include <string>

class CancelSignal;

// A libcurl handle for one transfer, or for a series of them on one connection (one FTP login
// for a whole publish; the owner then sets the server's folder again before each). Perform() drives
// a transfer through a multi handle so that a cancel wakes it at once, and fails it when no byte
// has moved for the stall time-out.
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

    // Clears the options of the last transfer for the next one; the connection stays open.
    void Reset();
    // Looks at the transfer far more often than usual, for the one case where libcurl does not wake
    // by itself (see CurlSession.cpp); stays set across Reset().
    void SetQuickPolling(bool quick) { m_quickPolling = quick; }
    // Runs the transfer to its end. CURLE_OK means libcurl saw no failure; protocol status codes
    // are for the caller to judge.
    [[nodiscard]] CURLcode Perform();
    [[nodiscard]] long ResponseCode() const;
    // Escapes a path segment for the URL.
    [[nodiscard]] std::string Escape(const std::string& text) const;
    // What a failed transfer's code says about its cause, and libcurl's own words where they tell
    // more than the code (a certificate's problem, an SSH server's refusal).
    [[nodiscard]] StoreCause CauseOf(CURLcode code) const;
    [[nodiscard]] std::string Describe(CURLcode code) const;

private:
    void SetBaseOptions();
    [[nodiscard]] CURLcode Drive();
    [[nodiscard]] curl_off_t BytesMoved() const;

    TransferSettings m_settings;
    CancelSignal& m_cancel;
    CURL* m_easy = nullptr;
    CURLM* m_multi = nullptr;
    std::array<char, CURL_ERROR_SIZE> m_error{};
    bool m_quickPolling = false;
};
