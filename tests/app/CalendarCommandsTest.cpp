// File > Import... and File > Export... on a real main window: the personal list, its file, and the
// summary box that names what was left out.
#include "MainWindowFixture.h"

#include "CalendarCommands.h"
#include "CalendarImport.h"
#include "FileIO.h"
#include "ItemList.h"

#include <QAction>
#include <QMessageBox>

#include <set>

class CalendarCommandsTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        StartAs(Text("Ann"));
        ShowForm();
        form->findChild<CalendarCommands*>(Text("calendarCommands"))->SetFileChooser([this](QWidget*, bool save) {
            return save ? exportName : importName;
        });
    }

    [[nodiscard]] QMessageBox* Summary() const { return form->findChild<QMessageBox*>(Text("calendarSummaryBox")); }

    QString importName = Text(BW_TEST_DATA_DIR "/calendar/todos.ics");
    QString exportName = home.filePath(Text("out.ics"));
};

TEST_F(CalendarCommandsTest, ImportAddsSavedPersonalRemindersAndNamesWhatWasLeftOut)
{
    // What the file maps to depends on this computer's time zone; the library's tests pin that.
    const CalendarImport expected = ReadCalendar(ReadWholeFile(importName.toStdString()));
    ASSERT_FALSE(expected.Reminders.empty());
    ASSERT_FALSE(expected.Skipped.empty());
    form->Menu().importAction->trigger();

    std::multiset<std::string> titles;
    for (const TBWItem& reminder : expected.Reminders) {
        titles.insert(reminder.Title);
    }
    const std::vector<std::string> added = Titles();
    EXPECT_EQ(std::multiset<std::string>(added.begin(), added.end()), titles);
    EXPECT_EQ(lists.PersonalList.front()->Author, "Ann");
    EXPECT_EQ(ListView()->model()->rowCount(), static_cast<int>(titles.size()));
    TBWItemList saved;
    ASSERT_EQ(LoadItemList(saved, dataFolder / "bwlist.dat", PersonalListPassword), LoadOk);
    EXPECT_EQ(saved.size(), titles.size());

    const QMessageBox* box = Summary();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->text().contains(Text("todos.ics"))) << box->text().toStdString();
    for (const CalendarSkip& skip : expected.Skipped) {
        const QString line = QString::fromStdString(skip.Entry + ": " + skip.Reason);
        EXPECT_TRUE(box->informativeText().contains(line)) << box->informativeText().toStdString();
    }
}

TEST_F(CalendarCommandsTest, ExportWritesThePersonalListAsACalendarThatReadsBack)
{
    form->Menu().importAction->trigger();
    form->Menu().exportAction->trigger();
    const CalendarImport back = ReadCalendar(ReadWholeFile(exportName.toStdString()));
    EXPECT_TRUE(back.Skipped.empty());
    ASSERT_EQ(back.Reminders.size(), lists.PersonalList.size());
    for (std::size_t i = 0; i < back.Reminders.size(); ++i) {
        EXPECT_EQ(back.Reminders[i].Title, lists.PersonalList[i]->Title);
        EXPECT_EQ(DateTimeToUnits(back.Reminders[i].DueTime), DateTimeToUnits(lists.PersonalList[i]->DueTime));
        EXPECT_EQ(back.Reminders[i].RepeatKind, lists.PersonalList[i]->RepeatKind);
        EXPECT_EQ(back.Reminders[i].DayFlags, lists.PersonalList[i]->DayFlags);
    }
}

TEST_F(CalendarCommandsTest, AFileThatIsNoCalendarIsAnErrorAndChangesNothing)
{
    importName = home.filePath(Text("notes.txt"));
    QFile notes(importName);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("shopping: milk, bread\n");
    notes.close();
    form->Menu().importAction->trigger();
    EXPECT_TRUE(lists.PersonalList.empty());
    ASSERT_EQ(dialogs.errors.size(), 1U);
    EXPECT_TRUE(dialogs.errors.front().contains(Text("not an iCalendar file")));
    EXPECT_EQ(Summary(), nullptr);
}
