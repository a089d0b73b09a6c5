#include "MessageListView.h"

#include "DateTime.h"
#include "DueTimeText.h"
#include "MessageListModel.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeView>

#include <algorithm>

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
    return view;
}
