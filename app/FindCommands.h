#pragma once

#include <QObject>

class Dialogs;
class MessageSelection;
class PersonalReminders;
class QMainWindow;
class TBWFindForm;
class TeamReminders;
struct MainMenu;

// "Find..." (Ctrl+F) and "Find next" (F3) of the main window, over the find dialog that it makes
// once for the whole run. Find next searches with the dialog's inputs whether the dialog is shown or
// not; before it was ever opened, that is the word "text" from the first row. What a search did not
// find shows in the window's status bar as well.
class FindCommands : public QObject
{
    Q_OBJECT

public:
    // The search runs over the rows as the list shows them: the personal ones, then the team's.
    FindCommands(const PersonalReminders& reminders, const TeamReminders& team, MessageSelection& selection,
                 const MainMenu& menu, Dialogs& dialogs, QMainWindow& window);
    ~FindCommands() override;

    [[nodiscard]] TBWFindForm& FindForm() const { return *m_findForm; }

    void Find();
    void FindNext();

private:
    const PersonalReminders& m_reminders;
    const TeamReminders& m_team;
    MessageSelection& m_selection;
    Dialogs& m_dialogs;
    QMainWindow& m_window;
    TBWFindForm* m_findForm;
};
