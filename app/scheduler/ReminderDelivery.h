#pragma once

#include "CommandLine.h"
#include "TBWItem.h"

#include <functional>
#include <string>
#include <vector>

// How a due message reaches the user. Every call returns at once: a window opened here must not
// be modal, because the due scan that calls it is walking the lists.
class ReminderDelivery
{
public:
    virtual ~ReminderDelivery() = default;

    // A simple message: the reminder pop-up, with its alert sound. groupName is empty for the user's
    // own list.
    virtual void ShowReminder(const TBWItem& message, const std::string& groupName) = 0;
    // One command line of an execute-files message of the user's own list; the user is told when
    // there is nothing by that name to open.
    virtual void OpenProgram(const TBWItem& message, const std::string& program, const std::string& parameters) = 0;
    // An execute-files message that arrived through a group: nothing runs until the user agrees.
    // answered(run) follows the user's answer, if one comes.
    virtual void ConfirmExecuteFiles(const TBWItem& message, const std::string& groupName,
                                     const std::vector<TSplitCommandLine>& commands,
                                     std::function<void(bool run)> answered) = 0;
    // The chime before the full hour.
    virtual void Beep() = 0;
    // The delivery log could not be written; called once per distinct failure.
    virtual void LogFailed(const std::string& text) = 0;
};

// The periodic jobs of the tick that belong to the rest of the program.
class TickJobs
{
public:
    virtual ~TickJobs() = default;

    virtual void SaveBackup() = 0;
    virtual void PullGroups() = 0;
    // After the user's own messages were scanned: keep the list sorted if asked, repaint it.
    virtual void PersonalPassDone() = 0;
};
