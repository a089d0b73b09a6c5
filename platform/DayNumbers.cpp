#include "DayNumbers.h"

#include "DateTime.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace {

qint64 Epoch()
{
    return QDate(1899, 12, 30).toJulianDay();
}

} // namespace

double ToDays(QDate date, QTime time)
{
    return JoinDateTime(date.toJulianDay() - Epoch(), time.msecsSinceStartOfDay());
}

double ToDays(const QDateTime& moment)
{
    const QDateTime local = moment.toLocalTime();
    return ToDays(local.date(), local.time());
}

QDate DateOfDays(double days)
{
    return QDate::fromJulianDay(Epoch() + SplitDateTime(days).Day);
}

QTime TimeOfDays(double days)
{
    return QTime::fromMSecsSinceStartOfDay(SplitDateTime(days).Millisecond);
}

QDateTime FromDays(double days)
{
    const DayAndTime split = SplitDateTime(days);
    return {QDate::fromJulianDay(Epoch() + split.Day), QTime::fromMSecsSinceStartOfDay(split.Millisecond)};
}
