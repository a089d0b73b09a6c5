#pragma once

class QDate;
class QDateTime;
class QTime;

// The lists' date-times (days since 1899-12-30, local wall-clock time) as Qt values and back, on
// SplitDateTime and JoinDateTime. A date and a time of day are taken as they are; a QDateTime made
// from them is local time, and the time zone decides what becomes of a time that a change to or
// from daylight saving time skips or repeats.
[[nodiscard]] double ToDays(QDate date, QTime time);
[[nodiscard]] double ToDays(const QDateTime& moment);
[[nodiscard]] QDate DateOfDays(double days);
[[nodiscard]] QTime TimeOfDays(double days);
[[nodiscard]] QDateTime FromDays(double days);
