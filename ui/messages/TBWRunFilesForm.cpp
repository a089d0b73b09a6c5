#include "TBWRunFilesForm.h"

#include "AppContext.h"
#include "Dialogs.h"
#include "ErrorGuard.h"
#include "Shell.h"
#include "ShownText.h"
#include "TBWItem.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace {

QString FromBytes(const std::string& text)
{
    return QString::fromLocal8Bit(text);
}

QLabel* MakeValueLabel(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

} // namespace

TBWRunFilesForm::TBWRunFilesForm(AppContext& context, const TBWItem& message, const QString& groupName,
                                 std::vector<TSplitCommandLine> commands, std::function<void(bool run)> answered)
    : QDialog(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_context(context), m_commands(std::move(commands)), m_title(FromBytes(message.Title)),
      m_answered(std::move(answered))
{
    setObjectName(QStringLiteral("runFilesForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setModal(false);
    setWindowTitle(tr("Run programs from the group \"%1\"?").arg(groupName));

    auto* questionLabel = new QLabel(
        tr("A reminder that came through the group \"%1\" wants to open these programs. Run them only if you "
           "trust its author.")
            .arg(groupName),
        this);
    questionLabel->setObjectName(QStringLiteral("questionLabel"));
    questionLabel->setWordWrap(true);

    auto* details = new QFormLayout;
    details->addRow(tr("From:"),
                    MakeValueLabel(QStringLiteral("authorLabel"), ShownLine(message.Author, ShownLabelLength), this));
    details->addRow(tr("Group:"), MakeValueLabel(QStringLiteral("groupLabel"), groupName, this));
    details->addRow(tr("Subject:"),
                    MakeValueLabel(QStringLiteral("titleLabel"), ShownLine(message.Title, ShownLabelLength), this));

    m_commandList = new QListWidget(this);
    m_commandList->setObjectName(QStringLiteral("commandList"));
    m_commandList->setAccessibleName(tr("Programs to run"));
    m_commandList->setSelectionMode(QAbstractItemView::NoSelection);
    for (const TSplitCommandLine& command : m_commands) {
        m_commandList->addItem(CommandText(command));
    }
    m_commandList->setMinimumSize(420, 100);

    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    m_runButton = buttons->addButton(tr("&Run"), QDialogButtonBox::AcceptRole);
    m_runButton->setObjectName(QStringLiteral("runButton"));
    m_dontRunButton = buttons->addButton(tr("Do&n't run"), QDialogButtonBox::RejectRole);
    m_dontRunButton->setObjectName(QStringLiteral("dontRunButton"));
    // Enter must never run programs by accident.
    m_runButton->setAutoDefault(false);
    m_dontRunButton->setDefault(true);
    m_dontRunButton->setFocus();
    connect(m_runButton, &QPushButton::clicked, this, [this] { Run(); });
    connect(m_dontRunButton, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 14);
    layout->setSpacing(12);
    layout->addWidget(questionLabel);
    layout->addLayout(details);
    layout->addWidget(m_commandList, 1);
    layout->addWidget(buttons);
}

TBWRunFilesForm::~TBWRunFilesForm() = default;

QString TBWRunFilesForm::CommandText(const TSplitCommandLine& command)
{
    QString text = ShownLine(command.Program, ShownLabelLength);
    if (text.contains(QLatin1Char(' '))) {
        text = QLatin1Char('"') + text + QLatin1Char('"');
    }
    if (!command.Parameters.empty()) {
        text += QLatin1Char(' ') + ShownLine(command.Parameters, ShownLabelLength);
    }
    return text;
}

QString TBWRunFilesForm::NotOpenedText(const QString& title, const QString& target)
{
    return tr("The reminder \"%1\" could not open \"%2\": there is no such file or program, or nothing to open it "
              "with.")
        .arg(title, target);
}

void TBWRunFilesForm::Popup()
{
    show();
    raise();
}

void TBWRunFilesForm::Run()
{
    Answer(true);
    // One program that cannot be opened does not keep the others from opening.
    QStringList failures;
    for (const TSplitCommandLine& command : m_commands) {
        RunGuarded(m_context.dialogs, this, [&] {
            if (!m_context.shell.Open(FromBytes(command.Program), FromBytes(command.Parameters))) {
                failures.push_back(NotOpenedText(m_title, FromBytes(command.Program)));
            }
        });
    }
    if (!failures.isEmpty()) {
        m_context.dialogs.ShowError(this, failures.join(QLatin1Char('\n')));
    }
    close();
}

void TBWRunFilesForm::Answer(bool run)
{
    if (m_answered) {
        const auto answered = std::move(m_answered);
        m_answered = nullptr;
        answered(run);
    }
}

void TBWRunFilesForm::reject()
{
    close();
}

void TBWRunFilesForm::closeEvent(QCloseEvent* event)
{
    // Every close is final; the dialog's own handling would turn it into a hide that never frees it.
    // Closed without "Run", the programs were declined.
    Answer(false);
    event->accept();
}
