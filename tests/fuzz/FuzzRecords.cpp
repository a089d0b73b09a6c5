// The two record readers: a message from the start of the text, a group at a start index (the
// first input byte, as a signed byte, so negative ones are tried too); the rest are the lines.

#include "FuzzSupport.h"

#include "BWError.h"

namespace {

void CheckItem(std::string_view text)
{
    TBWItem item;
    try {
        TLineReader lines(text);
        item.LoadFromLines(lines);
    } catch (const EBWError&) {
        return;
    }
    FuzzCheck(item.ActiveDayCount() > 0, "a message was read without an active weekday");
    std::string written;
    item.AppendLines(written);
    TLineReader writtenLines(written);
    TBWItem again;
    again.LoadFromLines(writtenLines);
    FuzzCheck(writtenLines.SkipRest() == 0, "a message was not written as its 10 lines");
    FuzzCheck(SameItem(item, again), "a message changed in a round trip");
}

void CheckLocation(const TStringList& lines, long long start)
{
    TBWListLocation location;
    try {
        location.LoadFromLines(lines, start);
    } catch (const EBWError&) {
        return;
    }
    TStringList written;
    location.SaveToLines(written);
    FuzzCheck(written.size() == TBWListLocation::LineCount, "a group was not written as its 7 lines");
    TBWListLocation again;
    again.LoadFromLines(written, 0);
    FuzzCheck(SameLocation(location, again), "a group changed in a round trip");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const long long start = static_cast<signed char>(data[0]);
    TStringList lines;
    SplitLines(FuzzBytes(data + 1, size - 1), lines);
    CheckItem(FuzzBytes(data + 1, size - 1));
    CheckLocation(lines, start);
    return 0;
}
