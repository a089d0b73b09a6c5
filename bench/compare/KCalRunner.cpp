// KDE's KCalendarCore on the iCalendar form of the same reminders (see Measure.h and
// BellwickRunner.cpp for the operations): ICalFormat reads and writes the file, a MemoryCalendar
// holds the events, and each event's Recurrence gives its next occurrence.

#include "Measure.h"

#include "DateTime.h"

#include <KCalendarCore/Event>
#include <KCalendarCore/ICalFormat>
#include <KCalendarCore/MemoryCalendar>
#include <KCalendarCore/Recurrence>

#include <QCoreApplication>
#include <QDateTime>
#include <QTimeZone>

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace {

using KCalendarCore::ICalFormat;
using KCalendarCore::MemoryCalendar;

constexpr std::string_view Operations = "load save decode encode next oneshot roundtrip nextdump";

QString FileName(const std::filesystem::path& file)
{
    return QString::fromStdString(file.string());
}

MemoryCalendar::Ptr NewCalendar()
{
    return MemoryCalendar::Ptr(new MemoryCalendar(QTimeZone::systemTimeZone()));
}

MemoryCalendar::Ptr Load(const std::filesystem::path& file)
{
    MemoryCalendar::Ptr calendar = NewCalendar();
    if (!ICalFormat().load(calendar, FileName(file))) {
        throw std::runtime_error("KCalendarCore could not load " + file.string());
    }
    return calendar;
}

QDateTime Moment()
{
    const double moment = NextOccurrenceMoment();
    const CalendarDate date = DecodeDate(moment);
    const auto minutes = static_cast<int>(TimePart(moment) * 1440 + 0.5);
    return QDateTime(QDate(date.year, date.month, date.day), QTime(minutes / 60, minutes % 60), Qt::LocalTime);
}

// The first occurrence at or after the moment, or an invalid date-time when the reminder has none.
QDateTime NextOccurrence(const KCalendarCore::Event& event, const QDateTime& moment)
{
    if (event.recurs()) {
        // It gives the first occurrence strictly after its argument; the others ask "at or after".
        return event.recurrence()->getNextDateTime(moment.addSecs(-1));
    }
    return event.dtStart() >= moment ? event.dtStart() : QDateTime();
}

struct TNextPass
{
    std::size_t Upcoming = 0;
};

TNextPass NextOccurrences(const KCalendarCore::Event::List& events, const QDateTime& moment)
{
    TNextPass pass;
    for (const auto& event : events) {
        if (NextOccurrence(*event, moment).isValid()) {
            ++pass.Upcoming;
        }
    }
    return pass;
}

int Run(const TRunnerArgs& args)
{
    const std::string& op = args.Operation;
    if (op == "load") {
        MemoryCalendar::Ptr calendar;
        const auto ms = TimeRepeated(
            args, [&] { calendar.reset(); },
            [&] {
                calendar = NewCalendar();
                if (!ICalFormat().load(calendar, FileName(args.File))) {
                    throw std::runtime_error("load failed");
                }
            });
        const auto count = static_cast<std::size_t>(calendar->rawEvents().size());
        PrintResult(args, count, ms, static_cast<double>(count));
    } else if (op == "save") {
        const MemoryCalendar::Ptr calendar = Load(args.File);
        const auto ms = TimeRepeated(
            args, [] {},
            [&] {
                if (!ICalFormat().save(calendar, FileName(args.Output))) {
                    throw std::runtime_error("save failed");
                }
            });
        const auto count = static_cast<std::size_t>(calendar->rawEvents().size());
        PrintResult(args, count, ms, static_cast<double>(std::filesystem::file_size(args.Output)));
    } else if (op == "decode") {
        const std::string text = ReadFileBytes(args.File);
        const QByteArray bytes = QByteArray::fromStdString(text);
        MemoryCalendar::Ptr calendar;
        const auto ms = TimeRepeated(
            args, [&] { calendar.reset(); },
            [&] {
                calendar = NewCalendar();
                if (!ICalFormat().fromRawString(calendar, bytes)) {
                    throw std::runtime_error("decode failed");
                }
            });
        const auto count = static_cast<std::size_t>(calendar->rawEvents().size());
        PrintResult(args, count, ms, static_cast<double>(count));
    } else if (op == "encode") {
        const MemoryCalendar::Ptr calendar = Load(args.File);
        QByteArray bytes;
        const auto ms = TimeRepeated(
            args, [&] { bytes.clear(); }, [&] { bytes = ICalFormat().toString(calendar).toUtf8(); });
        const auto count = static_cast<std::size_t>(calendar->rawEvents().size());
        PrintResult(args, count, ms, static_cast<double>(bytes.size()));
    } else if (op == "next" || op == "oneshot") {
        const MemoryCalendar::Ptr calendar = Load(args.File);
        const KCalendarCore::Event::List events = calendar->rawEvents();
        const QDateTime moment = Moment();
        TNextPass pass;
        const auto ms = op == "oneshot" ? std::vector<double>{}
                                        : TimeRepeated(
                                              args, [] {}, [&] { pass = NextOccurrences(events, moment); });
        if (op == "oneshot") {
            pass = NextOccurrences(events, moment);
        }
        PrintResult(args, static_cast<std::size_t>(events.size()), ms, static_cast<double>(pass.Upcoming));
    } else if (op == "nextdump") {
        const MemoryCalendar::Ptr calendar = Load(args.File);
        const QDateTime moment = Moment();
        std::ofstream out(args.Output);
        const KCalendarCore::Event::List events = calendar->rawEvents();
        for (const auto& event : events) {
            const QDateTime next = NextOccurrence(*event, moment);
            const long long minutes = next.isValid() ? (moment.secsTo(next) + 30) / 60 : -1;
            out << event->uid().toStdString() << ' ' << minutes << '\n';
        }
        PrintResult(args, static_cast<std::size_t>(events.size()), {}, static_cast<double>(events.size()));
    } else if (op == "roundtrip") {
        const MemoryCalendar::Ptr calendar = Load(args.File);
        if (!ICalFormat().save(calendar, FileName(args.Output))) {
            throw std::runtime_error("save failed");
        }
        const auto count = static_cast<std::size_t>(calendar->rawEvents().size());
        PrintResult(args, count, {}, static_cast<double>(count));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // KCalendarCore looks up time zones and settings through Qt, which wants its application object.
    QCoreApplication application(argc, argv);
    try {
        return Run(ParseRunnerArgs(argc, argv, Operations));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
        return 1;
    }
}
