#include "ItemList.h"
#include "BWError.h"
#include "Container.h"
#include "DateTime.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

TEST(ItemList, TextLayoutAndCountRules)
{
    TBWItemList list;
    std::string text = "kept ";
    AppendItemListText(list, text);
    EXPECT_EQ(text, "kept 1\r\n0\r\n");

    list.push_back(Message(11, "first"));
    list.push_back(Message(12, "second"));
    text.clear();
    AppendItemListText(list, text);
    TStringList lines;
    SplitLines(text, lines);
    ASSERT_EQ(lines.size(), 22U);
    EXPECT_EQ(ItemListLineCount(list), 22U);
    EXPECT_EQ(lines[1], "2");
    EXPECT_EQ(lines[12], "second");

    TBWItemList back;
    EXPECT_EQ(ItemListFromText(back, text), 22U);
    EXPECT_EQ(Ids(back), (std::vector<std::int32_t>{11, 12}));

    const auto withCount = [&text](const std::string& count) {
        std::string changed = text;
        return changed.replace(3, 1, count);
    };
    ItemListFromText(back, withCount("two")); // a count that is not a number reads as no messages
    EXPECT_TRUE(back.empty());
    ItemListFromText(back, "1");
    EXPECT_TRUE(back.empty());
    EXPECT_THROW(ItemListFromText(back, withCount("2000000000")), EBWError); // must not allocate for it
}

TEST(ItemList, StreamedSaveMatchesTheSealedText)
{
    // The file is written piece by piece; it must hold the bytes of the whole text sealed at once.
    TBWItemList list;
    list.push_back(Message(-5, "Title with\r\nbreak and <BR>", 46363.42156));
    list.back()->Text = "a\rb\nc\r\n";
    list.back()->Author = "Ann";
    list.back()->Recipients = {"Sales", "Dev\r"};
    list.back()->DayFlags = {true, false, true, false, true, false, true, false};
    list.back()->Kind = 255;
    list.push_back(Message(2147483647, "", -1.5));
    std::string bytes(ContainerHeaderSize, '\0');
    AppendItemListText(list, bytes);
    const std::string start = "1\r\n2\r\nTitle with<br>break and <BR>\r\na\rb\nc<br>\r\nAnn\r\nSales<br>Dev\r<br>\r\n";
    EXPECT_EQ(bytes.substr(ContainerHeaderSize, start.size()), start);
    SealContainer(bytes, ItemListLineCount(list), "pw");

    TempFolder folder;
    SaveItemList(list, folder / "direct.dat", "pw");
    EXPECT_EQ(ReadBytes(folder / "direct.dat"), bytes);
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

// Texts only a damaged or hand-made file holds: lone CR and lone LF end lines, "<br>" comes in any
// letter case, and lines after the records count for the container's check.
TEST(ItemList, TextReaderTakesLinesAsTheyCome)
{
    TBWItemList list;
    list.push_back(Message(99, "left over"));
    EXPECT_EQ(ItemListFromText(list, ""), 0U);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(ItemListFromText(list, "1\r\n"), 1U);

    const std::string record =
        "T<bR>x\r\n\r\nAnn\r\nSales<BR>Dev<br><br>x<br\r\n1\r\n-2\r\n256\r\n-7\r\n3\r\n0000000022";
    EXPECT_EQ(ItemListFromText(list, "1\n1\r" + record + "\r\nextra\r\n\r\n"), 14U);
    ASSERT_EQ(list.size(), 1U);
    const TBWItem& item = *list[0];
    EXPECT_EQ(item.Title, "T\r\nx");
    EXPECT_EQ(item.Recipients, (TStringList{"Sales", "Dev", "", "x<br"}));
    EXPECT_EQ(item.DueTime, UnitsToDateTime(1));
    EXPECT_EQ(item.Kind, 0); // the low byte of 256
    EXPECT_EQ(item.Id, -7);
    EXPECT_EQ(item.ActiveDayCount(), 7); // no active day reads as every day

    // A recipients line of a single break holds one empty name.
    EXPECT_EQ(ItemListFromText(list, "1\r\n1\r\nu\r\n\r\n\r\n<br>\r\n0\r\n0\r\n0\r\n2\r\n0\r\n1222222222\r\n"), 12U);
    EXPECT_EQ(list[0]->Recipients, TStringList{""});
    EXPECT_TRUE(list[0]->DayFlags[0]);
}

TEST(ItemList, TextReaderRefillsRecordsAndKeepsOnlyThoseReadBeforeAFailure)
{
    TBWItemList saved;
    for (std::int32_t id = 1; id <= 3; ++id) {
        saved.push_back(Message(id, "message " + std::to_string(id)));
    }
    saved[1]->Recipients = {"Sales", "Dev", "Ops"};
    std::string text;
    AppendItemListText(saved, text);

    // A list that held more records than the file: refilled records carry only the file's fields.
    TBWItemList list;
    for (std::int32_t id = 10; id < 15; ++id) {
        list.push_back(Message(id, std::string(100, 'x')));
        list.back()->Recipients = {"Old", "Names", "Here", "More"};
    }
    ItemListFromText(list, text);
    ASSERT_EQ(Ids(list), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(list[0]->Title, "message 1");
    EXPECT_TRUE(list[0]->Recipients.empty());
    EXPECT_EQ(list[1]->Recipients, (TStringList{"Sales", "Dev", "Ops"}));

    // The count promises a fourth message: the error names the first missing line, and the three
    // read before stay.
    text.replace(text.find("\r\n3\r\n"), 5, "\r\n4\r\n");
    try {
        ItemListFromText(list, text);
        FAIL();
    } catch (const EBWError& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (32)");
    }
    EXPECT_EQ(Ids(list), (std::vector<std::int32_t>{1, 2, 3}));

    // A bad number inside the second record: only the first is kept.
    text = "1\r\n2\r\n";
    saved[0]->AppendLines(text);
    text += "t\r\n\r\n\r\n\r\nsoon\r\n";
    try {
        ItemListFromText(list, text);
        FAIL();
    } catch (const EBWError& error) {
        EXPECT_STREQ(error.what(), "'soon' is not a valid integer value");
    }
    EXPECT_EQ(Ids(list), (std::vector<std::int32_t>{1}));
}

TEST(ItemList, LoadTellsMissingFilesAndFoldersFromUnreadableOnes)
{
    TempFolder folder;
    TBWItemList list;
    list.push_back(Message(1, "kept"));
    std::filesystem::create_directory(folder / "folder.dat");
    EXPECT_EQ(LoadItemList(list, folder / "folder.dat", "pw"), LoadNoFile);
    EXPECT_EQ(LoadItemList(list, folder / "missing" / "list.dat", "pw"), LoadNoFile);
    EXPECT_EQ(Ids(list), (std::vector<std::int32_t>{1}));

    // A file shorter than its header is a read error, not a missing file.
    std::ofstream(folder / "short.dat") << "ab";
    EXPECT_THROW((void)LoadItemList(list, folder / "short.dat", "pw"), EBWError);
    EXPECT_EQ(Ids(list), (std::vector<std::int32_t>{1}));
}

} // namespace
