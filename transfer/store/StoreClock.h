#pragma once

#include <chrono>
#include <cstdint>

// The time a lock and a publish go by: UTC seconds for what other members read (the owner file,
// the names of temporary files), a steady clock for this member's own bounds, and a pause between
// tries. Tests give a clock of their own, so that bounds of minutes pass at once.
class StoreClock
{
public:
    using Steady = std::chrono::steady_clock;

    virtual ~StoreClock() = default;
    [[nodiscard]] virtual std::int64_t UtcSeconds() const = 0;
    [[nodiscard]] virtual Steady::time_point Now() const = 0;
    virtual void Pause(std::chrono::milliseconds duration) = 0;
};

class SystemStoreClock final : public StoreClock
{
public:
    [[nodiscard]] std::int64_t UtcSeconds() const override;
    [[nodiscard]] Steady::time_point Now() const override { return Steady::now(); }
    void Pause(std::chrono::milliseconds duration) override;
};
