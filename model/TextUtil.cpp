#include "TextUtil.h"

#include "BWError.h"
#include "LineBreak.h"

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

bool ParseInt32(std::string_view text, std::int32_t& value)
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

std::int32_t StrToInt(std::string_view text)
{
    std::int32_t value = 0;
    if (!ParseInt32(text, value)) {
        throw EBWError(NotAValidIntegerText(text));
    }
    return value;
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback)
{
    std::int32_t value = 0;
    return ParseInt32(text, value) ? value : fallback;
}

std::string CutText(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes) {
        return std::string(text);
    }
    std::size_t end = maxBytes;
    // A UTF-8 character is at most four bytes; its continuation bytes are 10xxxxxx.
    for (int back = 0; back < 3 && end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80; ++back) {
        --end;
    }
    std::string cut(text.substr(0, end));
    cut.append("...");
    return cut;
}

void AppendCrLfToBr(std::string& target, std::string_view text)
{
    for (;;) {
        const std::size_t cr = text.find("\r\n");
        if (cr == std::string_view::npos) {
            target.append(text);
            return;
        }
        target.append(text.substr(0, cr));
        target.append("<br>");
        text.remove_prefix(cr + 2);
    }
}

std::string CrLfLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            result += "\r\n";
            i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 1 : 0;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string CrLfToBr(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    AppendCrLfToBr(result, text);
    return result;
}

std::string BrToCrLf(std::string_view text)
{
    std::string result;
    AssignBrToCrLf(result, text);
    return result;
}

void AssignBrToCrLf(std::string& target, std::string_view text)
{
    std::size_t open = text.find('<');
    if (open == std::string_view::npos) {
        target.assign(text); // the usual case: one copy, into storage the string may already have
        return;
    }
    target.clear();
    target.reserve(text.size());
    std::size_t from = 0;
    for (; open != std::string_view::npos; open = text.find('<', open + 1)) {
        if (open + 4 <= text.size() && SameText(text.substr(open, 4), "<br>")) {
            target.append(text.substr(from, open - from));
            target.append("\r\n");
            from = open + 4;
            open += 3;
        }
    }
    target.append(text.substr(from));
}

namespace {

// Calls emit(start, length) for every line; CR LF, lone CR and lone LF end a line, and a final
// break adds no empty line.
template <typename Emit>
void ForEachLine(std::string_view text, Emit&& emit)
{
    const char* data = text.data();
    const std::size_t size = text.size();
    std::size_t start = 0;
    while (start < size) {
        std::size_t end = FindLineBreak(data, start, size);
        emit(start, end - start);
        if (end + 1 < size && data[end] == '\r' && data[end + 1] == '\n') {
            ++end;
        }
        start = end + 1;
    }
}

} // namespace

void SplitLines(std::string_view text, TStringList& lines)
{
    ForEachLine(text, [&](std::size_t start, std::size_t length) { lines.emplace_back(text.substr(start, length)); });
}

std::string_view TLineReader::Next()
{
    if (AtEnd()) {
        throw EBWError(ListIndexOutOfBoundsText(m_index));
    }
    const char* data = m_text.data();
    const std::size_t size = m_text.size();
    const std::size_t start = m_position;
    std::size_t end = FindLineBreak(data, start, size);
    const std::string_view line = m_text.substr(start, end - start);
    if (end + 1 < size && data[end] == '\r' && data[end + 1] == '\n') {
        ++end;
    }
    m_position = end + 1;
    ++m_index;
    return line;
}

std::size_t TLineReader::SkipRest()
{
    std::size_t count = 0;
    for (; !AtEnd(); ++count) {
        Next();
    }
    return count;
}

const std::string& LineAt(const TStringList& lines, long long index)
{
    if (index < 0 || static_cast<unsigned long long>(index) >= lines.size()) {
        throw EBWError(ListIndexOutOfBoundsText(index));
    }
    return lines[static_cast<std::size_t>(index)];
}
