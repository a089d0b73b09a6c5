#pragma once

#include "PostponedReminders.h"
#include "Preferences.h"
#include "ReminderDelivery.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct AppContext;
class NotificationReminders;
class QWidget;
class TBWMsgForm;
class TBWOverflowForm;
class TBWRunFilesForm;

// How the due scan reaches the user in the running program: the reminder pop-up with its alert
// sound, programs opened through the desktop's shell, the question before programs from a group
// run, the chime's beep, and the error box when the delivery log cannot be written.
//
// Every call returns at once. At most MaxOpenWindows pop-ups and questions are up at a time, each
// new one a step beside the last; what comes beyond them waits in the "More reminders" window and
// comes up as the others are closed. Reminders the user puts off are kept beside the personal list
// until closed for good, and come back after a restart (RestorePostponed). The windows belong to
// themselves; those still open when the dispatcher ends (at the end of the program) go with it.
//
// With "Reminders as desktop notifications" on and a notification service at hand, a reminder is a
// notification instead of a pop-up, put off and closed in the same way; where the desktop cannot
// show it, the pop-up comes.
class ReminderDispatcher final : public QObject, public ReminderDelivery
{
    Q_OBJECT

public:
    static constexpr int ChimeFrequencyHz = 1000;
    static constexpr int ChimeDurationMs = 300;
    static constexpr int MaxOpenWindows = 10;

    // The preferences are asked for at each reminder: "Enable sounds" and the first alert sound
    // may have changed since the last one.
    ReminderDispatcher(AppContext& context, std::function<Preferences()> preferences, QObject* parent = nullptr);
    ~ReminderDispatcher() override;
    ReminderDispatcher(const ReminderDispatcher&) = delete;
    ReminderDispatcher& operator=(const ReminderDispatcher&) = delete;

    void ShowReminder(const TBWItem& message, const std::string& groupName) override;
    void OpenProgram(const TBWItem& message, const std::string& program, const std::string& parameters) override;
    void ConfirmExecuteFiles(const TBWItem& message, const std::string& groupName,
                             const std::vector<TSplitCommandLine>& commands,
                             std::function<void(bool run)> answered) override;
    void Beep() override;
    void LogFailed(const std::string& text) override;

    // While the lookup names a moment still to come, reminders put off that come back wait until then.
    void SetPauseLookup(std::function<std::optional<double>()> pausedUntil) { m_pausedUntil = std::move(pausedUntil); }
    // Puts back the reminders that were put off when the program last ended.
    void RestorePostponed();
    [[nodiscard]] const PostponedReminders& Postponed() const { return m_postponed; }

    // The windows that still exist, shown or waiting, oldest first.
    [[nodiscard]] std::vector<TBWMsgForm*> Reminders() const;
    [[nodiscard]] std::vector<TBWRunFilesForm*> RunQuestions() const;
    [[nodiscard]] TBWOverflowForm& Overflow() const { return *m_overflow; }
    // The reminders shown as notifications; none without a notification service.
    [[nodiscard]] NotificationReminders* Notifications() const { return m_notices.get(); }

Q_SIGNALS:
    // A reminder was put off, came back after a restart, or was closed for good.
    void PostponedChanged();

private:
    [[nodiscard]] bool HasRoom(const QWidget* leaving = nullptr) const;
    void ShowPopUp(const TBWItem& message, const QString& groupName);
    // key 0: a new delivery; otherwise one put off before, whose key the pop-up keeps.
    void OpenPopUp(const TBWItem& message, std::optional<double> comeBack = std::nullopt,
                   PostponedReminders::Key key = 0);
    [[nodiscard]] bool NotifiesThroughDesktop() const;
    void Notify(PostponedReminders::Key key, const TBWItem& message, const QString& groupName,
                std::function<void()> failed);
    void ConnectNotifications();
    // A notification's delay has passed: it comes back, as a notification or a pop-up, or waits on.
    void NotificationComingBack(PostponedReminders::Key key);
    // When a pause holds reminders back, its end; otherwise none.
    [[nodiscard]] std::optional<double> HeldUntil(double now) const;
    void OpenRunQuestion(const TBWItem& message, const QString& groupName,
                         const std::vector<TSplitCommandLine>& commands, std::function<void(bool run)> answered);
    void Place(QWidget& window);
    // The sender, and the group it came through if any.
    [[nodiscard]] static QString FromText(const TBWItem& message, const QString& groupName);
    void AddToOverflow(const TBWItem& message, const QString& groupName, std::function<void()> open);
    // A window has gone: the next reminder that waits in the overflow takes its place.
    void FillFreePlaces(const QWidget* leaving);
    void PlayAlert();
    // The program's error box, once the due scan that is walking the lists has ended.
    void ShowErrorLater(const QString& text);

    AppContext& m_context;
    std::function<Preferences()> m_preferences;
    std::function<std::optional<double>()> m_pausedUntil;
    PostponedReminders m_postponed;
    PostponedReminders::Key m_lastKey = 0;
    std::vector<QPointer<TBWMsgForm>> m_reminders;
    std::vector<QPointer<TBWRunFilesForm>> m_runQuestions;
    std::unique_ptr<TBWOverflowForm> m_overflow;
    std::unique_ptr<NotificationReminders> m_notices;
    double m_lastAlert = 0.0;
};
