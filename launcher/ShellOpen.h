#pragma once

#include <string>

enum class ShellOpenResult
{
    Started,     // handed to the program or the desktop's handler, which runs on its own
    NotFound,    // no such file, folder, program or address
    StartFailed, // there is something, but neither it nor a handler for it could be started
};

// Asks the desktop to open a file, program, folder or address, handing a program the given parameters.
// Returns at once; whatever was started runs on its own and is not waited for. Each platform has its
// own implementation file.
ShellOpenResult ShellOpen(const std::string& file, const std::string& parameters);
