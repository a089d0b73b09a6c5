#include "GroupOutbox.h"

#include "BWError.h"
#include "GroupList.h"

#include <system_error>
#include <utility>

namespace {
constexpr const char* SendSuffix = ".send";
constexpr const char* RemoveSuffix = ".remove";

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}
} // namespace

GroupOutbox::GroupOutbox(std::filesystem::path folder) : m_folder(std::move(folder))
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder, error)) {
        const std::string name = entry.path().filename().string();
        const bool sends = EndsWith(name, SendSuffix);
        if (!sends && !EndsWith(name, RemoveSuffix)) {
            continue;
        }
        const std::string group =
            name.substr(0, name.size() - std::char_traits<char>::length(sends ? SendSuffix : RemoveSuffix));
        TBWItemList messages;
        try {
            if (LoadItemList(messages, entry.path(), PersonalListPassword) != LoadOk) {
                continue;
            }
        } catch (const EBWError&) {
            continue;
        }
        ChangeSet& changes = m_pending[group];
        for (const auto& message : messages) {
            if (sends) {
                changes.Put(*message);
            } else {
                changes.Remove(*message);
            }
        }
    }
}

ChangeSet GroupOutbox::Pending(const std::string& group) const
{
    const auto found = m_pending.find(group);
    return found == m_pending.end() ? ChangeSet{} : found->second;
}

std::vector<std::string> GroupOutbox::Groups() const
{
    std::vector<std::string> groups;
    for (const auto& [group, changes] : m_pending) {
        if (!changes.IsEmpty()) {
            groups.push_back(group);
        }
    }
    return groups;
}

void GroupOutbox::Add(const std::string& group, const ChangeSet& changes)
{
    m_pending[group].Merge(changes);
    Save(group);
}

void GroupOutbox::Done(const std::string& group, const ChangeSet& sent)
{
    const auto found = m_pending.find(group);
    if (found == m_pending.end()) {
        return;
    }
    found->second.Subtract(sent);
    if (found->second.IsEmpty()) {
        m_pending.erase(found);
    }
    Save(group);
}

std::filesystem::path GroupOutbox::File(const std::string& group, const char* suffix) const
{
    return GroupFilePath(m_folder, group + suffix);
}

void GroupOutbox::Save(const std::string& group) const
{
    const auto found = m_pending.find(group);
    std::error_code ignored;
    if (found == m_pending.end()) {
        std::filesystem::remove(File(group, SendSuffix), ignored);
        std::filesystem::remove(File(group, RemoveSuffix), ignored);
        return;
    }
    std::filesystem::create_directories(m_folder, ignored);
    std::filesystem::permissions(m_folder, std::filesystem::perms::owner_all, ignored);
    SaveItemList(found->second.Puts(), File(group, SendSuffix), PersonalListPassword);
    SaveItemList(found->second.Removals(), File(group, RemoveSuffix), PersonalListPassword);
}
