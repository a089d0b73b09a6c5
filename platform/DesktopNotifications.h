#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// The desktop's own notifications ("bubbles"), for reminders that a window on top would not bring
// to the user's eyes (a full-screen program, a desktop that keeps new windows behind). One real
// implementation talks to the desktop's notification service; none is used where there is none.
class DesktopNotifications : public QObject
{
    Q_OBJECT

public:
    // An action's key, given back by ActionInvoked, and its label on the button.
    using Action = std::pair<QString, QString>;

    using QObject::QObject;

    // Sends a notification that stays until the user acts on it. Returns at once; sent(id) follows
    // from the event loop once the desktop shows it, sent(std::nullopt) if it cannot (no service,
    // a refusal, no answer in time). The texts are plain: nothing in them is taken as markup.
    virtual void Notify(const QString& summary, const QString& body, const std::vector<Action>& actions,
                        std::function<void(std::optional<quint32> id)> sent) = 0;
    // Takes the notification off the screen.
    virtual void Close(quint32 id) = 0;

Q_SIGNALS:
    // The user pressed an action's button ("default" for a click on the notification itself).
    void ActionInvoked(quint32 id, const QString& actionKey);
    // The notification has gone: closed by the user, expired, or taken away by Close.
    void Closed(quint32 id);
};
