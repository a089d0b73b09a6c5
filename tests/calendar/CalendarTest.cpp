#include "CalendarExport.h"
#include "CalendarImport.h"

#include "BWError.h"
#include "DateTime.h"
#include "FileIO.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>

namespace {

const std::filesystem::path CalendarData = std::filesystem::path(BW_TEST_DATA_DIR) / "calendar";

// "Title | YYYY-MM-DD HH:MM | repeat | weekdays": what a reminder does, to the minute.
std::string Describe(const TBWItem& reminder)
{
    constexpr std::array<const char*, 5> Repeats = {"None", "Daily", "Weekly", "Monthly", "Yearly"};
    const DayAndTime split = SplitDateTime(reminder.DueTime);
    const CalendarDate date = DecodeDate(static_cast<double>(split.Day));
    const int minutes = (split.Millisecond + 30'000) / 60'000;
    char when[24];
    std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d", date.year, date.month, date.day, minutes / 60,
                  minutes % 60);
    std::string days;
    for (int day = 1; day <= 7; ++day) {
        days += reminder.IsActiveOn(day) ? "MTWTFSS"[day - 1] : '-';
    }
    return reminder.Title + " | " + when + " | " + Repeats.at(reminder.RepeatKind) + " | " + days;
}

std::vector<std::string> Describe(const std::vector<TBWItem>& reminders)
{
    std::vector<std::string> result;
    for (const TBWItem& reminder : reminders) {
        result.push_back(Describe(reminder));
    }
    return result;
}

struct Sample
{
    const char* File;
    std::vector<std::string> Reminders;
    // Each left-out entry's name and a word of its reason.
    std::vector<std::pair<std::string, std::string>> Skipped;
};

void PrintTo(const Sample& sample, std::ostream* out)
{
    *out << sample.File;
}

class CalendarSampleTest : public ::testing::TestWithParam<Sample>
{};

// Each sample in the shape a common calendar program writes is read as the reminders it means, and
// what is written back of them reads as the same reminders.
TEST_P(CalendarSampleTest, ReadsAsRemindersAndComesBackFromExport)
{
    const Sample& sample = GetParam();
    const CalendarImport read = ReadCalendar(ReadWholeFile(CalendarData / sample.File));
    EXPECT_EQ(Describe(read.Reminders), sample.Reminders);
    ASSERT_EQ(read.Skipped.size(), sample.Skipped.size());
    for (std::size_t i = 0; i < sample.Skipped.size(); ++i) {
        EXPECT_EQ(read.Skipped[i].Entry, sample.Skipped[i].first);
        EXPECT_NE(read.Skipped[i].Reason.find(sample.Skipped[i].second), std::string::npos) << read.Skipped[i].Reason;
    }

    std::vector<const TBWItem*> reminders;
    for (const TBWItem& reminder : read.Reminders) {
        reminders.push_back(&reminder);
    }
    const CalendarExport written = WriteCalendar(reminders, EncodeDateTime(2026, 12, 8, 7, 0));
    EXPECT_TRUE(written.Skipped.empty());
    const CalendarImport back = ReadCalendar(written.Text);
    EXPECT_TRUE(back.Skipped.empty());
    EXPECT_EQ(Describe(back.Reminders), sample.Reminders);
    ASSERT_EQ(back.Reminders.size(), read.Reminders.size());
    for (std::size_t i = 0; i < back.Reminders.size(); ++i) {
        EXPECT_EQ(back.Reminders[i].Text, read.Reminders[i].Text);
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, CalendarSampleTest,
                         ::testing::Values(
                             // Zone defined in the file under a name of its own; an alarm before the start; work days.
                             Sample{"office-timezone.ics",
                                    {"Dentist | 2027-03-04 09:15 | None | MTWTFSS",
                                     "Team meeting | 2027-01-05 09:50 | Weekly | MTWTFSS",
                                     "Stand-up | 2027-01-04 09:15 | Daily | MTWTF--"},
                                    {}},
                             // An all-day birthday reminded the day before; UTC with two alarms, one from the end;
                             // an all-day event without an end, reminded from the end of its day.
                             Sample{"web-calendar.ics",
                                    {"Anna's birthday | 2027-06-11 09:00 | Yearly | MTWTFSS",
                                     "Flight to Lisbon | 2027-07-01 05:30 | None | MTWTFSS",
                                     "Flight to Lisbon | 2027-07-01 09:30 | None | MTWTFSS",
                                     "Pay the rent | 2027-02-01 08:00 | Monthly | MTWTFSS",
                                     "Office closed | 2027-04-15 18:00 | None | MTWTFSS"},
                                    {}},
                             // A fixed-moment alarm, an alarm before the due time, a floating due time.
                             Sample{"todos.ics",
                                    {"Renew passport | 2027-03-10 09:00 | None | MTWTFSS",
                                     "Water the plants | 2027-01-06 18:30 | Daily | M-W-F--",
                                     "File the tax return | 2027-05-31 12:00 | None | MTWTFSS"},
                                    {{"to-do \"Order new glasses\" 2026-11-01 10:00", "completed"},
                                     {"to-do \"Learn the cello\"", "no due date"}}},
                             Sample{"cannot-map.ics",
                                    {"Dentist follow-up | 2027-01-18 10:00 | None | MTWTFSS"},
                                    {{"event \"Evening course\" 2027-01-11 19:00", "COUNT"},
                                     {"event \"Project sync\" 2027-01-11 08:30", "UNTIL"},
                                     {"event \"Bin day\" 2027-01-12 07:00", "INTERVAL"},
                                     {"event \"Last workday\" 2027-01-29 16:00", "BYSETPOS"},
                                     {"event \"Choir\" 2027-01-11 19:00", "second Monday"},
                                     {"event \"Meter reading\" 2027-01-31 09:00", "29th"},
                                     {"event \"Yoga\" 2027-01-13 18:00", "EXDATE"},
                                     {"event \"Yoga\" 2027-01-27 19:00", "one occurrence"},
                                     {"event \"Rover check\"", "Mars/Olympus Mons"},
                                     {"event \"Call with the New York office\" 2027-01-05 11:00", "clock changes"}}}),
                         [](const ::testing::TestParamInfo<Sample>& sampleInfo) {
                             std::string name = std::filesystem::path(sampleInfo.param.File).stem().string();
                             std::erase(name, '-');
                             return name;
                         });

TEST(CalendarExportTest, LeavesOutWhatACalendarWouldFollowDifferently)
{
    TBWItem files;
    files.Title = "Back up";
    files.Kind = KindExecuteFiles;
    files.DueTime = EncodeDateTime(2027, 1, 4, 20, 0);
    TBWItem lateInMonth;
    lateInMonth.Title = "Invoice";
    lateInMonth.RepeatKind = RepeatMonthly;
    lateInMonth.DueTime = EncodeDateTime(2027, 1, 30, 9, 0);
    TBWItem workdaysOnly = lateInMonth;
    workdaysOnly.Title = "Report";
    workdaysOnly.DueTime = EncodeDateTime(2027, 1, 2, 9, 0);
    TBWItem forOthers = files;
    forOthers.Kind = KindSimpleMessage;
    forOthers.DayFlags[0] = true;
    // A weekly reminder moved off an inactive Saturday comes on Monday every week.
    TBWItem weekly = workdaysOnly;
    weekly.Title = "Review";
    weekly.RepeatKind = RepeatWeekly;
    for (TBWItem* item : {&files, &lateInMonth, &workdaysOnly, &weekly}) {
        item->ActivateAllDays();
    }
    workdaysOnly.DayFlags[6] = workdaysOnly.DayFlags[7] = false;
    weekly.DayFlags = workdaysOnly.DayFlags;

    const CalendarExport written = WriteCalendar({&files, &lateInMonth, &workdaysOnly, &forOthers, &weekly}, 46000);
    ASSERT_EQ(written.Skipped.size(), 4U);
    EXPECT_NE(written.Skipped[0].Reason.find("programs"), std::string::npos);
    EXPECT_NE(written.Skipped[1].Reason.find("29th"), std::string::npos);
    EXPECT_NE(written.Skipped[2].Reason.find("weekday"), std::string::npos);
    EXPECT_NE(written.Skipped[3].Reason.find("recipients only"), std::string::npos);
    EXPECT_EQ(written.Skipped[1].Entry, "reminder \"Invoice\" 2027-01-30 09:00");
    EXPECT_EQ(Describe(ReadCalendar(written.Text).Reminders),
              std::vector<std::string>{"Review | 2027-01-04 09:00 | Weekly | MTWTFSS"});
}

TEST(CalendarImportTest, NewRemindersGetFreeIdsAndLeaveThePastBehind)
{
    const double now = EncodeDateTime(2027, 3, 1, 12, 0);
    TBWItemList list;
    list.push_back(std::make_unique<TBWItem>());
    std::vector<TBWItem> reminders(3);
    reminders[0].DueTime = EncodeDateTime(2027, 2, 1, 9, 0); // a past one-off: not shown again
    reminders[1].DueTime = EncodeDateTime(2027, 2, 1, 9, 0); // a past daily: on to its next occurrence
    reminders[1].RepeatKind = RepeatDaily;
    reminders[2].DueTime = EncodeDateTime(2027, 4, 1, 9, 0);
    for (TBWItem& reminder : reminders) {
        reminder.ActivateAllDays();
    }
    // Same texts, same moment: the Id they come from is the same.
    TBWItem first;
    first.GenerateId(now);
    list.front()->Id = first.Id;

    const auto made = NewListReminders(reminders, list, "Ann", now);
    ASSERT_EQ(made.size(), 3U);
    EXPECT_NE(made[0]->Id, first.Id);
    EXPECT_NE(made[0]->Id, made[1]->Id);
    EXPECT_NE(made[1]->Id, made[2]->Id);
    EXPECT_NE(made[0]->Id, made[2]->Id);
    EXPECT_EQ(made[0]->Author, "Ann");
    EXPECT_EQ(made[0]->LastDueTime, made[0]->DueTime);
    EXPECT_EQ(made[1]->DueTime, EncodeDateTime(2027, 3, 2, 9, 0));
    EXPECT_EQ(made[2]->LastDueTime, 0.0);
    EXPECT_FALSE(made[0]->CheckDue(now + 1));
}

TEST(CalendarImportTest, TextWithoutACalendarIsAnError)
{
    EXPECT_THROW((void)ReadCalendar(""), EBWError);
    EXPECT_THROW((void)ReadCalendar("1\r\n0\r\n"), EBWError);
    EXPECT_THROW((void)ReadCalendar("BEGIN:VEVENT\r\nSUMMARY:x\r\nEND:VEVENT\r\n"), EBWError);
}

} // namespace
