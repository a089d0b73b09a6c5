#include "PersonalReminders.h"

#include <algorithm>
#include <limits>
#include <utility>

PersonalReminders::PersonalReminders(TBWItemList& list, std::function<void()> save, QObject* parent)
    : QObject(parent), m_list(list), m_save(std::move(save))
{}

int PersonalReminders::RowOf(const TBWItem* message) const
{
    const auto found =
        std::find_if(m_list.begin(), m_list.end(), [message](const auto& item) { return item.get() == message; });
    return found == m_list.end() ? -1 : static_cast<int>(found - m_list.begin());
}

const TBWItem* PersonalReminders::At(int row) const
{
    return row < 0 || static_cast<std::size_t>(row) >= m_list.size() ? nullptr
                                                                     : m_list[static_cast<std::size_t>(row)].get();
}

std::int32_t PersonalReminders::FreeId(std::int32_t id) const
{
    // Two messages with one Id would shadow each other in every list and group.
    while (FindItemById(m_list, id) >= 0) {
        id = id == std::numeric_limits<std::int32_t>::max() ? 0 : id + 1;
    }
    return id;
}

void PersonalReminders::Add(std::unique_ptr<TBWItem> message)
{
    m_list.push_back(std::move(message));
    Changed(true);
}

void PersonalReminders::AddAll(std::vector<std::unique_ptr<TBWItem>> messages)
{
    for (auto& message : messages) {
        m_list.push_back(std::move(message));
    }
    Changed(true);
}

bool PersonalReminders::Replace(const TBWItem* message, const TBWItem& replacement)
{
    const int row = RowOf(message);
    if (row < 0) {
        return false;
    }
    *m_list[static_cast<std::size_t>(row)] = replacement;
    Changed(false);
    return true;
}

std::unique_ptr<TBWItem> PersonalReminders::Remove(const TBWItem* message)
{
    const int row = RowOf(message);
    if (row < 0) {
        return nullptr;
    }
    std::unique_ptr<TBWItem> removed = std::move(m_list[static_cast<std::size_t>(row)]);
    m_list.erase(m_list.begin() + row);
    Changed(true, false);
    return removed;
}

std::vector<PersonalReminders::Removed> PersonalReminders::RemoveIf(const std::function<bool(const TBWItem&)>& test)
{
    std::vector<Removed> removed;
    for (std::size_t row = m_list.size(); row-- > 0;) {
        if (test(*m_list[row])) {
            removed.push_back({row, std::move(m_list[row])});
            m_list.erase(m_list.begin() + static_cast<std::ptrdiff_t>(row));
        }
    }
    std::reverse(removed.begin(), removed.end());
    Changed(true, false);
    return removed;
}

void PersonalReminders::Restore(std::vector<Removed> messages)
{
    for (Removed& message : messages) {
        const std::size_t row = std::min(message.Row, m_list.size());
        m_list.insert(m_list.begin() + static_cast<std::ptrdiff_t>(row), std::move(message.Message));
    }
    Changed(true);
}

void PersonalReminders::Reloaded()
{
    Q_EMIT RowsChanged(true);
}

void PersonalReminders::Sort()
{
    m_order.Sort(m_list);
    Q_EMIT RowsChanged(false);
}

void PersonalReminders::SortIfAutoSort()
{
    if (m_autoSort) {
        Sort();
    }
}

void PersonalReminders::DueScanDone()
{
    // A list that is still in order is not sorted again: every five seconds, over the whole list.
    if (m_autoSort &&
        !IsListSorted(m_list, [this](const TBWItem& a, const TBWItem& b) { return m_order.CompareMessages(a, b); })) {
        m_order.Sort(m_list);
    }
    // Due times and state marks may have moved even when the order did not.
    Q_EMIT RowsChanged(false);
}

void PersonalReminders::Changed(bool countChanged, bool resort)
{
    // What is left after a removal keeps the order it had.
    if (resort && m_autoSort) {
        m_order.Sort(m_list);
    }
    Q_EMIT RowsChanged(countChanged);
    m_save();
}
