#include "BWError.h"

#include "TextUtil.h"

std::string ListIndexOutOfBoundsText(long long index)
{
    return "List index out of bounds (" + std::to_string(index) + ")";
}

std::string NotAValidIntegerText(std::string_view text)
{
    return "'" + CutText(text, QuotedLineLength) + "' is not a valid integer value";
}
