#include "StoreClock.h"

#include <thread>

std::int64_t SystemStoreClock::UtcSeconds() const
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void SystemStoreClock::Pause(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}
