#pragma once

#include "GroupList.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

// The files and folders of the program's data folder, named in one place. Earlier versions of the
// program and people's scripts look for them under these names, so the names never change.
class DataFolderLayout
{
public:
    static constexpr std::string_view GroupListName = "glist.dat";
    static constexpr std::string_view PersonalListName = "bwlist.dat";
    static constexpr std::string_view SpareCopyName = "bwlist.bak";
    static constexpr std::string_view PostponedListName = "bwpostponed.dat";
    // The local copies of the groups' shared files, one per group, as last fetched or published.
    static constexpr std::string_view LocalCopiesName = "BWLists";
    // The working list of each enabled group: what the pulls merged, and what the due scan reads.
    static constexpr std::string_view WorkingListsName = "BWELists";
    // Changes to groups that could not be published yet, to be tried again.
    static constexpr std::string_view OutboxName = "BWOutbox";
    // Fetched group files that failed the container check, kept for the user to look at.
    static constexpr std::string_view RejectedName = "BWRejected";
    static constexpr std::string_view LogsName = "Logs";
    // The folders the program makes when it starts.
    static constexpr std::array<std::string_view, 3> StartFolders = {WorkingListsName, LocalCopiesName, LogsName};

    explicit DataFolderLayout(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    [[nodiscard]] const std::filesystem::path& Folder() const { return m_folder; }
    [[nodiscard]] std::filesystem::path GroupList() const { return In(GroupListName); }
    [[nodiscard]] std::filesystem::path PersonalList() const { return In(PersonalListName); }
    [[nodiscard]] std::filesystem::path SpareCopy() const { return In(SpareCopyName); }
    [[nodiscard]] std::filesystem::path PostponedList() const { return In(PostponedListName); }
    [[nodiscard]] std::filesystem::path LocalCopies() const { return In(LocalCopiesName); }
    [[nodiscard]] std::filesystem::path WorkingLists() const { return In(WorkingListsName); }
    [[nodiscard]] std::filesystem::path Outbox() const { return In(OutboxName); }
    [[nodiscard]] std::filesystem::path Rejected() const { return In(RejectedName); }
    [[nodiscard]] std::filesystem::path Logs() const { return In(LogsName); }

    // A group's file in one of the folders above; fails with EBWError for a name that is not a
    // single path component (see GroupFilePath).
    [[nodiscard]] std::filesystem::path LocalCopy(const std::string& groupName) const
    {
        return GroupFilePath(LocalCopies(), groupName);
    }
    [[nodiscard]] std::filesystem::path WorkingList(const std::string& groupName) const
    {
        return GroupFilePath(WorkingLists(), groupName);
    }
    [[nodiscard]] std::filesystem::path RejectedCopy(const std::string& groupName) const
    {
        return GroupFilePath(Rejected(), groupName);
    }

private:
    [[nodiscard]] std::filesystem::path In(std::string_view name) const { return m_folder / name; }

    std::filesystem::path m_folder;
};
