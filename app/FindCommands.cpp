#include "FindCommands.h"

#include "ErrorGuard.h"
#include "MainMenu.h"
#include "MessageSelection.h"
#include "PersonalReminders.h"
#include "TBWFindForm.h"
#include "TeamReminders.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

namespace {

constexpr int OutcomeShownMs = 8000;

} // namespace

FindCommands::FindCommands(const PersonalReminders& reminders, const TeamReminders& team, MessageSelection& selection,
                           const MainMenu& menu, Dialogs& dialogs, QMainWindow& window)
    : QObject(&window), m_reminders(reminders), m_team(team), m_selection(selection), m_dialogs(dialogs),
      m_window(window), m_findForm(new TBWFindForm(&window))
{
    setObjectName(QStringLiteral("findCommands"));
    const auto guarded = [this](void (FindCommands::*command)()) {
        return [this, command] { RunGuarded(m_dialogs, &m_window, [this, command] { (this->*command)(); }); };
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
    const TBWItemList& own = m_reminders.Items();
    const int ownCount = static_cast<int>(own.size());
    const int row = m_findForm->SearchStep(
        ownCount + m_team.Count(),
        [&](int at) -> const TBWItem& {
            return at < ownCount ? *own[static_cast<std::size_t>(at)] : m_team.At(at - ownCount)->Message;
        },
        m_selection.SelectedRow());
    if (row >= 0) {
        m_selection.SelectRow(row);
        m_window.statusBar()->clearMessage();
        return;
    }
    // F3 is also pressed with the dialog closed: the status bar tells the same.
    const QString outcome = m_findForm->Outcome();
    if (!outcome.isEmpty()) {
        m_window.statusBar()->showMessage(outcome, OutcomeShownMs);
        QApplication::beep();
    }
}
