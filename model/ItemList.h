#pragma once

#include "AtomicFileWriter.h"
#include "TBWItem.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A message list owns its messages; a message's address stays fixed while it is in the list.
using TBWItemList = std::vector<std::unique_ptr<TBWItem>>;
using TItemComparison = std::function<int(const TBWItem&, const TBWItem&)>;

enum TLoadResult : int
{
    LoadOk = 0,
    LoadCheckFailed = 1,
    LoadNoFile = 2,
};

[[nodiscard]] int FindItemById(const TBWItemList& list, std::int32_t id);
[[nodiscard]] bool IsListSorted(const TBWItemList& list, const TItemComparison& compare);
// Makes target follow source: same ids, local LastDueTime kept, existing messages advanced to now.
void MergeItemList(TBWItemList& target, const TBWItemList& source, double now);
// Takes every occurrence that has come by now as if it had been delivered, and delivers nothing:
// what a member who only now joins a group has missed is not to be replayed. Returns how many
// messages had one.
int TakePastOccurrences(TBWItemList& list, double now);
// A list file's text: "1", the message count, then each message's 10 lines, all ending in CR LF.
// Reading refills the records the list already holds rather than freeing and making them anew; it
// returns the number of lines in the text (for the container's check). A failure keeps the records
// read before it.
std::size_t ItemListFromText(TBWItemList& list, std::string_view text);
void AppendItemListText(const TBWItemList& list, std::string& text);
// The lines AppendItemListText writes for the list: what the container stores as its check.
[[nodiscard]] std::size_t ItemListLineCount(const TBWItemList& list);
void SaveItemList(const TBWItemList& list, const std::filesystem::path& fileName, const std::string& password,
                  AtomicFileWriter::NewFile newFile = AtomicFileWriter::NewFile::Private);
[[nodiscard]] int LoadItemList(TBWItemList& list, const std::filesystem::path& fileName, const std::string& password);

// The fixed password of the personal list files.
inline constexpr const char* PersonalListPassword = "58203";
