#include "TrayStatus.h"

#include "Clock.h"
#include "DueTimeText.h"
#include "GroupHealth.h"
#include "NextReminderText.h"
#include "PostponedReminders.h"
#include "ProcessLists.h"
#include "Scheduler.h"
#include "ShownText.h"
#include "TrayController.h"

namespace {

// A menu entry wide enough to tell reminders apart, narrow enough for any panel.
constexpr int UpcomingTitleLength = 40;
constexpr double MinutesPerDay = 1440.0;

} // namespace

TrayStatus::TrayStatus(TrayController& tray, const ProcessLists& lists, const Clock& clock, Scheduler& scheduler,
                       QObject* parent)
    : QObject(parent), m_tray(tray), m_lists(lists), m_clock(clock), m_scheduler(scheduler)
{
    connect(&m_tray, &TrayController::PauseRequested, this, &TrayStatus::Pause);
    connect(&m_tray, &TrayController::ResumeRequested, this, &TrayStatus::Resume);
}

void TrayStatus::Update()
{
    const double now = m_clock.Now();
    // One pass over every list a second, for the tooltip and the menu alike.
    const std::vector<PendingMessage> pending = NextPendingMessages(m_lists, now, TrayController::UpcomingCount);
    QString text = NextReminderText(pending.empty() ? nullptr : pending.front().Message, now,
                                    m_postponed != nullptr ? m_postponed->NextWaiting(now) : nullptr);
    const std::optional<double> pausedUntil = m_scheduler.PausedUntil();
    if (pausedUntil) {
        //: The tray icon's tooltip while reminders wait: %1 when they come, as the list shows a due moment.
        text += QLatin1Char('\n') + tr("Reminders paused until %1").arg(DueTimeText(*pausedUntil, now));
    }
    // A group whose reminders have stopped arriving must not go unnoticed in the tray.
    const QString failures = m_health != nullptr ? m_health->LongFailures(m_lists.GroupList, now) : QString();
    if (!failures.isEmpty()) {
        text += QLatin1Char('\n') + failures;
    }
    m_tray.SetToolTip(text);
    m_tray.SetWarning(!failures.isEmpty());
    m_tray.SetPaused(pausedUntil.has_value());

    std::vector<TrayController::Upcoming> upcoming;
    for (const PendingMessage& next : pending) {
        QString entry = DueTimeText(next.Message->EffectiveDueTime(), now) + QLatin1Char(' ') +
                        ShownLine(next.Message->Title, UpcomingTitleLength);
        const QString group = QString::fromLocal8Bit(next.GroupName);
        if (!group.isEmpty()) {
            //: A tray menu entry of a group's reminder: %1 its time and title, %2 the group.
            entry = tr("%1 (%2)").arg(entry, ShownLine(next.GroupName, UpcomingTitleLength));
        }
        upcoming.push_back({entry, next.Message->Id, group});
    }
    m_tray.SetUpcoming(upcoming);
}

void TrayStatus::Pause()
{
    m_scheduler.PauseUntil(m_clock.Now() + PauseMinutes / MinutesPerDay);
    Update();
}

void TrayStatus::Resume()
{
    m_scheduler.Resume();
    Update();
}
