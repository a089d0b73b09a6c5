#include "SystemClock.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>

namespace {

constexpr double MillisecondsPerDay = 86400000.0;

qint64 Epoch()
{
    return QDate(1899, 12, 30).toJulianDay();
}

} // namespace

double SystemClock::Now() const
{
    return ToDays(QDateTime::currentDateTime());
}

double ToDays(const QDateTime& moment)
{
    const QDateTime local = moment.toLocalTime();
    return static_cast<double>(local.date().toJulianDay() - Epoch()) +
           local.time().msecsSinceStartOfDay() / MillisecondsPerDay;
}

QDateTime FromDays(double days)
{
    // Whole milliseconds, rounded, as the stored moments are; a time that rounds up to midnight
    // belongs to the next day.
    const auto total = static_cast<qint64>(std::llround(days * MillisecondsPerDay));
    const qint64 perDay = static_cast<qint64>(MillisecondsPerDay);
    qint64 day = total / perDay;
    qint64 milliseconds = total % perDay;
    if (milliseconds < 0) {
        milliseconds += perDay;
        --day;
    }
    return QDateTime(QDate::fromJulianDay(Epoch() + day),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(milliseconds)));
}
