#pragma once

#include "GroupStore.h"

#include <cstddef>
#include <filesystem>

// A group file in a folder of the file system (a local folder or a mounted share). Only regular
// files are read: a named pipe, a device or a folder in the file's place is refused without
// blocking, and no read goes past the size limit.
class FolderStore final : public GroupStore
{
public:
    FolderStore(const std::filesystem::path& sharedFile, std::size_t sizeLimit);

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

private:
    [[nodiscard]] std::filesystem::path PathOf(const std::string& name) const { return m_folder / name; }
    // The result for a failed system call on the name, from errno.
    [[nodiscard]] StoreResult Failure(const std::string& name, int error) const;
    void FlushFolder() const;

    std::filesystem::path m_folder;
    std::string m_sharedName;
    std::size_t m_sizeLimit;
};
