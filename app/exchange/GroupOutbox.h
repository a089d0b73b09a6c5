#pragma once

#include "ChangeSet.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// The changes that wait to reach a group's shared file, kept in memory and in the data folder
// (BWOutbox/<group>.send and <group>.remove: message lists of the messages to add or replace and
// of those to take out, in the list file format under the personal list's password, private to the
// user and written whole), so that a change survives a busy group and a restart alike.
class GroupOutbox
{
public:
    // Reads what a previous run left in the folder.
    explicit GroupOutbox(std::filesystem::path folder);

    [[nodiscard]] ChangeSet Pending(const std::string& group) const;
    // The groups with changes waiting.
    [[nodiscard]] std::vector<std::string> Groups() const;
    // Adds the changes, a later change of a message replacing an earlier one, and saves. A failed
    // save throws EBWError; the changes are kept in memory all the same.
    void Add(const std::string& group, const ChangeSet& changes);
    // Takes out what was sent (or given up), keeping what changed since, and saves.
    void Done(const std::string& group, const ChangeSet& sent);

private:
    void Save(const std::string& group) const;
    [[nodiscard]] std::filesystem::path File(const std::string& group, const char* suffix) const;

    std::filesystem::path m_folder;
    std::map<std::string, ChangeSet> m_pending;
};
