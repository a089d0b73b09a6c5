// The two record readers at a start index: the first input byte is the index (as a signed byte,
// so negative ones are tried too), the rest are the lines.

#include "FuzzSupport.h"

#include "BWError.h"

namespace {

void CheckItem(const TStringList& lines, long long start)
{
    TBWItem item;
    try {
        item.LoadFromLines(lines, start);
    } catch (const EBWError&) {
        return;
    }
    FuzzCheck(item.ActiveDayCount() > 0, "a message was read without an active weekday");
    TStringList written;
    item.SaveToLines(written);
    FuzzCheck(written.size() == TBWItem::LineCount, "a message was not written as its 10 lines");
    TBWItem again;
    again.LoadFromLines(written, 0);
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
    CheckItem(lines, start);
    CheckLocation(lines, start);
    return 0;
}
