#include "Launch.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // The launcher ends with 0 whatever happened: nobody waits for its answer, and it shows nothing.
    try {
        std::vector<std::string> arguments;
        for (int i = 1; i < argc; ++i) {
            arguments.emplace_back(argv[i]);
        }
        Launch(arguments);
    } catch (...) {
    }
    return 0;
}
