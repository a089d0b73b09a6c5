#include "Launch.h"

#include "ShellOpen.h"

std::string Launch(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments[0].empty()) {
        return {};
    }
    const std::string& target = arguments[0];
    switch (ShellOpen(target, arguments.size() >= 2 ? arguments[1] : std::string())) {
    case ShellOpenResult::Started:
        return {};
    case ShellOpenResult::NotFound:
        return "Launchel: cannot open \"" + target + "\": there is no such file, folder, program or address.\n";
    case ShellOpenResult::StartFailed:
        return "Launchel: cannot open \"" + target + "\": it could not be started, nor a program that opens it.\n";
    }
    return {};
}
