#pragma once

#include <string>
#include <vector>

// The launcher's whole job: open the first argument with the second as its parameters. The program's own
// path is not among the arguments; a third and later arguments are ignored, and no arguments open nothing.
// Returns why the target could not be opened, as a line for standard error; empty when it was handed on
// or there was nothing to open.
std::string Launch(const std::vector<std::string>& arguments);
