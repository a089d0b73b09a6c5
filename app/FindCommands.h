#pragma once

#include <QObject>

class TBWCForm;
class TBWFindForm;

// "Find..." (Ctrl+F) and "Find next" (F3) of the main window, over the find dialog that it makes
// once for the whole run. Find next searches with the dialog's inputs whether the dialog is shown or
// not; before it was ever opened, that is the word "text" from the first row.
class FindCommands : public QObject
{
    Q_OBJECT

public:
    explicit FindCommands(TBWCForm& form);
    ~FindCommands() override;

    [[nodiscard]] TBWFindForm& FindForm() const { return *m_findForm; }

    void Find();
    void FindNext();

private:
    TBWCForm& m_form;
    TBWFindForm* m_findForm;
};
