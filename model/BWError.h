#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// The one failure type of the model. Its text is what the user sees in the error box, so it
// carries the program's exact wording ("Stream read error", "List index out of bounds (3)", ...).
class EBWError : public std::runtime_error
{
public:
    explicit EBWError(const std::string& text) : std::runtime_error(text) {}
};

// A failure of the cipher layer; kept distinct so callers can tell a damaged container apart.
class EAESError : public EBWError
{
public:
    explicit EAESError(const std::string& text) : EBWError(text) {}
};

// Builders for the texts that recur in several places. A line quoted from a file is cut to
// QuotedLineLength bytes: the text goes into message boxes and notices, and the line may be huge.
inline constexpr std::size_t QuotedLineLength = 64;
[[nodiscard]] std::string ListIndexOutOfBoundsText(long long index);
[[nodiscard]] std::string NotAValidIntegerText(std::string_view text);
