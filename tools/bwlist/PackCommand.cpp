#include "BWError.h"
#include "BwList.h"
#include "Commands.h"
#include "Container.h"

#include <istream>
#include <iterator>

namespace {

// Splits standard input at LF, dropping one CR before each LF; a last line without LF counts too.
TStringList ReadInputLines(std::istream& in)
{
    const std::string input{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        throw EBWError("Cannot read standard input");
    }
    TStringList lines;
    std::size_t start = 0;
    while (start < input.size()) {
        std::size_t end = input.find('\n', start);
        const bool lastLine = end == std::string::npos;
        if (lastLine) {
            end = input.size();
        }
        std::size_t contentEnd = end;
        if (contentEnd > start && input[contentEnd - 1] == '\r') {
            --contentEnd;
        }
        lines.push_back(input.substr(start, contentEnd - start));
        start = end + 1;
    }
    return lines;
}

// A reader splits the container's text at every CR or LF and stops at the first zero byte, so such
// a line would come back as different lines and fail the line-count check: refuse to write it.
void CheckStorable(const TStringList& lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find_first_of(std::string_view("\r\0", 2)) != std::string::npos) {
            throw EBWError("Line " + std::to_string(i + 1) +
                           " holds a carriage return or a zero byte, which a list file cannot keep");
        }
    }
}

} // namespace

int RunPackCommand(const TBwListArguments& arguments, std::istream& in)
{
    const TStringList lines = ReadInputLines(in);
    CheckStorable(lines);
    // The file may be one that others read on purpose (a group file published on a web server).
    SaveLinesEncrypted(lines, arguments.FileName, arguments.Password, AtomicFileWriter::NewFile::PrivateIfNew);
    return ExitOk;
}
