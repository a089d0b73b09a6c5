// Message list lines as a list file holds them: read, write back, read again.

#include "FuzzSupport.h"

#include "BWError.h"
#include "ItemList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TStringList lines;
    SplitLines(FuzzBytes(data, size), lines);
    TBWItemList list;
    try {
        ItemListFromLines(list, lines);
    } catch (const EBWError&) {
        return 0;
    }
    // A list that was read must be written and read back exactly, and written the same again.
    TStringList written;
    ItemListToLines(list, written);
    TBWItemList again;
    ItemListFromLines(again, written);
    FuzzCheck(again.size() == list.size(), "the message count changed in a round trip");
    for (std::size_t i = 0; i < list.size(); ++i) {
        FuzzCheck(SameItem(*list[i], *again[i]), "a message changed in a round trip");
    }
    TStringList rewritten;
    ItemListToLines(again, rewritten);
    FuzzCheck(rewritten == written, "a list was written differently the second time");
    return 0;
}
