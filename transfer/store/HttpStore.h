#pragma once

#include "GroupStore.h"
#include "TransferSettings.h"

#include <memory>

class CancelSignal;
class CurlSession;

// A group file on a web server: read only. A fetch asks the server to send the file only when it
// changed (If-None-Match with the ETag, If-Modified-Since with the Last-Modified time of the
// version given); only a complete answer with a 2xx status is the file, never an error page.
class HttpStore final : public GroupStore
{
public:
    HttpStore(std::string url, const TransferSettings& settings, CancelSignal& cancel);
    ~HttpStore() override;
    HttpStore(const HttpStore&) = delete;
    HttpStore& operator=(const HttpStore&) = delete;

    [[nodiscard]] const std::string& SharedName() const override { return m_sharedName; }
    [[nodiscard]] Abilities Can() const override { return {false}; }

    FetchResult Fetch(const std::string& name, const FileValidator* unlessSame) override;
    StoreResult Stat(const std::string& name, FileValidator& validator) override;
    StoreResult MakeFolder(const std::string& name) override;
    StoreResult RemoveFolder(const std::string& name) override;
    StoreResult Put(const std::string& name, std::string_view bytes) override;
    StoreResult Rename(const std::string& from, const std::string& to) override;
    StoreResult Delete(const std::string& name) override;
    StoreResult List(std::vector<std::string>& names) override;

private:
    [[nodiscard]] static StoreResult ReadOnly();

    std::string m_url;
    std::string m_sharedName;
    TransferSettings m_settings;
    std::unique_ptr<CurlSession> m_session;
};
