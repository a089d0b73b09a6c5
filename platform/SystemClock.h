#pragma once

#include "Clock.h"

// The computer's clock in local wall-clock time.
class SystemClock final : public Clock
{
public:
    [[nodiscard]] double Now() const override;
};
