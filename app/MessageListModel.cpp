#include "MessageListModel.h"

#include "Artwork.h"
#include "Clock.h"
#include "DueTimeText.h"
#include "ShownText.h"
#include "TeamReminders.h"

MessageListModel::MessageListModel(const TBWItemList& messages, const Clock& clock, QObject* parent)
    : QAbstractTableModel(parent), m_messages(messages),
      m_clock(clock), m_stateIcons{StateMarkIcon(StateMark::Grey), StateMarkIcon(StateMark::Yellow),
                                   StateMarkIcon(StateMark::Green)}
{}

int MessageListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int MessageListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MessageListModel::data(const QModelIndex& index, int role) const
{
    std::string group;
    const TBWItem* found = index.isValid() ? MessageAt(index.row(), &group) : nullptr;
    if (found == nullptr) {
        return {};
    }
    const TBWItem& message = *found;
    // A screen reader reads the same texts, and hears the state that the coloured mark shows.
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        switch (index.column()) {
        case DateTimeColumn:
            return DateTimeText(message);
        case TypeColumn:
            return KindName(message.Kind);
        case MessageColumn:
            return ShownLine(message.Title);
        case GroupColumn:
            //: The Group column of a group's reminder: %1 the group, %2 the reminder's author.
            return group.empty() ? QString() : tr("%1 (%2)").arg(ShownLine(group), ShownLine(message.Author));
        default:
            return {};
        }
    }
    if (role == Qt::DecorationRole && index.column() == DateTimeColumn) {
        return m_stateIcons.at(static_cast<std::size_t>(StateIndex(message, m_clock.Now(), !group.empty())));
    }
    if (role == Qt::AccessibleDescriptionRole) {
        return StateName(StateIndex(message, m_clock.Now(), !group.empty()));
    }
    return {};
}

const TBWItem* MessageListModel::MessageAt(int row, std::string* group) const
{
    if (row >= 0 && static_cast<std::size_t>(row) < m_messages.size()) {
        return m_messages[static_cast<std::size_t>(row)].get();
    }
    return TeamMessageAt(row, group);
}

const TBWItem* MessageListModel::TeamMessageAt(int row, std::string* group) const
{
    const TeamReminders::Row* teamRow =
        m_team != nullptr ? m_team->At(row - static_cast<int>(m_messages.size())) : nullptr;
    if (teamRow == nullptr) {
        return nullptr;
    }
    if (group != nullptr) {
        *group = teamRow->Group;
    }
    return &teamRow->Message;
}

QString MessageListModel::DateTimeText(const TBWItem& message) const
{
    const double now = m_clock.Now();
    if (const std::optional<double> until = m_postponedUntil ? m_postponedUntil(message.Id) : std::nullopt) {
        //: The date column of a message whose reminder the user put off: %1 the moment it comes back.
        return tr("postponed until %1").arg(DueTimeText(*until, now));
    }
    return DueTimeText(message.EffectiveDueTime(), now);
}

QVariant MessageListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case DateTimeColumn:
        return tr("Date & Time");
    case TypeColumn:
        return tr("Type");
    case MessageColumn:
        return tr("Message");
    case GroupColumn:
        return tr("Group");
    default:
        return {};
    }
}

void MessageListModel::UpdateRowCount()
{
    const int count = static_cast<int>(m_messages.size()) + (m_team != nullptr ? m_team->Count() : 0);
    if (count > m_rowCount) {
        beginInsertRows(QModelIndex(), m_rowCount, count - 1);
        m_rowCount = count;
        endInsertRows();
    } else if (count < m_rowCount) {
        beginRemoveRows(QModelIndex(), count, m_rowCount - 1);
        m_rowCount = count;
        endRemoveRows();
    }
    Repaint();
}

void MessageListModel::Repaint()
{
    if (m_rowCount > 0) {
        Q_EMIT dataChanged(index(0, 0), index(m_rowCount - 1, ColumnCount - 1));
    }
}

QString MessageListModel::KindName(int kind)
{
    switch (kind) {
    case 0:
        return tr("Simple message");
    case 1:
        return tr("Execute file(s)");
    default:
        return {};
    }
}

QString MessageListModel::StateName(int state)
{
    switch (state) {
    case 0:
        return tr("Due time passed");
    case 1:
        return tr("Delivered, next time pending");
    default:
        return tr("Pending, not delivered yet");
    }
}

int MessageListModel::StateIndex(const TBWItem& message, double now, bool fromGroup)
{
    if (now > message.EffectiveDueTime()) {
        return 0;
    }
    // A message of the user's own for the recipients only is never shown here, whatever its record
    // says; a group's reminder is, to every member.
    return message.LastDueTime > 0 && (fromGroup || !message.DayFlags[0]) ? 1 : 2;
}
