#include "LogTimeText.h"

#include "DayNumbers.h"

#include <QDateTime>
#include <QLocale>

namespace {

// The long time format without its time-zone part: the moments of the lists are wall-clock
// times and carry no zone.
QString LongTimeFormat(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        }
        if (!quoted && c == QLatin1Char('t')) {
            continue;
        }
        result += c;
    }
    return result.simplified();
}

} // namespace

QString LogTimeText(double dateTime)
{
    const QDateTime moment = FromDays(dateTime);
    const QLocale locale;
    QString text = locale.toString(moment.date(), QLocale::ShortFormat);
    if (moment.time() != QTime(0, 0)) {
        text += QLatin1Char(' ') + locale.toString(moment.time(), LongTimeFormat(locale));
    }
    return text;
}
