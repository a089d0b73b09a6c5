#pragma once

#include "NotificationArea.h"

// A notification area that is there or not, as the test says.
class FakeNotificationArea final : public NotificationArea
{
public:
    explicit FakeNotificationArea(bool isAvailable = true) : available(isAvailable) {}

    [[nodiscard]] bool IsAvailable() const override
    {
        ++questions;
        return available;
    }

    bool available;
    mutable int questions = 0;
};
