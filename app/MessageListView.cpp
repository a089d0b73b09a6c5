#include "MessageListView.h"

#include "DateTime.h"
#include "DueTimeText.h"
#include "MessageListModel.h"
#include "MessageSelection.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeView>

#include <algorithm>

namespace {

class ListViewSelection final : public MessageSelection
{
public:
    explicit ListViewSelection(QTreeView& view) : m_view(view) {}

    [[nodiscard]] int SelectedRow() const override
    {
        const QModelIndexList rows = m_view.selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    void SelectRow(int row) override
    {
        const QAbstractItemModel* model = m_view.model();
        if (row < 0 || row >= model->rowCount()) {
            return;
        }
        m_view.setFocus();
        const QModelIndex cell = model->index(row, 0);
        m_view.selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_view.scrollTo(cell, QAbstractItemView::EnsureVisible);
    }

private:
    QTreeView& m_view;
};

} // namespace

QTreeView* MakeMessageListView(MessageListModel& model, QWidget* parent)
{
    auto* view = new QTreeView(parent);
    view->setObjectName(QStringLiteral("messageListView"));
    view->setAccessibleName(QCoreApplication::translate("TBWCForm", "Messages"));
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setIconSize(QSize(16, 16));
    view->setModel(&model);
    QHeaderView* header = view->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    header->setSortIndicatorShown(true);
    header->setStretchLastSection(true);
    const QFontMetrics metrics(view->font());
    const int padding = 4 * metrics.averageCharWidth();
    const QString longestDate = DueTimeText(EncodeDateTime(2024, 12, 28, 23, 59), 0.0);
    const int dateWidth = std::max(150, metrics.horizontalAdvance(longestDate) + view->iconSize().width() + padding);
    const int typeWidth = std::max(100, std::max(metrics.horizontalAdvance(MessageListModel::KindName(0)),
                                                 metrics.horizontalAdvance(MessageListModel::KindName(1))) +
                                            padding);
    header->resizeSection(MessageListModel::DateTimeColumn, dateWidth);
    header->resizeSection(MessageListModel::TypeColumn, typeWidth);
    header->resizeSection(MessageListModel::MessageColumn, 250);
    header->resizeSection(MessageListModel::GroupColumn, 120);
    return view;
}

std::unique_ptr<MessageSelection> MakeListViewSelection(QTreeView& view)
{
    return std::make_unique<ListViewSelection>(view);
}
