#include "BWError.h"
#include "BwList.h"
#include "Commands.h"
#include "Container.h"
#include "DisplayText.h"
#include "FileIO.h"
#include "ItemList.h"
#include "TextTable.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <system_error>

namespace {

constexpr std::size_t AuthorWidth = 20;
constexpr std::size_t TitleWidth = 40;

std::vector<std::string> MessageRow(const TBWItem& item)
{
    std::string recipients = OneLine(JoinNames(item.Recipients));
    if (item.DayFlags[0]) {
        recipients += recipients.empty() ? "(not for me)" : " (not for me)";
    }
    return {std::to_string(item.Id),
            DateTimeText(item.DueTime),
            item.LastDueTime == 0.0 ? "never" : DateTimeText(item.LastDueTime),
            KindText(item.Kind),
            RepeatText(item.RepeatKind),
            WeekdaysText(item.DayFlags),
            OneLine(item.Author),
            OneLine(item.Title),
            std::move(recipients)};
}

} // namespace

int RunShowCommand(const TBwListArguments& arguments, std::ostream& out, std::ostream& err)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(arguments.FileName, error)) {
        throw EBWError("Cannot open file \"" + arguments.FileName + "\". " + std::strerror(ENOENT));
    }
    // The same steps as loading a list in the program, taken one by one so that a wrong password is
    // reported as such before the record reader trips over the noise it produced.
    std::string bytes = ReadWholeFile(arguments.FileName);
    const TOpenedContainer opened = OpenContainer(bytes, arguments.Password);
    const bool checkFailed = !opened.CheckPasses(TLineReader(opened.Text).SkipRest());
    if (checkFailed) {
        err << "bwlist: the line-count check failed: wrong password or damaged file\n";
    }
    TBWItemList items;
    ItemListFromText(items, opened.Text);

    TTextTable table({"Id", "Due", "Last due", "Kind", "Repeat", "Weekdays", "Author", "Title", "Recipients"});
    table.SetMaxWidth(6, AuthorWidth);
    table.SetMaxWidth(7, TitleWidth);
    for (const auto& item : items) {
        table.AddRow(MessageRow(*item));
    }
    table.Print(out);
    out << items.size() << (items.size() == 1 ? " message\n" : " messages\n");
    return checkFailed ? ExitCheckFailed : ExitOk;
}
