#pragma once

#include "ItemList.h"
#include "MessageOrder.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The user's own reminders and their order: the one way to add, replace, remove and re-sort them.
// After each change the list is sorted again while "Autosort" is on, the rows are told through
// RowsChanged, and (for a change of content) the list is saved before the call returns. A new
// order alone is not saved: it goes to disk with the next change or at the end of the run.
//
// The due scan marks reminders in place, every five seconds over the whole list: it works on
// ForDueScan() and calls DueScanDone() afterwards, which sorts only a list that has fallen out of
// order and saves nothing.
//
// The groups' reminders shown beside the user's are a second source of rows beside this class
// (TeamReminders): it keeps its own copies and signals, and the list model reads both.
class PersonalReminders : public QObject
{
    Q_OBJECT

public:
    // A reminder taken out of the list, with the row it had.
    struct Removed
    {
        std::size_t Row = 0;
        std::unique_ptr<TBWItem> Message;
    };

    PersonalReminders(TBWItemList& list, std::function<void()> save, QObject* parent = nullptr);

    [[nodiscard]] const TBWItemList& Items() const { return m_list; }
    // The row of the message (held by address), or -1 once it has left the list.
    [[nodiscard]] int RowOf(const TBWItem* message) const;
    [[nodiscard]] int RowOfId(std::int32_t id) const { return FindItemById(m_list, id); }
    // The message in the row, or nullptr outside the list.
    [[nodiscard]] const TBWItem* At(int row) const;
    // An Id that no reminder holds yet, from id upwards.
    [[nodiscard]] std::int32_t FreeId(std::int32_t id) const;

    void Add(std::unique_ptr<TBWItem> message);
    // Adds them all with one save (an imported calendar).
    void AddAll(std::vector<std::unique_ptr<TBWItem>> messages);
    // Gives the message the contents of replacement; false (and nothing saved) once it has left
    // the list.
    bool Replace(const TBWItem* message, const TBWItem& replacement);
    // Takes the message out; nullptr when it has already left.
    std::unique_ptr<TBWItem> Remove(const TBWItem* message);
    // Takes out every message the test holds for, each with its row, in ascending order of row.
    std::vector<Removed> RemoveIf(const std::function<bool(const TBWItem&)>& test);
    // Puts messages back at the rows they had (in ascending order of row; past the end, appended).
    void Restore(std::vector<Removed> messages);
    // The list was filled from its file: the rows follow it.
    void Reloaded();

    [[nodiscard]] MessageOrder& Order() { return m_order; }
    [[nodiscard]] const MessageOrder& Order() const { return m_order; }
    [[nodiscard]] bool AutoSort() const { return m_autoSort; }
    void SetAutoSort(bool on) { m_autoSort = on; }
    // Sorts by the order whatever "Autosort" says (a click on a column header).
    void Sort();
    void SortIfAutoSort();

    [[nodiscard]] TBWItemList& ForDueScan() { return m_list; }
    // After the scan: sorted again only if the marks put the list out of order; the rows repainted.
    void DueScanDone();

Q_SIGNALS:
    // Rows were added, removed, changed or moved; countChanged says whether the number of rows did.
    void RowsChanged(bool countChanged);

private:
    void Changed(bool countChanged, bool resort = true);

    TBWItemList& m_list;
    std::function<void()> m_save;
    MessageOrder m_order;
    bool m_autoSort = false;
};
