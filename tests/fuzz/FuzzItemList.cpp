// Message list lines as a list file holds them: read, write back, read again.

#include "FuzzSupport.h"

#include "BWError.h"
#include "ItemList.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TStringList lines;
    SplitLines(FuzzBytes(data, size), lines);
    // The file reader works on the text directly; it must agree with the line-list reader on
    // every input, failures included.
    TBWItemList fromText;
    bool textFailed = false;
    std::string textError;
    std::size_t textLines = 0;
    try {
        textLines = ItemListFromText(fromText, FuzzBytes(data, size));
    } catch (const EBWError& error) {
        textFailed = true;
        textError = error.what();
    }
    TBWItemList list;
    try {
        ItemListFromLines(list, lines);
    } catch (const EBWError& error) {
        FuzzCheck(textFailed, "only the line-list reader failed");
        FuzzCheck(textError == error.what(), "the readers failed with different texts");
        return 0;
    }
    FuzzCheck(!textFailed, "only the text reader failed");
    FuzzCheck(textLines == lines.size(), "the readers counted different lines");
    FuzzCheck(fromText.size() == list.size(), "the readers read different message counts");
    for (std::size_t i = 0; i < list.size(); ++i) {
        FuzzCheck(SameItem(*list[i], *fromText[i]), "the readers read a message differently");
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
