#include "FakeGroupFileService.h"

#include "GroupList.h"
#include "TBWListLocation.h"

#include <utility>

FakeGroupFileService::FakeGroupFileService(std::filesystem::path localFolder) : m_localFolder(std::move(localFolder))
{
    std::filesystem::create_directories(m_localFolder);
}

void FakeGroupFileService::SetRemote(const std::string& name, FetchOutcome outcome,
                                     const std::filesystem::path& remoteFile)
{
    m_remotes[name] = Remote{outcome, remoteFile};
}

FetchOutcome FakeGroupFileService::FetchGroupFile(const TBWListLocation& group)
{
    Fetches.push_back(group.Name);
    FetchedPasswords.push_back(group.Password);
    if (DuringFetch) {
        DuringFetch(group);
    }
    if (KeysTrusted > 0) {
        return TrustedOutcome;
    }
    const auto it = m_remotes.find(group.Name);
    if (it == m_remotes.end()) {
        return FetchOutcome::Absent;
    }
    if (it->second.Outcome == FetchOutcome::Present && !it->second.File.empty()) {
        std::filesystem::copy_file(it->second.File, LocalCopyPath(group),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    return it->second.Outcome;
}

bool FakeGroupFileService::TrustServerKey(std::string& /*error*/)
{
    ++KeysTrusted;
    return true;
}

void FakeGroupFileService::UploadGroupFile(const TBWListLocation& group)
{
    Uploads.push_back(Upload{group.Name, ReadBytes(LocalCopyPath(group))});
}

std::filesystem::path FakeGroupFileService::LocalCopyPath(const TBWListLocation& group) const
{
    return LocalCopyPath(group.Name);
}

std::filesystem::path FakeGroupFileService::LocalCopyPath(const std::string& name) const
{
    return GroupFilePath(m_localFolder, name);
}
