#include "DueTimeText.h"

#include "SystemClock.h"

#include <QDateTime>

#include <cmath>

QString DueTimeText(double moment, double now, const QLocale& locale)
{
    const QDateTime shown = FromDays(moment);
    const QString time = QStringLiteral("%1:%2")
                             .arg(shown.time().hour(), 2, 10, QLatin1Char('0'))
                             .arg(shown.time().minute(), 2, 10, QLatin1Char('0'));
    if (std::trunc(moment) == std::trunc(now)) {
        return time;
    }
    return locale.toString(shown.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.dayName(shown.date().dayOfWeek(), QLocale::ShortFormat) + QLatin1Char(' ') + time;
}
