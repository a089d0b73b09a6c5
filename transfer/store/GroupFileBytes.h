#pragma once

#include "ItemList.h"

#include <string>

// A group file's bytes in memory, as a publish makes them and a fetch checks them before they may
// replace anything.

[[nodiscard]] std::string SealGroupFile(const TBWItemList& items, const std::string& password);

struct OpenedGroupFile
{
    enum class Verdict
    {
        Ok,
        NotAGroupFile,  // not the container's shape (an error page, a cut file, anything else)
        WrongPassword,  // the container, but it does not open with the password (or is damaged inside)
        DamagedRecords, // it opens, but its records cannot be read
    };

    Verdict Check = Verdict::Ok;
    std::string Reason; // for the user, when not Ok

    [[nodiscard]] bool IsOk() const { return Check == Verdict::Ok; }
};

// Reads the bytes into items when they are a group file that opens with the password; otherwise
// says why and leaves items in an unspecified state. Never throws for what the bytes hold.
[[nodiscard]] OpenedGroupFile OpenGroupFile(std::string bytes, const std::string& password, TBWItemList& items);
