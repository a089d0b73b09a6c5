#include "ChangeSet.h"

#include <algorithm>
#include <limits>

namespace {

std::unique_ptr<TBWItem> CopyOf(const TBWItem& message)
{
    auto copy = std::make_unique<TBWItem>();
    copy->Assign(message);
    return copy;
}

TBWItemList CopiesOf(const TBWItemList& list)
{
    TBWItemList copies;
    copies.reserve(list.size());
    for (const auto& message : list) {
        copies.push_back(CopyOf(*message));
    }
    return copies;
}

std::string Lines(const TBWItem& message)
{
    std::string text;
    message.AppendLines(text);
    return text;
}

bool HoldsSame(const TBWItemList& list, const TBWItem& message)
{
    const int index = FindItemById(list, message.Id);
    return index >= 0 && Lines(*list[static_cast<std::size_t>(index)]) == Lines(message);
}

} // namespace

ChangeSet::ChangeSet(const ChangeSet& other)
    : m_puts(CopiesOf(other.m_puts)), m_removals(CopiesOf(other.m_removals)), m_news(CopiesOf(other.m_news))
{}

ChangeSet& ChangeSet::operator=(const ChangeSet& other)
{
    if (this != &other) {
        m_puts = CopiesOf(other.m_puts);
        m_removals = CopiesOf(other.m_removals);
        m_news = CopiesOf(other.m_news);
    }
    return *this;
}

void ChangeSet::Drop(TBWItemList& list, std::int32_t id)
{
    std::erase_if(list, [id](const auto& message) { return message->Id == id; });
}

void ChangeSet::Put(const TBWItem& message)
{
    Drop(m_puts, message.Id);
    Drop(m_removals, message.Id);
    m_puts.push_back(CopyOf(message));
}

void ChangeSet::Remove(const TBWItem& message)
{
    Drop(m_puts, message.Id);
    Drop(m_removals, message.Id);
    m_removals.push_back(CopyOf(message));
}

void ChangeSet::Add(const TBWItem& message)
{
    m_news.push_back(CopyOf(message));
}

void ChangeSet::Merge(const ChangeSet& later)
{
    for (const auto& message : later.m_puts) {
        Put(*message);
    }
    for (const auto& message : later.m_removals) {
        Remove(*message);
    }
}

void ChangeSet::Subtract(const ChangeSet& done)
{
    std::erase_if(m_puts, [&done](const auto& message) { return HoldsSame(done.m_puts, *message); });
    std::erase_if(m_removals, [&done](const auto& message) { return HoldsSame(done.m_removals, *message); });
}

void ChangeSet::ApplyTo(TBWItemList& items)
{
    for (const auto& message : m_removals) {
        Drop(items, message->Id);
    }
    for (const auto& message : m_puts) {
        const int index = FindItemById(items, message->Id);
        if (index >= 0) {
            items[static_cast<std::size_t>(index)]->Assign(*message);
        } else {
            items.push_back(CopyOf(*message));
        }
    }
    for (const auto& message : m_news) {
        // Ids are made from the moment and the text lengths, so tools sending at the same second
        // can make the same one.
        while (FindItemById(items, message->Id) >= 0) {
            message->Id = message->Id == std::numeric_limits<std::int32_t>::max() ? 1 : message->Id + 1;
        }
        items.push_back(CopyOf(*message));
    }
}

bool ChangeSet::IsIn(const TBWItemList& items) const
{
    const auto there = [&items](const auto& message) { return HoldsSame(items, *message); };
    const bool putsThere =
        std::all_of(m_puts.begin(), m_puts.end(), there) && std::all_of(m_news.begin(), m_news.end(), there);
    const bool removalsGone = std::none_of(m_removals.begin(), m_removals.end(), [&items](const auto& message) {
        return FindItemById(items, message->Id) >= 0;
    });
    return putsThere && removalsGone;
}
