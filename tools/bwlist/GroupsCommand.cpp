#include "BWError.h"
#include "BwList.h"
#include "Commands.h"
#include "DisplayText.h"
#include "GroupList.h"
#include "TextTable.h"

#include <cerrno>
#include <cstring>
#include <ostream>

int RunGroupsCommand(const TBwListArguments& arguments, std::ostream& out)
{
    TBWGroupList groups;
    if (!LoadGroupList(groups, arguments.FileName)) {
        throw EBWError("Cannot open file \"" + arguments.FileName + "\". " + std::strerror(ENOENT));
    }
    // Neither password is shown, not even in its scrambled form: the scrambling is no cipher.
    TTextTable table({"Name", "Enabled", "Kind", "Location", "FTP user"});
    for (const auto& group : groups) {
        table.AddRow({OneLine(group->Name), group->Enabled ? "yes" : "no", LocationKindText(group->LocationKind),
                      OneLine(group->Location), OneLine(group->FtpUser)});
    }
    table.Print(out);
    out << groups.size() << (groups.size() == 1 ? " group\n" : " groups\n");
    return ExitOk;
}
