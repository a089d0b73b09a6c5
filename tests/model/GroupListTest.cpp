#include "GroupList.h"
#include "BWError.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TBWListLocation> Group(const std::string& name, bool enabled, const std::string& password = "pw")
{
    auto group = std::make_unique<TBWListLocation>();
    group->Name = name;
    group->Location = "/srv/share/" + name;
    group->Password = password;
    group->Enabled = enabled;
    return group;
}

TEST(GroupList, SaveAndLoadPlainText)
{
    TempFolder folder;
    TBWGroupList groups;
    groups.push_back(Group("Sales", true, "abc"));
    groups.push_back(Group("Dev", false));
    EXPECT_TRUE(SaveGroupList(groups, folder / "glist.dat"));
    const std::string text = ReadBytes(folder / "glist.dat");
    const std::string expected = "1\r\n2\r\nSales\r\n/srv/share/Sales\r\nfed\r\n0\r\n1222222222\r\n\r\n\r\nDev\r\n";
    EXPECT_EQ(text.substr(0, expected.size()), expected);

    TBWGroupList loaded;
    loaded.push_back(Group("Existing", false));
    ASSERT_TRUE(LoadGroupList(loaded, folder / "glist.dat"));
    ASSERT_EQ(loaded.size(), 3U); // the list is not cleared first
    EXPECT_EQ(loaded[1]->Password, "abc");
    EXPECT_FALSE(loaded[2]->Enabled);
    EXPECT_EQ(FindGroup(loaded, "sALES"), 1);
    EXPECT_EQ(FindGroup(loaded, "Ops"), -1);

    EXPECT_FALSE(LoadGroupList(loaded, folder / "none.dat"));
    EXPECT_EQ(loaded.size(), 3U);
}

TEST(GroupList, ShortOrBrokenFiles)
{
    TempFolder folder;
    TBWGroupList groups;
    const auto errorOf = [&](const std::string& text) -> std::string {
        WriteBytes(folder / "g.dat", text);
        try {
            (void)LoadGroupList(groups, folder / "g.dat");
        } catch (const EBWError& error) {
            return error.what();
        }
        return "no error";
    };
    EXPECT_EQ(errorOf(""), "List index out of bounds (1)");
    EXPECT_EQ(errorOf("1\r\n"), "List index out of bounds (1)");
    EXPECT_EQ(errorOf("1\r\nmany\r\n"), "no error");
    EXPECT_EQ(errorOf("1\r\n1\r\nSales\r\nloc\r\n"), "List index out of bounds (4)");
    EXPECT_EQ(errorOf("1\r\n1\r\nSales\r\nloc\r\npw\r\nftp\r\n1\r\nu\r\np\r\n"), "'ftp' is not a valid integer value");
    EXPECT_TRUE(groups.empty());
}

TEST(GroupList, PerGroupListsForEnabledGroupsOnly)
{
    TempFolder folder;
    TBWGroupList groups;
    groups.push_back(Group("sales", true, "s"));
    groups.push_back(Group("Dev", false));
    groups.push_back(Group("Admin", true, "a"));

    TBWItemList salesItems;
    salesItems.push_back(std::make_unique<TBWItem>());
    salesItems.back()->Id = 77;
    SaveItemList(salesItems, folder / "sales", "s");

    TBWGroupItemLists lists;
    LoadGroupItemLists(lists, groups, folder.Path());
    ASSERT_EQ(lists.Count(), 2U);
    EXPECT_EQ(lists.At(0).Name, "Admin"); // sorted by name, letter case ignored
    EXPECT_EQ(lists.At(1).Name, "sales");
    EXPECT_TRUE(lists.At(0).Items->empty()); // no file: an empty list
    ASSERT_EQ(lists.Find("SALES")->size(), 1U);
    EXPECT_EQ(lists.Find("Dev"), nullptr);

    lists.Find("Admin")->push_back(std::make_unique<TBWItem>());
    SaveGroupItemLists(lists, groups, folder.Path());
    EXPECT_TRUE(std::filesystem::exists(folder / "Admin"));
    EXPECT_FALSE(std::filesystem::exists(folder / "Dev")); // disabled groups are not written

    groups[1]->Enabled = true; // an enabled group without a list is a fault, not a silent skip
    EXPECT_THROW(SaveGroupItemLists(lists, groups, folder.Path()), EBWError);
}

TEST(GroupList, GroupNamesNeverLeaveTheFolder)
{
    EXPECT_TRUE(IsUsableGroupName("Sales team"));
    for (const std::string& name : TStringList{"", ".", "..", "../x", "a/b", "a\\b", std::string("a\0b", 3)}) {
        EXPECT_FALSE(IsUsableGroupName(name)) << name;
        EXPECT_THROW((void)GroupFilePath("/tmp/x", name), EBWError) << name;
    }
    TBWGroupList groups;
    groups.push_back(Group("../escape", true));
    TBWGroupItemLists lists;
    EXPECT_THROW(LoadGroupItemLists(lists, groups, "/tmp/x"), EBWError);
}

TEST(GroupList, RecipientListComparisons)
{
    const TStringList newNames{"Sales", "Dev"};
    const TStringList oldNames{"dev", "Support"};
    TStringList added{"x"};
    TStringList kept;
    TStringList removed;
    CompareStringLists(newNames, oldNames, added, kept, removed);
    EXPECT_EQ(added, TStringList{"Sales"});
    EXPECT_EQ(kept, TStringList{"Dev"});
    EXPECT_EQ(removed, TStringList{"Support"});
    TStringList all;
    UnionStrings(oldNames, newNames, all);
    EXPECT_EQ(all, (TStringList{"dev", "Support", "Sales"}));
}

} // namespace
