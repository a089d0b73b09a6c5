#pragma once

#include "ItemList.h"
#include "TBWListLocation.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The groups in file order; each record carries its name. Lookups by name ignore letter case.
using TBWGroupList = std::vector<std::unique_ptr<TBWListLocation>>;

// One working message list per enabled group, kept sorted by name (letter case ignored).
struct TBWGroupItems
{
    std::string Name;
    std::unique_ptr<TBWItemList> Items;
};

class TBWGroupItemLists
{
public:
    [[nodiscard]] int IndexOf(std::string_view name) const;
    [[nodiscard]] TBWItemList* Find(std::string_view name) const;
    // Inserts at the sorted place; a name already present (any case) keeps its list.
    TBWItemList& Add(const std::string& name, std::unique_ptr<TBWItemList> items);
    void Clear() { m_entries.clear(); }
    [[nodiscard]] std::size_t Count() const { return m_entries.size(); }
    [[nodiscard]] const TBWGroupItems& At(std::size_t index) const { return m_entries.at(index); }

    [[nodiscard]] auto begin() const { return m_entries.begin(); }
    [[nodiscard]] auto end() const { return m_entries.end(); }

private:
    std::vector<TBWGroupItems> m_entries;
};

[[nodiscard]] int FindGroup(const TBWGroupList& groups, std::string_view name);

// Group names become file names in the data folder. A usable one is a single, non-empty path
// component; GroupFilePath refuses any other with a clear error instead of leaving the folder.
[[nodiscard]] bool IsUsableGroupName(std::string_view name);
[[nodiscard]] std::filesystem::path GroupFilePath(const std::filesystem::path& folder, const std::string& name);

bool SaveGroupList(const TBWGroupList& groups, const std::filesystem::path& fileName);
[[nodiscard]] bool LoadGroupList(TBWGroupList& groups, const std::filesystem::path& fileName);
void LoadGroupItemLists(TBWGroupItemLists& lists, const TBWGroupList& groups, const std::filesystem::path& folder);
void SaveGroupItemLists(const TBWGroupItemLists& lists, const TBWGroupList& groups,
                        const std::filesystem::path& folder);

void UnionStrings(const TStringList& oldNames, const TStringList& newNames, TStringList& result);
void CompareStringLists(const TStringList& newNames, const TStringList& oldNames, TStringList& added, TStringList& kept,
                        TStringList& removed);
