// A fetched group file as a pull takes it, up to the merge: the container opened with the group's
// password, the list read from its text, and merged into a working list that has messages of its
// own. Each input is used as a container file as it is and, as in fuzz_container, as a 4-byte
// length followed by a plain payload that is enciphered first, so that the list behind the cipher
// is reached. Whatever the file holds, the pull fails only with the model's error, whose text stays
// short, or the working list ends up holding exactly the file's messages.

#include "FuzzSupport.h"

#include "BWError.h"
#include "Container.h"
#include "ItemList.h"

#include <cstring>
#include <set>

namespace {

const std::string GroupPassword = "Sales pw";
// Thursday, 14 March 2024, noon.
constexpr double Now = 45365.5;
// An error quotes at most a short piece of the file.
constexpr std::size_t ErrorTextLimit = 256;

// The working list from before: a copy of every other fetched message (each id once, as a pull
// leaves it) with delivery progress of its own, and one message that the file no longer holds.
TBWItemList WorkingListFor(const TBWItemList& fetched)
{
    TBWItemList working;
    for (std::size_t i = 0; i < fetched.size(); i += 2) {
        if (FindItemById(working, fetched[i]->Id) >= 0) {
            continue;
        }
        auto copy = std::make_unique<TBWItem>();
        copy->Assign(*fetched[i]);
        copy->LastDueTime = Now - 1;
        copy->Title = "changed since";
        working.push_back(std::move(copy));
    }
    auto gone = std::make_unique<TBWItem>();
    gone->Id = -7;
    gone->ActivateAllDays();
    if (FindItemById(fetched, gone->Id) < 0) {
        working.push_back(std::move(gone));
    }
    return working;
}

void CheckMerge(const TBWItemList& fetched)
{
    TBWItemList working = WorkingListFor(fetched);
    std::set<std::int32_t> before;
    for (const auto& item : working) {
        before.insert(item->Id);
    }
    MergeItemList(working, fetched, Now);

    // Exactly the file's ids, each once, those worked on before first.
    std::set<std::int32_t> seen;
    std::size_t fresh = 0;
    for (const auto& item : working) {
        FuzzCheck(seen.insert(item->Id).second, "an id is twice in the working list");
        const int source = FindItemById(fetched, item->Id);
        FuzzCheck(source >= 0, "the working list kept a message the file no longer holds");
        const TBWItem& original = *fetched[static_cast<std::size_t>(source)];
        FuzzCheck(item->Title == original.Title && item->Text == original.Text && item->Kind == original.Kind,
                  "a merged message differs from the file's");
        if (before.count(item->Id) == 0) {
            ++fresh;
            FuzzCheck(item->LastDueTime == original.LastDueTime, "a new message lost the file's progress");
        } else {
            FuzzCheck(fresh == 0, "a message worked on before came after a new one");
            FuzzCheck(item->LastDueTime == Now - 1, "a message lost its own delivery progress");
        }
    }
    for (const auto& item : fetched) {
        FuzzCheck(seen.count(item->Id) == 1, "a message of the file is missing from the working list");
    }

    // What the pull saves reads back the same.
    std::string text;
    TBWItemList again;
    try {
        AppendItemListText(working, text);
    } catch (const EBWError&) {
        return; // a due moment a file cannot hold fails the save with the model's error
    }
    ItemListFromText(again, text);
    FuzzCheck(again.size() == working.size(), "the merged list changed in a save and load");
}

void CheckPull(std::string bytes)
{
    TBWItemList fetched;
    try {
        const TOpenedContainer opened = OpenContainer(bytes, GroupPassword);
        const std::size_t lines = ItemListFromText(fetched, opened.Text);
        if (opened.StoredLineCount < 0 || lines != static_cast<std::size_t>(opened.StoredLineCount)) {
            return; // the pull leaves a file that fails the check alone
        }
    } catch (const EBWError& error) {
        FuzzCheck(std::strlen(error.what()) < ErrorTextLimit, "an error text quotes too much of the file");
        return;
    }
    CheckMerge(fetched);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = FuzzBytes(data, size);
    CheckPull(std::string(input));
    if (size >= 4) {
        CheckPull(EncipheredContainer(input.substr(0, 4), input.substr(4), GroupPassword));
    }
    return 0;
}
