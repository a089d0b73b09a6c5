#include "NotificationReminders.h"

#include "DesktopNotifications.h"

#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace {

const QString LaterAction = QStringLiteral("later");
const QString DoneAction = QStringLiteral("done");

} // namespace

NotificationReminders::NotificationReminders(DesktopNotifications& desktop, QObject* parent)
    : QObject(parent), m_desktop(desktop)
{
    connect(&m_desktop, &DesktopNotifications::ActionInvoked, this, &NotificationReminders::OnAction);
    connect(&m_desktop, &DesktopNotifications::Closed, this, &NotificationReminders::OnClosed);
}

NotificationReminders::~NotificationReminders()
{
    for (const auto& [id, key] : m_keysById) {
        m_desktop.Close(id);
    }
}

NotificationReminders::Entry& NotificationReminders::Put(Key key, const TBWItem& message)
{
    Entry& entry = m_entries[key];
    if (&entry.Message != &message) {
        entry.Message = message;
    }
    return entry;
}

void NotificationReminders::Send(Key key, const TBWItem& message, const QString& summary, const QString& body,
                                 std::function<void()> failed)
{
    Put(key, message);
    const std::vector<DesktopNotifications::Action> actions{{LaterAction, tr("Remind me in 10 minutes")},
                                                            {DoneAction, tr("Done")}};
    // The answer may come after this object has gone, at the end of the program.
    m_desktop.Notify(summary, body, actions,
                     [self = QPointer(this), key, failed = std::move(failed)](std::optional<quint32> id) {
                         if (!self || !self->m_entries.contains(key)) {
                             return;
                         }
                         if (!id) {
                             self->Forget(key);
                             failed();
                             return;
                         }
                         self->m_entries[key].Id = *id;
                         self->m_keysById[*id] = key;
                     });
}

void NotificationReminders::WaitFor(Key key, const TBWItem& message, std::chrono::milliseconds delay)
{
    Entry& entry = Put(key, message);
    if (entry.Timer == nullptr) {
        entry.Timer = new QTimer(this);
        entry.Timer->setSingleShot(true);
        connect(entry.Timer, &QTimer::timeout, this, [this, key] { Q_EMIT ComingBack(key); });
    }
    entry.Timer->start(std::max(delay, std::chrono::milliseconds(0)));
}

const TBWItem* NotificationReminders::Message(Key key) const
{
    const auto found = m_entries.find(key);
    return found != m_entries.end() ? &found->second.Message : nullptr;
}

std::optional<NotificationReminders::Key> NotificationReminders::KeyOf(quint32 id) const
{
    const auto found = m_keysById.find(id);
    return found != m_keysById.end() ? std::optional(found->second) : std::nullopt;
}

void NotificationReminders::OnAction(quint32 id, const QString& action)
{
    const std::optional<Key> key = KeyOf(id);
    if (!key) {
        return;
    }
    // Closed before the signal that says so arrives, so that the closing is not read as "Done".
    m_keysById.erase(id);
    m_entries[*key].Id.reset();
    m_desktop.Close(id);
    if (action == LaterAction) {
        WaitFor(*key, m_entries[*key].Message, LaterDelay);
        Q_EMIT Postponed(*key, std::chrono::milliseconds(LaterDelay).count());
    } else {
        Forget(*key);
        Q_EMIT Dismissed(*key);
    }
}

void NotificationReminders::OnClosed(quint32 id)
{
    if (const std::optional<Key> key = KeyOf(id)) {
        Forget(*key);
        Q_EMIT Dismissed(*key);
    }
}

void NotificationReminders::Forget(Key key)
{
    const auto found = m_entries.find(key);
    if (found == m_entries.end()) {
        return;
    }
    if (found->second.Id) {
        m_keysById.erase(*found->second.Id);
    }
    if (QTimer* timer = found->second.Timer) {
        // It may be the timer whose signal is being delivered.
        timer->stop();
        timer->deleteLater();
    }
    m_entries.erase(found);
}
