#include "SplitArguments.h"

#include <utility>

namespace {

bool IsBlank(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

} // namespace

std::vector<std::string> SplitArguments(std::string_view commandLine)
{
    commandLine = commandLine.substr(0, commandLine.find('\0'));

    std::vector<std::string> words;
    std::size_t pos = 0;
    const std::size_t end = commandLine.size();
    for (;;) {
        for (;;) {
            while (pos < end && IsBlank(commandLine[pos])) {
                ++pos;
            }
            if (pos + 1 < end && commandLine[pos] == '"' && commandLine[pos + 1] == '"') {
                pos += 2;
            } else {
                break;
            }
        }
        if (pos == end) {
            return words;
        }

        std::string word;
        bool quoted = false;
        for (; pos < end && (quoted || !IsBlank(commandLine[pos])); ++pos) {
            if (commandLine[pos] == '"') {
                quoted = !quoted;
            } else {
                word += commandLine[pos];
            }
        }
        words.push_back(std::move(word));
    }
}
