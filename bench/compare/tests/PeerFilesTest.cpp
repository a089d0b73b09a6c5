// The iCalendar and remind forms of a list must carry the same reminders: texts survive escaping and
// folding, and each repeat kind becomes the rule that gives Bellwick's next occurrences.

#include "PeerFiles.h"

#include "DateTime.h"

#include <gtest/gtest.h>

#if BW_HAVE_LIBICAL
#include <libical/ical.h>
#endif

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

namespace {

std::unique_ptr<TBWItem> Message(std::int32_t id, std::uint8_t repeat, double due)
{
    auto item = std::make_unique<TBWItem>();
    item->Id = id;
    item->Title = "Title " + std::to_string(id);
    item->Author = "Anna Berg";
    item->RepeatKind = repeat;
    item->DueTime = due;
    item->ActivateAllDays();
    return item;
}

std::string Unfolded(const std::string& text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 3, "\r\n ") == 0) {
            i += 2;
            continue;
        }
        result += text[i];
    }
    return result;
}

TEST(PeerFilesTest, ICalendarLinesAreFoldedAndTextIsEscaped)
{
    TBWItemList list;
    list.push_back(Message(7, RepeatNone, EncodeDateTime(2026, 3, 5, 9, 0)));
    list[0]->Title = "Budget; rent, and a back\\slash";
    list[0]->Text = std::string(200, 'x') + "\r\nsecond line";
    list[0]->Recipients = {"Sales", "Dev"};
    const std::string text = ToICalendar(list);

    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 76u) << line; // 75 octets and the CR
        EXPECT_EQ(line.back(), '\r');
    }
    const std::string unfolded = Unfolded(text);
    EXPECT_NE(unfolded.find("SUMMARY:Budget\\; rent\\, and a back\\\\slash\r\n"), std::string::npos);
    EXPECT_NE(unfolded.find("DESCRIPTION:" + std::string(200, 'x') + "\\nsecond line\r\n"), std::string::npos);
    EXPECT_NE(unfolded.find("CATEGORIES:Sales,Dev\r\n"), std::string::npos);
    EXPECT_NE(unfolded.find("DTSTART:20260305T090000\r\n"), std::string::npos);
    EXPECT_EQ(unfolded.find("RRULE"), std::string::npos);
}

TEST(PeerFilesTest, SeriesStartsWhereBellwicksOwnStepsWouldContinue)
{
    // Taken once already: the calendar's series starts at the occurrence taken.
    auto weekly = Message(1, RepeatWeekly, EncodeDateTime(2026, 3, 9, 9, 0));
    weekly->LastDueTime = EncodeDateTime(2025, 6, 2, 9, 0);
    EXPECT_EQ(SeriesStart(*weekly), weekly->LastDueTime);

    // Monthly from the 30th: Bellwick steps 28 days once, then whole months.
    auto monthly = Message(2, RepeatMonthly, EncodeDateTime(2026, 1, 30, 9, 0));
    EXPECT_EQ(SeriesStart(*monthly), EncodeDateTime(2026, 2, 27, 9, 0));

    // Daily on weekdays, first due on a Sunday: the first active day is the Monday after.
    auto daily = Message(3, RepeatDaily, EncodeDateTime(2026, 3, 8, 9, 0));
    daily->DayFlags[6] = daily->DayFlags[7] = false;
    EXPECT_EQ(SeriesStart(*daily), EncodeDateTime(2026, 3, 9, 9, 0));

    // A one-time message is its own start, taken or not.
    auto once = Message(4, RepeatNone, EncodeDateTime(2026, 3, 8, 9, 0));
    once->LastDueTime = once->DueTime;
    EXPECT_EQ(SeriesStart(*once), once->DueTime);
}

TEST(PeerFilesTest, RemindBodiesKeepPercentBracketsAndLineBreaks)
{
    TBWItemList list;
    list.push_back(Message(9, RepeatYearly, EncodeDateTime(2025, 4, 15, 17, 25)));
    list[0]->Title = "50% [draft]";
    list[0]->Text = "a\r\nb";
    auto daily = Message(10, RepeatDaily, EncodeDateTime(2025, 4, 14, 7, 5));
    daily->DayFlags[6] = daily->DayFlags[7] = false;
    list.push_back(std::move(daily));
    EXPECT_EQ(ToRemind(list), "REM 15 Apr FROM 15 Apr 2025 AT 17:25 TAG bw9 MSG 50%% [\"[\"]draft]%_a%_b\n"
                              "REM Mon Tue Wed Thu Fri FROM 14 Apr 2025 AT 07:05 TAG bw10 MSG Title 10\n");
}

#if BW_HAVE_LIBICAL
TEST(PeerFilesTest, LibicalReadsBackTheTextsAndRules)
{
    TBWItemList list;
    list.push_back(Message(1, RepeatNone, EncodeDateTime(2026, 3, 5, 9, 0)));
    list[0]->Title = "Rent, due; pay \\ now";
    list[0]->Text = std::string(150, 'y') + "\r\nsecond";
    list.push_back(Message(2, RepeatDaily, EncodeDateTime(2026, 3, 9, 8, 0)));
    list[1]->DayFlags[2] = list[1]->DayFlags[7] = false;
    list.push_back(Message(3, RepeatYearly, EncodeDateTime(2026, 3, 9, 8, 0)));

    std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> root(icalparser_parse_string(ToICalendar(list).c_str()),
                                                                  icalcomponent_free);
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(icalcomponent_count_components(root.get(), ICAL_VEVENT_COMPONENT), 3);
    icalcomponent* event = icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT);
    EXPECT_STREQ(icalcomponent_get_summary(event), "Rent, due; pay \\ now");
    EXPECT_EQ(std::string(icalcomponent_get_description(event)), std::string(150, 'y') + "\nsecond");
    EXPECT_EQ(icalcomponent_count_components(event, ICAL_VALARM_COMPONENT), 1);

    event = icalcomponent_get_next_component(root.get(), ICAL_VEVENT_COMPONENT);
    icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    ASSERT_NE(rule, nullptr);
    icalrecurrencetype recurrence = icalproperty_get_rrule(rule);
    char* ruleText = icalrecurrencetype_as_string_r(&recurrence);
    EXPECT_STREQ(ruleText, "FREQ=DAILY;BYDAY=MO,WE,TH,FR,SA");
    std::free(ruleText);
}
#endif

} // namespace
