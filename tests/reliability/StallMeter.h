#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

// Watches the event loop of the thread it was made on: a timer that should fire every few
// milliseconds, and the longest the loop kept it waiting. Paused while a test does its own
// bookkeeping, so only the program's work counts.
class StallMeter : public QObject
{
public:
    explicit StallMeter(std::chrono::milliseconds interval = std::chrono::milliseconds(5));

    void Resume();
    // The time since the last beat counts as well: work that has not yet returned to the loop.
    void Pause();

    [[nodiscard]] std::chrono::milliseconds LongestStall() const;
    [[nodiscard]] long long Beats() const { return m_beats; }

private:
    void Beat();

    using Moment = std::chrono::steady_clock::time_point;
    QTimer m_timer;
    Moment m_last{};
    std::chrono::steady_clock::duration m_longest{};
    long long m_beats = 0;
};
