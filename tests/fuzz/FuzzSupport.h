#pragma once

#include "TBWItem.h"
#include "TBWListLocation.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// Shared by the fuzz targets. A failed property is a finding: it is reported and the process
// aborts, so that libFuzzer saves the input.

[[noreturn]] void FuzzFinding(const char* what);
inline void FuzzCheck(bool holds, const char* what)
{
    if (!holds) {
        FuzzFinding(what);
    }
}

[[nodiscard]] inline std::string_view FuzzBytes(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// Every field equal, DayFlags[0] included.
[[nodiscard]] bool SameItem(const TBWItem& a, const TBWItem& b);
[[nodiscard]] bool SameLocation(const TBWListLocation& a, const TBWListLocation& b);

// A container whose payload is given in plain: the header bytes as they are, then the payload zero
// padded to whole blocks and enciphered with the password. Lets the fuzzer reach what lies behind
// the cipher (length, line count, the lines themselves).
[[nodiscard]] std::string EncipheredContainer(std::string_view header, std::string_view payload,
                                              const std::string& password);

// A file name of this process's own in a memory-backed folder when there is one.
[[nodiscard]] std::filesystem::path FuzzScratchFile(const std::string& name);
