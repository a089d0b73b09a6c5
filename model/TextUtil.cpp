#include "TextUtil.h"

#include "BWError.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

unsigned char FoldCase(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

} // namespace

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int CompareText(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char ca = FoldCase(static_cast<unsigned char>(a[i]));
        const unsigned char cb = FoldCase(static_cast<unsigned char>(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool ContainsText(const TStringList& list, std::string_view name)
{
    return std::any_of(list.begin(), list.end(), [name](const std::string& entry) { return SameText(entry, name); });
}

namespace {

bool ParseInt32(const std::string& text, std::int32_t& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') {
        ++first;
        if (first != last && (*first == '-' || *first == '+')) {
            return false;
        }
    }
    if (first == last) {
        return false;
    }
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last;
}

} // namespace

std::int32_t StrToInt(const std::string& text)
{
    std::int32_t value = 0;
    if (!ParseInt32(text, value)) {
        throw EBWError(NotAValidIntegerText(text));
    }
    return value;
}

std::int32_t StrToIntDef(const std::string& text, std::int32_t fallback)
{
    std::int32_t value = 0;
    return ParseInt32(text, value) ? value : fallback;
}

std::string CrLfToBr(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            result += "<br>";
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string BrToCrLf(std::string_view text)
{
    if (text.find('<') == std::string_view::npos) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '<' && i + 3 < text.size() && SameText(text.substr(i, 4), "<br>")) {
            result += "\r\n";
            i += 3;
        } else {
            result += text[i];
        }
    }
    return result;
}

void SplitLines(std::string_view text, TStringList& lines)
{
    std::size_t start = 0;
    const std::size_t size = text.size();
    while (start < size) {
        std::size_t end = start;
        while (end < size && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        lines.emplace_back(text.substr(start, end - start));
        if (end < size && text[end] == '\r' && end + 1 < size && text[end + 1] == '\n') {
            ++end;
        }
        start = end + 1;
    }
}

const std::string& LineAt(const TStringList& lines, long long index)
{
    if (index < 0 || static_cast<unsigned long long>(index) >= lines.size()) {
        throw EBWError(ListIndexOutOfBoundsText(index));
    }
    return lines[static_cast<std::size_t>(index)];
}
