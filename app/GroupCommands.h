#pragma once

#include "GroupExchange.h"
#include "GroupHealth.h"
#include "GroupProblemText.h"
#include "TransferGroupFileService.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

struct AppContext;
struct ProcessLists;
class PullProblemNotice;
class QLabel;
class QMainWindow;
class TBWGroupSelectForm;
class TBWGroupsForm;
class TBWItem;
class TrayController;
class TransferCenter;

// The groups side of the main window: the "Groups..." command with the groups dialog, the
// recipient picker that the message editor shows, the publishing of a message to its recipient
// groups and the pull of the enabled groups, and what the user is told about them. The transfers
// it uses belong to the window; their progress shows in the window's status bar.
class GroupCommands : public QObject
{
    Q_OBJECT

public:
    GroupCommands(AppContext& context, ProcessLists& lists, TransferCenter& transfers, QMainWindow& window,
                  const TrayController& tray);
    ~GroupCommands() override;

    // "Groups..." in the Options menu: the groups dialog over copies of the group list. After OK
    // the group list takes the dialog's groups and is saved at once, and the working lists are
    // rebuilt for the groups enabled now; Cancel changes nothing.
    void EditGroups();

    // Writes the message into the shared files of its recipient groups: added to the groups only in
    // newRecipients, replaced (by Id) in those in both, removed from those only in oldRecipients.
    // The status bar names the groups while it runs; afterwards one box, which does not wait, lists
    // the groups that did not get the message. The commands New, Edit, Duplicate and Delete call it before they change
    // the personal list; the message still carries its recipients from before the command.
    ExchangeReport PublishMessage(const TBWItem& message, const TStringList& oldRecipients,
                                  const TStringList& newRecipients);

    // Fetches the enabled groups' shared files and merges them into their working lists. Each
    // problem is told once, without a modal box. A pull asked for while one runs is skipped.
    void PullGroups();

    // Returns once the working lists the pulls merged are written, for a save of them all.
    void FinishWorkingListSaves() { m_exchange.FinishSaves(); }

    [[nodiscard]] TBWGroupsForm& GroupsForm() const { return *m_groupsForm; }
    [[nodiscard]] TBWGroupSelectForm& GroupPicker() const { return *m_groupPicker; }
    // How the pulls of each group went this run.
    [[nodiscard]] const GroupHealth& Health() const { return m_health; }

Q_SIGNALS:
    // A publish started or ended; while one runs, the groups dialog is not to be opened.
    void PublishingChanged(bool publishing);

private:
    class PublishingScope;

    void ApplyDialogGroups();
    void TellPublishProblems(const ExchangeReport& report);
    // What publishes that outlived their wait, and retries of waiting changes, did: without a box
    // that holds anything up.
    void TellLateReport(const ExchangeReport& report);
    // A group that was busy is tried again soon; after that, every pull tries again.
    void RetryWhenBusy(const ExchangeReport& report);
    void SetActivity(const QString& text);
    void UpdateStatus();

    AppContext& m_context;
    ProcessLists& m_lists;
    QMainWindow& m_window;
    TransferGroupFileService m_fileService;
    GroupExchange m_exchange;
    PullProblemFilter m_pullFilter;
    GroupHealth m_health;
    QString m_lastPullFailure;
    std::unique_ptr<PullProblemNotice> m_pullNotice;
    std::unique_ptr<TBWGroupsForm> m_groupsForm;
    std::unique_ptr<TBWGroupSelectForm> m_groupPicker;
    QLabel* m_statusLabel;
    QTimer m_retryTimer;
    QString m_activity;
    QString m_publishing;
    int m_publishDepth = 0;
    bool m_pulling = false;
};
