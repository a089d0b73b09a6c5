// Group list files: LoadGroupList on the input written to a file, then save, load and compare.

#include "FuzzSupport.h"

#include "BWError.h"
#include "FileIO.h"
#include "GroupList.h"

#include <fstream>

namespace {

// The two scratch files of this process, removed when it ends normally.
struct ScratchFiles
{
    std::filesystem::path Input = FuzzScratchFile("input");
    std::filesystem::path Saved = FuzzScratchFile("saved");
    ~ScratchFiles()
    {
        std::error_code ignored;
        std::filesystem::remove(Input, ignored);
        std::filesystem::remove(Saved, ignored);
    }
};

const ScratchFiles Files;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream out(Files.Input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        FuzzCheck(out.good(), "cannot write the scratch file");
    }
    TBWGroupList groups;
    try {
        FuzzCheck(LoadGroupList(groups, Files.Input), "an existing file was reported missing");
    } catch (const EBWError&) {
        return 0;
    }
    SaveGroupList(groups, Files.Saved);
    const std::string savedBytes = ReadWholeFile(Files.Saved);
    TBWGroupList again;
    FuzzCheck(LoadGroupList(again, Files.Saved), "a saved group list is missing");
    FuzzCheck(again.size() == groups.size(), "the group count changed in a round trip");
    for (std::size_t i = 0; i < groups.size(); ++i) {
        FuzzCheck(SameLocation(*groups[i], *again[i]), "a group changed in a round trip");
    }
    SaveGroupList(again, Files.Saved);
    FuzzCheck(ReadWholeFile(Files.Saved) == savedBytes, "a group list was written differently the second time");
    return 0;
}
