#pragma once

#include "ItemList.h"

#include <QObject>

class MessageListModel;
class MessageSelection;
class QBoxLayout;
class QComboBox;
class QWidget;
class TeamReminders;

// The groups' rows as the main window shows them: the "Show" filter (All, or My reminders) beside
// the buttons, and the selection, which follows a group's reminder when the rows are taken again
// (a pull or a new order may move it).
class TeamRowsControl : public QObject
{
    Q_OBJECT

public:
    TeamRowsControl(TeamReminders& team, const TBWItemList& personal, const MessageListModel& model,
                    MessageSelection& selection, QWidget& parent);

    // The filter and its label (Alt+S), at the end of the row.
    void AddTo(QBoxLayout& row);
    // The filter as the preferences keep it: not a user's choice, so ShowAllChanged stays silent.
    void SetShowAll(bool all);
    // The rows taken again from the working lists when they look changed (see
    // TeamReminders::RefreshIfChanged); a selected group's reminder stays selected.
    void Refresh();
    // The same, whatever they look like: after a pull, which may change any text.
    void RefreshAll();

Q_SIGNALS:
    // The user chose All (true) or My reminders.
    void ShowAllChanged(bool all);

private:
    void Update(bool all);

    TeamReminders& m_team;
    const TBWItemList& m_personal;
    const MessageListModel& m_model;
    MessageSelection& m_selection;
    QComboBox* m_filter;
};
