#pragma once

#include "NotificationArea.h"

// Asks Qt whether the desktop has a system tray at this moment.
class SystemTrayNotificationArea final : public NotificationArea
{
public:
    [[nodiscard]] bool IsAvailable() const override;
};
