#include "SavedListStamp.h"
#include "BWError.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

TBWItemList TwoMessages()
{
    TBWItemList list;
    for (std::int32_t id : {11, 22}) {
        auto item = std::make_unique<TBWItem>();
        item->Id = id;
        item->Title = "Message " + std::to_string(id);
        item->Text = "Line one\r\nline two";
        item->DueTime = 46363.375 + id;
        item->ActivateAllDays();
        list.push_back(std::move(item));
    }
    return list;
}

TEST(SavedListStamp, WritesOnlyWhatChangedAndNeverTrustsAFileTouchedSince)
{
    TempFolder folder;
    const auto file = folder / "Sales";
    const auto reference = folder / "reference";
    TBWItemList list = TwoMessages();
    TSavedListStamp stamp;

    ASSERT_TRUE(SaveItemListIfChanged(list, file, "pw", stamp));
    SaveItemList(list, reference, "pw");
    EXPECT_EQ(ReadBytes(file), ReadBytes(reference)); // the same bytes as a plain save
    const ino_t first = InodeOf(file);
    EXPECT_FALSE(SaveItemListIfChanged(list, file, "pw", stamp));
    EXPECT_EQ(InodeOf(file), first);

    // Delivery progress alone is a change that must reach the disk.
    list[1]->LastDueTime = list[1]->DueTime;
    ASSERT_TRUE(SaveItemListIfChanged(list, file, "pw", stamp));
    TBWItemList loaded;
    ASSERT_EQ(LoadItemList(loaded, file, "pw"), LoadOk);
    EXPECT_EQ(loaded[1]->LastDueTime, list[1]->DueTime);

    // The same text under a new password is sealed again.
    ASSERT_TRUE(SaveItemListIfChanged(list, file, "new pw", stamp));
    EXPECT_EQ(LoadItemList(loaded, file, "new pw"), LoadOk);
    EXPECT_FALSE(SaveItemListIfChanged(list, file, "new pw", stamp));

    // Removed, or replaced by anyone else (even with a copy of itself): written again.
    std::filesystem::remove(file);
    EXPECT_TRUE(SaveItemListIfChanged(list, file, "new pw", stamp));
    const std::string saved = ReadBytes(file);
    WriteBytes(file, "damaged");
    EXPECT_TRUE(SaveItemListIfChanged(list, file, "new pw", stamp));
    EXPECT_EQ(ReadBytes(file), saved);
    std::filesystem::copy_file(file, reference, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::rename(reference, file);
    EXPECT_TRUE(SaveItemListIfChanged(list, file, "new pw", stamp));

    // A failed save leaves the stamp as it was, so the next attempt writes.
    const auto elsewhere = folder / "gone" / "Sales";
    TSavedListStamp other;
    EXPECT_THROW(SaveItemListIfChanged(list, elsewhere, "pw", other), EBWError);
    std::filesystem::create_directories(elsewhere.parent_path());
    EXPECT_TRUE(SaveItemListIfChanged(list, elsewhere, "pw", other));
}

} // namespace
