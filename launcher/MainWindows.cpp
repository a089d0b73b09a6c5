#ifdef _WIN32

#include "Launch.h"
#include "SplitArguments.h"

#include <windows.h>

// A windowed program without a window: nothing shows, not even a console.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        std::vector<std::string> arguments = SplitArguments(GetCommandLineA());
        if (!arguments.empty()) {
            // The first word is the launcher's own path.
            arguments.erase(arguments.begin());
        }
        // A windowed program has no standard error to tell it on.
        (void)Launch(arguments);
    } catch (...) {
    }
    return 0;
}

#endif
