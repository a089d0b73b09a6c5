#pragma once

// Whether the desktop offers a notification area (system tray) for the program's icon right now.
class NotificationArea
{
public:
    virtual ~NotificationArea() = default;

    [[nodiscard]] virtual bool IsAvailable() const = 0;
};
