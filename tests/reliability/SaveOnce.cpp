// Saves one file the way the program does, so that tests can crash it or make its system calls
// fail from outside. Usage:
//   bw_save_once list FILE COUNT       the personal list with COUNT messages
//   bw_save_once groups FILE COUNT     a group list with COUNT groups
//   bw_save_once copy SOURCE TARGET    a group file copied to a folder location
//   bw_save_once log FOLDER LINE       one line appended to FOLDER/Logs/messages.log
//   bw_save_once loop FOLDER           saves every kind over and over, two versions in turn
// Exit 0 on success; 1 with the error text on stderr when the save failed.
#include "FileCopy.h"
#include "GroupList.h"
#include "Log.h"
#include "SaveSamples.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

void SaveAll(const std::filesystem::path& folder, int round)
{
    const bool odd = round % 2 == 1;
    SaveItemList(SampleList(odd ? SampleB : SampleA), folder / "bwlist.dat", PersonalListPassword);
    SaveItemList(SampleList(odd ? SampleA : SampleB), folder / "bwlist.bak", PersonalListPassword);
    SaveGroupList(SampleGroups(odd ? SampleB : SampleA), folder / "glist.dat");
    SaveItemList(SampleList(odd ? SampleB : SampleA), folder / "BWELists" / "Sales", "sales pw");
    if (!CopyFileReplacing((folder / (odd ? "source-b" : "source-a")).string(),
                           (folder / "share" / "sales.dat").string())) {
        throw EBWError("copy failed");
    }
    WriteLog(folder, SampleLogLine(round), "messages");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: bw_save_once list|groups|copy|log|loop ...\n", stderr);
        return 2;
    }
    const std::string kind = argv[1];
    try {
        if (kind == "list" && argc == 4) {
            SaveItemList(SampleList(std::atoi(argv[3])), argv[2], PersonalListPassword);
        } else if (kind == "groups" && argc == 4) {
            SaveGroupList(SampleGroups(std::atoi(argv[3])), argv[2]);
        } else if (kind == "copy" && argc == 4) {
            if (!CopyFileReplacing(argv[2], argv[3])) {
                throw EBWError(std::string("Cannot copy the group file to \"") + argv[3] + "\"");
            }
        } else if (kind == "log" && argc == 4) {
            WriteLog(argv[2], argv[3], "messages");
        } else if (kind == "loop") {
            for (int round = 0;; ++round) {
                SaveAll(argv[2], round);
            }
        } else {
            std::fputs("bw_save_once: unknown command\n", stderr);
            return 2;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
