#pragma once

#include "FileSystem.h"
#include "ItemList.h"

#include <array>
#include <filesystem>
#include <string>

// What this program last wrote into a list file: a digest of the text and password it sealed, and
// the file's identity on disk right after. Lists saved again and again (a group's working list,
// every minute) need not be enciphered, written and flushed when nothing in them changed.
struct TSavedListStamp
{
    using TFileIdentity = FileSystem::TFileIdentity;

    std::array<unsigned char, 32> Digest{};
    TFileIdentity File;
};

// SaveItemList, skipped when the file is still the very one this stamp describes and the list and
// password would seal to the same text; returns whether the file was written. The stamp is
// brought up to date by a save and left as it was when a save fails.
bool SaveItemListIfChanged(const TBWItemList& list, const std::filesystem::path& fileName, const std::string& password,
                           TSavedListStamp& stamp);
// The same for a list already written out: ContainerHeaderSize reserved bytes, then what
// AppendItemListText wrote, with its ItemListLineCount. The list's text can be taken on one thread
// and sealed and written on another.
bool SaveListTextIfChanged(std::string bytes, std::size_t lineCount, const std::filesystem::path& fileName,
                           const std::string& password, TSavedListStamp& stamp);
