#pragma once

#include "ItemList.h"

#include <QString>

// The tray icon's tooltip: the program's name and the reminder that comes up next, as the list shows
// its due moment ("Bellwick — next: 14:05 Standup"); the name alone while nothing is pending.
[[nodiscard]] QString NextReminderText(const TBWItemList& messages, double now);

// The pending message with the earliest due moment, or nullptr. A message whose moment has passed is
// not pending (its mark in the list is grey), whether or not it repeats.
[[nodiscard]] const TBWItem* NextPendingMessage(const TBWItemList& messages, double now);
