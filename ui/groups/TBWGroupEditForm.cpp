#include "TBWGroupEditForm.h"

#include "CenterOnScreen.h"
#include "GroupList.h"
#include "LocationOptionsRows.h"
#include "TBWListLocation.h"

#include <QCollator>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

constexpr int DialogWidth = 428;
constexpr int SmallestHeight = 307;

// The five texts are single lines of the group list file: a pasted line break must not split them.
QString OneLine(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

} // namespace

TBWGroupEditForm::TBWGroupEditForm(GroupDialogHooks hooks, QWidget* parent) : QDialog(parent), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("groupEditDialog"));
    // Modal to the window it belongs to only: the reminder pop-ups, which belong to none, stay usable.
    setWindowModality(Qt::WindowModal);
    BuildLayout();
    FitToLocation();
}

TBWGroupEditForm::~TBWGroupEditForm() = default;

void TBWGroupEditForm::BuildLayout()
{
    const auto makeEdit = [this](Field field, const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        m_edits[field] = edit;
        return edit;
    };
    QLineEdit* titleEdit = makeEdit(TitleField, "titleEdit");
    QLineEdit* locationEdit = makeEdit(LocationField, "locationEdit");
    QLineEdit* passwordEdit = makeEdit(PasswordField, "passwordEdit");
    QLineEdit* ftpUserEdit = makeEdit(FtpUserField, "ftpUserEdit");
    QLineEdit* ftpPasswordEdit = makeEdit(FtpPasswordField, "ftpPasswordEdit");

    const QString locationHint = tr("Local file name, FTP, SFTP or HTTP address");
    locationEdit->setToolTip(locationHint);
    locationEdit->setPlaceholderText(locationHint);
    for (QLineEdit* edit : {passwordEdit, ftpPasswordEdit}) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // '*'
    }

    auto* generalBox = new QGroupBox(tr("General"), this);
    generalBox->setObjectName(QStringLiteral("generalGroupBox"));
    auto* generalForm = new QFormLayout(generalBox);
    auto* titleLabel = new QLabel(tr("&Title:"), generalBox);
    auto* locationLabel = new QLabel(tr("&Location:"), generalBox);
    auto* passwordLabel = new QLabel(tr("&Password:"), generalBox);
    generalForm->addRow(titleLabel, titleEdit);
    generalForm->addRow(locationLabel, locationEdit);
    generalForm->addRow(passwordLabel, passwordEdit);

    auto* ftpBox = new QGroupBox(tr("Additional settings for FTP location"), this);
    ftpBox->setObjectName(QStringLiteral("ftpGroupBox"));
    m_accountBox = ftpBox;
    auto* ftpForm = new QFormLayout(ftpBox);
    auto* ftpUserLabel = new QLabel(tr("&User name:"), ftpBox);
    auto* ftpPasswordLabel = new QLabel(tr("Pass&word:"), ftpBox);
    m_accountPasswordLabel = ftpPasswordLabel;
    ftpForm->addRow(ftpUserLabel, ftpUserEdit);
    ftpForm->addRow(ftpPasswordLabel, ftpPasswordEdit);
    m_optionRows = new LocationOptionsRows(*ftpForm, *ftpBox, m_hooks);

    // Settings kept for the group that could not be read are shown, not guessed.
    m_problemLabel = new QLabel(this);
    m_problemLabel->setObjectName(QStringLiteral("problemLabel"));
    m_problemLabel->setWordWrap(true);
    m_problemLabel->setTextFormat(Qt::PlainText);
    m_problemLabel->setStyleSheet(QStringLiteral("color: #a00000"));
    m_problemLabel->hide();

    // The fields of both frames start at one edge.
    const std::array labels{titleLabel, locationLabel, passwordLabel, ftpUserLabel, ftpPasswordLabel};
    int labelWidth = 0;
    for (QLabel* label : labels) {
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    }
    for (QLabel* label : m_optionRows->Labels()) {
        labelWidth = std::max(labelWidth, label->sizeHint().width());
        label->setMinimumWidth(labelWidth);
    }
    for (std::size_t i = 0; i < labels.size(); ++i) {
        labels[i]->setMinimumWidth(labelWidth);
        labels[i]->setBuddy(m_edits[i]);
    }
    for (QFormLayout* form : {generalForm, ftpForm}) {
        form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    }

    m_okButton = new QPushButton(tr("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_helpButton = new QPushButton(tr("&Help"), this);
    m_helpButton->setObjectName(QStringLiteral("helpButton"));

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_okButton);
    buttonRow->addWidget(m_cancelButton);
    buttonRow->addWidget(m_helpButton);

    auto* mainLayout = new QVBoxLayout(this);
    mainLayout->addWidget(generalBox);
    mainLayout->addWidget(ftpBox);
    mainLayout->addWidget(m_problemLabel);
    mainLayout->addStretch();
    mainLayout->addLayout(buttonRow);

    setTabOrder(titleEdit, locationEdit);
    setTabOrder(locationEdit, passwordEdit);
    setTabOrder(passwordEdit, ftpUserEdit);
    setTabOrder(ftpUserEdit, ftpPasswordEdit);
    m_optionRows->ChainTabOrder(ftpPasswordEdit);
    setTabOrder(m_optionRows->LastField(), m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
    setTabOrder(m_cancelButton, m_helpButton);

    connect(locationEdit, &QLineEdit::textChanged, this, &TBWGroupEditForm::FitToLocation);
    connect(ftpUserEdit, &QLineEdit::textChanged, this, &TBWGroupEditForm::FitToLocation);
    connect(m_optionRows, &LocationOptionsRows::LayoutChanged, this, [this] {
        m_accountPasswordLabel->setText(m_optionRows->UsesKeyFile() ? tr("Key passph&rase:") : tr("Pass&word:"));
        // Rows come and go: the dialog keeps its width and takes the height they need.
        if (layout() != nullptr) {
            layout()->activate();
            setFixedSize(DialogWidth, std::max(SmallestHeight, sizeHint().height()));
        }
    });
    connect(m_okButton, &QPushButton::clicked, this, &TBWGroupEditForm::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &TBWGroupEditForm::reject);
    const auto showHelp = [this] { m_hooks.Help(QStringLiteral("edit-group-window.htm")); };
    connect(m_helpButton, &QPushButton::clicked, this, showHelp);
    auto* helpShortcut = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpShortcut, &QShortcut::activated, this, showHelp);
}

void TBWGroupEditForm::SetFields(const TBWListLocation& group)
{
    SetField(TitleField, group.Name);
    SetField(LocationField, group.Location);
    SetField(PasswordField, group.Password);
    SetField(FtpUserField, group.FtpUser);
    SetField(FtpPasswordField, group.FtpPassword);
    m_optionRows->SetOptions(group.Options);
    m_problemLabel->setText(tr("The settings kept for this group could not be read (%1). Check them and press OK "
                               "to keep them anew.")
                                .arg(QString::fromLocal8Bit(group.Options.Problem)));
    m_problemLabel->setVisible(!group.Options.Problem.empty());
    FitToLocation();
}

void TBWGroupEditForm::FitToLocation()
{
    const QString location = m_edits[LocationField]->text().trimmed();
    TBWListLocation probe;
    probe.Location = location.toLocal8Bit().toStdString();
    probe.DetectLocationKind();
    switch (probe.LocationKind) {
    case LocationSftp:
        m_accountBox->setTitle(tr("Additional settings for SFTP location"));
        break;
    case LocationHttp:
        m_accountBox->setTitle(tr("Account for a web location (WebDAV)"));
        break;
    default:
        m_accountBox->setTitle(tr("Additional settings for FTP location"));
        break;
    }
    m_optionRows->ShowFor(location, !m_edits[FtpUserField]->text().isEmpty());
}

void TBWGroupEditForm::GetFields(TBWListLocation& group) const
{
    group.Name = FieldValue(TitleField);
    group.Location = FieldValue(LocationField);
    group.Password = FieldValue(PasswordField);
    group.FtpUser = FieldValue(FtpUserField);
    group.FtpPassword = FieldValue(FtpPasswordField);
    group.Options = m_optionRows->Options(group.Location);
}

void TBWGroupEditForm::SetField(Field field, const std::string& value)
{
    m_shownBytes[field] = QByteArray::fromStdString(value);
    m_edits[field]->setText(QString::fromLocal8Bit(m_shownBytes[field]));
}

std::string TBWGroupEditForm::FieldValue(Field field) const
{
    const QString text = m_edits[field]->text();
    if (text == QString::fromLocal8Bit(m_shownBytes[field])) {
        return m_shownBytes[field].toStdString();
    }
    return OneLine(text).toLocal8Bit().toStdString();
}

bool TBWGroupEditForm::IsTaken(const std::string& name) const
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const QString title = QString::fromLocal8Bit(name);
    return std::any_of(m_takenNames.begin(), m_takenNames.end(), [&](const std::string& taken) {
        // The rest of the program finds groups by SameText: whatever it would confuse is taken too.
        return SameText(taken, name) || collator.compare(QString::fromLocal8Bit(taken), title) == 0;
    });
}

void TBWGroupEditForm::accept()
{
    const std::string name = FieldValue(TitleField);
    if (IsTaken(name)) {
        RefuseTitle(tr("Group name already exists. Please change it."));
        return;
    }
    // The name becomes the file name of the group's copies in the data folder.
    if (!IsUsableGroupName(name)) {
        RefuseTitle(tr("The group name is used as a file name: it cannot be empty, \".\" or \"..\", "
                       "and cannot contain \"/\" or \"\\\". Please change it."));
        return;
    }
    QDialog::accept();
}

void TBWGroupEditForm::RefuseTitle(const QString& text)
{
    m_hooks.Tell(this, QMessageBox::Information, tr("Information"), text);
    m_edits[TitleField]->setFocus();
    m_edits[TitleField]->selectAll();
}

void TBWGroupEditForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CenterOnScreen(*this);
    m_edits[TitleField]->setFocus();
}
