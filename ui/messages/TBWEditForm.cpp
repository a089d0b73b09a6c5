#include "TBWEditForm.h"

#include "ActiveDaysBox.h"
#include "AppContext.h"
#include "Clock.h"
#include "ContentFont.h"
#include "DateTime.h"
#include "DayNumbers.h"
#include "ErrorGuard.h"
#include "HelpService.h"
#include "SmallButton.h"
#include "TBWItem.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QTextCursor>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

// The dates a list file can hold: the stored form is the day count x 10000 in 32 bits.
constexpr double LastStorableDay = 214747;

// Two-digit years would be read back as years of the 1900s.
QString DateFormatWithFullYear(const QLocale& locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy"))) {
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    }
    return format;
}

// The time picker shows seconds: a moment taken from the clock carries them, and what the picker
// holds should be what the user sees.
QString TimeFormatWithSeconds(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1Char('s'))) {
        const qsizetype minutes = format.lastIndexOf(QLatin1String("mm"));
        if (minutes >= 0) {
            format.insert(minutes + 2, QLatin1String(":ss"));
        }
    }
    return format;
}

// The model keeps a message's lines with CR LF between them, as its files do; the text box
// knows only LF.
QString TextForDisplay(const QByteArray& bytes)
{
    QString text = QString::fromLocal8Bit(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::string TextForStorage(const QString& text)
{
    QByteArray bytes = text.toLocal8Bit();
    bytes.replace("\r\n", "\n");
    bytes.replace('\r', '\n');
    bytes.replace("\n", "\r\n");
    return bytes.toStdString();
}

QPushButton* MakeButton(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TBWEditForm::TBWEditForm(AppContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("editMessageDialog"));
    // Modal to the window it belongs to only: the reminder pop-ups, which belong to none, stay usable.
    setWindowModality(Qt::WindowModal);
    setWindowTitle(tr("New message"));

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pageTabs"));
    m_pages->addTab(BuildMessagePage(), tr("Message"));
    m_sendToPage = new RecipientsPage(m_context.dialogs);
    m_pages->addTab(m_sendToPage, tr("Send to"));
    m_pages->addTab(BuildOptionsPage(), tr("Options"));

    m_okButton = new QPushButton(tr("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    m_cancelButton = MakeButton(QStringLiteral("cancelButton"), tr("Cancel"), this);
    QPushButton* helpButton = MakeButton(QStringLiteral("helpButton"), tr("&Help"), this);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(m_okButton);
    buttonRow->addWidget(m_cancelButton);
    buttonRow->addWidget(helpButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttonRow);

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, &TBWEditForm::ShowHelp);
    auto* helpShortcut = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpShortcut, &QShortcut::activated, this, &TBWEditForm::ShowHelp);

    m_filePicker = [](QWidget* owner) {
        QFileDialog dialog(owner, tr("Choose a file to run"));
        dialog.setObjectName(QStringLiteral("executableFileDialog"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters({tr("Executable files (*.exe *.bat *.sh)"), tr("All files (*)")});
        dialog.setSizeGripEnabled(true);
        dialog.setWindowModality(Qt::WindowModal);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };

    AdjustContentFont(*m_textEdit);
    Reset();
    // The designed size, grown where the user's fonts need more room.
    setFixedSize(sizeHint().expandedTo(QSize(428, 339)));
}

TBWEditForm::~TBWEditForm() = default;

QWidget* TBWEditForm::BuildMessagePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("messagePage"));

    m_titleEdit = new QLineEdit(page);
    m_titleEdit->setObjectName(QStringLiteral("titleEdit"));
    m_typeComboBox = new QComboBox(page);
    m_typeComboBox->setObjectName(QStringLiteral("typeComboBox"));
    m_typeComboBox->addItems({tr("Simple message"), tr("Execute file(s)")});
    m_dueDateEdit = new QDateEdit(page);
    m_dueDateEdit->setObjectName(QStringLiteral("dueDateEdit"));
    m_dueDateEdit->setCalendarPopup(true);
    m_dueDateEdit->setDisplayFormat(DateFormatWithFullYear(locale()));
    m_dueDateEdit->setDateRange(DateOfDays(-LastStorableDay), DateOfDays(LastStorableDay));
    m_dueTimeEdit = new QTimeEdit(page);
    m_dueTimeEdit->setObjectName(QStringLiteral("dueTimeEdit"));
    m_dueTimeEdit->setDisplayFormat(TimeFormatWithSeconds(locale()));
    m_dueTimeEdit->setAccessibleName(tr("Time"));
    m_quickDateButton = MakeSmallButton(QStringLiteral("quickDateButton"), QStringLiteral("..."),
                                        tr("Current date, current time or tomorrow"), page);
    m_repeatComboBox = new QComboBox(page);
    m_repeatComboBox->setObjectName(QStringLiteral("repeatComboBox"));
    m_repeatComboBox->addItems({tr("None"), tr("Daily"), tr("Weekly"), tr("Monthly"), tr("Yearly")});
    m_textEdit = new QPlainTextEdit(page);
    m_textEdit->setObjectName(QStringLiteral("textEdit"));
    m_textEdit->setTabChangesFocus(true);
    m_addFileButton =
        MakeSmallButton(QStringLiteral("addFileButton"), QStringLiteral("..."), tr("Add a file to run"), page);

    m_quickDateMenu = new QMenu(this);
    m_quickDateMenu->setObjectName(QStringLiteral("quickDateMenu"));
    const auto addEntry = [this](const char* name, const QString& text) {
        QAction* action = m_quickDateMenu->addAction(text);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    QAction* currentDate = addEntry("currentDateAction", tr("Current date"));
    QAction* currentTime = addEntry("currentTimeAction", tr("Current time"));
    QAction* currentDateAndTime = addEntry("currentDateAndTimeAction", tr("Current date and time"));
    QAction* tomorrow = addEntry("tomorrowAction", tr("Tomorrow"));
    m_quickDateMenu->addSeparator();
    addEntry("cancelMenuAction", tr("Cancel"));
    connect(currentDate, &QAction::triggered, this, &TBWEditForm::SetCurrentDate);
    connect(currentTime, &QAction::triggered, this, &TBWEditForm::SetCurrentTime);
    connect(currentDateAndTime, &QAction::triggered, this, &TBWEditForm::SetCurrentDate);
    connect(currentDateAndTime, &QAction::triggered, this, &TBWEditForm::SetCurrentTime);
    connect(tomorrow, &QAction::triggered, this, &TBWEditForm::SetTomorrow);

    const auto label = [page](const QString& text, QWidget* buddy) {
        auto* result = new QLabel(text, page);
        result->setBuddy(buddy);
        return result;
    };
    m_textLabel = label(tr("Te&xt:"), m_textEdit);
    m_textLabel->setObjectName(QStringLiteral("textLabel"));

    auto* grid = new QGridLayout(page);
    grid->addWidget(label(tr("&Title:"), m_titleEdit), 0, 0);
    grid->addWidget(m_titleEdit, 0, 1, 1, 3);
    grid->addWidget(label(tr("T&ype:"), m_typeComboBox), 1, 0);
    grid->addWidget(m_typeComboBox, 1, 1);
    grid->addWidget(label(tr("&Date:"), m_dueDateEdit), 2, 0);
    grid->addWidget(m_dueDateEdit, 2, 1);
    grid->addWidget(m_dueTimeEdit, 2, 2);
    grid->addWidget(m_quickDateButton, 2, 3);
    grid->addWidget(label(tr("&Repeat:"), m_repeatComboBox), 3, 0);
    grid->addWidget(m_repeatComboBox, 3, 1);
    grid->addWidget(m_textLabel, 4, 0, Qt::AlignTop);
    grid->addWidget(m_textEdit, 4, 1, 1, 2);
    grid->addWidget(m_addFileButton, 4, 3, Qt::AlignTop);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    setTabOrder(m_titleEdit, m_typeComboBox);
    setTabOrder(m_typeComboBox, m_dueDateEdit);
    setTabOrder(m_dueDateEdit, m_dueTimeEdit);
    setTabOrder(m_dueTimeEdit, m_quickDateButton);
    setTabOrder(m_quickDateButton, m_repeatComboBox);
    setTabOrder(m_repeatComboBox, m_textEdit);
    setTabOrder(m_textEdit, m_addFileButton);

    connect(m_typeComboBox, &QComboBox::currentIndexChanged, this, &TBWEditForm::ApplyTypeSwitch);
    connect(m_quickDateButton, &QPushButton::clicked, this, &TBWEditForm::ShowQuickDateMenu);
    connect(m_addFileButton, &QPushButton::clicked, this, &TBWEditForm::AddFileLine);
    return page;
}

QWidget* TBWEditForm::BuildOptionsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("optionsPage"));
    m_activeDaysBox = new ActiveDaysBox(page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_activeDaysBox);
    layout->addStretch();
    return page;
}

void TBWEditForm::Reset()
{
    m_titleEdit->clear();
    m_textEdit->clear();
    m_shown.TitleBytes.clear();
    m_shown.Title = m_titleEdit->text();
    m_shown.TextBytes.clear();
    m_shown.Text = m_textEdit->toPlainText();
    ShowDueTime(m_context.clock.Now());
    m_typeComboBox->setCurrentIndex(KindSimpleMessage);
    m_repeatComboBox->setCurrentIndex(RepeatNone);
    m_shown.Kind = KindSimpleMessage;
    m_shown.RepeatKind = RepeatNone;
    m_activeDaysBox->SetAll(true);
    // A new message never inherits "not for me" from the message edited last.
    m_sendToPage->SetRecipientsOnly(false);
}

void TBWEditForm::ClearRecipients()
{
    m_sendToPage->SetRecipients({});
}

void TBWEditForm::LoadFromMessage(const TBWItem& message)
{
    m_shown.TitleBytes = QByteArray::fromStdString(message.Title);
    m_titleEdit->setText(QString::fromLocal8Bit(m_shown.TitleBytes));
    m_shown.Title = m_titleEdit->text();
    m_shown.TextBytes = QByteArray::fromStdString(message.Text);
    m_textEdit->setPlainText(TextForDisplay(m_shown.TextBytes));
    m_shown.Text = m_textEdit->toPlainText();
    ShowDueTime(message.DueTime);
    // A kind or repeat rule that the lists do not know (a damaged or foreign file) shows as no
    // choice and is kept as it is unless the user picks one.
    m_shown.Kind = message.Kind;
    m_shown.RepeatKind = message.RepeatKind;
    m_typeComboBox->setCurrentIndex(message.Kind < m_typeComboBox->count() ? message.Kind : -1);
    m_repeatComboBox->setCurrentIndex(message.RepeatKind < m_repeatComboBox->count() ? message.RepeatKind : -1);
    m_sendToPage->SetRecipientsOnly(message.DayFlags[0]);
    for (int day = 1; day <= 7; ++day) {
        m_activeDaysBox->SetActive(day, message.DayFlags[static_cast<std::size_t>(day)]);
    }
    m_sendToPage->SetRecipients(message.Recipients);
}

void TBWEditForm::ShowDueTime(double moment)
{
    m_dueDateEdit->setDate(DateOfDays(moment));
    m_dueTimeEdit->setTime(TimeOfDays(moment));
    m_shown.DueTime = moment;
    m_shown.Date = m_dueDateEdit->date();
    m_shown.Time = m_dueTimeEdit->time();
}

void TBWEditForm::StoreIntoMessage(TBWItem& message, const std::string& author) const
{
    const QString title = m_titleEdit->text();
    if (title == m_shown.Title) {
        message.Title = m_shown.TitleBytes.toStdString();
    } else {
        // The title is one line of the list file: a pasted line break must not split it.
        QByteArray bytes = title.toLocal8Bit();
        bytes.replace("\r", "").replace("\n", "");
        message.Title = bytes.toStdString();
    }
    message.Author = author;
    const QString text = m_textEdit->toPlainText();
    message.Text = text == m_shown.Text ? m_shown.TextBytes.toStdString() : TextForStorage(text);

    // Converting the moment to date and time and back may change its last bits; an untouched
    // moment must stay equal to the delivery it was already taken as, or it would come again.
    const QDate date = m_dueDateEdit->date();
    const QTime time = m_dueTimeEdit->time();
    if (date == m_shown.Date && time == m_shown.Time) {
        message.DueTime = m_shown.DueTime;
    } else {
        message.DueTime = ToDays(date, time);
    }

    const int kind = m_typeComboBox->currentIndex();
    const int repeat = m_repeatComboBox->currentIndex();
    message.Kind = kind >= 0 ? static_cast<std::uint8_t>(kind) : m_shown.Kind;
    message.RepeatKind = repeat >= 0 ? static_cast<std::uint8_t>(repeat) : m_shown.RepeatKind;
    message.DayFlags[0] = m_sendToPage->RecipientsOnly();
    for (int day = 1; day <= 7; ++day) {
        message.DayFlags[static_cast<std::size_t>(day)] = m_activeDaysBox->IsActive(day);
    }
    if (message.ActiveDayCount() == 0) {
        message.ActivateAllDays();
    }
}

TStringList TBWEditForm::Recipients() const
{
    return m_sendToPage->Recipients();
}

int TBWEditForm::Execute()
{
    m_pages->setCurrentIndex(0);
    ApplyTypeSwitch();
    m_titleEdit->setFocus();
    return exec();
}

void TBWEditForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_placed) {
        if (const QScreen* screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        m_placed = true;
    }
    m_titleEdit->setFocus();
}

void TBWEditForm::ApplyTypeSwitch()
{
    const bool files = IsExecuteFiles();
    m_textEdit->setLineWrapMode(files ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    m_textEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_textEdit->setHorizontalScrollBarPolicy(files ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_textLabel->setText(files ? tr("&Files:") : tr("Te&xt:"));
    m_addFileButton->setEnabled(files && !m_readOnly);
}

void TBWEditForm::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    // The texts stay selectable, so that a reminder shown only to be read can still be copied from.
    for (int page = 0; page < m_pages->count(); ++page) {
        const QWidget* widget = m_pages->widget(page);
        for (QLineEdit* edit : widget->findChildren<QLineEdit*>()) {
            edit->setReadOnly(readOnly);
        }
        for (QPlainTextEdit* edit : widget->findChildren<QPlainTextEdit*>()) {
            edit->setReadOnly(readOnly);
        }
        for (QAbstractSpinBox* edit : widget->findChildren<QAbstractSpinBox*>()) {
            edit->setReadOnly(readOnly);
        }
        for (QComboBox* box : widget->findChildren<QComboBox*>()) {
            box->setEnabled(!readOnly);
        }
        for (QAbstractButton* button : widget->findChildren<QAbstractButton*>()) {
            button->setEnabled(!readOnly);
        }
    }
    m_okButton->setVisible(!readOnly);
    m_cancelButton->setText(readOnly ? tr("Close") : tr("Cancel"));
    ApplyTypeSwitch();
}

bool TBWEditForm::IsExecuteFiles() const
{
    return m_typeComboBox->currentIndex() == KindExecuteFiles;
}

void TBWEditForm::AddFileLine()
{
    if (!IsExecuteFiles() || !m_filePicker) {
        return;
    }
    const QString path = m_filePicker(this);
    if (path.isEmpty()) {
        return;
    }
    // Every line is one command; the quotes keep a path with blanks together, and the user may
    // type parameters after them.
    QString line = QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
    const QString text = m_textEdit->toPlainText();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n'))) {
        line.prepend(QLatin1Char('\n'));
    }
    QTextCursor cursor(m_textEdit->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(line);
    m_textEdit->setTextCursor(cursor);
}

void TBWEditForm::ShowQuickDateMenu()
{
    // At the mouse pointer when the button was clicked; below the button when it was pressed
    // from the keyboard with the pointer elsewhere.
    QPoint where = QCursor::pos();
    if (!m_quickDateButton->rect().contains(m_quickDateButton->mapFromGlobal(where))) {
        where = m_quickDateButton->mapToGlobal(QPoint(0, m_quickDateButton->height()));
    }
    m_quickDateMenu->exec(where);
}

double TBWEditForm::Today() const
{
    return DatePart(m_context.clock.Now());
}

void TBWEditForm::SetCurrentDate()
{
    m_dueDateEdit->setDate(DateOfDays(Today()));
}

void TBWEditForm::SetCurrentTime()
{
    m_dueTimeEdit->setTime(TimeOfDays(m_context.clock.Now()));
}

void TBWEditForm::SetTomorrow()
{
    m_dueDateEdit->setDate(DateOfDays(Today() + 1));
}

void TBWEditForm::ShowHelp()
{
    RunGuarded(m_context.dialogs, this,
               [this] { m_context.help.ShowHelpTopic(QStringLiteral("edit-message-window.htm")); });
}
