#include "SystemClock.h"

#include "DayNumbers.h"

#include <QDateTime>

double SystemClock::Now() const
{
    return ToDays(QDateTime::currentDateTime());
}
