#include "CalendarExport.h"

#include "CalendarTime.h"
#include "DateTime.h"

#include <array>
#include <memory>
#include <optional>

namespace {

struct ComponentDeleter
{
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using ComponentPointer = std::unique_ptr<icalcomponent, ComponentDeleter>;

constexpr std::array<const char*, 8> RuleDays = {"", "MO", "TU", "WE", "TH", "FR", "SA", "SU"};

// A field's CR LF line breaks as the LF that iCalendar text escapes.
std::string CalendarText(const std::string& field)
{
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\r' && i + 1 < field.size() && field[i + 1] == '\n') {
            continue;
        }
        text += field[i];
    }
    return text;
}

// The rule of the reminder's repeats from its first occurrence on, or why a calendar cannot hold it.
std::optional<std::string> RuleOf(const TBWItem& reminder, std::string& rule)
{
    const bool allDays = reminder.ActiveDayCount() == 7 || reminder.ActiveDayCount() == 0;
    const CalendarDate date = DecodeDate(reminder.DueTime);
    switch (reminder.RepeatKind) {
    case RepeatNone:
        return std::nullopt;
    case RepeatDaily:
        if (allDays) {
            rule = "FREQ=DAILY";
            return std::nullopt;
        }
        rule = "FREQ=WEEKLY;BYDAY=";
        for (int day = 1; day <= 7; ++day) {
            if (reminder.IsActiveOn(day)) {
                rule += rule.back() == '=' ? "" : ",";
                rule += RuleDays.at(static_cast<std::size_t>(day));
            }
        }
        return std::nullopt;
    case RepeatWeekly:
        rule = "FREQ=WEEKLY";
        return std::nullopt;
    case RepeatMonthly:
    case RepeatYearly:
        if (!allDays) {
            return "moves to the next active weekday when it falls on an inactive one, which a calendar cannot "
                   "hold";
        }
        if (reminder.RepeatKind == RepeatMonthly && date.day > 28) {
            return "repeats monthly on the 29th to 31st and so moves to 28 days later, which a calendar cannot hold";
        }
        if (reminder.RepeatKind == RepeatYearly && date.month == 2 && date.day == 29) {
            return "repeats yearly on 29 February and so comes on 28 February in other years, which a calendar "
                   "cannot hold";
        }
        rule = reminder.RepeatKind == RepeatMonthly ? "FREQ=MONTHLY" : "FREQ=YEARLY";
        return std::nullopt;
    default:
        return "repeats in a way this version does not know";
    }
}

icalcomponent* EventOf(const TBWItem& reminder, const std::string& rule, const icaltimetype& stamp)
{
    // A daily series with weekdays and a weekly one move their occurrence to an active weekday by
    // the same days each time, so the series starts at the first occurrence that comes.
    const icaltimetype start = FloatingTime(reminder.RepeatKind == RepeatDaily || reminder.RepeatKind == RepeatNone ||
                                                    reminder.RepeatKind == RepeatWeekly
                                                ? reminder.EffectiveDueTime()
                                                : reminder.DueTime);
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    const std::string uid =
        std::to_string(reminder.Id) + "-" + std::to_string(DateTimeToUnits(reminder.DueTime)) + "@bellwick";
    icalcomponent_add_property(event, icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(event, icalproperty_new_dtstart(start));
    icalcomponent_add_property(event, icalproperty_new_summary(CalendarText(reminder.Title).c_str()));
    if (!reminder.Text.empty()) {
        icalcomponent_add_property(event, icalproperty_new_description(CalendarText(reminder.Text).c_str()));
    }
    if (!rule.empty()) {
        icalcomponent_add_property(event, icalproperty_new_rrule(icalrecurrencetype_from_string(rule.c_str())));
    }
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_null_duration();
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm, icalproperty_new_description(CalendarText(reminder.Title).c_str()));
    icalcomponent_add_component(event, alarm);
    return event;
}

std::string EntryName(const TBWItem& reminder)
{
    return "reminder \"" + reminder.Title + "\" " + CalendarTimeText(FloatingTime(reminder.DueTime));
}

} // namespace

CalendarExport WriteCalendar(const std::vector<const TBWItem*>& reminders, double now)
{
    CalendarExport result;
    const ComponentPointer calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Bellwick//Bellwick reminders//EN"));
    const icaltimetype stamp = icaltime_from_timet_with_zone(UtcFromLocal(now), 0, icaltimezone_get_utc_timezone());
    for (const TBWItem* reminder : reminders) {
        if (reminder->Kind == KindExecuteFiles) {
            result.Skipped.push_back({EntryName(*reminder), "opens programs or files, which a calendar cannot do"});
            continue;
        }
        if (reminder->DayFlags[0]) {
            result.Skipped.push_back({EntryName(*reminder), "is for its recipients only and never reminds you"});
            continue;
        }
        std::string rule;
        if (auto problem = RuleOf(*reminder, rule)) {
            result.Skipped.push_back({EntryName(*reminder), *problem});
            continue;
        }
        icalcomponent_add_component(calendar.get(), EventOf(*reminder, rule, stamp));
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    result.Text = text;
    icalmemory_free_buffer(text);
    return result;
}
