#pragma once

#include <QObject>

class Clock;
class GroupHealth;
class PostponedReminders;
class Scheduler;
class TrayController;
struct ProcessLists;

// Keeps the tray icon telling what the program is doing: the tooltip (the reminder that comes up
// next, a pause, groups whose reminders have stopped arriving), the warning mark, the next reminders
// in the menu, and the pause that the menu starts and ends.
class TrayStatus : public QObject
{
    Q_OBJECT

public:
    static constexpr int PauseMinutes = 60;

    // The postponed reminders and the groups' health may be absent while the window is built.
    TrayStatus(TrayController& tray, const ProcessLists& lists, const Clock& clock, Scheduler& scheduler,
               QObject* parent = nullptr);

    void SetPostponed(const PostponedReminders* postponed) { m_postponed = postponed; }
    void SetHealth(const GroupHealth* health) { m_health = health; }

    // Reads everything anew; the tray passes on only what changed.
    void Update();
    void Pause();
    void Resume();

private:
    TrayController& m_tray;
    const ProcessLists& m_lists;
    const Clock& m_clock;
    Scheduler& m_scheduler;
    const PostponedReminders* m_postponed = nullptr;
    const GroupHealth* m_health = nullptr;
};
