#include "GroupListItem.h"

GroupListItem::GroupListItem(const TBWListLocation& group) : QListWidgetItem(nullptr, UserType)
{
    m_group.Assign(group);
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    setCheckState(m_group.Enabled ? Qt::Checked : Qt::Unchecked);
    UpdateText();
}

void GroupListItem::UpdateText()
{
    setText(QString::fromLocal8Bit(m_group.Name));
}
