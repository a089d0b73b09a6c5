#pragma once

#include "ItemList.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <array>
#include <functional>
#include <optional>

class Clock;
class TeamReminders;

// The message list as the list view sees it: row i is message i of the personal list, and the rows
// after those are the groups' reminders (TeamReminders), marked with their group and author. Every
// text and state mark is worked out from the message whenever the view asks, so nothing is ever
// stale. The row count is set by the owner after it adds or removes messages.
class MessageListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum ColumnIndex : int
    {
        DateTimeColumn = 0,
        TypeColumn = 1,
        MessageColumn = 2,
        GroupColumn = 3,
        ColumnCount = 4,
    };

    MessageListModel(const TBWItemList& messages, const Clock& clock, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

    // When a reminder of the message that the user put off comes back, if one waits; the date column
    // says so instead of the due time.
    void SetPostponedLookup(std::function<std::optional<double>(std::int32_t id)> lookup)
    {
        m_postponedUntil = std::move(lookup);
    }

    // The groups' reminders, shown after the personal ones.
    void SetTeamRows(const TeamReminders* team) { m_team = team; }
    // The group's reminder in the row, or nullptr for a personal row or none.
    [[nodiscard]] const TBWItem* TeamMessageAt(int row, std::string* group = nullptr) const;

    // Matches the row count to the length of the personal list and the team rows.
    void UpdateRowCount();
    // Has the view draw every row again (the messages may have changed in place or moved).
    void Repaint();

    // The name of a message kind as the message editor lists it; empty for an unknown kind.
    [[nodiscard]] static QString KindName(int kind);
    // 0 grey: the due moment has passed; 1 yellow: shown here, the next occurrence pending; 2 green:
    // pending, never shown here. The due moment is the one the reminder comes at (on an active day).
    // A group's reminder (fromGroup) is shown to this member even when its author is left out.
    [[nodiscard]] static int StateIndex(const TBWItem& message, double now, bool fromGroup = false);
    // The state mark in words, for screen readers.
    [[nodiscard]] static QString StateName(int state);

private:
    [[nodiscard]] QString DateTimeText(const TBWItem& message) const;
    [[nodiscard]] const TBWItem* MessageAt(int row, std::string* group) const;

    const TBWItemList& m_messages;
    const Clock& m_clock;
    const TeamReminders* m_team = nullptr;
    std::function<std::optional<double>(std::int32_t id)> m_postponedUntil;
    int m_rowCount = 0;
    std::array<QIcon, 3> m_stateIcons;
};
