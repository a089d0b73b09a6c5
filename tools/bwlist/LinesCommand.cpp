#include "BwList.h"
#include "Commands.h"
#include "Container.h"

#include <ostream>

int RunLinesCommand(const TBwListArguments& arguments, std::ostream& out)
{
    TStringList lines;
    const bool checkFailed = LoadLinesEncrypted(lines, arguments.FileName, arguments.Password);
    for (const std::string& line : lines) {
        out << line << '\n';
    }
    return checkFailed ? ExitCheckFailed : ExitOk;
}
