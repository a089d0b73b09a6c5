#include "LogTimeText.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include <cmath>

namespace {

const QDate Epoch(1899, 12, 30);

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

QDateTime ToQDateTime(double dateTime)
{
    const double days = std::floor(dateTime);
    auto msecs = static_cast<qint64>(std::llround((dateTime - days) * 86400000.0));
    qint64 whole = static_cast<qint64>(days);
    if (msecs >= 86400000) { // the fraction rounded up to the next day
        msecs -= 86400000;
        ++whole;
    }
    return {Epoch.addDays(whole), QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs))};
}

double FromQDateTime(const QDateTime& dateTime)
{
    return static_cast<double>(Epoch.daysTo(dateTime.date())) + dateTime.time().msecsSinceStartOfDay() / 86400000.0;
}

QString LogTimeText(double dateTime)
{
    const QDateTime moment = ToQDateTime(dateTime);
    const QLocale locale;
    QString text = locale.toString(moment.date(), QLocale::ShortFormat);
    if (moment.time() != QTime(0, 0)) {
        text += QLatin1Char(' ') + locale.toString(moment.time(), LongTimeFormat(locale));
    }
    return text;
}
