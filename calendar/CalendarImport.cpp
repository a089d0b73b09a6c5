#include "CalendarImport.h"

#include "BWError.h"
#include "CalendarTime.h"
#include "DateTime.h"
#include "TextUtil.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <set>

namespace {

struct ComponentDeleter
{
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using ComponentPointer = std::unique_ptr<icalcomponent, ComponentDeleter>;

// An alarm that repeats more often than this is not a reminder a person set.
constexpr int MostAlarmRepeats = 100;

// How a calendar's rule repeats, as a reminder holds it.
struct Repeat
{
    std::uint8_t Kind = RepeatNone;
    std::array<bool, 8> Days{}; // [1..7] Monday..Sunday; for a daily series with weekdays
};

std::vector<int> RuleValues(const short* values, std::size_t size)
{
    std::vector<int> result;
    for (std::size_t i = 0; i < size && values[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
        result.push_back(values[i]);
    }
    return result;
}

int IsoWeekday(int icalWeekday)
{
    return icalWeekday == ICAL_SUNDAY_WEEKDAY ? 7 : icalWeekday - 1;
}

// One event or to-do on its way to reminders: the first reason it cannot become them ends the way.
class EntryReader
{
public:
    EntryReader(icalcomponent* entry, icalcomponent* calendar) : m_entry(entry), m_calendar(calendar) {}

    // The entry as the user knows it: kind, title and when.
    std::string Name() const
    {
        const char* summary = icalcomponent_get_summary(m_entry);
        std::string name = IsTodo() ? "to-do \"" : "event \"";
        name += summary != nullptr ? summary : "";
        name += '"';
        if (m_anchor) {
            name += ' ' + CalendarTimeText(*m_anchor);
        }
        return name;
    }

    std::optional<std::string> Read(std::vector<TBWItem>& reminders)
    {
        if (auto problem = ReadAnchor()) {
            return problem;
        }
        if (auto problem = CheckState()) {
            return problem;
        }
        if (auto problem = ReadRepeat()) {
            return problem;
        }
        std::vector<double> moments;
        if (auto problem = ReadAlarms(moments)) {
            return problem;
        }
        const double anchorDate = EncodeDate(m_anchor->year, m_anchor->month, m_anchor->day);
        std::vector<TBWItem> made;
        for (const double moment : moments) {
            TBWItem& reminder = made.emplace_back();
            if (auto problem = Place(reminder, moment, anchorDate)) {
                return problem;
            }
        }
        reminders.insert(reminders.end(), made.begin(), made.end());
        return std::nullopt;
    }

private:
    bool IsTodo() const { return icalcomponent_isa(m_entry) == ICAL_VTODO_COMPONENT; }

    // The time of a date-time property in its zone: the file's own time zone definitions first,
    // then the ones libical knows by name.
    std::optional<icaltimetype> TimeOf(icalproperty_kind kind, std::string& problem) const
    {
        icalproperty* property = icalcomponent_get_first_property(m_entry, kind);
        if (property == nullptr) {
            return std::nullopt;
        }
        icaltimetype time = icalvalue_get_datetime(icalproperty_get_value(property));
        if (icaltime_is_null_time(time) != 0 || icaltime_is_valid_time(time) == 0) {
            problem = "has a date it cannot read";
            return std::nullopt;
        }
        icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
        if (tzid != nullptr && icaltime_is_utc(time) == 0 && time.is_date == 0) {
            const char* name = icalparameter_get_tzid(tzid);
            const icaltimezone* zone = icalcomponent_get_timezone(m_calendar, name);
            if (zone == nullptr) {
                zone = icaltimezone_get_builtin_timezone(name);
            }
            if (zone == nullptr) {
                zone = icaltimezone_get_builtin_timezone_from_tzid(name);
            }
            if (zone == nullptr) {
                problem = std::string("uses the time zone \"") + name + "\", which the file does not define";
                return std::nullopt;
            }
            time.zone = zone;
        }
        return time;
    }

    std::optional<std::string> ReadAnchor()
    {
        std::string problem;
        m_start = TimeOf(ICAL_DTSTART_PROPERTY, problem);
        if (IsTodo()) {
            m_due = TimeOf(ICAL_DUE_PROPERTY, problem);
        } else {
            m_end = TimeOf(ICAL_DTEND_PROPERTY, problem);
        }
        if (!problem.empty()) {
            return problem;
        }
        m_anchor = IsTodo() && m_due ? m_due : m_start;
        if (!m_anchor) {
            return IsTodo() ? "has no due date or start" : "has no start";
        }
        if (!IsTodo() && !m_end && m_start) {
            if (icalproperty* duration = icalcomponent_get_first_property(m_entry, ICAL_DURATION_PROPERTY)) {
                m_end = icaltime_add(*m_start, icalproperty_get_duration(duration));
                m_end->zone = m_start->zone;
            } else if (m_start->is_date != 0) {
                // An all-day event without an end lasts its day.
                icaldurationtype day = icaldurationtype_null_duration();
                day.days = 1;
                m_end = icaltime_add(*m_start, day);
            }
        }
        return std::nullopt;
    }

    std::optional<std::string> CheckState() const
    {
        const icalproperty_status status = icalcomponent_get_status(m_entry);
        if (status == ICAL_STATUS_CANCELLED) {
            return "is cancelled";
        }
        if (status == ICAL_STATUS_COMPLETED || icalcomponent_get_first_property(m_entry, ICAL_COMPLETED_PROPERTY)) {
            return "is completed";
        }
        if (icalcomponent_get_first_property(m_entry, ICAL_RECURRENCEID_PROPERTY) != nullptr) {
            return "changes one occurrence of a repeating entry, which a reminder cannot hold";
        }
        for (const icalproperty_kind kind : {ICAL_RDATE_PROPERTY, ICAL_EXDATE_PROPERTY, ICAL_EXRULE_PROPERTY}) {
            if (icalcomponent_get_first_property(m_entry, kind) != nullptr) {
                return "has dates added to or left out of its repeats (RDATE, EXDATE), which a reminder cannot hold";
            }
        }
        return std::nullopt;
    }

    std::optional<std::string> ReadRepeat()
    {
        icalproperty* property = icalcomponent_get_first_property(m_entry, ICAL_RRULE_PROPERTY);
        if (property == nullptr) {
            return std::nullopt;
        }
        if (icalcomponent_get_next_property(m_entry, ICAL_RRULE_PROPERTY) != nullptr) {
            return "repeats by more than one rule";
        }
        const icalrecurrencetype rule = icalproperty_get_rrule(property);
        if (auto problem = CheckRuleBounds(rule)) {
            return problem;
        }
        const int anchorWeekday = DayOfTheWeek(EncodeDate(m_anchor->year, m_anchor->month, m_anchor->day));
        const std::vector<int> days = RuleValues(rule.by_day, ICAL_BY_DAY_SIZE);
        const std::vector<int> monthDays = RuleValues(rule.by_month_day, ICAL_BY_MONTHDAY_SIZE);
        const std::vector<int> months = RuleValues(rule.by_month, ICAL_BY_MONTH_SIZE);
        for (const int day : days) {
            if (icalrecurrencetype_day_position(day) != 0) {
                return "repeats on a numbered weekday of the month or year (such as the second Monday), which a "
                       "reminder cannot hold";
            }
        }
        const bool onAnchorDayOnly =
            days.empty() ||
            (days.size() == 1 &&
             IsoWeekday(icalrecurrencetype_day_day_of_week(static_cast<short>(days[0]))) == anchorWeekday);
        switch (rule.freq) {
        case ICAL_DAILY_RECURRENCE:
        case ICAL_WEEKLY_RECURRENCE:
            if (!monthDays.empty() || !months.empty()) {
                return "limits its repeats to some days or months (BYMONTHDAY, BYMONTH), which a reminder cannot hold";
            }
            if (rule.freq == ICAL_WEEKLY_RECURRENCE && onAnchorDayOnly) {
                m_repeat.Kind = RepeatWeekly;
                return std::nullopt;
            }
            m_repeat.Kind = RepeatDaily;
            for (const int day : days) {
                m_repeat.Days.at(static_cast<std::size_t>(
                    IsoWeekday(icalrecurrencetype_day_day_of_week(static_cast<short>(day))))) = true;
            }
            if (days.empty()) {
                std::fill(m_repeat.Days.begin() + 1, m_repeat.Days.end(), true);
            }
            if (!m_repeat.Days.at(static_cast<std::size_t>(anchorWeekday))) {
                return "starts on a weekday its repeats leave out";
            }
            return std::nullopt;
        case ICAL_MONTHLY_RECURRENCE:
        case ICAL_YEARLY_RECURRENCE: {
            const bool monthly = rule.freq == ICAL_MONTHLY_RECURRENCE;
            if (!days.empty() || monthDays.size() > 1 || (monthly && !months.empty()) || months.size() > 1 ||
                (monthDays.size() == 1 && monthDays[0] != m_anchor->day) ||
                (months.size() == 1 && months[0] != m_anchor->month)) {
                return "repeats on other days than the one it starts on (BYDAY, BYMONTHDAY, BYMONTH), which a "
                       "reminder cannot hold";
            }
            if (monthly && m_anchor->day > 28) {
                return "repeats monthly on the 29th, 30th or 31st, which not every month has; a reminder would "
                       "move to 28 days later instead";
            }
            if (!monthly && m_anchor->month == 2 && m_anchor->day == 29) {
                return "repeats yearly on 29 February; a reminder would come on 28 February in other years";
            }
            m_repeat.Kind = monthly ? RepeatMonthly : RepeatYearly;
            return std::nullopt;
        }
        default:
            return "repeats more often than daily, which a reminder cannot hold";
        }
    }

    static std::optional<std::string> CheckRuleBounds(const icalrecurrencetype& rule)
    {
        if (rule.freq == ICAL_NO_RECURRENCE) {
            return "has a repeat rule that cannot be read";
        }
        if (rule.count > 0) {
            return "repeats " + std::to_string(rule.count) +
                   " times only (COUNT); a reminder repeats until it is deleted";
        }
        if (icaltime_is_null_time(rule.until) == 0) {
            return "repeats until " + CalendarTimeText(rule.until) +
                   " only (UNTIL); a reminder repeats until it is deleted";
        }
        if (rule.interval > 1) {
            return "repeats every " + std::to_string(rule.interval) +
                   " periods (INTERVAL), which a reminder cannot hold";
        }
        if (rule.by_second[0] != ICAL_RECURRENCE_ARRAY_MAX || rule.by_minute[0] != ICAL_RECURRENCE_ARRAY_MAX ||
            rule.by_hour[0] != ICAL_RECURRENCE_ARRAY_MAX || rule.by_year_day[0] != ICAL_RECURRENCE_ARRAY_MAX ||
            rule.by_week_no[0] != ICAL_RECURRENCE_ARRAY_MAX || rule.by_set_pos[0] != ICAL_RECURRENCE_ARRAY_MAX) {
            return "repeats by times, year days, week numbers or positions (BYHOUR, BYYEARDAY, BYWEEKNO, "
                   "BYSETPOS), which a reminder cannot hold";
        }
        return std::nullopt;
    }

    // The time an alarm's duration counts from: its entry's start or end (RELATED=END), a date
    // counting from its midnight.
    std::optional<icaltimetype> AlarmBase(icalproperty* trigger) const
    {
        icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
        const bool fromEnd = related != nullptr && icalparameter_get_related(related) == ICAL_RELATED_END;
        std::optional<icaltimetype> base = fromEnd ? (IsTodo() ? m_due : m_end) : (m_start ? m_start : m_due);
        if (base && base->is_date != 0) {
            base->is_date = 0;
            base->hour = base->minute = base->second = 0;
            base->zone = nullptr;
        }
        return base;
    }

    std::optional<std::string> ReadAlarms(std::vector<double>& moments) const
    {
        std::set<double> unique;
        for (icalcomponent* alarm = icalcomponent_get_first_component(m_entry, ICAL_VALARM_COMPONENT); alarm != nullptr;
             alarm = icalcomponent_get_next_component(m_entry, ICAL_VALARM_COMPONENT)) {
            icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
            if (trigger == nullptr) {
                return "has an alarm without a moment (TRIGGER)";
            }
            const icaltriggertype when = icalproperty_get_trigger(trigger);
            double moment = 0;
            if (icaltime_is_null_time(when.time) == 0) {
                if (m_repeat.Kind != RepeatNone) {
                    return "repeats but has an alarm at one fixed moment, which a reminder cannot hold";
                }
                moment = LocalDateTime(when.time);
            } else {
                std::optional<icaltimetype> base = AlarmBase(trigger);
                if (!base) {
                    return "has an alarm counted from an end it does not have";
                }
                icaltimetype at = icaltime_add(*base, when.duration);
                at.zone = base->zone;
                moment = LocalDateTime(at);
            }
            unique.insert(moment);
            if (auto problem = AddAlarmRepeats(alarm, moment, unique)) {
                return problem;
            }
        }
        if (unique.empty()) {
            unique.insert(LocalDateTime(*m_anchor));
        }
        moments.assign(unique.begin(), unique.end());
        return std::nullopt;
    }

    // An alarm that sounds again (REPEAT times, DURATION apart) makes a reminder for each time.
    static std::optional<std::string> AddAlarmRepeats(icalcomponent* alarm, double moment, std::set<double>& moments)
    {
        icalproperty* repeat = icalcomponent_get_first_property(alarm, ICAL_REPEAT_PROPERTY);
        icalproperty* gap = icalcomponent_get_first_property(alarm, ICAL_DURATION_PROPERTY);
        if (repeat == nullptr || gap == nullptr) {
            return std::nullopt;
        }
        const int times = icalproperty_get_repeat(repeat);
        const int seconds = icaldurationtype_as_int(icalproperty_get_duration(gap));
        if (times > MostAlarmRepeats || seconds <= 0) {
            return "has an alarm that repeats " + std::to_string(times) + " times";
        }
        for (int i = 1; i <= times; ++i) {
            moments.insert(moment + i * (seconds / 86400.0));
        }
        return std::nullopt;
    }

    // The reminder at the moment; the moment may lie days from the occurrence it belongs to, which
    // moves a series' weekdays along, and must not leave the month of a monthly or yearly one.
    std::optional<std::string> Place(TBWItem& reminder, double moment, double anchorDate) const
    {
        const auto shift = static_cast<int>(std::floor(moment) - anchorDate);
        const CalendarDate at = DecodeDate(moment);
        const bool sameMonth = at.month == m_anchor->month && std::abs(shift) < 28;
        switch (m_repeat.Kind) {
        case RepeatDaily:
            for (int day = 1; day <= 7; ++day) {
                reminder.DayFlags.at(static_cast<std::size_t>((((day - 1 + shift) % 7) + 7) % 7 + 1)) =
                    m_repeat.Days.at(static_cast<std::size_t>(day));
            }
            break;
        case RepeatMonthly:
            if ((shift != 0 && !sameMonth) || at.day > 28) {
                return "has an alarm that falls in another month than its monthly occurrences, or on the 29th "
                       "to 31st";
            }
            break;
        case RepeatYearly:
            if ((shift != 0 && !sameMonth) || (at.month == 2 && at.day == 29)) {
                return "has an alarm that falls in another month than its yearly occurrences, or on 29 February";
            }
            break;
        default:
            break;
        }
        if (m_repeat.Kind != RepeatNone && !FollowsLocalClock(*m_anchor)) {
            auto* zone = const_cast<icaltimezone*>(m_anchor->zone);
            const char* location = icaltimezone_get_location(zone);
            return std::string("repeats in the time zone \"") +
                   (location != nullptr ? location : icaltimezone_get_tzid(zone)) +
                   "\", whose clock changes are not this computer's, so its local time would move";
        }
        if (reminder.ActiveDayCount() == 0) {
            reminder.ActivateAllDays();
        }
        reminder.RepeatKind = m_repeat.Kind;
        reminder.DueTime = moment;
        const char* summary = icalcomponent_get_summary(m_entry);
        const char* description = icalcomponent_get_description(m_entry);
        reminder.Title = CrLfLineBreaks(summary != nullptr ? summary : "");
        reminder.Text = CrLfLineBreaks(description != nullptr ? description : "");
        return std::nullopt;
    }

    icalcomponent* m_entry;
    icalcomponent* m_calendar;
    std::optional<icaltimetype> m_start;
    std::optional<icaltimetype> m_end;
    std::optional<icaltimetype> m_due;
    std::optional<icaltimetype> m_anchor;
    Repeat m_repeat;
};

void ReadEntries(icalcomponent* calendar, CalendarImport& result)
{
    // Gathered first: reading an entry looks up the calendar's time zones, which must not move the
    // calendar's own place among its components.
    std::vector<icalcomponent*> entries;
    for (icalcomponent* entry = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); entry != nullptr;
         entry = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
        const icalcomponent_kind kind = icalcomponent_isa(entry);
        if (kind == ICAL_VEVENT_COMPONENT || kind == ICAL_VTODO_COMPONENT) {
            entries.push_back(entry);
        }
    }
    for (icalcomponent* entry : entries) {
        EntryReader reader(entry, calendar);
        if (auto problem = reader.Read(result.Reminders)) {
            result.Skipped.push_back({reader.Name(), *problem});
        }
    }
}

} // namespace

CalendarImport ReadCalendar(std::string_view text)
{
    const std::string terminated(text);
    const ComponentPointer root(icalparser_parse_string(terminated.c_str()));
    CalendarImport result;
    const icalcomponent_kind kind = root ? icalcomponent_isa(root.get()) : ICAL_NO_COMPONENT;
    if (kind == ICAL_VCALENDAR_COMPONENT) {
        ReadEntries(root.get(), result);
    } else if (kind == ICAL_XROOT_COMPONENT) {
        for (icalcomponent* calendar = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT);
             calendar != nullptr; calendar = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT)) {
            ReadEntries(calendar, result);
        }
    } else {
        throw EBWError("The file is not an iCalendar file: it holds no calendar (BEGIN:VCALENDAR)");
    }
    return result;
}

std::vector<std::unique_ptr<TBWItem>> NewListReminders(std::vector<TBWItem> reminders, const TBWItemList& list,
                                                       const std::string& author, double now)
{
    std::set<std::int32_t> taken;
    for (const auto& item : list) {
        taken.insert(item->Id);
    }
    TBWItemList result;
    for (TBWItem& reminder : reminders) {
        auto item = std::make_unique<TBWItem>(std::move(reminder));
        item->Author = author;
        item->GenerateId(now);
        // Two messages with one Id would shadow each other in every list and group.
        while (taken.contains(item->Id)) {
            item->Id = item->Id == std::numeric_limits<std::int32_t>::max() ? 0 : item->Id + 1;
        }
        taken.insert(item->Id);
        result.push_back(std::move(item));
    }
    (void)TakePastOccurrences(result, now);
    return result;
}
