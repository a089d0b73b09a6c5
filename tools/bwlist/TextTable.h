#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

// A plain-text table: a header line, then the rows, columns padded to their widest cell and
// separated by two spaces. Widths count UTF-8 characters, so accented names keep the columns straight.
class TTextTable
{
public:
    explicit TTextTable(std::vector<std::string> headers);

    // Cells of the column longer than width characters are cut and end in "...".
    void SetMaxWidth(std::size_t column, std::size_t width);
    // A row with fewer cells than columns is filled up with empty cells; extra cells are dropped.
    void AddRow(std::vector<std::string> cells);
    void Print(std::ostream& out) const;

private:
    std::vector<std::string> m_headers;
    std::vector<std::size_t> m_maxWidths;
    std::vector<std::vector<std::string>> m_rows;
};

// The number of characters the text shows as, counting each UTF-8 sequence once.
[[nodiscard]] std::size_t DisplayWidth(const std::string& text);
// The text cut to at most width characters, never inside a UTF-8 sequence, marked with "..." when cut.
[[nodiscard]] std::string Abbreviate(const std::string& text, std::size_t width);
