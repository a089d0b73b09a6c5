#include "DueTimeText.h"

#include "DayNumbers.h"

#include <QDateTime>

#include <cmath>

namespace {

// The list files keep moments in units of 1/10000 day (8.64 s), rounded, so 09:30 comes back as
// 09:29:57. Adding half a unit before the seconds are dropped shows the minute the moment was set to;
// a moment truly a few seconds into its minute keeps that minute.
constexpr double HalfStorageUnit = 0.5 / 10000.0;

} // namespace

QString DueTimeText(double moment, double now, const QLocale& locale)
{
    const double shownMoment = moment + HalfStorageUnit;
    const QDateTime shown = FromDays(shownMoment);
    QString time = QStringLiteral("%1:%2")
                       .arg(shown.time().hour(), 2, 10, QLatin1Char('0'))
                       .arg(shown.time().minute(), 2, 10, QLatin1Char('0'));
    if (std::trunc(shownMoment) == std::trunc(now)) {
        return time;
    }
    return locale.toString(shown.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.dayName(shown.date().dayOfWeek(), QLocale::ShortFormat) + QLatin1Char(' ') + time;
}
