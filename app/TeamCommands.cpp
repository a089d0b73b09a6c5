#include "TeamCommands.h"

#include "Dialogs.h"
#include "ErrorGuard.h"
#include "GroupList.h"
#include "ShownText.h"
#include "TBWEditForm.h"
#include "TeamReminders.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

#include <optional>
#include <utility>

namespace {

constexpr int RefusalShownMs = 8000;

// Leaves the editor as the personal commands expect it, however the showing ends.
class ReadOnlyScope
{
public:
    explicit ReadOnlyScope(TBWEditForm& editor) : m_editor(editor) { m_editor.SetReadOnly(true); }
    ~ReadOnlyScope() { m_editor.SetReadOnly(false); }
    ReadOnlyScope(const ReadOnlyScope&) = delete;
    ReadOnlyScope& operator=(const ReadOnlyScope&) = delete;

private:
    TBWEditForm& m_editor;
};

// A copy of the row's reminder, since the rows are taken again while a box is open, with its group.
// It is in the group it was read from, whatever its stored copy names.
std::optional<TeamReminders::Row> Pick(const TeamReminders& team, int row)
{
    const TeamReminders::Row* shown = team.At(row);
    if (shown == nullptr) {
        return std::nullopt;
    }
    TeamReminders::Row picked = *shown;
    if (!ContainsText(picked.Message.Recipients, picked.Group)) {
        picked.Message.Recipients.push_back(picked.Group);
    }
    return picked;
}

} // namespace

TeamCommands::TeamCommands(Parts parts) : QObject(&parts.Window), m_parts(std::move(parts))
{
    setObjectName(QStringLiteral("teamCommands"));
}

void TeamCommands::Edit(int row)
{
    const std::optional<TeamReminders::Row> picked = Pick(m_parts.Team, row);
    if (!picked) {
        return;
    }
    const auto& [group, message] = *picked;
    TBWEditForm& editor = m_parts.Editor;
    editor.LoadFromMessage(message);
    if (!IsAuthor(message)) {
        //: The editor's caption for a group's reminder that someone else wrote: %1 the group, %2 the author.
        editor.setWindowTitle(
            tr("Message of group %1 by %2 (read-only)").arg(ShownLine(group), ShownLine(message.Author)));
        const ReadOnlyScope readOnly(editor);
        editor.Execute();
        return;
    }
    //: The editor's caption for a group's reminder that the user wrote: %1 the group.
    editor.setWindowTitle(tr("Edit message of group %1").arg(ShownLine(group)));
    if (editor.Execute() != QDialog::Accepted) {
        return;
    }
    TBWItem edited = message;
    editor.StoreIntoMessage(edited, m_parts.UserName());
    TStringList newRecipients = editor.Recipients();
    // Without any group the reminder would be nowhere: it lives in no personal list. Delete is the
    // way to take it away.
    if (newRecipients.empty()) {
        newRecipients = message.Recipients;
    }
    edited.Recipients = newRecipients;
    Publish(edited, message.Recipients, newRecipients);
    ApplyToWorkingLists(edited, message.Recipients, newRecipients);
}

void TeamCommands::Delete(int row)
{
    const std::optional<TeamReminders::Row> picked = Pick(m_parts.Team, row);
    if (!picked) {
        return;
    }
    const auto& [group, message] = *picked;
    if (!IsAuthor(message)) {
        //: %1 the author of a group's reminder, %2 its title, %3 the group.
        m_parts.Window.statusBar()->showMessage(
            tr("Only %1, who wrote \"%2\", can delete it from group %3.")
                .arg(ShownLine(message.Author), ShownLine(message.Title), ShownLine(group)),
            RefusalShownMs);
        QApplication::beep();
        return;
    }
    // There is no undo for the groups' copies: every member loses the reminder.
    if (!m_parts.Boxes.Confirm(
            &m_parts.Window, tr("Confirm"),
            tr("Delete \"%1\" from group %2 for every member?").arg(ShownLine(message.Title), ShownLine(group)))) {
        return;
    }
    Publish(message, message.Recipients, TStringList{});
    ApplyToWorkingLists(message, message.Recipients, TStringList{});
}

bool TeamCommands::IsAuthor(const TBWItem& message) const
{
    const std::string user = m_parts.UserName();
    return !user.empty() && message.Author == user;
}

void TeamCommands::Publish(const TBWItem& message, const TStringList& oldRecipients, const TStringList& newRecipients)
{
    // As for a personal reminder: a group that fails is told, and the others still get the change.
    RunGuarded(m_parts.Boxes, &m_parts.Window, [&] { m_parts.Publish(message, oldRecipients, newRecipients); });
}

void TeamCommands::ApplyToWorkingLists(const TBWItem& message, const TStringList& oldRecipients,
                                       const TStringList& newRecipients)
{
    TStringList groups;
    UnionStrings(oldRecipients, newRecipients, groups);
    for (const std::string& name : groups) {
        TBWItemList* list = m_parts.WorkingLists.Find(name);
        if (list == nullptr) {
            continue;
        }
        const int index = FindItemById(*list, message.Id);
        if (!ContainsText(newRecipients, name)) {
            if (index >= 0) {
                list->erase(list->begin() + index);
            }
        } else if (index >= 0) {
            // This member's progress with the reminder stays, as a pull's merge keeps it.
            const double lastDue = (*list)[static_cast<std::size_t>(index)]->LastDueTime;
            *(*list)[static_cast<std::size_t>(index)] = message;
            (*list)[static_cast<std::size_t>(index)]->LastDueTime = lastDue;
        } else {
            list->push_back(std::make_unique<TBWItem>(message));
        }
    }
    m_parts.Team.Refresh();
}
