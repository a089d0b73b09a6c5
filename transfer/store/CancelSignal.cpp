#include "CancelSignal.h"

#include <utility>

void CancelSignal::Cancel()
{
    m_cancelled.store(true);
    const std::lock_guard lock(m_mutex);
    if (m_wakeUp) {
        m_wakeUp();
    }
}

void CancelSignal::SetWakeUp(std::function<void()> wakeUp)
{
    const std::lock_guard lock(m_mutex);
    m_wakeUp = std::move(wakeUp);
}

void CancelSignal::ClearWakeUp()
{
    const std::lock_guard lock(m_mutex);
    m_wakeUp = nullptr;
}
