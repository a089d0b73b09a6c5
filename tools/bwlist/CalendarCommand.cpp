#include "AtomicFileWriter.h"
#include "BWError.h"
#include "BwList.h"
#include "CalendarExport.h"
#include "CalendarImport.h"
#include "Commands.h"
#include "FileIO.h"
#include "LocalNow.h"

#include <ostream>

namespace {

int ReportLeftOut(const std::vector<CalendarSkip>& skipped, const char* what, std::ostream& out)
{
    for (const CalendarSkip& skip : skipped) {
        out << what << ' ' << skip.Entry << ": " << skip.Reason << '\n';
    }
    return skipped.empty() ? ExitOk : ExitLeftOut;
}

int Import(const TBwListArguments& arguments, std::ostream& out, std::ostream& err)
{
    // Read first: a calendar that cannot be read leaves the list file as it was.
    const CalendarImport read = ReadCalendar(ReadWholeFile(arguments.CalendarFileName));
    TBWItemList list;
    const int loaded = LoadItemList(list, arguments.FileName, arguments.Password);
    if (loaded == LoadCheckFailed) {
        // Saving what was read of it would write the noise of a wrong password over the list.
        err << "bwlist: the line-count check failed: wrong password or damaged file; nothing was imported\n";
        return ExitCheckFailed;
    }
    const std::size_t before = list.size();
    for (auto& reminder : NewListReminders(read.Reminders, list, {}, LocalNow())) {
        list.push_back(std::move(reminder));
    }
    if (list.size() > before || loaded == LoadNoFile) {
        SaveItemList(list, arguments.FileName, arguments.Password, AtomicFileWriter::NewFile::PrivateIfNew);
    }
    return ReportLeftOut(read.Skipped, "not imported:", out);
}

int Export(const TBwListArguments& arguments, std::ostream& out, std::ostream& err)
{
    TBWItemList list;
    const int loaded = LoadItemList(list, arguments.FileName, arguments.Password);
    if (loaded == LoadNoFile) {
        throw EBWError("Cannot open file \"" + arguments.FileName + "\". No such file or directory");
    }
    if (loaded == LoadCheckFailed) {
        err << "bwlist: the line-count check failed: wrong password or damaged file; nothing was exported\n";
        return ExitCheckFailed;
    }
    std::vector<const TBWItem*> reminders;
    for (const auto& item : list) {
        reminders.push_back(item.get());
    }
    const CalendarExport written = WriteCalendar(reminders, LocalNow());
    AtomicFileWriter file(arguments.CalendarFileName, AtomicFileWriter::NewFile::PrivateIfNew);
    file.Write(written.Text);
    file.Commit();
    return ReportLeftOut(written.Skipped, "not exported:", out);
}

} // namespace

int RunCalendarCommand(const TBwListArguments& arguments, std::ostream& out, std::ostream& err)
{
    return arguments.Command == "import" ? Import(arguments, out, err) : Export(arguments, out, err);
}
