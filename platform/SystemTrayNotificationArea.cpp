#include "SystemTrayNotificationArea.h"

#include <QSystemTrayIcon>

bool SystemTrayNotificationArea::IsAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}
