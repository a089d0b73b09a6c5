#include "CommandLine.h"

TSplitCommandLine SplitCommandLine(const std::string& line)
{
    const std::string padded = line + ' ';
    TSplitCommandLine result;
    std::size_t parametersStart = 0;
    if (!padded.empty() && padded.front() == '"') {
        const std::size_t closing = padded.find("\" ");
        if (closing == std::string::npos) {
            return result;
        }
        result.Program = closing == 0 ? std::string() : line.substr(1, closing - 1);
        parametersStart = closing + 2;
    } else {
        const std::size_t space = padded.find(' ');
        result.Program = line.substr(0, space);
        parametersStart = space + 1;
    }
    result.Parameters = parametersStart < line.size() ? line.substr(parametersStart) : std::string();
    result.Success = true;
    return result;
}
