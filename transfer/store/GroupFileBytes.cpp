#include "GroupFileBytes.h"

#include "BWError.h"
#include "Container.h"

std::string SealGroupFile(const TBWItemList& items, const std::string& password)
{
    std::string bytes(ContainerHeaderSize, '\0');
    AppendItemListText(items, bytes);
    SealContainer(bytes, ItemListLineCount(items), password);
    return bytes;
}

OpenedGroupFile OpenGroupFile(std::string bytes, const std::string& password, TBWItemList& items)
{
    using Verdict = OpenedGroupFile::Verdict;
    TOpenedContainer opened;
    try {
        opened = OpenContainer(bytes, password);
    } catch (const EBWError& error) {
        return {Verdict::NotAGroupFile,
                "not a group file (" + std::to_string(bytes.size()) + " bytes: " + error.what() + ")"};
    }
    // The stored line count is the container's only check; it is looked at before any record is
    // built from what may be another password's noise.
    const std::size_t lineCount = TLineReader(opened.Text).SkipRest();
    if (!opened.CheckPasses(lineCount)) {
        return {Verdict::WrongPassword, "it does not open with the group's password (a wrong password, or the "
                                        "file is damaged)"};
    }
    try {
        ItemListFromText(items, opened.Text);
    } catch (const EBWError& error) {
        return {Verdict::DamagedRecords, std::string("its messages cannot be read (") + error.what() + ")"};
    }
    return {};
}
