#pragma once

#include "GroupFileService.h"
#include "TestFiles.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

// Stands in for the transfer layer: each group name gets a scripted fetch outcome, a fetch that
// finds the file copies a prepared "remote" file into the local copy, and uploads are recorded
// with the bytes the local copy held when the upload started.
class FakeGroupFileService : public GroupFileService
{
public:
    struct Upload
    {
        std::string Name;
        std::string Bytes;
    };

    explicit FakeGroupFileService(std::filesystem::path localFolder);

    // A fetch of the group ends with the outcome; Present also copies remoteFile (if not empty)
    // into the local copy. Groups without a script are Absent.
    void SetRemote(const std::string& name, FetchOutcome outcome, const std::filesystem::path& remoteFile = {});

    FetchOutcome FetchGroupFile(const TBWListLocation& group) override;
    void UploadGroupFile(const TBWListLocation& group) override;
    [[nodiscard]] std::filesystem::path LocalCopyPath(const TBWListLocation& group) const override;
    [[nodiscard]] std::filesystem::path LocalCopyPath(const std::string& name) const;
    [[nodiscard]] FetchReport LastFetchReport() const override { return Report; }
    // Trusting the key makes the fetches that follow end with TrustedOutcome.
    bool TrustServerKey(std::string& error) override;

    // Runs inside every fetch, as the event loop would run other work during the real wait.
    std::function<void(const TBWListLocation& group)> DuringFetch;
    std::vector<std::string> Fetches;
    std::vector<std::string> FetchedPasswords;
    std::vector<Upload> Uploads;
    FetchReport Report;
    int KeysTrusted = 0;
    FetchOutcome TrustedOutcome = FetchOutcome::Absent;

private:
    struct Remote
    {
        FetchOutcome Outcome = FetchOutcome::Absent;
        std::filesystem::path File;
    };

    std::filesystem::path m_localFolder;
    std::map<std::string, Remote> m_remotes;
};
