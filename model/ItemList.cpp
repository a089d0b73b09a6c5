#include "ItemList.h"

#include "AtomicFileWriter.h"
#include "Container.h"
#include "ContainerWriter.h"
#include "FileIO.h"

#include <algorithm>
#include <optional>

int FindItemById(const TBWItemList& list, std::int32_t id)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i]->Id == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool IsListSorted(const TBWItemList& list, const TItemComparison& compare)
{
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (compare(*list[i - 1], *list[i]) > 0) {
            return false;
        }
    }
    return true;
}

namespace {

// The source's ids, each with the position of its first occurrence in the source, in an
// open-addressing table: one probe per lookup keeps large merges linear and cache-friendly.
class SourceIndex
{
public:
    struct Entry
    {
        std::int32_t Id = 0;
        std::uint32_t Position = 0; // position + 1; 0 marks a free slot
        bool InTarget = false;
    };

    explicit SourceIndex(const TBWItemList& source)
    {
        std::size_t capacity = 16;
        while (capacity < source.size() * 2) {
            capacity *= 2;
        }
        m_mask = capacity - 1;
        m_slots.resize(capacity);
        for (std::size_t i = 0; i < source.size(); ++i) {
            Entry& slot = Slot(source[i]->Id);
            if (slot.Position == 0) { // a repeated id keeps its first occurrence
                slot.Id = source[i]->Id;
                slot.Position = static_cast<std::uint32_t>(i + 1);
            }
        }
    }

    Entry* Find(std::int32_t id)
    {
        Entry& slot = Slot(id);
        return slot.Position == 0 ? nullptr : &slot;
    }

private:
    Entry& Slot(std::int32_t id)
    {
        std::size_t at = (static_cast<std::uint32_t>(id) * 0x9E3779B97F4A7C15ULL) >> 20 & m_mask;
        while (m_slots[at].Position != 0 && m_slots[at].Id != id) {
            at = (at + 1) & m_mask;
        }
        return m_slots[at];
    }

    std::vector<Entry> m_slots;
    std::size_t m_mask = 0;
};

} // namespace

void MergeItemList(TBWItemList& target, const TBWItemList& source, double now)
{
    SourceIndex index(source);
    // One pass over the target: drop what left the source, update the rest in place (the kept
    // records stay the same objects, in the same order).
    std::size_t kept = 0;
    for (auto& item : target) {
        SourceIndex::Entry* entry = index.Find(item->Id);
        if (entry == nullptr) {
            item.reset();
            continue;
        }
        entry->InTarget = true;
        const double localLastDue = item->LastDueTime;
        item->Assign(*source[entry->Position - 1]);
        item->LastDueTime = localLastDue;
        item->AdvanceDueTime(now);
        target[kept++] = std::move(item);
    }
    target.resize(kept);

    for (const auto& item : source) {
        SourceIndex::Entry* entry = index.Find(item->Id);
        if (!entry->InTarget) {
            entry->InTarget = true;
            auto copy = std::make_unique<TBWItem>();
            copy->Assign(*item);
            target.push_back(std::move(copy));
        }
    }
}

int TakePastOccurrences(TBWItemList& list, double now)
{
    int taken = 0;
    for (const auto& item : list) {
        taken += item->TakeOccurrence(now) ? 1 : 0;
    }
    return taken;
}

std::size_t ItemListFromText(TBWItemList& list, std::string_view text)
{
    TLineReader lines(text);
    std::size_t filled = 0;
    try {
        std::int32_t count = 0;
        if (!lines.AtEnd()) {
            lines.Next();
            if (!lines.AtEnd()) {
                count = StrToIntDef(lines.Next(), 0);
            }
        }
        if (count > 0) {
            // Never trust the count for the allocation: a damaged file may promise billions. Every
            // line takes at least one byte of the text, a record ten lines.
            list.reserve(std::min<std::size_t>(static_cast<std::size_t>(count), text.size() / TBWItem::LineCount));
        }
        for (std::int32_t k = 0; k < count; ++k) {
            if (filled == list.size()) {
                list.push_back(std::make_unique<TBWItem>());
            }
            list[filled]->LoadFromLines(lines);
            ++filled;
        }
    } catch (...) {
        list.resize(filled); // the record being read when it failed is not kept
        throw;
    }
    list.resize(filled);
    return static_cast<std::size_t>(lines.Index()) + lines.SkipRest();
}

namespace {

void AppendHeader(const TBWItemList& list, std::string& text)
{
    text.append("1\r\n");
    text.append(std::to_string(list.size()));
    text.append("\r\n");
}

} // namespace

std::size_t ItemListLineCount(const TBWItemList& list)
{
    return 2 + list.size() * TBWItem::LineCount;
}

void AppendItemListText(const TBWItemList& list, std::string& text)
{
    AppendHeader(list, text);
    for (const auto& item : list) {
        item->AppendLines(text);
    }
}

void SaveItemList(const TBWItemList& list, const std::filesystem::path& fileName, const std::string& password,
                  AtomicFileWriter::NewFile newFile)
{
    AtomicFileWriter file(fileName, newFile);
    TContainerWriter container(file, password);
    std::string& text = container.Text();
    AppendHeader(list, text);
    for (const auto& item : list) {
        item->AppendLines(text);
        container.WriteFullPiece();
    }
    container.Finish(ItemListLineCount(list));
    file.Commit();
}

int LoadItemList(TBWItemList& list, const std::filesystem::path& fileName, const std::string& password)
{
    // One buffer for the whole file, deciphered in place. (Reading it in pieces needs less memory, but
    // lists reloaded again and again - the group pulls - came out slower: their records then reuse
    // the freed records' scattered memory instead of one fresh stretch.)
    std::optional<std::string> bytes = ReadRegularFile(fileName);
    if (!bytes) {
        return LoadNoFile;
    }
    const TOpenedContainer opened = OpenContainer(*bytes, password);
    const std::size_t lineCount = ItemListFromText(list, opened.Text);
    return opened.CheckPasses(lineCount) ? LoadOk : LoadCheckFailed;
}
