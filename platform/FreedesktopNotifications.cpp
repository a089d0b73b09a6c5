#include "FreedesktopNotifications.h"

#include "ShownText.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>
#include <QVariantMap>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
// The urgency the service keeps on screen until the user acts, also over full-screen programs.
constexpr uchar CriticalUrgency = 2;
// The notification never expires by itself.
constexpr qint32 NeverExpires = 0;

} // namespace

FreedesktopNotifications::FreedesktopNotifications(const QString& busAddress, QObject* parent)
    : DesktopNotifications(parent)
{
    if (busAddress.isEmpty()) {
        m_bus = std::make_unique<QDBusConnection>(QDBusConnection::sessionBus());
    } else {
        m_ownConnection = QStringLiteral("bellwick-notifications-%1").arg(reinterpret_cast<quintptr>(this));
        m_bus = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(busAddress, m_ownConnection));
    }
    if (m_bus->isConnected()) {
        m_bus->connect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this,
                       SLOT(OnActionInvoked(quint32, QString)));
        m_bus->connect(Service, Path, Interface, QStringLiteral("NotificationClosed"), this,
                       SLOT(OnNotificationClosed(quint32, quint32)));
    }
}

FreedesktopNotifications::~FreedesktopNotifications()
{
    if (!m_ownConnection.isEmpty()) {
        m_bus.reset();
        QDBusConnection::disconnectFromBus(m_ownConnection);
    }
}

void FreedesktopNotifications::Notify(const QString& summary, const QString& body, const std::vector<Action>& actions,
                                      std::function<void(std::optional<quint32> id)> sent)
{
    if (!m_bus->isConnected()) {
        // Answered from the event loop, as a reply would be.
        QTimer::singleShot(0, this, [sent = std::move(sent)] { sent(std::nullopt); });
        return;
    }
    QStringList actionList;
    for (const auto& [key, label] : actions) {
        actionList << key << label;
    }
    // The program plays its own alert sound, as the user chose it.
    const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(CriticalUrgency)},
                            {QStringLiteral("desktop-entry"), QStringLiteral("bellwick")},
                            {QStringLiteral("suppress-sound"), true}};
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
    // Services that read markup in the body would otherwise take a reminder's "<" or "&" for some.
    call << QStringLiteral("Bellwick") << quint32{0} << QStringLiteral("bellwick") << summary << WithoutMarkup(body)
         << actionList << hints << NeverExpires;
    auto* watcher = new QDBusPendingCallWatcher(m_bus->asyncCall(call, NotifyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [sent = std::move(sent)](QDBusPendingCallWatcher* finished) {
                const QDBusPendingReply<quint32> reply = *finished;
                finished->deleteLater();
                if (reply.isError()) {
                    sent(std::nullopt);
                } else {
                    sent(reply.value());
                }
            });
}

void FreedesktopNotifications::Close(quint32 id)
{
    if (m_bus->isConnected()) {
        m_bus->asyncCall(QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("CloseNotification"))
                         << id);
    }
}

void FreedesktopNotifications::OnActionInvoked(quint32 id, const QString& actionKey)
{
    Q_EMIT ActionInvoked(id, actionKey);
}

void FreedesktopNotifications::OnNotificationClosed(quint32 id, quint32 /*reason*/)
{
    Q_EMIT Closed(id);
}
