#pragma once

#include <QLocale>
#include <QString>

// A due moment as the message list and the reminder caption show it: "hh:nn" when it lies on today's
// date, otherwise the short date, the abbreviated weekday name and "hh:nn" (for example
// "3/14/24 Thu 14:05" in American English). A moment read from a list file shows the minute it was
// set to, although the file keeps it only to 8.64 seconds.
[[nodiscard]] QString DueTimeText(double moment, double now, const QLocale& locale = QLocale());
