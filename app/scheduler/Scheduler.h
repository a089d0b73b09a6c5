#pragma once

#include "GroupList.h"
#include "ItemList.h"

#include <filesystem>
#include <optional>
#include <unordered_set>

class Clock;
class ReminderDelivery;
class TickJobs;

// Everything the program does without being asked, driven by a one-second tick: the backup of
// the personal list every 300 ticks, the pull of the groups every 60, the due scan every 5 and
// the chime every 10. The counter runs 1 ... 10000, 0, 1, ... so tick 0 does all four.
//
// The tick is re-entrant by design: the pull waits for its transfers while the event loop runs,
// and ticks arriving meanwhile run in full inside it.
class Scheduler
{
public:
    static constexpr int BackupEvery = 300;
    static constexpr int PullEvery = 60;
    static constexpr int ScanEvery = 5;
    static constexpr int ChimeEvery = 10;
    // The most lines of an execute-files message that are opened as programs.
    static constexpr int MaxProgramLines = 100;
    // The most messages one scan delivers; the scan goes on at the next tick. A list with thousands
    // due at once (a group file can hold them) then never holds the window up for long.
    static constexpr int MaxDeliveriesPerScan = 100;

    Scheduler(TBWItemList& personalList, const TBWGroupList& groupList, TBWGroupItemLists& groupItemLists,
              std::filesystem::path dataFolder, const Clock& clock, ReminderDelivery& delivery, TickJobs& jobs);

    void Tick();
    // Delivers every due message of the personal list and of each enabled group's list, at most
    // once per message id in one scan; the personal list goes first. A scan that reaches
    // MaxDeliveriesPerScan goes on at the next tick.
    void CheckDueMessages();
    // By kind: a pop-up, the listed programs, or nothing. groupName is empty for the user's own list.
    void DeliverReminder(const TBWItem& message, const std::string& groupName);
    void ExecuteFiles(const TBWItem& message, const std::string& groupName);

    [[nodiscard]] int TickCounter() const { return m_tickCounter; }
    void SetTickCounter(int value) { m_tickCounter = value; }
    [[nodiscard]] bool ChimeEnabled() const { return m_chimeEnabled; }
    void SetChimeEnabled(bool enabled) { m_chimeEnabled = enabled; }

    // Until the moment, deliveries wait: the due scan and the chime do not run, so nothing is marked
    // as delivered and whatever came due meanwhile comes at the first tick after, as reminders missed
    // while the program was not running do (also after a restart, which ends the pause). No due
    // moment changes.
    void PauseUntil(double until) { m_pausedUntil = until; }
    // The pause ends now; what waited comes at the next tick.
    void Resume();
    [[nodiscard]] std::optional<double> PausedUntil() const { return m_pausedUntil; }

private:
    void Chime();
    void Log(const TBWItem& message, const char* kindText);
    void Log(double lastDueTime, const char* kindText, const std::string& author, const std::string& title);

    TBWItemList& m_personalList;
    const TBWGroupList& m_groupList;
    TBWGroupItemLists& m_groupItemLists;
    std::filesystem::path m_dataFolder;
    const Clock& m_clock;
    ReminderDelivery& m_delivery;
    TickJobs& m_jobs;
    int m_tickCounter = 0;
    bool m_chimeEnabled = false;
    std::optional<double> m_pausedUntil;
    bool m_scanAtNextTick = false;
    // The ids a scan cut short by MaxDeliveriesPerScan has delivered so far.
    std::unordered_set<std::int32_t> m_scanDelivered;
    std::string m_lastLogFailure;
};
