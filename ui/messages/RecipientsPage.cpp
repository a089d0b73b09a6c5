#include "RecipientsPage.h"

#include "ErrorGuard.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int NameRole = Qt::UserRole;

QPushButton* MakeButton(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

} // namespace

RecipientsPage::RecipientsPage(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs), m_recipientsListWidget(new QListWidget(this)),
      m_recipientsOnlyCheckBox(new QCheckBox(tr("For recipients &only (not for me)"), this))
{
    setObjectName(QStringLiteral("sendToPage"));
    m_recipientsListWidget->setObjectName(QStringLiteral("recipientsListWidget"));
    m_recipientsListWidget->setSelectionMode(QAbstractItemView::SingleSelection);
    m_recipientsOnlyCheckBox->setObjectName(QStringLiteral("recipientsOnlyCheckBox"));
    auto* recipientsLabel = new QLabel(tr("&Recipients:"), this);
    recipientsLabel->setBuddy(m_recipientsListWidget);
    QPushButton* addButton = MakeButton(QStringLiteral("addRecipientButton"), tr("&Add..."), this);
    QPushButton* deleteButton = MakeButton(QStringLiteral("deleteRecipientButton"), tr("De&lete"), this);
    deleteButton->setToolTip(tr("Remove the selected recipient"));

    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addWidget(addButton);
    buttonColumn->addWidget(deleteButton);
    buttonColumn->addStretch();
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_recipientsListWidget, 1);
    listRow->addLayout(buttonColumn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(recipientsLabel);
    layout->addLayout(listRow, 1);
    layout->addWidget(m_recipientsOnlyCheckBox);

    connect(addButton, &QPushButton::clicked, this, &RecipientsPage::AddRecipients);
    connect(deleteButton, &QPushButton::clicked, this, &RecipientsPage::DeleteRecipient);
}

TStringList RecipientsPage::Recipients() const
{
    TStringList names;
    for (int row = 0; row < m_recipientsListWidget->count(); ++row) {
        names.push_back(m_recipientsListWidget->item(row)->data(NameRole).toByteArray().toStdString());
    }
    return names;
}

void RecipientsPage::SetRecipients(const TStringList& names)
{
    m_recipientsListWidget->clear();
    for (const std::string& name : names) {
        Append(name);
    }
}

bool RecipientsPage::RecipientsOnly() const
{
    return m_recipientsOnlyCheckBox->isChecked();
}

void RecipientsPage::SetRecipientsOnly(bool recipientsOnly)
{
    m_recipientsOnlyCheckBox->setChecked(recipientsOnly);
}

void RecipientsPage::AddRecipients()
{
    if (!m_picker) {
        return;
    }
    RunGuarded(m_dialogs, this, [this] {
        const std::optional<TStringList> picked = m_picker(window());
        if (!picked) {
            return;
        }
        for (const std::string& name : *picked) {
            if (!Holds(name)) {
                Append(name);
            }
        }
    });
}

void RecipientsPage::DeleteRecipient()
{
    const int row = m_recipientsListWidget->currentRow();
    if (row >= 0 && m_recipientsListWidget->item(row)->isSelected()) {
        delete m_recipientsListWidget->takeItem(row);
    }
}

void RecipientsPage::Append(const std::string& name)
{
    const QByteArray bytes = QByteArray::fromStdString(name);
    auto* line = new QListWidgetItem(QString::fromLocal8Bit(bytes), m_recipientsListWidget);
    line->setData(NameRole, bytes);
}

bool RecipientsPage::Holds(const std::string& name) const
{
    const TStringList names = Recipients();
    return std::any_of(names.begin(), names.end(), [&](const std::string& listed) { return SameText(listed, name); });
}
