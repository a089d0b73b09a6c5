#pragma once

#include "GroupStore.h"
#include "KnownHosts.h"
#include "TransferSettings.h"

#include <memory>

class CancelSignal;
class CurlSession;
struct curl_slist;

// The account of an SFTP location: a password, or a key file whose passphrase the password is;
// without a key file the SSH agent and the user's usual keys are offered as well.
struct SshAccount
{
    std::string User;
    std::string Password;
    std::string KeyFile;
};

// A group file on an SFTP server ("sftp://host[:port]/path/file"; a path starting with "/~/" is in
// the account's home folder). The server's host key must be one the user trusts (the program's own
// known-hosts file or the user's); a server seen for the first time, or with another key than the
// one trusted, is refused, and the failure carries the key it presented. Folders are made with
// mkdir; a rename onto an existing file is refused by servers of SFTP version 3, which the
// locked publish answers by removing the old file first.
class SftpStore final : public GroupStore
{
public:
    SftpStore(const std::string& address, SshAccount account, const TransferSettings& settings, CancelSignal& cancel);
    ~SftpStore() override;
    SftpStore(const SftpStore&) = delete;
    SftpStore& operator=(const SftpStore&) = delete;

    [[nodiscard]] const std::string& SharedName() const override { return m_sharedName; }
    [[nodiscard]] Abilities Can() const override { return {true}; }

    FetchResult Fetch(const std::string& name, const FileValidator* unlessSame) override;
    StoreResult Stat(const std::string& name, FileValidator& validator) override;
    StoreResult MakeFolder(const std::string& name) override;
    StoreResult RemoveFolder(const std::string& name) override;
    StoreResult Put(const std::string& name, std::string_view bytes) override;
    StoreResult Rename(const std::string& from, const std::string& to) override;
    StoreResult Delete(const std::string& name) override;
    StoreResult List(std::vector<std::string>& names) override;

    // The check libcurl calls with the server's key; public for the callback only.
    struct HostCheck
    {
        KnownHosts Known;
        std::string HostEntry;
        ServerIdentity Seen;
        KnownHosts::Verdict Verdict = KnownHosts::Verdict::Unknown;
    };

private:
    // Sets the session up for an operation on the name (empty: the folder); false when the name
    // or the address cannot be used.
    bool Begin(const std::string& name);
    StoreResult Run(const std::string& what);
    StoreResult Command(const std::string& command, const std::string& what);
    [[nodiscard]] StoreResult Unusable(const std::string& what) const;
    [[nodiscard]] bool IsListed(const std::string& name);
    [[nodiscard]] std::string PathOf(const std::string& name) const;

    SshAccount m_account;
    TransferSettings m_settings;
    std::unique_ptr<CurlSession> m_session;
    HostCheck m_hostCheck;
    std::string m_host; // as the URL names it
    long m_port = 22;
    std::string m_folder; // the path of the group file's folder, ending in "/"
    std::string m_sharedName;
    std::string m_keyFile;
    bool m_usable = false;
    curl_slist* m_quote = nullptr;
};
