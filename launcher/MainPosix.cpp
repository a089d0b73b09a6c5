#include "Launch.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // The launcher ends with 0 whatever happened: nobody waits for its answer, and it shows no window.
    // Whoever started it from a terminal or a script reads on standard error what could not be opened.
    try {
        std::vector<std::string> arguments;
        for (int i = 1; i < argc; ++i) {
            arguments.emplace_back(argv[i]);
        }
        const std::string problem = Launch(arguments);
        std::fputs(problem.c_str(), stderr);
    } catch (...) {
    }
    return 0;
}
