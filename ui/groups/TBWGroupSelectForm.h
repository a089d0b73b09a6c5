#pragma once

#include "GroupDialogHooks.h"
#include "GroupList.h"
#include "TextUtil.h"

#include <QDialog>

class QListWidget;
class QPushButton;

// The recipient picker of the message editor: every group, enabled or not, one per line, of
// which the user selects any number. SelectedGroups holds the names picked at the last OK, in
// the order of the list.
class TBWGroupSelectForm : public QDialog
{
    Q_OBJECT

public:
    explicit TBWGroupSelectForm(GroupDialogHooks hooks, QWidget* parent = nullptr);
    ~TBWGroupSelectForm() override;

    // Refills the list with the names of the groups, in order, with no line selected.
    void LoadGroups(const TBWGroupList& groups);
    // LoadGroups, then shows the picker modally; returns QDialog::Accepted or Rejected.
    int Execute(const TBWGroupList& groups);

    [[nodiscard]] const TStringList& SelectedGroups() const { return m_selectedGroups; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    GroupDialogHooks m_hooks;
    TStringList m_selectedGroups;
    QListWidget* m_groupList = nullptr;
};
