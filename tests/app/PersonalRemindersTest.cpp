// The owner of the user's reminders, without a window: what each change saves, tells and sorts.
#include "PersonalReminders.h"
#include "TestMessages.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class PersonalRemindersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Out of order by due time: b, c, a.
        for (const auto& [title, due, id] :
             {std::tuple{"b", 2.0, 2}, std::tuple{"c", 3.0, 3}, std::tuple{"a", 1.0, 1}}) {
            list.push_back(MakeMessage(title, 45000.0 + due, id));
        }
        reminders.Order().SetSortColumn(MessageOrder::DueTimeColumn);
    }

    [[nodiscard]] std::string Titles() const
    {
        std::string titles;
        for (const auto& message : list) {
            titles += message->Title;
        }
        return titles;
    }

    TBWItemList list;
    int saves = 0;
    PersonalReminders reminders{list, [this] { ++saves; }};
    QSignalSpy told{&reminders, &PersonalReminders::RowsChanged};
};

TEST_F(PersonalRemindersTest, EachChangeIsSavedAndToldAndSortedOnlyWithAutosort)
{
    reminders.Add(MakeMessage("d", 45000.5, 4));
    EXPECT_EQ(Titles(), "bcad") << "appended while Autosort is off";
    reminders.SetAutoSort(true);
    TBWItem changed = *reminders.At(0);
    changed.DueTime = 45009.0;
    ASSERT_TRUE(reminders.Replace(reminders.At(0), changed));
    EXPECT_EQ(Titles(), "dacb");
    EXPECT_EQ(saves, 2);
    ASSERT_EQ(told.size(), 2);
    EXPECT_TRUE(told[0][0].toBool()) << "a row was added";
    EXPECT_FALSE(told[1][0].toBool()) << "the rows stayed as many";

    const std::unique_ptr<TBWItem> gone = reminders.Remove(reminders.At(1));
    ASSERT_NE(gone, nullptr);
    EXPECT_FALSE(reminders.Replace(gone.get(), changed)) << "a message that has left is not brought back";
    EXPECT_EQ(reminders.Remove(gone.get()), nullptr);
    EXPECT_EQ(saves, 3);
}

TEST_F(PersonalRemindersTest, RemovedMessagesComeBackAtTheRowsTheyHadWithoutASort)
{
    std::vector<PersonalReminders::Removed> removed =
        reminders.RemoveIf([](const TBWItem& message) { return message.Title != "c"; });
    ASSERT_EQ(removed.size(), 2U);
    EXPECT_EQ(removed[0].Row, 0U);
    EXPECT_EQ(removed[1].Row, 2U);
    EXPECT_EQ(Titles(), "c");
    reminders.Restore(std::move(removed));
    EXPECT_EQ(Titles(), "bca");
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(reminders.FreeId(2), 4) << "taken Ids are skipped";
}

TEST_F(PersonalRemindersTest, TheDueScanSortsOnlyAListOutOfOrderAndSavesNothing)
{
    reminders.DueScanDone();
    EXPECT_EQ(Titles(), "bca") << "Autosort is off";
    reminders.SetAutoSort(true);
    reminders.DueScanDone();
    EXPECT_EQ(Titles(), "abc");
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(told.size(), 2) << "the rows are repainted after every scan";
}

} // namespace
