#include "TeamReminders.h"

#include "GroupList.h"
#include "MessageOrder.h"

#include <algorithm>
#include <functional>
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

namespace {
void Mix(std::size_t& digest, std::size_t value)
{
    digest ^= value + 0x9e3779b97f4a7c15ULL + (digest << 6) + (digest >> 2);
}

void Mix(std::size_t& digest, double value)
{
    Mix(digest, std::hash<double>{}(value));
}
} // namespace

std::size_t TeamReminders::Digest() const
{
    std::size_t digest = 0;
    Mix(digest, static_cast<std::size_t>(m_order.SortColumn()));
    Mix(digest, static_cast<std::size_t>(m_order.SortReversed()));
    for (const auto& message : m_personal) {
        Mix(digest, static_cast<std::size_t>(message->Id));
    }
    for (const TBWGroupItems& group : m_groups) {
        Mix(digest, std::hash<std::string>{}(group.Name));
        Mix(digest, group.Items->size());
        for (const auto& message : *group.Items) {
            Mix(digest, static_cast<std::size_t>(message->Id));
            Mix(digest, message->DueTime);
            Mix(digest, message->LastDueTime);
            Mix(digest, static_cast<std::size_t>(message->RepeatKind) << 8 | message->Kind);
            Mix(digest, message->Title.size());
            Mix(digest, message->Text.size());
            Mix(digest, message->Author.size());
        }
    }
    return digest;
}

void TeamReminders::RefreshIfChanged()
{
    if (const std::size_t digest = Digest(); digest != m_digest) {
        Rebuild(digest);
    }
}

void TeamReminders::Refresh()
{
    Rebuild(Digest());
}

void TeamReminders::Rebuild(std::size_t digest)
{
    m_digest = digest;
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
