#include "Launch.h"

#include "ShellOpen.h"

void Launch(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) {
        return;
    }
    ShellOpen(arguments[0], arguments.size() >= 2 ? arguments[1] : std::string());
}
