#pragma once

#include <QWidget>

#include <functional>
#include <vector>

class QPushButton;
class QTreeWidget;

// The reminders that came while as many pop-ups as the program opens at once were already up: a
// group file can make thousands fall due together, and a window for each would bury the desktop.
// Each waits here as one line (due time, title, sender) until the user opens it (its pop-up comes
// up) or dismisses it; "Dismiss all" empties the list. It was delivered and logged like any other.
//
// The window appears on top without taking the keyboard and hides when its list is empty. Its close
// box only hides it: what is left still comes up, one pop-up at a time, as pop-ups are closed.
class TBWOverflowForm : public QWidget
{
    Q_OBJECT

public:
    struct Entry
    {
        QString time;
        QString title;
        QString from;
        // Brings up the reminder's own window.
        std::function<void()> open;
    };

    explicit TBWOverflowForm(QWidget* parent = nullptr);
    ~TBWOverflowForm() override;

    // Lists the reminder and shows the window.
    void Add(Entry entry);
    [[nodiscard]] int Count() const;
    // Takes the oldest reminder off the list and opens it; false when the list is empty.
    bool OpenFirst();

private:
    void Open(int row);
    void Dismiss(int row);
    void DismissAll();
    [[nodiscard]] int CurrentRow() const;
    void UpdateState();

    QTreeWidget* m_list;
    QPushButton* m_openButton = nullptr;
    QPushButton* m_dismissButton = nullptr;
    QPushButton* m_dismissAllButton = nullptr;
    // Row i of the list opens with m_openers[i].
    std::vector<std::function<void()>> m_openers;
    bool m_updatePending = false;
};
