// The container reader on arbitrary bytes. Each input is used twice: as a container file as it
// is, and as a 4-byte length followed by a plain payload that is enciphered first, so that the
// fuzzer also reaches the framing behind the cipher (length, line count, zero bytes, line breaks).

#include "FuzzSupport.h"

#include "BWError.h"
#include "Container.h"
#include "ItemList.h"

namespace {

const TStringList Untouched = {"untouched"};

void CheckContainer(const std::string& bytes)
{
    TStringList lines = Untouched;
    try {
        (void)DecryptLines(bytes, lines, PersonalListPassword);
    } catch (const EBWError&) {
        FuzzCheck(lines == Untouched, "a failed read changed the lines");
        return;
    }
    // Whatever was read must survive a write and a read unchanged, with the check holding.
    const std::string written = EncryptLines(lines, PersonalListPassword);
    TStringList again;
    FuzzCheck(!DecryptLines(written, again, PersonalListPassword), "the check failed on a container just written");
    FuzzCheck(again == lines, "the lines changed in a write and read");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = FuzzBytes(data, size);
    CheckContainer(std::string(input));
    if (size >= 4) {
        CheckContainer(EncipheredContainer(input.substr(0, 4), input.substr(4), PersonalListPassword));
    }
    return 0;
}
