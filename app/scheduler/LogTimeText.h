#pragma once

#include <QDateTime>
#include <QString>

// Date-times of the lists (days since 1899-12-30, local wall-clock time) as Qt values.
[[nodiscard]] QDateTime ToQDateTime(double dateTime);
[[nodiscard]] double FromQDateTime(const QDateTime& dateTime);

// The log's form of a moment: the short date, a blank and the long time, in the user's
// formats; the time is left out when it is exactly midnight.
[[nodiscard]] QString LogTimeText(double dateTime);
