#pragma once

#include "GroupStore.h"
#include "TransferSettings.h"

#include <memory>

class CancelSignal;
class TBWListLocation;

// The store for a group's location, by its kind; null for a kind this program does not know.
[[nodiscard]] std::unique_ptr<GroupStore> OpenGroupStore(const TBWListLocation& group, const TransferSettings& settings,
                                                         CancelSignal& cancel);
