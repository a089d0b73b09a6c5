#pragma once

#include "ProcessLists.h"

#include <QString>

#include <string>
#include <vector>

// The tray icon's tooltip: the program's name and the reminder that comes up next, as the list shows
// its due moment ("Bellwick — next: 14:05 Standup"); the name alone while nothing is pending. A
// reminder put off that comes back earlier is named instead ("Bellwick — next: Standup, postponed
// until 14:35"); its DueTime is the moment it comes back.
// next is the first of NextPendingMessages, or nullptr.
[[nodiscard]] QString NextReminderText(const TBWItem* next, double now, const TBWItem* postponed = nullptr);

// A pending message and the group it comes through (empty for the user's own).
struct PendingMessage
{
    const TBWItem* Message;
    std::string GroupName;
};

// The count pending messages that come up first, in that order; fewer if fewer are pending. They
// are those that will come up on this desktop: the user's own (except those sent to recipients
// only) and those of the enabled groups. A message whose moment has passed is not pending; one due
// on an inactive weekday comes on the next active one.
[[nodiscard]] std::vector<PendingMessage> NextPendingMessages(const ProcessLists& lists, double now, std::size_t count);
