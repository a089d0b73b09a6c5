#include "NotificationAreaWait.h"

#include "NotificationArea.h"

NotificationAreaWait::NotificationAreaWait(const NotificationArea& area, std::chrono::milliseconds limit,
                                           std::chrono::milliseconds interval, Done done, QObject* parent)
    : QObject(parent), m_area(area), m_limit(limit), m_done(std::move(done))
{
    m_timer.setInterval(interval);
    connect(&m_timer, &QTimer::timeout, this, &NotificationAreaWait::Poll);
}

void NotificationAreaWait::Start()
{
    m_elapsed.start();
    if (m_area.IsAvailable()) {
        Finish(true);
        return;
    }
    m_timer.start();
}

void NotificationAreaWait::Poll()
{
    if (m_finished) {
        return;
    }
    if (m_area.IsAvailable()) {
        Finish(true);
    } else if (std::chrono::milliseconds(m_elapsed.elapsed()) >= m_limit) {
        Finish(false);
    }
}

void NotificationAreaWait::Finish(bool available)
{
    m_timer.stop();
    m_finished = true;
    m_done(available);
}
