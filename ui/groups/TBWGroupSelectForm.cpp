#include "TBWGroupSelectForm.h"

#include "CenterOnScreen.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <utility>

namespace {

// The name's bytes as the group list holds them, so that the picked name finds its group again.
constexpr int NameRole = Qt::UserRole;

} // namespace

TBWGroupSelectForm::TBWGroupSelectForm(GroupDialogHooks hooks, QWidget* parent)
    : QDialog(parent), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("selectGroupsDialog"));
    // Modal to the window it belongs to only: the reminder pop-ups, which belong to none, stay usable.
    setWindowModality(Qt::WindowModal);
    setWindowTitle(tr("Select groups"));

    auto* label = new QLabel(tr("&Select one or more recipients:"), this);
    label->setObjectName(QStringLiteral("recipientsLabel"));
    m_groupList = new QListWidget(this);
    m_groupList->setObjectName(QStringLiteral("groupList"));
    m_groupList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    label->setBuddy(m_groupList);

    auto* okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    auto* helpButton = new QPushButton(tr("&Help"), this);
    helpButton->setObjectName(QStringLiteral("helpButton"));

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(okButton);
    buttonRow->addWidget(cancelButton);
    buttonRow->addWidget(helpButton);

    auto* mainLayout = new QVBoxLayout(this);
    mainLayout->addWidget(label);
    mainLayout->addWidget(m_groupList, 1);
    mainLayout->addLayout(buttonRow);

    setTabOrder(m_groupList, okButton);
    setTabOrder(okButton, cancelButton);
    setTabOrder(cancelButton, helpButton);

    connect(okButton, &QPushButton::clicked, this, &TBWGroupSelectForm::accept);
    connect(cancelButton, &QPushButton::clicked, this, &TBWGroupSelectForm::reject);
    connect(m_groupList, &QListWidget::itemDoubleClicked, this, &TBWGroupSelectForm::accept);
    // Enter on the highlighted line, with nothing selected yet, takes that line: the list passes
    // the key on to the dialog's OK right after it reports the activation.
    connect(m_groupList, &QListWidget::activated, this, [this](const QModelIndex& index) {
        if (m_groupList->selectedItems().isEmpty()) {
            m_groupList->selectionModel()->select(index, QItemSelectionModel::Select);
        }
    });
    const auto showHelp = [this] { m_hooks.Help(QStringLiteral("select-groups-window.htm")); };
    connect(helpButton, &QPushButton::clicked, this, showHelp);
    auto* helpShortcut = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpShortcut, &QShortcut::activated, this, showHelp);

    setFixedSize(400, 277);
}

TBWGroupSelectForm::~TBWGroupSelectForm() = default;

void TBWGroupSelectForm::LoadGroups(const TBWGroupList& groups)
{
    m_groupList->clear();
    for (const auto& group : groups) {
        auto* line = new QListWidgetItem(QString::fromLocal8Bit(group->Name), m_groupList);
        line->setData(NameRole, QByteArray::fromStdString(group->Name));
    }
    m_groupList->clearSelection();
    m_groupList->setCurrentRow(m_groupList->count() > 0 ? 0 : -1, QItemSelectionModel::NoUpdate);
}

int TBWGroupSelectForm::Execute(const TBWGroupList& groups)
{
    LoadGroups(groups);
    return exec();
}

void TBWGroupSelectForm::accept()
{
    m_selectedGroups.clear();
    for (int row = 0; row < m_groupList->count(); ++row) {
        const QListWidgetItem* line = m_groupList->item(row);
        if (line->isSelected()) {
            m_selectedGroups.push_back(line->data(NameRole).toByteArray().toStdString());
        }
    }
    QDialog::accept();
}

void TBWGroupSelectForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CenterOnScreen(*this);
    m_groupList->setFocus();
}
