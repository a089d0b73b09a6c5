#include "TBWOverflowForm.h"

#include "Artwork.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int TimeColumn = 0;
constexpr int TitleColumn = 1;

} // namespace

TBWOverflowForm::TBWOverflowForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_list(new QTreeWidget(this))
{
    m_openButton = new QPushButton(tr("&Open"), this);
    m_dismissButton = new QPushButton(tr("&Dismiss"), this);
    m_dismissAllButton = new QPushButton(tr("Dismiss &all"), this);
    setObjectName(QStringLiteral("overflowForm"));
    setWindowIcon(ProgramIcon());
    // Like a pop-up, it must not take the keyboard from whatever the user is typing elsewhere.
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* intro = new QLabel(tr("More reminders came than Bellwick opens at once. They are listed here; open "
                                "each to read it, or dismiss them."),
                             this);
    intro->setObjectName(QStringLiteral("introLabel"));
    intro->setWordWrap(true);

    m_list->setObjectName(QStringLiteral("reminderList"));
    m_list->setAccessibleName(tr("Reminders not yet opened"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels({tr("Due"), tr("Message"), tr("From")});
    m_list->header()->resizeSection(TimeColumn, 130);
    m_list->header()->resizeSection(TitleColumn, 220);
    m_list->setMinimumSize(500, 200);

    m_openButton->setObjectName(QStringLiteral("openButton"));
    m_dismissButton->setObjectName(QStringLiteral("dismissButton"));
    m_dismissAllButton->setObjectName(QStringLiteral("dismissAllButton"));
    for (QPushButton* button : {m_openButton, m_dismissButton, m_dismissAllButton}) {
        button->setAutoDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_openButton);
    buttons->addWidget(m_dismissButton);
    buttons->addStretch();
    buttons->addWidget(m_dismissAllButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    // Enter and a double click open, Delete dismisses.
    connect(m_list, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Open(m_list->indexOfTopLevelItem(item)); });
    auto* deleteKey = new QShortcut(QKeySequence::Delete, m_list, nullptr, nullptr, Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] { Dismiss(CurrentRow()); });
    connect(m_openButton, &QPushButton::clicked, this, [this] { Open(CurrentRow()); });
    connect(m_dismissButton, &QPushButton::clicked, this, [this] { Dismiss(CurrentRow()); });
    connect(m_dismissAllButton, &QPushButton::clicked, this, &TBWOverflowForm::DismissAll);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &TBWOverflowForm::UpdateState);
    UpdateState();
}

TBWOverflowForm::~TBWOverflowForm() = default;

void TBWOverflowForm::Add(Entry entry)
{
    auto* item = new QTreeWidgetItem(QStringList{entry.time, entry.title, entry.from});
    item->setToolTip(TitleColumn, entry.title);
    m_list->addTopLevelItem(item);
    m_openers.push_back(std::move(entry.open));
    if (m_list->currentItem() == nullptr) {
        m_list->setCurrentItem(item);
    }
    // Thousands may come in one scan: the caption and the buttons follow once it is over, and the
    // window is brought up once, not for each line.
    if (!m_updatePending) {
        m_updatePending = true;
        QTimer::singleShot(0, this, &TBWOverflowForm::UpdateState);
    }
    if (!isVisible()) {
        show();
        raise();
    }
}

int TBWOverflowForm::Count() const
{
    return static_cast<int>(m_openers.size());
}

bool TBWOverflowForm::OpenFirst()
{
    if (m_openers.empty()) {
        return false;
    }
    Open(0);
    return true;
}

void TBWOverflowForm::Open(int row)
{
    if (row < 0 || row >= Count()) {
        return;
    }
    // Off the list first: opening may bring more reminders into it.
    const std::function<void()> open = std::move(m_openers[static_cast<std::size_t>(row)]);
    Dismiss(row);
    open();
}

void TBWOverflowForm::Dismiss(int row)
{
    if (row < 0 || row >= Count()) {
        return;
    }
    delete m_list->takeTopLevelItem(row);
    m_openers.erase(m_openers.begin() + row);
    UpdateState();
}

void TBWOverflowForm::DismissAll()
{
    m_list->clear();
    m_openers.clear();
    UpdateState();
}

int TBWOverflowForm::CurrentRow() const
{
    return m_list->currentItem() != nullptr ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
}

void TBWOverflowForm::UpdateState()
{
    m_updatePending = false;
    //: The caption of the window that lists the reminders beyond the pop-ups open at once.
    setWindowTitle(tr("More reminders (%n)", nullptr, Count()));
    const bool selected = CurrentRow() >= 0;
    m_openButton->setEnabled(selected);
    m_dismissButton->setEnabled(selected);
    m_dismissAllButton->setEnabled(Count() > 0);
    if (Count() == 0 && isVisible()) {
        hide();
    }
}
