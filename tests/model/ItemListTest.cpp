#include "ItemList.h"
#include "BWError.h"
#include "Container.h"
#include "DateTime.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TBWItem> Message(std::int32_t id, const std::string& title = "m", double due = 0.0)
{
    auto item = std::make_unique<TBWItem>();
    item->Id = id;
    item->Title = title;
    item->DueTime = due;
    item->ActivateAllDays();
    return item;
}

std::vector<std::int32_t> Ids(const TBWItemList& list)
{
    std::vector<std::int32_t> ids;
    for (const auto& item : list) {
        ids.push_back(item->Id);
    }
    return ids;
}

TEST(ItemList, FindAndSortedness)
{
    TBWItemList list;
    list.push_back(Message(5, "b"));
    list.push_back(Message(7, "a"));
    list.push_back(Message(5, "c"));
    EXPECT_EQ(FindItemById(list, 5), 0);
    EXPECT_EQ(FindItemById(list, 7), 1);
    EXPECT_EQ(FindItemById(list, 9), -1);
    const TItemComparison byTitle = [](const TBWItem& a, const TBWItem& b) { return a.Title.compare(b.Title); };
    EXPECT_FALSE(IsListSorted(list, byTitle));
    list.erase(list.begin());
    EXPECT_TRUE(IsListSorted(list, byTitle));
    EXPECT_TRUE(IsListSorted(TBWItemList{}, byTitle));
}

TEST(ItemList, MergeFollowsTheSourceAndKeepsLocalProgress)
{
    const double now = EncodeDateTime(2026, 12, 9, 12, 0); // a Wednesday
    const double lastMonday = EncodeDateTime(2026, 12, 7, 9, 0);

    TBWItemList target;
    target.push_back(Message(1, "gone"));
    auto weekly = Message(2, "old title", lastMonday - 7);
    weekly->RepeatKind = RepeatWeekly;
    weekly->LastDueTime = lastMonday - 7;
    TBWItem* weeklyAddress = weekly.get();
    target.push_back(std::move(weekly));
    target.push_back(Message(3, "one-time", lastMonday));
    target.back()->LastDueTime = lastMonday;

    TBWItemList source;
    source.push_back(Message(4, "new", lastMonday));
    auto sourceWeekly = Message(2, "new title", lastMonday);
    sourceWeekly->RepeatKind = RepeatWeekly;
    sourceWeekly->LastDueTime = 1.0;
    source.push_back(std::move(sourceWeekly));
    source.push_back(Message(3, "one-time", lastMonday));
    source.push_back(Message(4, "duplicate id adds nothing"));

    MergeItemList(target, source, now);
    EXPECT_EQ(Ids(target), (std::vector<std::int32_t>{2, 3, 4}));
    EXPECT_EQ(target[0].get(), weeklyAddress); // kept messages stay where they were
    EXPECT_EQ(target[0]->Title, "new title");
    EXPECT_EQ(target[0]->LastDueTime, lastMonday - 7); // local progress kept
    EXPECT_EQ(target[0]->DueTime, lastMonday + 7);     // advanced past now
    EXPECT_EQ(target[2]->Title, "new");
    EXPECT_EQ(target[2]->DueTime, lastMonday); // appended ones are not advanced
    EXPECT_EQ(target[2]->LastDueTime, 0.0);

    // The one-time message stays silent, the new one fires at the next due test.
    EXPECT_FALSE(target[1]->CheckDue(now));
    EXPECT_TRUE(target[2]->CheckDue(now));

    MergeItemList(target, TBWItemList{}, now);
    EXPECT_TRUE(target.empty());
}

TEST(ItemList, MergeIsLinearOnLargeLists)
{
    // 200 000 x 200 000 would take minutes if the merge searched linearly per message.
    TBWItemList target;
    TBWItemList source;
    for (std::int32_t i = 0; i < 200000; ++i) {
        target.push_back(Message(i * 2));
        source.push_back(Message(i * 3));
    }
    MergeItemList(target, source, 1.0);
    EXPECT_EQ(target.size(), source.size());
    // Common ids (multiples of 6) keep the target's order; the source's others follow in its order.
    EXPECT_EQ(target[0]->Id, 0);
    EXPECT_EQ(target[66666]->Id, 399996);
    EXPECT_EQ(target[66667]->Id, 3);
    EXPECT_EQ(target.back()->Id, 599997);
}

TEST(ItemList, LinesLayoutAndCountRules)
{
    TBWItemList list;
    TStringList lines{"stale"};
    ItemListToLines(list, lines);
    EXPECT_EQ(lines, (TStringList{"1", "0"}));

    list.push_back(Message(11, "first"));
    list.push_back(Message(12, "second"));
    ItemListToLines(list, lines);
    ASSERT_EQ(lines.size(), 22U);
    EXPECT_EQ(lines[1], "2");
    EXPECT_EQ(lines[12], "second");

    TBWItemList back;
    ItemListFromLines(back, lines);
    EXPECT_EQ(Ids(back), (std::vector<std::int32_t>{11, 12}));

    lines[1] = "two"; // a count that is not a number reads as no messages
    ItemListFromLines(back, lines);
    EXPECT_TRUE(back.empty());
    ItemListFromLines(back, TStringList{"1"});
    EXPECT_TRUE(back.empty());

    lines[1] = "3"; // more messages promised than present
    try {
        ItemListFromLines(back, lines);
        FAIL();
    } catch (const EBWError& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (22)");
    }
    EXPECT_EQ(Ids(back), (std::vector<std::int32_t>{11, 12})); // those read before stay

    lines[1] = "2000000000"; // a huge count must not allocate for it
    EXPECT_THROW(ItemListFromLines(back, lines), EBWError);
}

TEST(ItemList, DirectTextFormMatchesTheLineList)
{
    // The file is written without a line list in between; both forms must give the same bytes.
    TBWItemList list;
    list.push_back(Message(-5, "Title with\r\nbreak and <BR>", 46363.42156));
    list.back()->Text = "a\rb\nc\r\n";
    list.back()->Author = "Ann";
    list.back()->Recipients = {"Sales", "Dev\r"};
    list.back()->DayFlags = {true, false, true, false, true, false, true, false};
    list.back()->Kind = 255;
    list.push_back(Message(2147483647, "", -1.5));
    TStringList lines;
    ItemListToLines(list, lines);
    std::string text;
    AppendItemListText(list, text);
    std::string joined;
    for (const std::string& line : lines) {
        joined += line + "\r\n";
    }
    EXPECT_EQ(text, joined);

    TempFolder folder;
    SaveItemList(list, folder / "direct.dat", "pw");
    EXPECT_EQ(ReadBytes(folder / "direct.dat"), EncryptLines(lines, "pw"));
}

TEST(ItemList, LoadResults)
{
    TempFolder folder;
    TBWItemList list;
    list.push_back(Message(1, "kept"));
    EXPECT_EQ(LoadItemList(list, folder / "missing.dat", "pw"), LoadNoFile);
    EXPECT_EQ(list.size(), 1U);

    TBWItemList saved;
    saved.push_back(Message(21, "a<br>b"));
    saved.push_back(Message(22, ""));
    SaveItemList(saved, folder / "list.dat", PersonalListPassword);
    EXPECT_EQ(LoadItemList(list, folder / "list.dat", PersonalListPassword), LoadOk);
    EXPECT_EQ(Ids(list), (std::vector<std::int32_t>{21, 22}));
    EXPECT_EQ(list[0]->Title, "a\r\nb");

    // A wrong password deciphers to noise: the check fails and nothing usable comes back.
    EXPECT_EQ(LoadItemList(list, folder / "list.dat", "another password"), LoadCheckFailed);
    EXPECT_TRUE(list.empty());
    SaveLinesEncrypted({"1", "0"}, folder / "empty.dat", "pw");
    EXPECT_EQ(LoadItemList(list, folder / "empty.dat", "pw"), LoadOk);
    EXPECT_TRUE(list.empty());
}

} // namespace
