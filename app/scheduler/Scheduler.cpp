#include "Scheduler.h"

#include "BWError.h"
#include "Clock.h"
#include "CommandLine.h"
#include "DateTime.h"
#include "Log.h"
#include "LogTimeText.h"
#include "ReminderDelivery.h"

#include <cmath>

Scheduler::Scheduler(TBWItemList& personalList, const TBWGroupList& groupList, TBWGroupItemLists& groupItemLists,
                     std::filesystem::path dataFolder, const Clock& clock, ReminderDelivery& delivery, TickJobs& jobs)
    : m_personalList(personalList), m_groupList(groupList), m_groupItemLists(groupItemLists),
      m_dataFolder(std::move(dataFolder)), m_clock(clock), m_delivery(delivery), m_jobs(jobs)
{}

void Scheduler::Resume()
{
    if (m_pausedUntil) {
        m_pausedUntil.reset();
        m_scanAtNextTick = true;
    }
}

void Scheduler::Tick()
{
    m_tickCounter = m_tickCounter >= 10000 ? 0 : m_tickCounter + 1;
    if (m_pausedUntil && m_clock.Now() >= *m_pausedUntil) {
        Resume();
    }
    // Each step reads the counter anew: ticks nested in the pull's wait may have moved it.
    if (m_tickCounter % BackupEvery == 0) {
        m_jobs.SaveBackup();
    }
    if (m_tickCounter % PullEvery == 0) {
        m_jobs.PullGroups();
    }
    // What waited through a pause comes as soon as it ends, not up to a scan interval later.
    if (!m_pausedUntil && (m_scanAtNextTick || m_tickCounter % ScanEvery == 0)) {
        m_scanAtNextTick = false;
        CheckDueMessages();
    }
    if (m_chimeEnabled && !m_pausedUntil && m_tickCounter % ChimeEvery == 0) {
        Chime();
    }
}

void Scheduler::Chime()
{
    const double now = m_clock.Now();
    const long long msecs = std::llround(TimePart(now) * 86400000.0);
    const long long minute = msecs / 60000 % 60;
    const long long second = msecs / 1000 % 60;
    if ((minute == 57 || minute == 59) && second < 15 && DayOfTheWeek(now) <= 5) {
        m_delivery.Beep();
    }
}

void Scheduler::CheckDueMessages()
{
    // Each message is tested against the current moment. The moment is read again after every
    // delivery (a window, programs, a log line: the only steps of a scan that take time) and after
    // the personal pass; between them the scan takes microseconds, and a clock read for each of
    // thousands of messages would cost the idle program more than the whole scan.
    double now = m_clock.Now();
    int delivered = 0;
    // Delivers the message if it is due. Once the scan has delivered its most it does not look,
    // which leaves the message's occurrence to the scan's continuation.
    const auto deliverIfDue = [&](TBWItem& message, const std::string& groupName, bool personal) {
        if (delivered >= MaxDeliveriesPerScan || !message.CheckDue(now) || (personal && message.DayFlags[0]) ||
            m_scanDelivered.contains(message.Id)) {
            return;
        }
        DeliverReminder(message, groupName);
        m_scanDelivered.insert(message.Id);
        ++delivered;
        now = m_clock.Now();
    };
    // Index loops: a delivery must not change the lists, but an index stays valid if one does.
    for (std::size_t i = 0; i < m_personalList.size(); ++i) {
        deliverIfDue(*m_personalList[i], {}, true);
    }
    if (delivered < MaxDeliveriesPerScan) {
        m_jobs.PersonalPassDone();
        now = m_clock.Now();
        for (std::size_t g = 0; g < m_groupList.size(); ++g) {
            const TBWListLocation& group = *m_groupList[g];
            TBWItemList* items = group.Enabled ? m_groupItemLists.Find(group.Name) : nullptr;
            for (std::size_t i = 0; items != nullptr && i < items->size(); ++i) {
                deliverIfDue(*(*items)[i], group.Name, false);
            }
        }
    }
    if (delivered >= MaxDeliveriesPerScan) {
        // What is left comes at the next tick, still at most once per id with what came now.
        m_scanAtNextTick = true;
    } else {
        m_scanDelivered.clear();
    }
}

void Scheduler::DeliverReminder(const TBWItem& message, const std::string& groupName)
{
    switch (message.Kind) {
    case KindSimpleMessage:
        m_delivery.ShowReminder(message, groupName);
        Log(message, " || Simple message || ");
        break;
    case KindExecuteFiles:
        ExecuteFiles(message, groupName);
        break;
    default:
        break;
    }
}

void Scheduler::ExecuteFiles(const TBWItem& message, const std::string& groupName)
{
    // Only the first lines are looked at: a text of millions of lines (a group file can hold one)
    // must neither hold up the scan nor start, or ask about, millions of programs.
    std::vector<TSplitCommandLine> commands;
    TLineReader lines(message.Text);
    for (int read = 0; read < MaxProgramLines && !lines.AtEnd(); ++read) {
        TSplitCommandLine command = SplitCommandLine(std::string(lines.Next()));
        if (command.Success) {
            commands.push_back(std::move(command));
        }
    }
    if (groupName.empty()) {
        for (const TSplitCommandLine& command : commands) {
            m_delivery.OpenProgram(message, command.Program, command.Parameters);
        }
    } else if (!commands.empty()) {
        // The log says what the user decided, once the answer comes.
        m_delivery.ConfirmExecuteFiles(
            message, groupName, commands,
            [this, lastDue = message.LastDueTime, author = message.Author, title = message.Title](bool run) {
                Log(lastDue, run ? " || Execute files, run || " : " || Execute files, declined || ", author, title);
            });
    }
    Log(message, " || Execute files || ");
}

void Scheduler::Log(const TBWItem& message, const char* kindText)
{
    Log(message.LastDueTime, kindText, message.Author, message.Title);
}

void Scheduler::Log(double lastDueTime, const char* kindText, const std::string& author, const std::string& title)
{
    const std::string line = LogTimeText(m_clock.Now()).toLocal8Bit().toStdString() + " || " +
                             LogTimeText(lastDueTime).toLocal8Bit().toStdString() + kindText + LogField(author) +
                             " || " + LogField(title);
    try {
        WriteLog(m_dataFolder, line, "messages");
        m_lastLogFailure.clear();
    } catch (const EBWError& error) {
        // The reminder itself was delivered; a log that cannot be written must not stop the scan.
        if (m_lastLogFailure != error.what()) {
            m_lastLogFailure = error.what();
            m_delivery.LogFailed(m_lastLogFailure);
        }
    }
}
