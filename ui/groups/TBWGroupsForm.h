#pragma once

#include "GroupDialogHooks.h"
#include "GroupFileService.h"
#include "GroupList.h"
#include "TextUtil.h"

#include <QDialog>

class GroupListItem;
class QLabel;
class QListWidget;
class QPushButton;
class TBWGroupEditForm;

// The groups dialog: one checkable line per group (checked = enabled here), with Add, Edit,
// Delete and Test, and under the list how the selected group's pulls went. It works on copies: the
// caller fills it with LoadGroups, shows it modally and after OK takes the copies back with
// SaveGroups. Only Add, Edit and Test reach beyond the copies, to the group files. While one of
// them waits for a fetch, the commands and closing are held off.
class TBWGroupsForm : public QDialog
{
    Q_OBJECT

public:
    TBWGroupsForm(GroupFileService& files, GroupDialogHooks hooks, QWidget* parent = nullptr);
    ~TBWGroupsForm() override;

    // Replaces the dialog's lines by copies of the groups, with their Enabled as check marks.
    void LoadGroups(const TBWGroupList& groups);
    // Replaces the groups by copies of the dialog's lines, with the check marks as Enabled.
    void SaveGroups(TBWGroupList& groups);

    FetchOutcome FetchGroupFile(const TBWListLocation& group);
    // Writes an empty message list, enciphered with the group's password, as the local copy.
    void CreateGroupFile(const TBWListLocation& group);

    // The commands of the buttons. Edit, Delete and Test act on the selected line, if any. Add, and
    // Edit of the group's location or passwords, fetch its file: a missing one is created, and a
    // password that does not open it, or a location that cannot be reached, is warned of.
    void AddGroup();
    void EditGroup();
    void DeleteGroup();
    void TestGroup();

    [[nodiscard]] TBWGroupEditForm& EditForm() { return *m_editForm; }
    [[nodiscard]] bool IsFetching() const { return m_fetchDepth > 0; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    class FetchingScope;

    void BuildLayout();
    void ConnectCommand(QPushButton* button, void (TBWGroupsForm::*command)());
    [[nodiscard]] GroupListItem* Line(int row) const;
    [[nodiscard]] int SelectedRow() const;
    [[nodiscard]] TStringList LineNames(int skipRow) const;
    void UpdateCommands();
    void CheckGroupFile(const TBWListLocation& group, const QString& title);
    [[nodiscard]] bool OpensWithPassword(const TBWListLocation& group) const;
    // The fetch, and once more after the user trusted an SSH server seen for the first time.
    FetchOutcome FetchTrusting(const TBWListLocation& group, const QString& title);
    // Why the last fetch failed, in words; empty when nothing is known beyond the failure.
    [[nodiscard]] QString Explained() const;
    [[nodiscard]] static QString Joined(const QString& first, const QString& second);
    // Each line's tooltip and mark, and the status line, from what the pulls have shown.
    void UpdateStates();
    void ShowSelectedState();
    void ShowStatus(const QString& text);
    void TellTestResult(QMessageBox::Icon icon, const QString& text);

    GroupFileService& m_files;
    GroupDialogHooks m_hooks;
    TBWGroupEditForm* m_editForm = nullptr;
    int m_fetchDepth = 0;

    QListWidget* m_groupList = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_testButton = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_helpButton = nullptr;
    QLabel* m_statusLabel = nullptr;
};
