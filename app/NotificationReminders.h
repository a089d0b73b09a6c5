#pragma once

#include "PostponedReminders.h"
#include "TBWItem.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <map>
#include <optional>

class DesktopNotifications;
class QTimer;

// Reminders shown as the desktop's notifications, each with the buttons "Remind me in 10 minutes"
// and "Done". The first puts the reminder off as the pop-up's delay does: the notification goes,
// and ComingBack says when the delay has passed. "Done", a click on the notification or its closing
// are what closing the pop-up is. Each reminder is known by the key of its delivery, as in the
// postponed reminders, and keeps a copy of the message while it is shown or waits.
class NotificationReminders : public QObject
{
    Q_OBJECT

public:
    using Key = PostponedReminders::Key;
    static constexpr std::chrono::minutes LaterDelay{10};

    explicit NotificationReminders(DesktopNotifications& desktop, QObject* parent = nullptr);
    // The notifications still shown go too: their buttons would reach nobody.
    ~NotificationReminders() override;
    NotificationReminders(const NotificationReminders&) = delete;
    NotificationReminders& operator=(const NotificationReminders&) = delete;

    // Shows the reminder; failed() runs instead, from the event loop, if the desktop cannot.
    void Send(Key key, const TBWItem& message, const QString& summary, const QString& body,
              std::function<void()> failed);
    // Keeps the reminder waiting until the delay has passed (ComingBack).
    void WaitFor(Key key, const TBWItem& message, std::chrono::milliseconds delay);
    // The copy of the message shown or waiting under the key, or none.
    [[nodiscard]] const TBWItem* Message(Key key) const;
    // The reminder is no longer this object's to show (it went to a pop-up).
    void Forget(Key key);

Q_SIGNALS:
    void Postponed(Key key, qint64 delayMs);
    void Dismissed(Key key);
    // The delay has passed: the reminder is to be sent again (or shown otherwise) under its key.
    void ComingBack(Key key);

private:
    struct Entry
    {
        TBWItem Message;
        std::optional<quint32> Id;
        QTimer* Timer = nullptr;
    };

    [[nodiscard]] std::optional<Key> KeyOf(quint32 id) const;
    void OnAction(quint32 id, const QString& action);
    void OnClosed(quint32 id);
    Entry& Put(Key key, const TBWItem& message);

    DesktopNotifications& m_desktop;
    std::map<Key, Entry> m_entries;
    std::map<quint32, Key> m_keysById;
};
