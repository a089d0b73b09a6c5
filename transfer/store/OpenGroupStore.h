#pragma once

#include "GroupStore.h"
#include "TransferSettings.h"

#include <memory>

class CancelSignal;
class TBWListLocation;

// The store for a group's location, by its kind, with the group's own settings (TLS, passive mode,
// CA file, SSH key, web account); null for a kind this program does not know, or for a group
// whose settings could not be read. WhyNoStore says which, in words for the user.
[[nodiscard]] std::unique_ptr<GroupStore> OpenGroupStore(const TBWListLocation& group, const TransferSettings& settings,
                                                         CancelSignal& cancel);
[[nodiscard]] std::string WhyNoStore(const TBWListLocation& group);
