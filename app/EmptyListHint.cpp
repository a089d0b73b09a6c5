#include "EmptyListHint.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QPalette>

EmptyListHint::EmptyListHint(const QString& text, QAbstractItemView& view) : QLabel(text, view.viewport()), m_view(view)
{
    setObjectName(QStringLiteral("emptyListHint"));
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setForegroundRole(QPalette::PlaceholderText);
    // Clicks go through to the list, which keeps the focus and the keyboard's Ins.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    view.viewport()->installEventFilter(this);
    QAbstractItemModel* model = view.model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &EmptyListHint::Update);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &EmptyListHint::Update);
    connect(model, &QAbstractItemModel::modelReset, this, &EmptyListHint::Update);
    Update();
}

bool EmptyListHint::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view.viewport() && event->type() == QEvent::Resize) {
        Update();
    }
    return QLabel::eventFilter(watched, event);
}

void EmptyListHint::Update()
{
    const QAbstractItemModel* model = m_view.model();
    setGeometry(m_view.viewport()->rect().adjusted(8, 8, -8, -8));
    setVisible(model != nullptr && model->rowCount() == 0);
}
