#include "FindCommands.h"

#include "AppContext.h"
#include "ErrorGuard.h"
#include "ProcessLists.h"
#include "TBWCForm.h"
#include "TBWFindForm.h"

#include <QAction>
#include <QApplication>
#include <QStatusBar>

namespace {

constexpr int OutcomeShownMs = 8000;

} // namespace

FindCommands::FindCommands(TBWCForm& form) : QObject(&form), m_form(form), m_findForm(new TBWFindForm(&form))
{
    setObjectName(QStringLiteral("findCommands"));
    const MainMenu& menu = form.Menu();
    const auto guarded = [this](void (FindCommands::*command)()) {
        return
            [this, command] { RunGuarded(m_form.Context().dialogs, &m_form, [this, command] { (this->*command)(); }); };
    };
    connect(menu.findAction, &QAction::triggered, this, guarded(&FindCommands::Find));
    connect(menu.findNextAction, &QAction::triggered, this, guarded(&FindCommands::FindNext));
    connect(m_findForm, &TBWFindForm::FindNextRequested, this, guarded(&FindCommands::FindNext));
    menu.findAction->setEnabled(true);
    menu.findNextAction->setEnabled(true);
}

FindCommands::~FindCommands() = default;

void FindCommands::Find()
{
    m_findForm->StartSearch();
}

void FindCommands::FindNext()
{
    const int row = m_findForm->SearchStep(m_form.Lists().PersonalList, m_form.SelectedIndex());
    if (row >= 0) {
        m_form.SelectMessage(row);
        m_form.statusBar()->clearMessage();
        return;
    }
    // F3 is also pressed with the dialog closed: the status bar tells the same.
    const QString outcome = m_findForm->Outcome();
    if (!outcome.isEmpty()) {
        m_form.statusBar()->showMessage(outcome, OutcomeShownMs);
        QApplication::beep();
    }
}
