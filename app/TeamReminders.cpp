#include "TeamReminders.h"

#include "GroupList.h"
#include "MessageOrder.h"

#include <algorithm>
#include <unordered_set>

TeamReminders::TeamReminders(const TBWGroupItemLists& groups, const TBWItemList& personal, const MessageOrder& order,
                             QObject* parent)
    : QObject(parent), m_groups(groups), m_personal(personal), m_order(order)
{}

const TeamReminders::Row* TeamReminders::At(int row) const
{
    return row < 0 || row >= Count() ? nullptr : &m_rows[static_cast<std::size_t>(row)];
}

int TeamReminders::RowOf(const std::string& group, std::int32_t id) const
{
    for (int row = 0; row < Count(); ++row) {
        const Row& candidate = m_rows[static_cast<std::size_t>(row)];
        if (candidate.Message.Id == id && candidate.Group == group) {
            return row;
        }
    }
    return -1;
}

void TeamReminders::SetShown(bool shown)
{
    if (shown != m_shown) {
        m_shown = shown;
        Q_EMIT RowsChanged(true);
    }
}

void TeamReminders::Refresh()
{
    std::unordered_set<std::int32_t> own;
    for (const auto& message : m_personal) {
        own.insert(message->Id);
    }
    std::vector<Row> rows;
    for (const TBWGroupItems& group : m_groups) {
        for (const auto& message : *group.Items) {
            if (!own.contains(message->Id)) {
                rows.push_back({group.Name, *message});
            }
        }
    }
    // Without a column to sort by, the groups keep their order and each group its own.
    if (m_order.SortColumn() != MessageOrder::NoColumn) {
        std::stable_sort(rows.begin(), rows.end(), [this](const Row& a, const Row& b) {
            return m_order.CompareMessages(a.Message, b.Message) < 0;
        });
    }
    // Without groups, the once-a-second refresh leaves the list alone.
    if (rows.empty() && m_rows.empty()) {
        return;
    }
    const bool countChanged = rows.size() != m_rows.size();
    m_rows = std::move(rows);
    if (m_shown) {
        Q_EMIT RowsChanged(countChanged);
    }
}
