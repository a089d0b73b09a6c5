#pragma once

#include "Clock.h"

class QDateTime;

// The computer's clock in local wall-clock time.
class SystemClock final : public Clock
{
public:
    [[nodiscard]] double Now() const override;
};

// Days since 1899-12-30 00:00 of a local date-time, and back.
[[nodiscard]] double ToDays(const QDateTime& moment);
[[nodiscard]] QDateTime FromDays(double days);
