#pragma once

#include "TextUtil.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// How bwlist renders record fields in its tables.

// YYYY-MM-DD hh:mm:ss, to the nearest second.
[[nodiscard]] std::string DateTimeText(double dateTime);
// "Simple message", "Execute file(s)", or the number in brackets for an unknown kind.
[[nodiscard]] std::string KindText(std::uint8_t kind);
// "None", "Daily", "Weekly", "Monthly", "Yearly", or the number in brackets.
[[nodiscard]] std::string RepeatText(std::uint8_t repeatKind);
// One letter per weekday Monday..Sunday ("MTWTFSS"), '-' where the message is inactive.
[[nodiscard]] std::string WeekdaysText(const std::array<bool, 8>& dayFlags);
// "File", "FTP", "HTTP", or the number in brackets.
[[nodiscard]] std::string LocationKindText(std::uint8_t locationKind);
// The names joined by ", ".
[[nodiscard]] std::string JoinNames(const TStringList& names);
// Keeps a table cell on one line: CR LF becomes \n, and other control bytes are escaped.
[[nodiscard]] std::string OneLine(std::string_view text);
