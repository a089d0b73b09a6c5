// Writes the same generated reminders for every program of the comparison, at each list size:
//   bellwick-N.dat  the personal list file        group-N.dat    the fetched copy for the merge
//   events-N.ics    iCalendar, one alarm each     reminders-N.rem  remind's reminders file
// Usage: bw_compare_make FOLDER N...

#include "Measure.h"
#include "MessageGenerator.h"
#include "PeerFiles.h"

#include "Container.h"
#include "FileIO.h"
#include "ItemList.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER N...\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (int i = 2; i < argc; ++i) {
        const auto count = static_cast<std::size_t>(std::strtoull(argv[i], nullptr, 10));
        const std::string n = std::to_string(count);
        const TBWItemList list = MakeMessages(count);
        SaveItemList(list, folder / ("bellwick-" + n + ".dat"), PersonalListPassword);
        SaveItemList(FetchedCopy(list), folder / ("group-" + n + ".dat"), BenchGroupPassword);
        WriteFileAtomically(folder / ("events-" + n + ".ics"), ToICalendar(list));
        WriteFileAtomically(folder / ("reminders-" + n + ".rem"), ToRemind(list));
        std::printf("{\"count\": %zu, \"bellwick\": %ju, \"ics\": %ju, \"remind\": %ju}\n", count,
                    static_cast<std::uintmax_t>(std::filesystem::file_size(folder / ("bellwick-" + n + ".dat"))),
                    static_cast<std::uintmax_t>(std::filesystem::file_size(folder / ("events-" + n + ".ics"))),
                    static_cast<std::uintmax_t>(std::filesystem::file_size(folder / ("reminders-" + n + ".rem"))));
    }
    return 0;
}
