#pragma once

#include "PersonalReminders.h"
#include "TBWEditForm.h"
#include "TextUtil.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct AppContext;
struct MainMenu;
class MessageSelection;
class QWidget;
class TBWItem;
class TeamCommands;

// The commands of the main window that change the personal list: New, Edit, Duplicate, Delete,
// "Delete expired messages" and "Undo delete". Each changes the list through PersonalReminders, which saves it,
// and (New, Edit, Delete) brings the message's recipient groups up to date through the publisher.
// Makes the message editor, one for the whole run, and brings the menu entries and buttons to life.
class MessageCommands : public QObject
{
    Q_OBJECT

public:
    // Writes the message into its groups' shared files: groups only in the old list lose it, groups in
    // the new list get a current copy. It may let the event loop run while it waits for transfers.
    using Publisher =
        std::function<void(const TBWItem& message, const TStringList& oldRecipients, const TStringList& newRecipients)>;

    // What the commands work with: the reminders they change, the selected row, the menu entries they
    // bring to life, and the window their boxes and the editor belong to. userName gives the name
    // each message is written under; picker offers the groups for "Add..." in the editor.
    struct Parts
    {
        PersonalReminders& Reminders;
        MessageSelection& Selection;
        AppContext& Context;
        const MainMenu& Menu;
        QWidget& Window;
        std::function<std::string()> UserName;
        TBWEditForm::RecipientPicker Picker;
    };

    MessageCommands(Parts parts, Publisher publisher);
    ~MessageCommands() override;

    [[nodiscard]] TBWEditForm& EditForm() const { return *m_editForm; }
    // Edit and Delete on a row after the personal ones (a group's reminder) go to these commands.
    void SetTeamCommands(TeamCommands* team) { m_team = team; }

    void New();
    void Edit();
    void Duplicate();
    void Delete();
    // Deletes, after the user agreed, every message whose due moment lies the days or more back.
    void DeleteExpired(int days);
    // Brings back the messages the last Delete or DeleteExpired removed, where they stood, and (after
    // a Delete) into the groups they had been sent to.
    void UndoDelete();

private:
    // Runs a command through the error guard. While one command waits for its groups, the event
    // loop runs: another command started meanwhile is ignored, since the first still holds the
    // messages it works on.
    template <typename Command>
    void Run(Command&& command);
    void Publish(const TBWItem& message, const TStringList& oldRecipients, const TStringList& newRecipients);
    [[nodiscard]] const TBWItem* SelectedMessage() const;
    // The selected team row (counted after the personal rows), or -1.
    [[nodiscard]] int SelectedTeamRow() const;
    void SelectById(std::int32_t id);
    // What the last delete removed is what UndoDelete brings back from now on.
    void SetDeletedPublished(bool published);

    Parts m_parts;
    Publisher m_publisher;
    TBWEditForm* m_editForm;
    TeamCommands* m_team = nullptr;
    // What the last delete removed, each with the row it had, in ascending order.
    std::vector<PersonalReminders::Removed> m_lastDeleted;
    // Whether the last delete took the messages out of their groups too.
    bool m_lastDeletedPublished = false;
    bool m_running = false;
};
