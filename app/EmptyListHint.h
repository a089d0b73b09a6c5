#pragma once

#include <QLabel>

class QAbstractItemView;

// A grey line in the middle of an empty list that says how to add the first entry. It lies over the
// view's viewport and disappears as soon as the model has a row.
class EmptyListHint : public QLabel
{
    Q_OBJECT

public:
    EmptyListHint(const QString& text, QAbstractItemView& view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Update();

    QAbstractItemView& m_view;
};
