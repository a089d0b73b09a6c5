#pragma once

#include "Clock.h"
#include "GroupExchange.h"
#include "GroupList.h"
#include "TransferCenter.h"

#include <QString>

#include <filesystem>
#include <memory>

// One member of the shared groups: a data folder of its own, its lists, its transfer center and
// its exchange, as the program keeps them.
struct Member
{
    Member(const std::filesystem::path& dataFolder, const Clock& clock)
        : DataFolder(dataFolder), Transfers(QString::fromStdString(dataFolder.string()))
    {
        std::filesystem::create_directories(dataFolder / "BWLists");
        std::filesystem::create_directories(dataFolder / "BWELists");
        Exchange = std::make_unique<GroupExchange>(Groups, ItemLists, dataFolder, Transfers, clock);
    }

    TBWListLocation& AddGroup(const std::string& name, const std::string& location, const std::string& password,
                              bool enabled)
    {
        auto group = std::make_unique<TBWListLocation>();
        group->Name = name;
        group->Location = location;
        group->Password = password;
        group->Enabled = enabled;
        group->DetectLocationKind();
        Groups.push_back(std::move(group));
        LoadGroupItemLists(ItemLists, Groups, DataFolder / "BWELists");
        return *Groups.back();
    }

    TBWItemList& Working(const std::string& group) { return *ItemLists.Find(group); }

    std::filesystem::path DataFolder;
    TBWGroupList Groups;
    TBWGroupItemLists ItemLists;
    TransferCenter Transfers;
    std::unique_ptr<GroupExchange> Exchange;
};
