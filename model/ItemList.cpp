#include "ItemList.h"

#include "Container.h"

#include <algorithm>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

int FindItemById(const TBWItemList& list, std::int32_t id)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i]->Id == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool IsListSorted(const TBWItemList& list, const TItemComparison& compare)
{
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (compare(*list[i - 1], *list[i]) > 0) {
            return false;
        }
    }
    return true;
}

void MergeItemList(TBWItemList& target, const TBWItemList& source, double now)
{
    // Index the source by Id (first occurrence wins) so the merge stays linear in both lists.
    std::unordered_map<std::int32_t, const TBWItem*> sourceById;
    sourceById.reserve(source.size());
    for (const auto& item : source) {
        sourceById.emplace(item->Id, item.get());
    }

    std::erase_if(target,
                  [&sourceById](const std::unique_ptr<TBWItem>& item) { return !sourceById.contains(item->Id); });
    std::unordered_set<std::int32_t> targetIds;
    targetIds.reserve(target.size() + source.size());
    for (auto& item : target) {
        const double localLastDue = item->LastDueTime;
        item->Assign(*sourceById.at(item->Id));
        item->LastDueTime = localLastDue;
        item->AdvanceDueTime(now);
        targetIds.insert(item->Id);
    }

    for (const auto& item : source) {
        if (targetIds.insert(item->Id).second) {
            auto copy = std::make_unique<TBWItem>();
            copy->Assign(*item);
            target.push_back(std::move(copy));
        }
    }
}

void ItemListToLines(const TBWItemList& list, TStringList& lines)
{
    lines.clear();
    lines.reserve(2 + list.size() * TBWItem::LineCount);
    lines.emplace_back("1");
    lines.push_back(std::to_string(list.size()));
    for (const auto& item : list) {
        item->SaveToLines(lines);
    }
}

void ItemListFromLines(TBWItemList& list, const TStringList& lines)
{
    list.clear();
    if (lines.size() < 2) {
        return;
    }
    const std::int32_t count = StrToIntDef(lines[1], 0);
    if (count > 0) {
        list.reserve(std::min<std::size_t>(static_cast<std::size_t>(count), (lines.size() - 2) / TBWItem::LineCount));
    }
    for (std::int32_t k = 0; k < count; ++k) {
        auto item = std::make_unique<TBWItem>();
        item->LoadFromLines(lines, 2 + static_cast<long long>(k) * TBWItem::LineCount);
        list.push_back(std::move(item));
    }
}

void SaveItemList(const TBWItemList& list, const std::filesystem::path& fileName, const std::string& password)
{
    TStringList lines;
    ItemListToLines(list, lines);
    SaveLinesEncrypted(lines, fileName, password);
}

int LoadItemList(TBWItemList& list, const std::filesystem::path& fileName, const std::string& password)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        return LoadNoFile;
    }
    TStringList lines;
    const bool checkFailed = LoadLinesEncrypted(lines, fileName, password);
    ItemListFromLines(list, lines);
    return checkFailed ? LoadCheckFailed : LoadOk;
}
