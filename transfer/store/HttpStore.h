#pragma once

#include "GroupStore.h"
#include "TransferSettings.h"

#include <memory>

class CancelSignal;
class CurlSession;
class WebRequest;

// The account of a web location. Without one the location is only read, as always; with one it is
// written over WebDAV when the server offers it. The password goes to the server only over HTTPS,
// or over plain HTTP when the user agreed to it.
struct WebAccount
{
    std::string User;
    std::string Password;
    bool PlainHttpAllowed = false;
};

// A group file on a web server. A fetch asks the server to send the file only when it changed
// (If-None-Match with the ETag, If-Modified-Since with the Last-Modified time of the version
// given); only a complete answer with a 2xx status is the file, never an error page.
//
// With an account, the group's folder is a WebDAV collection (Apache's mod_dav, Nextcloud's and
// ownCloud's ".../remote.php/dav/files/USER/..." addresses as they are pasted): folders are made
// with MKCOL, which fails for all but one of several members (405 when it exists), files are
// stored with PUT and renamed with MOVE (Overwrite: T), listed with PROPFIND. A PUT of the shared
// file itself carries the ETag its last fetch saw (If-Match; If-None-Match: * when there was none),
// so that the server refuses it when another writer came in between (412: Changed).
class HttpStore final : public GroupStore
{
public:
    HttpStore(std::string url, WebAccount account, const TransferSettings& settings, CancelSignal& cancel);
    ~HttpStore() override;
    HttpStore(const HttpStore&) = delete;
    HttpStore& operator=(const HttpStore&) = delete;

    [[nodiscard]] const std::string& SharedName() const override { return m_sharedName; }
    [[nodiscard]] Abilities Can() const override { return {!m_account.User.empty()}; }
    StoreResult CheckWritable() override;

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
    // The URL of a name in the shared file's folder; a trailing "/" for a collection.
    [[nodiscard]] std::string UrlOf(const std::string& name, bool collection = false) const;
    enum class Access
    {
        Read,
        Write,
    };
    // Sets up a request with the account's credentials where they may be sent; a failure when a
    // change cannot be made without them.
    StoreResult Prepare(WebRequest& request, const std::string& url, Access access) const;
    // A request's end as a store result: what the status code means for a WebDAV method.
    [[nodiscard]] StoreResult Judge(const WebRequest& request, const std::string& what) const;
    void Remember(const std::string& name, const FetchResult& fetched);

    std::string m_url;
    std::string m_folderUrl; // ends in "/"
    std::string m_sharedName;
    WebAccount m_account;
    TransferSettings m_settings;
    CancelSignal& m_cancel;
    std::unique_ptr<CurlSession> m_session;
    // What the last fetch or look saw of the shared file, for the guard of a PUT over it.
    std::string m_sharedETag;
    bool m_sharedMissing = false;
    bool m_writableChecked = false;
    StoreResult m_writable;
};
