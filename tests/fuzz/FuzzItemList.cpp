// Message list text as a list file holds it: read, write back, read again.

#include "FuzzSupport.h"

#include "BWError.h"
#include "ItemList.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = FuzzBytes(data, size);
    TBWItemList list;
    std::size_t lineCount = 0;
    try {
        lineCount = ItemListFromText(list, text);
    } catch (const EBWError&) {
        return 0;
    }
    TStringList lines;
    SplitLines(text, lines);
    FuzzCheck(lineCount == lines.size(), "the reader counted the lines wrongly");
    // A list that was read must be written and read back exactly, and written the same again.
    std::string written;
    AppendItemListText(list, written);
    TBWItemList again;
    FuzzCheck(ItemListFromText(again, written) == ItemListLineCount(list), "a list was not written as its lines");
    FuzzCheck(again.size() == list.size(), "the message count changed in a round trip");
    for (std::size_t i = 0; i < list.size(); ++i) {
        FuzzCheck(SameItem(*list[i], *again[i]), "a message changed in a round trip");
    }
    std::string rewritten;
    AppendItemListText(again, rewritten);
    FuzzCheck(rewritten == written, "a list was written differently the second time");
    return 0;
}
