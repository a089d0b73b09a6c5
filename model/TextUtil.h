#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using TStringList = std::vector<std::string>;

// Case-insensitive comparison of 8-bit text (ASCII letters fold; other bytes compare as they are).
[[nodiscard]] bool SameText(std::string_view a, std::string_view b);
[[nodiscard]] int CompareText(std::string_view a, std::string_view b);
[[nodiscard]] bool ContainsText(const TStringList& list, std::string_view name);

// Parses a whole line as a decimal signed 32-bit integer; anything else (including a value out of
// range) fails with "'<line>' is not a valid integer value".
[[nodiscard]] std::int32_t StrToInt(std::string_view text);
// The same, giving the default instead of failing.
[[nodiscard]] std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback);

// Every CR LF pair becomes "<br>", and the reverse (matching "<br>" in any letter case).
[[nodiscard]] std::string CrLfToBr(std::string_view text);
[[nodiscard]] std::string BrToCrLf(std::string_view text);
// BrToCrLf into an existing string, reusing its storage.
void AssignBrToCrLf(std::string& target, std::string_view text);
void AppendCrLfToBr(std::string& target, std::string_view text);
// Every line break (CR LF, lone CR, lone LF) as CR LF, the one a field of a list file keeps: a lone CR
// or LF would split the record where it is stored.
[[nodiscard]] std::string CrLfLineBreaks(std::string_view text);

// At most maxBytes of the text, cut where a UTF-8 character begins, and "..." after it when anything
// was left out. A line of a file can be as long as the file: what the program quotes of one in a
// message or a log line is bounded with this.
[[nodiscard]] std::string CutText(std::string_view text, std::size_t maxBytes);

// Splits at CR LF, lone CR or lone LF; a final line break adds no empty line.
void SplitLines(std::string_view text, TStringList& lines);

// Reads the lines of a text held elsewhere one after another, split as SplitLines splits them,
// without building a list of them first.
class TLineReader
{
public:
    explicit TLineReader(std::string_view text) : m_text(text) {}

    [[nodiscard]] bool AtEnd() const { return m_position >= m_text.size(); }
    // The next line; past the last one, fails with "List index out of bounds (index)".
    std::string_view Next();
    // How many lines were read so far: the index of the next line.
    [[nodiscard]] long long Index() const { return m_index; }
    // Reads the remaining lines and returns how many there were.
    std::size_t SkipRest();

private:
    std::string_view m_text;
    std::size_t m_position = 0;
    long long m_index = 0;
};

// The line at index, failing with "List index out of bounds (index)" past the end.
[[nodiscard]] const std::string& LineAt(const TStringList& lines, long long index);
