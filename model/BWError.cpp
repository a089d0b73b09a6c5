#include "BWError.h"

std::string ListIndexOutOfBoundsText(long long index)
{
    return "List index out of bounds (" + std::to_string(index) + ")";
}

std::string NotAValidIntegerText(const std::string& text)
{
    return "'" + text + "' is not a valid integer value";
}
