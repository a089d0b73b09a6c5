#pragma once

#include <QtCore/qtestsupport_core.h>

#include <chrono>
#include <functional>

// Handles events (deferred deletions included) until the condition holds or the limit has passed;
// returns the condition.
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    return QTest::qWaitFor(condition, static_cast<int>(limit.count()));
}
