#include "TBWGroupsForm.h"

#include "CenterOnScreen.h"
#include "GroupListItem.h"
#include "GroupTestText.h"
#include "ItemList.h"
#include "TBWGroupEditForm.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

namespace {

// The status line under the list: what is fetched, or how the selected group's pulls went.
constexpr int StatusLines = 2;

} // namespace

// Marks the dialog as waiting for a fetch for as long as it lives: the commands are disabled,
// closing is held off and the status line names the group. The keyboard focus goes back where it
// was, rather than staying wherever disabling the buttons pushed it.
class TBWGroupsForm::FetchingScope
{
public:
    FetchingScope(TBWGroupsForm& form, const TBWListLocation& group) : m_form(form), m_focus(form.focusWidget())
    {
        ++m_form.m_fetchDepth;
        m_form.ShowStatus(tr("Fetching the group file of \"%1\"...").arg(QString::fromLocal8Bit(group.Name)));
        m_form.UpdateCommands();
        QApplication::setOverrideCursor(Qt::BusyCursor);
    }
    ~FetchingScope()
    {
        QApplication::restoreOverrideCursor();
        --m_form.m_fetchDepth;
        m_form.UpdateCommands();
        if (m_form.m_fetchDepth == 0) {
            m_form.ShowSelectedState();
            if (m_focus && m_focus->isEnabled()) {
                m_focus->setFocus();
            } else {
                m_form.m_groupList->setFocus();
            }
        }
    }
    FetchingScope(const FetchingScope&) = delete;
    FetchingScope& operator=(const FetchingScope&) = delete;

private:
    TBWGroupsForm& m_form;
    QPointer<QWidget> m_focus;
};

TBWGroupsForm::TBWGroupsForm(GroupFileService& files, GroupDialogHooks hooks, QWidget* parent)
    : QDialog(parent), m_files(files), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("groupsDialog"));
    // Modal to the window it belongs to only: the reminder pop-ups, which belong to none, stay usable.
    setWindowModality(Qt::WindowModal);
    setWindowTitle(tr("Groups"));
    m_editForm = new TBWGroupEditForm(m_hooks, this);
    BuildLayout();
    setFixedSize(428, 275);
    UpdateCommands();
}

TBWGroupsForm::~TBWGroupsForm() = default;

void TBWGroupsForm::BuildLayout()
{
    const auto makeButton = [this](const QString& text, const char* name) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QLatin1String(name));
        return button;
    };

    auto* groupsBox = new QGroupBox(tr("Groups (recipients)"), this);
    groupsBox->setObjectName(QStringLiteral("groupsGroupBox"));
    m_groupList = new QListWidget(groupsBox);
    m_groupList->setObjectName(QStringLiteral("groupList"));
    m_groupList->setAccessibleName(tr("Groups"));
    m_groupList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_groupList->setIconSize(QSize(16, 16));
    m_addButton = makeButton(tr("&Add..."), "addButton");
    m_editButton = makeButton(tr("&Edit..."), "editButton");
    m_deleteButton = makeButton(tr("&Delete"), "deleteButton");
    m_testButton = makeButton(tr("&Test"), "testButton");

    auto* commandColumn = new QVBoxLayout;
    for (QPushButton* button : {m_addButton, m_editButton, m_deleteButton, m_testButton}) {
        button->setAutoDefault(false);
        commandColumn->addWidget(button);
    }
    commandColumn->addStretch();
    // Under the list, the status line names the group whose file is being fetched.
    m_statusLabel = new QLabel(groupsBox);
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    m_statusLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_statusLabel->setWordWrap(true);
    m_statusLabel->setTextFormat(Qt::PlainText);
    m_statusLabel->setFixedHeight(StatusLines * m_statusLabel->fontMetrics().lineSpacing());
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(m_groupList, 1);
    listColumn->addWidget(m_statusLabel);
    auto* boxLayout = new QHBoxLayout(groupsBox);
    boxLayout->addLayout(listColumn, 1);
    boxLayout->addLayout(commandColumn);
    m_okButton = makeButton(tr("OK"), "okButton");
    m_okButton->setDefault(true);
    m_cancelButton = makeButton(tr("Cancel"), "cancelButton");
    m_helpButton = makeButton(tr("&Help"), "helpButton");
    // Enter is OK wherever the focus is, unless it is on Cancel.
    m_helpButton->setAutoDefault(false);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_okButton);
    buttonRow->addWidget(m_cancelButton);
    buttonRow->addWidget(m_helpButton);

    auto* mainLayout = new QVBoxLayout(this);
    mainLayout->addWidget(groupsBox, 1);
    mainLayout->addLayout(buttonRow);

    setTabOrder(m_groupList, m_addButton);
    setTabOrder(m_addButton, m_editButton);
    setTabOrder(m_editButton, m_deleteButton);
    setTabOrder(m_deleteButton, m_testButton);
    setTabOrder(m_testButton, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
    setTabOrder(m_cancelButton, m_helpButton);

    ConnectCommand(m_addButton, &TBWGroupsForm::AddGroup);
    ConnectCommand(m_editButton, &TBWGroupsForm::EditGroup);
    ConnectCommand(m_deleteButton, &TBWGroupsForm::DeleteGroup);
    ConnectCommand(m_testButton, &TBWGroupsForm::TestGroup);
    connect(m_groupList, &QListWidget::itemDoubleClicked, this,
            [this] { m_hooks.Guard(this, [this] { EditGroup(); }); });
    connect(m_groupList, &QListWidget::itemSelectionChanged, this, &TBWGroupsForm::UpdateCommands);
    connect(m_groupList, &QListWidget::itemSelectionChanged, this, [this] {
        if (!IsFetching()) {
            ShowSelectedState();
        }
    });
    connect(m_okButton, &QPushButton::clicked, this, &TBWGroupsForm::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &TBWGroupsForm::reject);
    const auto showHelp = [this] { m_hooks.Help(QStringLiteral("groups-recipients-window.htm")); };
    connect(m_helpButton, &QPushButton::clicked, this, showHelp);
    auto* helpShortcut = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpShortcut, &QShortcut::activated, this, showHelp);
}

void TBWGroupsForm::ConnectCommand(QPushButton* button, void (TBWGroupsForm::*command)())
{
    connect(button, &QPushButton::clicked, this,
            [this, command] { m_hooks.Guard(this, [this, command] { (this->*command)(); }); });
}

void TBWGroupsForm::LoadGroups(const TBWGroupList& groups)
{
    m_groupList->clear();
    for (const auto& group : groups) {
        m_groupList->addItem(new GroupListItem(*group));
    }
    UpdateCommands();
    UpdateStates();
}

void TBWGroupsForm::SaveGroups(TBWGroupList& groups)
{
    groups.clear();
    groups.reserve(static_cast<std::size_t>(m_groupList->count()));
    for (int row = 0; row < m_groupList->count(); ++row) {
        GroupListItem* line = Line(row);
        line->Group().Enabled = line->IsChecked();
        auto copy = std::make_unique<TBWListLocation>();
        copy->Assign(line->Group());
        groups.push_back(std::move(copy));
    }
}

FetchOutcome TBWGroupsForm::FetchGroupFile(const TBWListLocation& group)
{
    const FetchingScope fetching(*this, group);
    return m_files.FetchGroupFile(group);
}

void TBWGroupsForm::CreateGroupFile(const TBWListLocation& group)
{
    const TBWItemList empty;
    SaveItemList(empty, m_files.LocalCopyPath(group), group.Password);
}

void TBWGroupsForm::AddGroup()
{
    if (IsFetching()) {
        return;
    }
    m_editForm->setWindowTitle(tr("New group"));
    m_editForm->TakenNames() = LineNames(-1);
    if (m_editForm->exec() != QDialog::Accepted) {
        return;
    }
    TBWListLocation group;
    m_editForm->GetFields(group);
    group.DetectLocationKind();
    auto* line = new GroupListItem(group);
    m_groupList->addItem(line);
    m_groupList->setCurrentItem(line);
    // The check works on its own copy: the line may be gone by the time the wait is over.
    CheckGroupFile(group, tr("New group"));
    UpdateStates();
}

void TBWGroupsForm::EditGroup()
{
    const int row = SelectedRow();
    if (row < 0 || IsFetching()) {
        return;
    }
    GroupListItem* line = Line(row);
    m_editForm->setWindowTitle(tr("Edit group"));
    m_editForm->TakenNames() = LineNames(row);
    m_editForm->SetFields(line->Group());
    if (m_editForm->exec() != QDialog::Accepted) {
        return;
    }
    TBWListLocation before;
    before.Assign(line->Group());
    m_editForm->GetFields(line->Group());
    line->Group().DetectLocationKind();
    line->UpdateText();
    const TBWListLocation& after = line->Group();
    if (after.Location != before.Location || after.Password != before.Password || after.FtpUser != before.FtpUser ||
        after.FtpPassword != before.FtpPassword || !(after.Options == before.Options)) {
        TBWListLocation group;
        group.Assign(after);
        CheckGroupFile(group, tr("Edit group"));
    }
    UpdateStates();
}

void TBWGroupsForm::CheckGroupFile(const TBWListLocation& group, const QString& title)
{
    const QString name = QString::fromLocal8Bit(group.Name);
    switch (FetchTrusting(group, title)) {
    case FetchOutcome::Present:
        // The group joins the file that is already there; a password that does not open it would
        // leave the group silent, so the user hears of it now. The group is kept all the same.
        if (!OpensWithPassword(group)) {
            m_hooks.Tell(this, QMessageBox::Warning, title,
                         tr("The group file of \"%1\" does not open with this password. The group was kept, but "
                            "its messages cannot be read until the password is the one the other members use. Use "
                            "Edit to change it.")
                             .arg(name));
        }
        break;
    case FetchOutcome::Absent:
        CreateGroupFile(group);
        m_files.UploadGroupFile(group);
        break;
    case FetchOutcome::Failed:
        // A group file may well exist there: an empty one sent now could overwrite it.
        m_hooks.Tell(this, QMessageBox::Warning, title, Joined(GroupTestText::FetchFailure(group), Explained()));
        break;
    case FetchOutcome::StillRunning:
        m_hooks.Tell(this, QMessageBox::Warning, title,
                     tr("The location of group \"%1\" did not answer in time. The group was kept, but no new "
                        "group file was created there. Use Test later to check the group.")
                         .arg(name));
        break;
    case FetchOutcome::WrongPassword:
    case FetchOutcome::NotAGroupFile:
        // The file there was left as it is: it may be the other members' group file under another
        // password.
        m_hooks.Tell(this, QMessageBox::Warning, title,
                     tr("The location of group \"%1\" holds a file that does not open with this password. The "
                        "group was kept and the file was left as it is. Check the password and use Test.")
                         .arg(name));
        break;
    }
}

bool TBWGroupsForm::OpensWithPassword(const TBWListLocation& group) const
{
    TBWItemList scratch;
    try {
        return LoadItemList(scratch, m_files.LocalCopyPath(group), group.Password) == LoadOk;
    } catch (const std::exception&) {
        return false;
    }
}

void TBWGroupsForm::DeleteGroup()
{
    const int row = SelectedRow();
    if (row < 0 || IsFetching()) {
        return;
    }
    delete m_groupList->takeItem(row);
    UpdateCommands();
}

void TBWGroupsForm::TestGroup()
{
    const int row = SelectedRow();
    if (row < 0 || IsFetching()) {
        return;
    }
    TBWListLocation group;
    group.Assign(Line(row)->Group());
    switch (FetchTrusting(group, tr("Test result"))) {
    case FetchOutcome::Present:
        break;
    case FetchOutcome::WrongPassword:
        TellTestResult(QMessageBox::Critical, tr("Group is exists, but password is wrong."));
        return;
    case FetchOutcome::NotAGroupFile:
        TellTestResult(QMessageBox::Critical, tr("Group is exists, but file is corrupted."));
        return;
    default:
        TellTestResult(QMessageBox::Critical, Joined(tr("Group is not exists or connection failed."), Explained()));
        return;
    }
    TBWItemList scratch;
    switch (LoadItemList(scratch, m_files.LocalCopyPath(group), group.Password)) {
    case LoadOk:
        TellTestResult(QMessageBox::Information, tr("Group is OK.") +
                                                     GroupTestText::Writability(m_files.LastFetchReport()) +
                                                     GroupTestText::Habits(m_files.Habits(group)));
        break;
    case LoadCheckFailed:
        TellTestResult(QMessageBox::Critical, tr("Group is exists, but password is wrong."));
        break;
    default:
        TellTestResult(QMessageBox::Critical, tr("Group is exists, but file is corrupted."));
        break;
    }
}

FetchOutcome TBWGroupsForm::FetchTrusting(const TBWListLocation& group, const QString& title)
{
    FetchOutcome outcome = FetchGroupFile(group);
    const FetchReport report = m_files.LastFetchReport();
    // A server seen for the first time is trusted only when the user says so, then asked again.
    if (outcome != FetchOutcome::Failed || report.Cause != StoreCause::HostKeyUnknown || report.Server.Key.empty() ||
        !m_hooks.Ask(this, QMessageBox::Question, title, GroupTestText::TrustQuestion(report))) {
        return outcome;
    }
    std::string error;
    if (!m_files.TrustServerKey(error)) {
        m_hooks.Tell(this, QMessageBox::Warning, title,
                     tr("The server's key could not be kept: %1").arg(QString::fromLocal8Bit(error)));
        return outcome;
    }
    return FetchGroupFile(group);
}

QString TBWGroupsForm::Explained() const
{
    return GroupTestText::Failure(m_files.LastFetchReport());
}

QString TBWGroupsForm::Joined(const QString& first, const QString& second)
{
    return second.isEmpty() ? first : first + QStringLiteral("\n\n") + second;
}

void TBWGroupsForm::UpdateStates()
{
    const QIcon failing = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    std::vector<GroupDialogHooks::GroupState> states;
    states.reserve(static_cast<std::size_t>(m_groupList->count()));
    for (int row = 0; row < m_groupList->count(); ++row) {
        states.push_back(m_hooks.State(Line(row)->Group()));
    }
    // Once one line carries a mark, the others keep its room, so that the names stay in line.
    const bool anyFailing = std::any_of(states.begin(), states.end(), [](const auto& state) { return state.Failing; });
    QPixmap blank(m_groupList->iconSize());
    blank.fill(Qt::transparent);
    for (int row = 0; row < m_groupList->count(); ++row) {
        const GroupDialogHooks::GroupState& state = states[static_cast<std::size_t>(row)];
        Line(row)->setToolTip(state.Text);
        Line(row)->setIcon(state.Failing ? failing : (anyFailing ? QIcon(blank) : QIcon()));
    }
    if (!IsFetching()) {
        ShowSelectedState();
    }
}

void TBWGroupsForm::ShowSelectedState()
{
    const int row = SelectedRow();
    ShowStatus(row < 0 ? QString() : m_hooks.State(Line(row)->Group()).Text);
}

void TBWGroupsForm::ShowStatus(const QString& text)
{
    // A long group name must not widen the fixed-size dialog: cut it to what its lines hold (less a
    // margin for the breaks between words), and keep it whole in the tip.
    const QFontMetrics metrics = m_statusLabel->fontMetrics();
    const int room = StatusLines * m_statusLabel->width() - 8 * metrics.averageCharWidth();
    m_statusLabel->setText(room > 0 ? metrics.elidedText(text, Qt::ElideMiddle, room) : text);
    m_statusLabel->setToolTip(text);
}

void TBWGroupsForm::TellTestResult(QMessageBox::Icon icon, const QString& text)
{
    m_hooks.Tell(this, icon, tr("Test result"), text);
}

void TBWGroupsForm::done(int result)
{
    // The fetch's wait runs inside this dialog's event loop; closing now would pull the lines
    // away from under the command that is waiting.
    if (IsFetching()) {
        return;
    }
    QDialog::done(result);
}

void TBWGroupsForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CenterOnScreen(*this);
    m_groupList->setFocus();
    UpdateStates();
}

GroupListItem* TBWGroupsForm::Line(int row) const
{
    return static_cast<GroupListItem*>(m_groupList->item(row));
}

int TBWGroupsForm::SelectedRow() const
{
    const QListWidgetItem* current = m_groupList->currentItem();
    if (current == nullptr || !current->isSelected()) {
        return -1;
    }
    return m_groupList->row(current);
}

TStringList TBWGroupsForm::LineNames(int skipRow) const
{
    TStringList names;
    for (int row = 0; row < m_groupList->count(); ++row) {
        if (row != skipRow) {
            names.push_back(Line(row)->Group().Name);
        }
    }
    return names;
}

void TBWGroupsForm::UpdateCommands()
{
    const bool idle = !IsFetching();
    const bool selected = SelectedRow() >= 0;
    m_addButton->setEnabled(idle);
    m_editButton->setEnabled(idle && selected);
    m_deleteButton->setEnabled(idle && selected);
    m_testButton->setEnabled(idle && selected);
    m_okButton->setEnabled(idle);
    m_cancelButton->setEnabled(idle);
}
