#include "GroupList.h"

#include "BWError.h"
#include "FileIO.h"
#include "GroupOptionsFile.h"

#include <algorithm>
#include <system_error>

int TBWGroupItemLists::IndexOf(std::string_view name) const
{
    const auto it = std::lower_bound(
        m_entries.begin(), m_entries.end(), name,
        [](const TBWGroupItems& entry, std::string_view key) { return CompareText(entry.Name, key) < 0; });
    if (it == m_entries.end() || CompareText(it->Name, name) != 0) {
        return -1;
    }
    return static_cast<int>(it - m_entries.begin());
}

TBWItemList* TBWGroupItemLists::Find(std::string_view name) const
{
    const int index = IndexOf(name);
    return index < 0 ? nullptr : m_entries[static_cast<std::size_t>(index)].Items.get();
}

TBWItemList& TBWGroupItemLists::Add(const std::string& name, std::unique_ptr<TBWItemList> items)
{
    const auto it = std::lower_bound(
        m_entries.begin(), m_entries.end(), name,
        [](const TBWGroupItems& entry, std::string_view key) { return CompareText(entry.Name, key) < 0; });
    if (it != m_entries.end() && CompareText(it->Name, name) == 0) {
        return *it->Items;
    }
    return *m_entries.insert(it, TBWGroupItems{name, std::move(items)})->Items;
}

int FindGroup(const TBWGroupList& groups, std::string_view name)
{
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (SameText(groups[i]->Name, name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool IsUsableGroupName(std::string_view name)
{
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '/' || c == '\\' || c == '\0' || c == '\r' || c == '\n'; });
}

std::filesystem::path GroupFilePath(const std::filesystem::path& folder, const std::string& name)
{
    // The name comes from a shared or hand-edited file: never let it point outside the folder.
    if (!IsUsableGroupName(name)) {
        throw EBWError("The group name \"" + CutText(name, 200) + "\" cannot be used as a file name.");
    }
    return folder / name;
}

bool SaveGroupList(const TBWGroupList& groups, const std::filesystem::path& fileName)
{
    TStringList lines;
    lines.reserve(2 + groups.size() * TBWListLocation::LineCount);
    lines.emplace_back("1");
    lines.push_back(std::to_string(groups.size()));
    for (const auto& group : groups) {
        group->SaveToLines(lines);
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    WriteFileAtomically(fileName, text);
    SaveGroupOptions(groups, GroupOptionsPath(fileName));
    return true;
}

bool LoadGroupList(TBWGroupList& groups, const std::filesystem::path& fileName)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        return false;
    }
    TStringList lines;
    SplitLines(ReadWholeFile(fileName), lines);
    const std::int32_t count = StrToIntDef(LineAt(lines, 1), 0);
    for (std::int32_t k = 0; k < count; ++k) {
        auto group = std::make_unique<TBWListLocation>();
        group->LoadFromLines(lines, 2 + static_cast<long long>(k) * TBWListLocation::LineCount);
        groups.push_back(std::move(group));
    }
    LoadGroupOptions(groups, GroupOptionsPath(fileName));
    return true;
}

void LoadGroupItemLists(TBWGroupItemLists& lists, const TBWGroupList& groups, const std::filesystem::path& folder)
{
    lists.Clear();
    for (const auto& group : groups) {
        if (!group->Enabled) {
            continue;
        }
        auto items = std::make_unique<TBWItemList>();
        (void)LoadItemList(*items, GroupFilePath(folder, group->Name), group->Password);
        lists.Add(group->Name, std::move(items));
    }
}

void SaveGroupItemLists(const TBWGroupItemLists& lists, const TBWGroupList& groups, const std::filesystem::path& folder)
{
    for (const auto& group : groups) {
        if (!group->Enabled) {
            continue;
        }
        const TBWItemList* items = lists.Find(group->Name);
        if (items == nullptr) {
            throw EBWError(ListIndexOutOfBoundsText(-1));
        }
        SaveItemList(*items, GroupFilePath(folder, group->Name), group->Password);
    }
}

void UnionStrings(const TStringList& oldNames, const TStringList& newNames, TStringList& result)
{
    result = oldNames;
    for (const std::string& name : newNames) {
        if (!ContainsText(oldNames, name)) {
            result.push_back(name);
        }
    }
}

void CompareStringLists(const TStringList& newNames, const TStringList& oldNames, TStringList& added, TStringList& kept,
                        TStringList& removed)
{
    added.clear();
    kept.clear();
    removed.clear();
    for (const std::string& name : newNames) {
        (ContainsText(oldNames, name) ? kept : added).push_back(name);
    }
    for (const std::string& name : oldNames) {
        if (!ContainsText(newNames, name)) {
            removed.push_back(name);
        }
    }
}
