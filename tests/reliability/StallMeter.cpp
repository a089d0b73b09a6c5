#include "StallMeter.h"

#include <algorithm>

StallMeter::StallMeter(std::chrono::milliseconds interval)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(interval);
    connect(&m_timer, &QTimer::timeout, this, &StallMeter::Beat);
}

void StallMeter::Resume()
{
    m_last = std::chrono::steady_clock::now();
    m_timer.start();
}

void StallMeter::Pause()
{
    Beat();
    m_timer.stop();
}

std::chrono::milliseconds StallMeter::LongestStall() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(m_longest);
}

void StallMeter::Beat()
{
    const Moment now = std::chrono::steady_clock::now();
    m_longest = std::max(m_longest, now - m_last);
    m_last = now;
    ++m_beats;
}
