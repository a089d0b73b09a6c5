#pragma once

#include "ItemList.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

// What this program last wrote into a list file: a digest of the text and password it sealed, and
// the file's identity on disk right after. Lists saved again and again (a group's working list,
// every minute) need not be enciphered, written and flushed when nothing in them changed.
struct TSavedListStamp
{
    struct TFileIdentity
    {
        std::uint64_t Device = 0;
        std::uint64_t Inode = 0;
        std::int64_t Size = -1;
        std::int64_t ModifiedNs = 0;
        std::int64_t ChangedNs = 0;

        bool operator==(const TFileIdentity&) const = default;
    };

    std::array<unsigned char, 32> Digest{};
    TFileIdentity File;
};

// SaveItemList, skipped when the file is still the very one this stamp describes and the list and
// password would seal to the same text; returns whether the file was written. The stamp is
// brought up to date by a save and left as it was when a save fails.
bool SaveItemListIfChanged(const TBWItemList& list, const std::filesystem::path& fileName, const std::string& password,
                           TSavedListStamp& stamp);
