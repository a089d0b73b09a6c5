#include "TeamRowsControl.h"

#include "MessageListModel.h"
#include "MessageSelection.h"
#include "TeamReminders.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

namespace {

constexpr int MyRemindersIndex = 0;
constexpr int AllIndex = 1;

} // namespace

TeamRowsControl::TeamRowsControl(TeamReminders& team, const TBWItemList& personal, const MessageListModel& model,
                                 MessageSelection& selection, QWidget& parent)
    : QObject(&parent), m_team(team), m_personal(personal), m_model(model), m_selection(selection),
      m_filter(new QComboBox(&parent))
{
    m_filter->setObjectName(QStringLiteral("teamFilter"));
    m_filter->setToolTip(tr("Show your own reminders only, or your groups' reminders as well"));
    m_filter->addItems({tr("My reminders"), tr("All")});
    m_filter->setCurrentIndex(m_team.Shown() ? AllIndex : MyRemindersIndex);
    connect(m_filter, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_team.SetShown(index == AllIndex);
        Q_EMIT ShowAllChanged(index == AllIndex);
    });
}

void TeamRowsControl::AddTo(QBoxLayout& row)
{
    auto* label = new QLabel(tr("&Show:"), m_filter->parentWidget());
    label->setBuddy(m_filter);
    row.addWidget(label);
    row.addWidget(m_filter);
}

void TeamRowsControl::SetShowAll(bool all)
{
    const QSignalBlocker blocker(m_filter);
    m_filter->setCurrentIndex(all ? AllIndex : MyRemindersIndex);
    m_team.SetShown(all);
}

void TeamRowsControl::Refresh()
{
    Update(false);
}

void TeamRowsControl::RefreshAll()
{
    Update(true);
}

void TeamRowsControl::Update(bool all)
{
    const int ownCount = static_cast<int>(m_personal.size());
    const int selected = m_selection.SelectedRow();
    std::string group;
    const TBWItem* before = m_model.TeamMessageAt(selected, &group);
    const std::int32_t id = before != nullptr ? before->Id : 0;
    if (all) {
        m_team.Refresh();
    } else {
        m_team.RefreshIfChanged();
    }
    if (before != nullptr) {
        const int row = m_team.RowOf(group, id);
        if (row >= 0 && row + ownCount != selected) {
            m_selection.SelectRow(row + ownCount);
        }
    }
}
