#include "MessageCommands.h"

#include "AppContext.h"
#include "Clock.h"
#include "Dialogs.h"
#include "ErrorGuard.h"
#include "ListFiles.h"
#include "ProcessLists.h"
#include "TBWCForm.h"
#include "TBWEditForm.h"
#include "TBWGroupSelectForm.h"

#include <QAction>

#include <algorithm>
#include <limits>
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

MessageCommands::MessageCommands(TBWCForm& form, Publisher publisher)
    : QObject(&form), m_form(form), m_publisher(std::move(publisher)),
      m_editForm(new TBWEditForm(form.Context(), &form))
{
    setObjectName(QStringLiteral("messageCommands"));
    // "Add..." of the editor offers every group, enabled or not.
    m_editForm->SetRecipientPicker([this](QWidget* /*parent*/) -> std::optional<TStringList> {
        TBWGroupSelectForm& picker = m_form.GroupPicker();
        if (picker.Execute(m_form.Lists().GroupList) != QDialog::Accepted) {
            return std::nullopt;
        }
        return picker.SelectedGroups();
    });
    const MainMenu& menu = form.Menu();
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
    RunGuarded(m_form.Context().dialogs, &m_form, std::forward<Command>(command));
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
    m_editForm->StoreIntoMessage(*message, UserName());
    message->LastDueTime = 0.0;
    // The Id comes from the stored texts and the clock, so it is made after them.
    message->GenerateId(m_form.Context().clock.Now());
    message->Id = FreeId(message->Id);
    const TStringList recipients = m_editForm->Recipients();
    Publish(*message, message->Recipients, recipients);
    message->Recipients = recipients;

    const std::int32_t id = message->Id;
    m_form.Lists().PersonalList.push_back(std::move(message));
    m_form.ResortIfAutoSort();
    m_form.UpdateRowCount();
    SelectById(id);
    SavePersonalList();
}

void MessageCommands::Edit()
{
    TBWItem* message = SelectedMessage();
    if (message == nullptr) {
        return;
    }
    m_editForm->setWindowTitle(tr("Edit message"));
    m_editForm->LoadFromMessage(*message);
    // The scheduler may re-sort the list while the editor is open: the message is held, not its row.
    if (m_editForm->Execute() != QDialog::Accepted || IndexOf(message) < 0) {
        return;
    }
    const TStringList oldRecipients = message->Recipients;
    m_editForm->StoreIntoMessage(*message, UserName());
    const TStringList newRecipients = m_editForm->Recipients();
    // The publisher gets a copy: the list may change while it waits for the groups.
    const TBWItem published = *message;
    Publish(published, oldRecipients, newRecipients);
    if (IndexOf(message) >= 0) {
        message->Recipients = newRecipients;
    }
    m_form.ResortIfAutoSort();
    SelectById(published.Id);
    SavePersonalList();
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
    copy->GenerateId(m_form.Context().clock.Now());
    copy->Id = FreeId(copy->Id);
    m_form.Lists().PersonalList.push_back(std::move(copy));
    m_form.ResortIfAutoSort();
    m_form.UpdateRowCount();
    m_form.RepaintList();
    SavePersonalList();
}

void MessageCommands::Delete()
{
    TBWItem* message = SelectedMessage();
    if (message == nullptr) {
        return;
    }
    const TBWItem published = *message;
    Publish(published, published.Recipients, TStringList{});
    const int index = IndexOf(message);
    if (index >= 0) {
        TBWItemList& list = m_form.Lists().PersonalList;
        m_lastDeleted.clear();
        m_lastDeleted.push_back({static_cast<std::size_t>(index), std::move(list[static_cast<std::size_t>(index)])});
        list.erase(list.begin() + index);
        SetDeletedPublished(true);
    }
    m_form.UpdateRowCount();
    m_form.RepaintList();
    SavePersonalList();
}

void MessageCommands::DeleteExpired(int days)
{
    AppContext& context = m_form.Context();
    if (!context.dialogs.Confirm(&m_form, tr("Confirm"),
                                 tr("Delete expired messages more than %1 days old?").arg(days))) {
        return;
    }
    TBWItemList& list = m_form.Lists().PersonalList;
    std::vector<DeletedMessage> kept;
    for (std::size_t index = list.size(); index-- > 0;) {
        if (context.clock.Now() - list[index]->DueTime >= days) {
            kept.push_back({index, std::move(list[index])});
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
        }
    }
    if (!kept.empty()) {
        std::reverse(kept.begin(), kept.end());
        m_lastDeleted = std::move(kept);
        SetDeletedPublished(false);
    }
    m_form.UpdateRowCount();
    m_form.RepaintList();
    SavePersonalList();
}

void MessageCommands::UndoDelete()
{
    if (m_lastDeleted.empty()) {
        return;
    }
    std::vector<DeletedMessage> restored = std::move(m_lastDeleted);
    m_lastDeleted.clear();
    m_form.Menu().undoDeleteAction->setEnabled(false);
    if (m_lastDeletedPublished) {
        // Put back into every group the message had been sent to: where a copy is left, it is
        // replaced by Id; where it is gone, it is added.
        for (const DeletedMessage& deleted : restored) {
            Publish(*deleted.Message, deleted.Message->Recipients, deleted.Message->Recipients);
        }
    }
    TBWItemList& list = m_form.Lists().PersonalList;
    const std::int32_t firstId = restored.front().Message->Id;
    for (DeletedMessage& deleted : restored) {
        const std::size_t index = std::min(deleted.Index, list.size());
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(index), std::move(deleted.Message));
    }
    m_form.ResortIfAutoSort();
    m_form.UpdateRowCount();
    SelectById(firstId);
    SavePersonalList();
}

void MessageCommands::SetDeletedPublished(bool published)
{
    m_lastDeletedPublished = published;
    m_form.Menu().undoDeleteAction->setEnabled(!m_lastDeleted.empty());
}

void MessageCommands::Publish(const TBWItem& message, const TStringList& oldRecipients,
                              const TStringList& newRecipients)
{
    // A group that fails must not cost the user the message: the failure is told and the command
    // goes on with the personal list.
    RunGuarded(m_form.Context().dialogs, &m_form, [&] { m_publisher(message, oldRecipients, newRecipients); });
}

TBWItem* MessageCommands::SelectedMessage() const
{
    const int index = m_form.SelectedIndex();
    const TBWItemList& list = m_form.Lists().PersonalList;
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) {
        return nullptr;
    }
    return list[static_cast<std::size_t>(index)].get();
}

int MessageCommands::IndexOf(const TBWItem* message) const
{
    const TBWItemList& list = m_form.Lists().PersonalList;
    const auto found =
        std::find_if(list.begin(), list.end(), [message](const auto& item) { return item.get() == message; });
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

std::int32_t MessageCommands::FreeId(std::int32_t id) const
{
    // Two messages with one Id would shadow each other in every list and group.
    const TBWItemList& list = m_form.Lists().PersonalList;
    while (FindItemById(list, id) >= 0) {
        id = id == std::numeric_limits<std::int32_t>::max() ? 0 : id + 1;
    }
    return id;
}

std::string MessageCommands::UserName() const
{
    return m_form.CurrentPreferences().UserName.toLocal8Bit().toStdString();
}

void MessageCommands::SelectById(std::int32_t id)
{
    m_form.SelectMessage(FindItemById(m_form.Lists().PersonalList, id));
}

void MessageCommands::SavePersonalList()
{
    AppContext& context = m_form.Context();
    const ListFiles files(context.dataFolder,
                          [&context, this](const QString& text) { context.dialogs.ShowError(&m_form, text); });
    files.SavePersonalList(m_form.Lists());
}
