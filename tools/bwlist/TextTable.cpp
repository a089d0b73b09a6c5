#include "TextTable.h"

#include <algorithm>
#include <ostream>

namespace {

constexpr std::size_t Unlimited = static_cast<std::size_t>(-1);
constexpr const char* Ellipsis = "...";

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

void PrintRow(std::ostream& out, const std::vector<std::string>& cells, const std::vector<std::size_t>& widths)
{
    std::string line;
    for (std::size_t column = 0; column < cells.size(); ++column) {
        if (column > 0) {
            line += "  ";
        }
        line += cells[column];
        line.append(widths[column] - DisplayWidth(cells[column]), ' ');
    }
    // The last columns may be empty; trailing blanks would only get in the way of diff and grep.
    line.erase(line.find_last_not_of(' ') + 1);
    out << line << '\n';
}

} // namespace

std::size_t DisplayWidth(const std::string& text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuationByte(c); }));
}

std::string Abbreviate(const std::string& text, std::size_t width)
{
    if (DisplayWidth(text) <= width) {
        return text;
    }
    const std::size_t keep = width > 3 ? width - 3 : 0;
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size(); ++end) {
        if (!IsContinuationByte(text[end])) {
            if (characters == keep) {
                break;
            }
            ++characters;
        }
    }
    return text.substr(0, end) + Ellipsis;
}

TTextTable::TTextTable(std::vector<std::string> headers)
    : m_headers(std::move(headers)), m_maxWidths(m_headers.size(), Unlimited)
{}

void TTextTable::SetMaxWidth(std::size_t column, std::size_t width)
{
    m_maxWidths.at(column) = std::max<std::size_t>(width, 4);
}

void TTextTable::AddRow(std::vector<std::string> cells)
{
    cells.resize(m_headers.size());
    for (std::size_t column = 0; column < cells.size(); ++column) {
        if (m_maxWidths[column] != Unlimited) {
            cells[column] = Abbreviate(cells[column], m_maxWidths[column]);
        }
    }
    m_rows.push_back(std::move(cells));
}

void TTextTable::Print(std::ostream& out) const
{
    std::vector<std::size_t> widths(m_headers.size());
    for (std::size_t column = 0; column < m_headers.size(); ++column) {
        widths[column] = DisplayWidth(m_headers[column]);
        for (const auto& row : m_rows) {
            widths[column] = std::max(widths[column], DisplayWidth(row[column]));
        }
    }
    PrintRow(out, m_headers, widths);
    for (const auto& row : m_rows) {
        PrintRow(out, row, widths);
    }
}
