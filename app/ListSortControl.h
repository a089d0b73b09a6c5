#pragma once

class MessageSelection;
class PersonalReminders;
class QHeaderView;

// The order of the message list as the user sets it: a click on a column header sorts by that
// column (a second click, reversed), "Autosort" keeps the list in that order, and the header's
// indicator shows it. The selected message stays selected, and in view, wherever a sort moves it.
class ListSortControl
{
public:
    ListSortControl(PersonalReminders& reminders, MessageSelection& selection, QHeaderView& header);

    void ColumnClicked(int column);
    // "Autosort" switched by the user: off, the list keeps the order it has and no column decides it
    // any more; on, it sorts by the column held (the due time when there is none).
    void SetAutoSort(bool on);
    // The order as the preferences keep it; nothing is sorted until the next change.
    void Restore(int column, bool reversed, bool autoSort);
    void UpdateIndicator();

private:
    void SortKeepingSelection();

    PersonalReminders& m_reminders;
    MessageSelection& m_selection;
    QHeaderView& m_header;
};
