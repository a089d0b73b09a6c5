#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits a command line into its words. Blanks (codes 1 to 32) separate words, double quotes group a
// stretch of text with its blanks into one word and are themselves dropped, and an empty pair of quotes
// between words stands for nothing. The line ends at its first NUL. The program's own path, when the line
// starts with it, is returned as the first word like any other.
std::vector<std::string> SplitArguments(std::string_view commandLine);
