#pragma once

#include <atomic>
#include <functional>
#include <mutex>

// Lets the main thread cancel a worker that may be asleep inside libcurl. The worker registers a
// wake-up while it waits on the network; Cancel() sets the flag and calls that wake-up, so the
// worker notices at once instead of at its next time-out.
class CancelSignal
{
public:
    void Cancel();
    [[nodiscard]] bool IsCancelled() const { return m_cancelled.load(); }

    // Called by the worker thread only. The wake-up must stay callable until it is cleared.
    void SetWakeUp(std::function<void()> wakeUp);
    void ClearWakeUp();

private:
    std::atomic<bool> m_cancelled{false};
    std::mutex m_mutex;
    std::function<void()> m_wakeUp;
};
