#include "MessageCommands.h"

#include "AppContext.h"
#include "Clock.h"
#include "Dialogs.h"
#include "ErrorGuard.h"
#include "MainMenu.h"
#include "MessageSelection.h"
#include "TeamCommands.h"

#include <QAction>

#include <memory>
#include <utility>

namespace {

// Clears a flag when the command ends, however it ends.
class RunningFlag
{
public:
    explicit RunningFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~RunningFlag() { m_flag = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& m_flag;
};

} // namespace

MessageCommands::MessageCommands(Parts parts, Publisher publisher)
    : QObject(&parts.Window), m_parts(std::move(parts)), m_publisher(std::move(publisher)),
      m_editForm(new TBWEditForm(m_parts.Context, &m_parts.Window))
{
    setObjectName(QStringLiteral("messageCommands"));
    m_editForm->SetRecipientPicker(m_parts.Picker);
    const MainMenu& menu = m_parts.Menu;
    const std::pair<QAction*, void (MessageCommands::*)()> commands[] = {
        {menu.newAction, &MessageCommands::New},
        {menu.editAction, &MessageCommands::Edit},
        {menu.duplicateAction, &MessageCommands::Duplicate},
        {menu.deleteAction, &MessageCommands::Delete},
        {menu.undoDeleteAction, &MessageCommands::UndoDelete},
    };
    for (const auto& [action, command] : commands) {
        const auto handler = command;
        connect(action, &QAction::triggered, this, [this, handler] { Run([this, handler] { (this->*handler)(); }); });
        action->setEnabled(action != menu.undoDeleteAction);
    }
    for (QAction* action : menu.deleteExpiredActions) {
        connect(action, &QAction::triggered, this, [this, action] {
            const int days = action->data().toInt();
            Run([this, days] { DeleteExpired(days); });
        });
        action->setEnabled(true);
    }
}

MessageCommands::~MessageCommands() = default;

template <typename Command>
void MessageCommands::Run(Command&& command)
{
    if (m_running) {
        return;
    }
    const RunningFlag running(m_running);
    RunGuarded(m_parts.Context.dialogs, &m_parts.Window, std::forward<Command>(command));
}

void MessageCommands::New()
{
    m_editForm->setWindowTitle(tr("New message"));
    m_editForm->Reset();
    m_editForm->ClearRecipients();
    if (m_editForm->Execute() != QDialog::Accepted) {
        return;
    }
    auto message = std::make_unique<TBWItem>();
    m_editForm->StoreIntoMessage(*message, m_parts.UserName());
    message->LastDueTime = 0.0;
    // The Id comes from the stored texts and the clock, so it is made after them.
    message->GenerateId(m_parts.Context.clock.Now());
    message->Id = m_parts.Reminders.FreeId(message->Id);
    const TStringList recipients = m_editForm->Recipients();
    Publish(*message, message->Recipients, recipients);
    message->Recipients = recipients;

    const std::int32_t id = message->Id;
    m_parts.Reminders.Add(std::move(message));
    SelectById(id);
}

void MessageCommands::Edit()
{
    const TBWItem* message = SelectedMessage();
    if (message == nullptr) {
        if (const int row = SelectedTeamRow(); row >= 0) {
            m_team->Edit(row);
        }
        return;
    }
    m_editForm->setWindowTitle(tr("Edit message"));
    m_editForm->LoadFromMessage(*message);
    // The scheduler may re-sort the list while the editor is open: the message is held, not its row.
    if (m_editForm->Execute() != QDialog::Accepted || m_parts.Reminders.RowOf(message) < 0) {
        return;
    }
    const TStringList oldRecipients = message->Recipients;
    TBWItem edited = *message;
    m_editForm->StoreIntoMessage(edited, m_parts.UserName());
    // The list shows (and keeps) the edit while the publisher waits for the groups; the recipients
    // follow once they have the message.
    m_parts.Reminders.Replace(message, edited);
    const TStringList newRecipients = m_editForm->Recipients();
    // The publisher gets a copy: the list may change while it waits for the groups.
    const TBWItem published = *message;
    Publish(published, oldRecipients, newRecipients);
    if (m_parts.Reminders.RowOf(message) >= 0) {
        edited = *message;
        edited.Recipients = newRecipients;
        m_parts.Reminders.Replace(message, edited);
    }
    SelectById(published.Id);
}

void MessageCommands::Duplicate()
{
    const TBWItem* original = SelectedMessage();
    if (original == nullptr) {
        return;
    }
    // Not published: the copy keeps the recipients of the original, but no group has it until it is
    // edited.
    auto copy = std::make_unique<TBWItem>();
    copy->Assign(*original);
    copy->GenerateId(m_parts.Context.clock.Now());
    copy->Id = m_parts.Reminders.FreeId(copy->Id);
    m_parts.Reminders.Add(std::move(copy));
}

void MessageCommands::Delete()
{
    const TBWItem* message = SelectedMessage();
    if (message == nullptr) {
        if (const int row = SelectedTeamRow(); row >= 0) {
            m_team->Delete(row);
        }
        return;
    }
    const TBWItem published = *message;
    Publish(published, published.Recipients, TStringList{});
    const int row = m_parts.Reminders.RowOf(message);
    if (std::unique_ptr<TBWItem> removed = m_parts.Reminders.Remove(message)) {
        m_lastDeleted.clear();
        m_lastDeleted.push_back({static_cast<std::size_t>(row), std::move(removed)});
        SetDeletedPublished(true);
    }
}

void MessageCommands::DeleteExpired(int days)
{
    AppContext& context = m_parts.Context;
    if (!context.dialogs.Confirm(&m_parts.Window, tr("Confirm"),
                                 tr("Delete expired messages more than %1 days old?").arg(days))) {
        return;
    }
    std::vector<PersonalReminders::Removed> removed = m_parts.Reminders.RemoveIf(
        [&context, days](const TBWItem& message) { return context.clock.Now() - message.DueTime >= days; });
    if (!removed.empty()) {
        m_lastDeleted = std::move(removed);
        SetDeletedPublished(false);
    }
}

void MessageCommands::UndoDelete()
{
    if (m_lastDeleted.empty()) {
        return;
    }
    std::vector<PersonalReminders::Removed> restored = std::move(m_lastDeleted);
    m_lastDeleted.clear();
    m_parts.Menu.undoDeleteAction->setEnabled(false);
    if (m_lastDeletedPublished) {
        // Put back into every group the message had been sent to: where a copy is left, it is
        // replaced by Id; where it is gone, it is added.
        for (const PersonalReminders::Removed& deleted : restored) {
            Publish(*deleted.Message, deleted.Message->Recipients, deleted.Message->Recipients);
        }
    }
    const std::int32_t firstId = restored.front().Message->Id;
    m_parts.Reminders.Restore(std::move(restored));
    SelectById(firstId);
}

void MessageCommands::SetDeletedPublished(bool published)
{
    m_lastDeletedPublished = published;
    m_parts.Menu.undoDeleteAction->setEnabled(!m_lastDeleted.empty());
}

void MessageCommands::Publish(const TBWItem& message, const TStringList& oldRecipients,
                              const TStringList& newRecipients)
{
    // A group that fails must not cost the user the message: the failure is told and the command
    // goes on with the personal list.
    RunGuarded(m_parts.Context.dialogs, &m_parts.Window, [&] { m_publisher(message, oldRecipients, newRecipients); });
}

const TBWItem* MessageCommands::SelectedMessage() const
{
    return m_parts.Reminders.At(m_parts.Selection.SelectedRow());
}

int MessageCommands::SelectedTeamRow() const
{
    const int row = m_parts.Selection.SelectedRow() - static_cast<int>(m_parts.Reminders.Items().size());
    return m_team != nullptr && row >= 0 ? row : -1;
}

void MessageCommands::SelectById(std::int32_t id)
{
    m_parts.Selection.SelectRow(m_parts.Reminders.RowOfId(id));
}
