#pragma once

#include "DesktopNotifications.h"

#include <memory>

class QDBusConnection;

// Desktop notifications through the freedesktop notification service
// (org.freedesktop.Notifications on the session bus), as every Linux desktop offers it. A service
// that is not running yet is started by the bus when the first notification is sent; without a
// session bus or a service, every Notify reports failure.
class FreedesktopNotifications final : public DesktopNotifications
{
    Q_OBJECT

public:
    // How long a notification may take to be accepted before it counts as failed.
    static constexpr int NotifyTimeoutMs = 5000;

    // The session bus, or (for tests) the bus at busAddress.
    explicit FreedesktopNotifications(const QString& busAddress = QString(), QObject* parent = nullptr);
    ~FreedesktopNotifications() override;

    void Notify(const QString& summary, const QString& body, const std::vector<Action>& actions,
                std::function<void(std::optional<quint32> id)> sent) override;
    void Close(quint32 id) override;

private Q_SLOTS:
    // The service's signals; QtDBus reaches them by name.
    void OnActionInvoked(quint32 id, const QString& actionKey);
    void OnNotificationClosed(quint32 id, quint32 reason);

private:
    std::unique_ptr<QDBusConnection> m_bus;
    // A connection of our own to another bus than the session's, closed with this object.
    QString m_ownConnection;
};
