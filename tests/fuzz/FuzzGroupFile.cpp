// A fetched group file as a pull takes it: the check that decides whether it may replace the local
// copy, then the merge into a working list. Whatever arrives, the check answers without crashing,
// and only what it accepts reaches the merge, which must then keep the working list consistent.

#include "FuzzSupport.h"

#include "GroupFileBytes.h"
#include "ItemList.h"

#include <set>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TBWItemList fetched;
    const OpenedGroupFile opened = OpenGroupFile(std::string(FuzzBytes(data, size)), PersonalListPassword, fetched);
    if (!opened.IsOk()) {
        FuzzCheck(!opened.Reason.empty(), "a rejected file without a reason");
        return 0;
    }
    // What was accepted is a group file: sealed again and checked, it reads the same.
    TBWItemList again;
    FuzzCheck(OpenGroupFile(SealGroupFile(fetched, PersonalListPassword), PersonalListPassword, again).IsOk(),
              "an accepted file does not pass the check once written again");
    FuzzCheck(again.size() == fetched.size(), "an accepted file changed its message count in a round trip");

    TBWItemList working;
    MergeItemList(working, fetched, 46363.375);
    MergeItemList(working, fetched, 46364.375);
    std::set<std::int32_t> ids;
    for (const auto& message : fetched) {
        ids.insert(message->Id);
    }
    for (const auto& message : working) {
        FuzzCheck(ids.count(message->Id) == 1, "the merge kept a message the file does not hold");
    }
    return 0;
}
