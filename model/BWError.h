#pragma once

#include <stdexcept>
#include <string>

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

// Builders for the texts that recur in several places.
[[nodiscard]] std::string ListIndexOutOfBoundsText(long long index);
[[nodiscard]] std::string NotAValidIntegerText(const std::string& text);
