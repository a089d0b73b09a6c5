#include "PostponedReminders.h"

#include <algorithm>

PostponedReminders::PostponedReminders(ListFiles files) : m_files(std::move(files)) {}

TBWItemList PostponedReminders::Load() const
{
    TBWItemList kept;
    m_files.LoadPostponedList(kept);
    return kept;
}

void PostponedReminders::Put(Key key, const TBWItem& message, double comeBack)
{
    const std::size_t index = Find(key);
    if (index == m_keys.size()) {
        m_keys.push_back(key);
        m_items.push_back(std::make_unique<TBWItem>());
        m_items.back()->Assign(message);
        // Only the pop-up's texts and its occurrence matter here; nothing may read this copy as a
        // schedule or send it anywhere.
        m_items.back()->Recipients.clear();
        m_items.back()->RepeatKind = RepeatNone;
    }
    m_items[index]->DueTime = comeBack;
    Save();
}

void PostponedReminders::Remove(Key key)
{
    const std::size_t index = Find(key);
    if (index == m_keys.size()) {
        return;
    }
    m_keys.erase(m_keys.begin() + static_cast<std::ptrdiff_t>(index));
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
    Save();
}

std::optional<double> PostponedReminders::WaitingUntil(std::int32_t id, double now) const
{
    std::optional<double> until;
    for (const auto& item : m_items) {
        if (item->Id == id && item->DueTime > now && (!until || item->DueTime < *until)) {
            until = item->DueTime;
        }
    }
    return until;
}

const TBWItem* PostponedReminders::NextWaiting(double now) const
{
    const TBWItem* next = nullptr;
    for (const auto& item : m_items) {
        if (item->DueTime > now && (next == nullptr || item->DueTime < next->DueTime)) {
            next = item.get();
        }
    }
    return next;
}

std::size_t PostponedReminders::Find(Key key) const
{
    return static_cast<std::size_t>(std::find(m_keys.begin(), m_keys.end(), key) - m_keys.begin());
}

void PostponedReminders::Save() const
{
    m_files.SavePostponedList(m_items);
}
