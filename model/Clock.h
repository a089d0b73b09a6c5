#pragma once

// The only way the program learns the current moment, so that tests can choose it.
class Clock
{
public:
    virtual ~Clock() = default;

    // Days since 1899-12-30 00:00, local wall-clock time.
    [[nodiscard]] virtual double Now() const = 0;
};

// A clock that tests set and advance by hand.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(double now = 0.0) : m_now(now) {}

    [[nodiscard]] double Now() const override { return m_now; }
    void Set(double now) { m_now = now; }
    void AdvanceSeconds(double seconds) { m_now += seconds / 86400.0; }

private:
    double m_now;
};
