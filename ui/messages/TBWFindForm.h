#pragma once

#include "ItemList.h"
#include "MessageSearch.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The non-modal find dialog and the state of the search: each step selects the next message whose
// title, text or both hold the search text, forward only, from the top of the list or from just
// after the selected row, and stops at the end without wrapping around. The dialog is made once
// and hidden when closed; its inputs and the state stay.
class TBWFindForm : public QDialog
{
    Q_OBJECT

public:
    explicit TBWFindForm(QWidget* parent = nullptr);
    ~TBWFindForm() override;

    // The Find command: the next step starts at the first row; the dialog comes to the front.
    void StartSearch();
    // One search step over the list whose selected row is selectedIndex (-1 for none): the row to
    // select, or -1 when nothing is to be selected. A step that searched and found nothing says so
    // under the inputs, and in Outcome().
    int SearchStep(const TBWItemList& messages, int selectedIndex);
    // The same over rows that are not one list: count rows, each given by messageAt.
    int SearchStep(int count, const std::function<const TBWItem&(int row)>& messageAt, int selectedIndex);
    // What the last step found missing, in a sentence; empty after a match or a step that did not search.
    [[nodiscard]] QString Outcome() const;

    [[nodiscard]] bool SearchStarted() const { return m_searchStarted; }
    [[nodiscard]] MessageSearch CurrentSearch() const;

Q_SIGNALS:
    // "Find next" of the dialog was pressed.
    void FindNextRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnSearchTextChanged(const QString& text);

    QLineEdit* m_searchEdit = nullptr;
    QComboBox* m_scopeComboBox = nullptr;
    QCheckBox* m_caseSensitiveCheckBox = nullptr;
    QPushButton* m_findNextButton = nullptr;
    QLabel* m_outcomeLabel = nullptr;
    bool m_searchStarted = false;
    bool m_placed = false;
};
