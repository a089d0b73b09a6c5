// Message list lines as a list file holds them: read, write back, read again.

#include "FuzzSupport.h"

#include "BWError.h"
#include "Container.h"
#include "ContainerLineReader.h"
#include "ItemList.h"

#include <cstring>
#include <string>

namespace {

struct TReadOutcome
{
    TBWItemList List;
    std::size_t Lines = 0;
    std::string Error; // empty when the read succeeded
};

// The text sealed into a container and read back piece by piece, the way files are loaded, with
// pieces small enough that lines, CR LF pairs and the stored count straddle them.
TReadOutcome ReadSealed(std::string_view text, std::size_t pieceSize)
{
    std::string container(ContainerHeaderSize, '\0');
    container.append(text);
    SealContainer(container, 7, "fuzz");
    std::size_t position = 0;
    const auto read = [&](char* buffer, std::size_t size) {
        FuzzCheck(position + size <= container.size(), "the piece reader read past the container");
        std::memcpy(buffer, container.data() + position, size);
        position += size;
    };
    TReadOutcome outcome;
    TContainerLineReader lines(read, container.size(), "fuzz", pieceSize);
    try {
        outcome.Lines = ItemListFromContainer(outcome.List, lines, container.size());
    } catch (const EBWError& error) {
        outcome.Error = error.what();
    }
    FuzzCheck(lines.StoredLineCount() == 7, "the piece reader lost the stored line count");
    return outcome;
}

} // namespace

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
    {
        // A container's text ends at its first zero byte.
        std::string_view text = FuzzBytes(data, size);
        text = text.substr(0, std::min(text.size(), text.find('\0')));
        TBWItemList expected;
        std::string expectedError;
        std::size_t expectedLines = 0;
        try {
            expectedLines = ItemListFromText(expected, text);
        } catch (const EBWError& error) {
            expectedError = error.what();
        }
        const TReadOutcome sealed = ReadSealed(text, 16 * (1 + size % 4));
        FuzzCheck(sealed.Error == expectedError, "the piece reader failed differently");
        FuzzCheck(sealed.List.size() == expected.size(), "the piece reader read a different message count");
        FuzzCheck(!expectedError.empty() || sealed.Lines == expectedLines, "the piece reader counted other lines");
        for (std::size_t i = 0; i < expected.size(); ++i) {
            FuzzCheck(SameItem(*expected[i], *sealed.List[i]), "the piece reader read a message differently");
        }
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
