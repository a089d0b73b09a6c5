// libical on the iCalendar form of the same reminders (see Measure.h and BellwickRunner.cpp for
// the operations): icalparser reads the text into components, icalcomponent_as_ical_string_r
// writes it, and a recurrence iterator set to the moment gives each event's next occurrence.
// libical has no file writer of its own; saves use the same crash-safe write as Bellwick's.

#include "Measure.h"

#include "DateTime.h"
#include "FileIO.h"

#include <libical/ical.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace {

constexpr std::string_view Operations = "load save decode encode next oneshot roundtrip nextdump";

struct ComponentDeleter
{
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

Component Parse(const std::string& text)
{
    Component root(icalparser_parse_string(text.c_str()));
    if (!root) {
        throw std::runtime_error("libical could not parse the calendar");
    }
    return root;
}

std::size_t CountEvents(icalcomponent* root)
{
    return static_cast<std::size_t>(icalcomponent_count_components(root, ICAL_VEVENT_COMPONENT));
}

std::string Serialise(icalcomponent* root)
{
    char* text = icalcomponent_as_ical_string_r(root);
    std::string bytes(text);
    std::free(text);
    return bytes;
}

icaltimetype Moment()
{
    const double moment = NextOccurrenceMoment();
    const CalendarDate date = DecodeDate(moment);
    const auto minutes = static_cast<int>(TimePart(moment) * 1440 + 0.5);
    icaltimetype time = icaltime_null_time();
    time.year = date.year;
    time.month = date.month;
    time.day = date.day;
    time.hour = minutes / 60;
    time.minute = minutes % 60;
    return time;
}

// The first occurrence at or after the moment, or the null time when the reminder has none.
icaltimetype NextOccurrence(icalcomponent* event, const icaltimetype& moment)
{
    const icaltimetype start = icalcomponent_get_dtstart(event);
    icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    if (rule == nullptr) {
        return icaltime_compare(start, moment) >= 0 ? start : icaltime_null_time();
    }
    icalrecur_iterator* iterator = icalrecur_iterator_new(icalproperty_get_rrule(rule), start);
    if (iterator == nullptr) {
        return icaltime_null_time();
    }
    icaltimetype next = icaltime_null_time();
    if (icaltime_compare(start, moment) < 0 && icalrecur_iterator_set_start(iterator, moment) == 0) {
        // An iterator that cannot jump walks from the start.
        do {
            next = icalrecur_iterator_next(iterator);
        } while (!icaltime_is_null_time(next) && icaltime_compare(next, moment) < 0);
    } else {
        next = icalrecur_iterator_next(iterator);
    }
    icalrecur_iterator_free(iterator);
    return next;
}

template <typename Visit>
void ForEachEvent(icalcomponent* root, Visit&& visit)
{
    for (icalcomponent* event = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); event != nullptr;
         event = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        visit(event);
    }
}

std::size_t NextOccurrences(icalcomponent* root, const icaltimetype& moment)
{
    std::size_t upcoming = 0;
    ForEachEvent(
        root, [&](icalcomponent* event) { upcoming += icaltime_is_null_time(NextOccurrence(event, moment)) ? 0 : 1; });
    return upcoming;
}

int Run(const TRunnerArgs& args)
{
    const std::string& op = args.Operation;
    if (op == "load") {
        Component root;
        const auto ms = TimeRepeated(
            args, [&] { root.reset(); }, [&] { root = Parse(ReadFileBytes(args.File)); });
        PrintResult(args, CountEvents(root.get()), ms, static_cast<double>(CountEvents(root.get())));
    } else if (op == "save") {
        const Component root = Parse(ReadFileBytes(args.File));
        const auto ms = TimeRepeated(
            args, [] {}, [&] { WriteFileAtomically(args.Output, Serialise(root.get())); });
        PrintResult(args, CountEvents(root.get()), ms, static_cast<double>(std::filesystem::file_size(args.Output)));
    } else if (op == "decode") {
        const std::string text = ReadFileBytes(args.File);
        Component root;
        const auto ms = TimeRepeated(
            args, [&] { root.reset(); }, [&] { root = Parse(text); });
        PrintResult(args, CountEvents(root.get()), ms, static_cast<double>(CountEvents(root.get())));
    } else if (op == "encode") {
        const Component root = Parse(ReadFileBytes(args.File));
        std::string bytes;
        const auto ms = TimeRepeated(
            args, [&] { bytes = std::string(); }, [&] { bytes = Serialise(root.get()); });
        PrintResult(args, CountEvents(root.get()), ms, static_cast<double>(bytes.size()));
    } else if (op == "next" || op == "oneshot") {
        const Component root = Parse(ReadFileBytes(args.File));
        const icaltimetype moment = Moment();
        std::size_t upcoming = 0;
        const auto ms = op == "oneshot" ? std::vector<double>{}
                                        : TimeRepeated(
                                              args, [] {}, [&] { upcoming = NextOccurrences(root.get(), moment); });
        if (op == "oneshot") {
            upcoming = NextOccurrences(root.get(), moment);
        }
        PrintResult(args, CountEvents(root.get()), ms, static_cast<double>(upcoming));
    } else if (op == "nextdump") {
        const Component root = Parse(ReadFileBytes(args.File));
        const icaltimetype moment = Moment();
        std::ofstream out(args.Output);
        ForEachEvent(root.get(), [&](icalcomponent* event) {
            const icaltimetype next = NextOccurrence(event, moment);
            const long long minutes =
                icaltime_is_null_time(next)
                    ? -1
                    : (static_cast<long long>(icaltime_as_timet(next)) - icaltime_as_timet(moment) + 30) / 60;
            out << icalcomponent_get_uid(event) << ' ' << minutes << '\n';
        });
        PrintResult(args, CountEvents(root.get()), {}, static_cast<double>(CountEvents(root.get())));
    } else if (op == "roundtrip") {
        const Component root = Parse(ReadFileBytes(args.File));
        WriteFileAtomically(args.Output, Serialise(root.get()));
        PrintResult(args, CountEvents(root.get()), {}, static_cast<double>(CountEvents(root.get())));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Run(ParseRunnerArgs(argc, argv, Operations));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
        return 1;
    }
}
