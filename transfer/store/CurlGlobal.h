#pragma once

// Sets libcurl up for the whole process and tears it down again. libcurl's global set-up is not
// thread-safe, so main() creates exactly one of these before any thread starts, and it lives
// until every transfer has ended.
class CurlGlobal
{
public:
    CurlGlobal();
    ~CurlGlobal();
    CurlGlobal(const CurlGlobal&) = delete;
    CurlGlobal& operator=(const CurlGlobal&) = delete;

    [[nodiscard]] bool IsReady() const { return m_ready; }

private:
    bool m_ready = false;
};
