#include "TickTimer.h"

#include "ErrorGuard.h"

#include <QTimer>
#include <QWidget>

#include <exception>

TickTimer::TickTimer(std::function<void()> tick, Dialogs& dialogs, QWidget& window)
    : QObject(&window), m_tick(std::move(tick)), m_dialogs(dialogs), m_window(window), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("tickTimerDriver"));
    m_timer->setObjectName(QStringLiteral("tickTimer"));
    m_timer->setInterval(IntervalMs);
    connect(m_timer, &QTimer::timeout, this, &TickTimer::RunTick, Qt::QueuedConnection);
    m_timer->start();
}

void TickTimer::RunTick()
{
    if (!m_begun) {
        return;
    }
    try {
        m_tick();
    } catch (const std::exception& failure) {
        Report(failure.what());
    } catch (...) {
        Report("Unknown error");
    }
}

void TickTimer::Report(const char* text)
{
    // Ticks go on while the box is open, and one that fails the same way every few seconds must not
    // stack up boxes: one failure is shown at a time.
    if (m_reporting) {
        return;
    }
    m_reporting = true;
    ReportFailure(m_dialogs, &m_window, text);
    m_reporting = false;
}
