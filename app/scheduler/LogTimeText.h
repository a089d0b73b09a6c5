#pragma once

#include <QString>

// The log's form of a moment: the short date, a blank and the long time, in the user's
// formats; the time is left out when it is exactly midnight.
[[nodiscard]] QString LogTimeText(double dateTime);
