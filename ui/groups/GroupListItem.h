#pragma once

#include "TBWListLocation.h"

#include <QListWidgetItem>

// One line of the groups dialog: the group's name, its check mark and the dialog's own copy of
// the group. The check mark reaches the copy's Enabled only when the dialog's groups are saved.
class GroupListItem : public QListWidgetItem
{
public:
    explicit GroupListItem(const TBWListLocation& group);

    [[nodiscard]] TBWListLocation& Group() { return m_group; }
    [[nodiscard]] const TBWListLocation& Group() const { return m_group; }
    [[nodiscard]] bool IsChecked() const { return checkState() == Qt::Checked; }
    // Shows the copy's name as the line's text again, after the copy was edited.
    void UpdateText();

private:
    TBWListLocation m_group;
};
