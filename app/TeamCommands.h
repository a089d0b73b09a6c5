#pragma once

#include "TextUtil.h"

#include <QObject>

#include <functional>
#include <string>

class Dialogs;
class QMainWindow;
class TBWEditForm;
class TBWGroupItemLists;
class TBWItem;
class TeamReminders;

// Edit and Delete on a group's reminder in the main window's list. Only the reminder's author
// changes it: the editor publishes the change to its groups as an edit of a sent personal reminder
// does, and Delete takes it out of them. Anyone else reads it in the editor, and a Delete changes
// nothing and says why in the status bar. The working lists take the change at once, so that the
// row shows it before the next pull; the personal list is never touched.
class TeamCommands : public QObject
{
    Q_OBJECT

public:
    // As MessageCommands::Publisher: the message into the groups of newRecipients, out of those
    // only in oldRecipients.
    using Publisher =
        std::function<void(const TBWItem& message, const TStringList& oldRecipients, const TStringList& newRecipients)>;

    struct Parts
    {
        TeamReminders& Team;
        TBWGroupItemLists& WorkingLists;
        TBWEditForm& Editor;
        Dialogs& Boxes;
        QMainWindow& Window;
        std::function<std::string()> UserName;
        Publisher Publish;
    };

    explicit TeamCommands(Parts parts);

    // The team row (counted from the first one after the personal rows).
    void Edit(int row);
    void Delete(int row);

private:
    [[nodiscard]] bool IsAuthor(const TBWItem& message) const;
    void Publish(const TBWItem& message, const TStringList& oldRecipients, const TStringList& newRecipients);
    // Every working list of the groups named takes the message, or loses it where newRecipients
    // leaves the group out.
    void ApplyToWorkingLists(const TBWItem& message, const TStringList& oldRecipients,
                             const TStringList& newRecipients);

    Parts m_parts;
};
