#pragma once

#include "ItemList.h"

#include <QObject>

#include <string>
#include <vector>

class MessageOrder;
class TBWGroupItemLists;

// The reminders the user's enabled groups hold, as rows beside the personal ones: copies taken
// from the working lists, so that a pull that replaces a working list never leaves the view
// holding a reminder that has gone. The rows are never written anywhere; the working lists stay
// with the pulls and the due scan. A reminder the personal list holds too (one the user sent from
// here) is shown once, as the user's own.
class TeamReminders : public QObject
{
    Q_OBJECT

public:
    struct Row
    {
        std::string Group;
        TBWItem Message;
    };

    TeamReminders(const TBWGroupItemLists& groups, const TBWItemList& personal, const MessageOrder& order,
                  QObject* parent = nullptr);

    // The rows the list shows: none while the user asks for their own reminders only.
    [[nodiscard]] int Count() const { return m_shown ? static_cast<int>(m_rows.size()) : 0; }
    // The shown row, or nullptr outside them.
    [[nodiscard]] const Row* At(int row) const;
    // The shown row of the group's reminder, or -1.
    [[nodiscard]] int RowOf(const std::string& group, std::int32_t id) const;
    [[nodiscard]] bool Shown() const { return m_shown; }
    void SetShown(bool shown);

    // Takes the copies again from the working lists, in the personal list's order.
    void Refresh();
    // As Refresh, but only when the lists may show something else than at the last refresh: for
    // every second, where copying and sorting a large group each time would hold up the window.
    // What it cannot see (a text changed to one of the same length) comes with the next Refresh.
    void RefreshIfChanged();

Q_SIGNALS:
    // As PersonalReminders::RowsChanged, for the rows after the personal ones.
    void RowsChanged(bool countChanged);

private:
    const TBWGroupItemLists& m_groups;
    const TBWItemList& m_personal;
    const MessageOrder& m_order;
    [[nodiscard]] std::size_t Digest() const;
    void Rebuild(std::size_t digest);

    std::vector<Row> m_rows;
    std::size_t m_digest = 0;
    bool m_shown = true;
};
