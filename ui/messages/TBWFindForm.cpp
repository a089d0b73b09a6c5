#include "TBWFindForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

TBWFindForm::TBWFindForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(tr("Find"));

    m_searchEdit = new QLineEdit(tr("text"), this);
    m_searchEdit->setObjectName(QStringLiteral("searchEdit"));
    auto* searchLabel = new QLabel(tr("&Search for:"), this);
    searchLabel->setBuddy(m_searchEdit);
    m_scopeComboBox = new QComboBox(this);
    m_scopeComboBox->setObjectName(QStringLiteral("scopeComboBox"));
    m_scopeComboBox->addItems({tr("Anywhere"), tr("Title"), tr("Text")});
    auto* scopeLabel = new QLabel(tr("S&cope:"), this);
    scopeLabel->setBuddy(m_scopeComboBox);
    m_caseSensitiveCheckBox = new QCheckBox(tr("Case s&ensitive"), this);
    m_caseSensitiveCheckBox->setObjectName(QStringLiteral("caseSensitiveCheckBox"));

    m_findNextButton = new QPushButton(tr("&Find next"), this);
    m_findNextButton->setObjectName(QStringLiteral("findNextButton"));
    m_findNextButton->setDefault(true);
    auto* cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setAutoDefault(false);

    m_outcomeLabel = new QLabel(this);
    m_outcomeLabel->setObjectName(QStringLiteral("outcomeLabel"));
    m_outcomeLabel->setTextFormat(Qt::PlainText);
    // The line is there before it has something to say, so that the fixed-size dialog has room for it.
    m_outcomeLabel->setMinimumHeight(m_outcomeLabel->fontMetrics().height());

    auto* grid = new QGridLayout;
    grid->addWidget(searchLabel, 0, 0);
    grid->addWidget(m_searchEdit, 0, 1, 1, 2);
    grid->addWidget(scopeLabel, 1, 0);
    grid->addWidget(m_scopeComboBox, 1, 1);
    grid->addWidget(m_caseSensitiveCheckBox, 1, 2);
    grid->addWidget(m_outcomeLabel, 2, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addWidget(m_findNextButton);
    buttonColumn->addWidget(cancelButton);
    buttonColumn->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addSpacing(8);
    layout->addLayout(buttonColumn);

    connect(m_searchEdit, &QLineEdit::textChanged, this, &TBWFindForm::OnSearchTextChanged);
    connect(m_findNextButton, &QPushButton::clicked, this, &TBWFindForm::FindNextRequested);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // F3 goes on searching from the dialog as it does from the main window.
    auto* findNextShortcut = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(findNextShortcut, &QShortcut::activated, this, [this] {
        if (m_findNextButton->isEnabled()) {
            Q_EMIT FindNextRequested();
        }
    });

    setFixedSize(sizeHint().expandedTo(QSize(428, 105)));
}

TBWFindForm::~TBWFindForm() = default;

void TBWFindForm::StartSearch()
{
    m_searchStarted = false;
    m_outcomeLabel->clear();
    show();
    raise();
    activateWindow();
}

int TBWFindForm::SearchStep(const TBWItemList& messages, int selectedIndex)
{
    return SearchStep(
        static_cast<int>(messages.size()),
        [&messages](int row) -> const TBWItem& { return *messages[static_cast<std::size_t>(row)]; }, selectedIndex);
}

int TBWFindForm::SearchStep(int count, const std::function<const TBWItem&(int row)>& messageAt, int selectedIndex)
{
    m_outcomeLabel->clear();
    const QString text = m_searchEdit->text();
    if (text.isEmpty()) {
        return -1;
    }
    const int start = m_searchStarted && selectedIndex >= 0 ? selectedIndex + 1 : 0;
    if (count > 0) {
        m_searchStarted = true;
    }
    const int found = start >= count ? -1 : CurrentSearch().FindFrom(count, messageAt, start);
    if (found < 0) {
        m_outcomeLabel->setText(start == 0 ? tr("No message contains \"%1\".").arg(text)
                                           : tr("No further message contains \"%1\".").arg(text));
    }
    return found;
}

QString TBWFindForm::Outcome() const
{
    return m_outcomeLabel->text();
}

MessageSearch TBWFindForm::CurrentSearch() const
{
    const int scope = std::max(m_scopeComboBox->currentIndex(), 0);
    return {m_searchEdit->text().toLocal8Bit().toStdString(), static_cast<MessageSearch::Scope>(scope),
            m_caseSensitiveCheckBox->isChecked()};
}

void TBWFindForm::OnSearchTextChanged(const QString& text)
{
    m_findNextButton->setEnabled(!text.isEmpty());
    m_searchStarted = false;
    m_outcomeLabel->clear();
}

void TBWFindForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_placed && parentWidget() != nullptr) {
        QRect frame = frameGeometry();
        frame.moveCenter(parentWidget()->window()->frameGeometry().center());
        move(frame.topLeft());
        m_placed = true;
    }
    m_searchEdit->setFocus();
    m_searchEdit->selectAll();
}
