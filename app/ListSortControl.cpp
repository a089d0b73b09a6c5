#include "ListSortControl.h"

#include "MessageListModel.h"
#include "MessageSelection.h"
#include "PersonalReminders.h"

#include <QHeaderView>

ListSortControl::ListSortControl(PersonalReminders& reminders, MessageSelection& selection, QHeaderView& header)
    : m_reminders(reminders), m_selection(selection), m_header(header)
{}

void ListSortControl::ColumnClicked(int column)
{
    MessageOrder& order = m_reminders.Order();
    order.SetSortReversed(column == order.SortColumn() ? !order.SortReversed() : false);
    order.SetSortColumn(column);
    UpdateIndicator();
    SortKeepingSelection();
}

void ListSortControl::SetAutoSort(bool on)
{
    m_reminders.SetAutoSort(on);
    MessageOrder& order = m_reminders.Order();
    if (!on) {
        // The list keeps the order it has; nothing decides it any more.
        order.SetSortColumn(MessageOrder::NoColumn);
        UpdateIndicator();
        return;
    }
    if (order.SortColumn() == MessageOrder::NoColumn) {
        order.SetSortColumn(MessageOrder::DueTimeColumn);
    }
    UpdateIndicator();
    SortKeepingSelection();
}

void ListSortControl::Restore(int column, bool reversed, bool autoSort)
{
    m_reminders.SetAutoSort(autoSort);
    m_reminders.Order().SetSortColumn(column);
    m_reminders.Order().SetSortReversed(reversed);
    UpdateIndicator();
}

void ListSortControl::UpdateIndicator()
{
    const MessageOrder& order = m_reminders.Order();
    const int column = order.SortColumn();
    if (column >= 0 && column < MessageListModel::ColumnCount) {
        m_header.setSortIndicator(column, order.SortReversed() ? Qt::DescendingOrder : Qt::AscendingOrder);
    } else {
        m_header.setSortIndicator(-1, Qt::AscendingOrder);
    }
}

void ListSortControl::SortKeepingSelection()
{
    const TBWItem* selected = m_reminders.At(m_selection.SelectedRow());
    const std::int32_t id = selected != nullptr ? selected->Id : 0;
    m_reminders.Sort();
    if (selected != nullptr) {
        m_selection.SelectRow(m_reminders.RowOfId(id));
    }
}
