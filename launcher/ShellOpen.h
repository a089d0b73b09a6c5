#pragma once

#include <string>

// Asks the desktop to open a file, program, folder or address, handing a program the given parameters.
// Returns at once; whatever was started runs on its own, and a failure is neither reported nor retried.
// Each platform has its own implementation file.
void ShellOpen(const std::string& file, const std::string& parameters);
