#pragma once

#include "BWError.h"
#include "GroupList.h"
#include "ItemList.h"

#include <string>

// Two recognisable versions of every file, so a reader can tell which one it found.
inline constexpr int SampleA = 40;
inline constexpr int SampleB = 75;

inline TBWItemList SampleList(int count)
{
    TBWItemList list;
    for (int i = 0; i < count; ++i) {
        auto item = std::make_unique<TBWItem>();
        item->Id = 1000 * count + i;
        item->Title = "Message " + std::to_string(i) + " of version " + std::to_string(count);
        item->Text = std::string(static_cast<std::size_t>(200 + i * 7), 'x');
        item->Author = "Ann";
        item->DueTime = 46363.5 + i;
        item->ActivateAllDays();
        list.push_back(std::move(item));
    }
    return list;
}

inline TBWGroupList SampleGroups(int count)
{
    TBWGroupList groups;
    for (int i = 0; i < count; ++i) {
        auto group = std::make_unique<TBWListLocation>();
        group->Name = "Group " + std::to_string(i) + " of " + std::to_string(count);
        group->Location = "ftp://files.example/" + std::to_string(i);
        group->Password = "secret";
        groups.push_back(std::move(group));
    }
    return groups;
}

inline std::string SampleLogLine(int round)
{
    return "12/8/26 10:00:03 AM || 12/8/26 10:00:00 AM || Simple message || Ann || Round " + std::to_string(round);
}
