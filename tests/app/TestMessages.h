#pragma once

#include "GroupList.h"
#include "ItemList.h"

#include <filesystem>
#include <string>

// Messages and list files for the tests and the start-up benchmark, written with the model's own
// functions so that they are exactly what the program writes.

[[nodiscard]] std::unique_ptr<TBWItem> MakeMessage(const std::string& title, double dueTime, std::int32_t id,
                                                   std::uint8_t kind = KindSimpleMessage, double lastDueTime = 0.0);
// Titles, kinds and due moments that look like a real user's list, spread around the moment.
[[nodiscard]] TBWItemList MakeSampleList(int count, double around);
void WritePersonalList(const std::filesystem::path& dataFolder, const TBWItemList& messages);
[[nodiscard]] std::unique_ptr<TBWListLocation> MakeGroup(const std::string& name, const std::string& password,
                                                         bool enabled);
