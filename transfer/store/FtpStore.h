#pragma once

#include "GroupOptions.h"
#include "GroupStore.h"
#include "TransferSettings.h"

#include <memory>

class CancelSignal;
class CurlSession;
class FtpOptions;

// A group file on an FTP server, reached as every FTP transfer of the program reaches it (port 21,
// active mode, the group's account, a change of folder whose failure is ignored), or as the group's
// settings ask (TLS, passive mode). All operations of one store share one login. Folders are made with MKD, renames are
// RNFR and RNTO, a missing file is one the folder's listing does not name.
class FtpStore final : public GroupStore
{
public:
    FtpStore(const std::string& address, const std::string& user, const std::string& password,
             const TransferSettings& settings, CancelSignal& cancel, const GroupOptions& options = {});
    ~FtpStore() override;
    FtpStore(const FtpStore&) = delete;
    FtpStore& operator=(const FtpStore&) = delete;

    [[nodiscard]] const std::string& SharedName() const override;
    [[nodiscard]] Abilities Can() const override { return {true}; }

    FetchResult Fetch(const std::string& name, const FileValidator* unlessSame) override;
    StoreResult Stat(const std::string& name, FileValidator& validator) override;
    StoreResult MakeFolder(const std::string& name) override;
    StoreResult RemoveFolder(const std::string& name) override;
    StoreResult Put(const std::string& name, std::string_view bytes) override;
    StoreResult Rename(const std::string& from, const std::string& to) override;
    StoreResult Delete(const std::string& name) override;
    StoreResult List(std::vector<std::string>& names) override;

private:
    FetchResult FetchOnce(const std::string& name, const FileValidator* unlessSame, bool& endedEarly);
    // Sets the session up for an operation on the name; false when the name or the address
    // cannot be sent to the server safely.
    bool Begin(const std::string& name, const std::vector<std::string>& commands);
    // Runs the operation and turns its end into a result.
    StoreResult Run(const std::string& what);
    StoreResult Commands(const std::vector<std::string>& commands, const std::string& what);
    [[nodiscard]] StoreResult Unusable(const std::string& what) const;

    TransferSettings m_settings;
    CancelSignal& m_cancel;
    std::unique_ptr<FtpOptions> m_options;
    std::unique_ptr<CurlSession> m_session;
    bool m_entryFolderKnown = false;
};
