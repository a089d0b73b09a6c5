#pragma once

#include "TextUtil.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TBWCForm;
class TBWEditForm;
class TBWItem;

// The commands of the main window that change the personal list: New, Edit, Duplicate, Delete,
// "Delete expired messages" and "Undo delete". Each keeps the list view in step, saves "bwlist.dat" before it returns,
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

    MessageCommands(TBWCForm& form, Publisher publisher);
    ~MessageCommands() override;

    [[nodiscard]] TBWEditForm& EditForm() const { return *m_editForm; }

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
    [[nodiscard]] TBWItem* SelectedMessage() const;
    // Where the message is in the personal list now, or -1 once it has left it.
    [[nodiscard]] int IndexOf(const TBWItem* message) const;
    // An Id that no message of the personal list holds yet, from GenerateId's value upwards.
    [[nodiscard]] std::int32_t FreeId(std::int32_t id) const;
    [[nodiscard]] std::string UserName() const;
    void SelectById(std::int32_t id);
    void SavePersonalList();
    // What the last delete removed is what UndoDelete brings back from now on.
    void SetDeletedPublished(bool published);

    // What the last delete removed, each with the index it had, in ascending order.
    struct DeletedMessage
    {
        std::size_t Index = 0;
        std::unique_ptr<TBWItem> Message;
    };

    TBWCForm& m_form;
    Publisher m_publisher;
    TBWEditForm* m_editForm;
    std::vector<DeletedMessage> m_lastDeleted;
    // Whether the last delete took the messages out of their groups too.
    bool m_lastDeletedPublished = false;
    bool m_running = false;
};
