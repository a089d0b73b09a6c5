#include "TBWMsgForm.h"

#include "ContentFont.h"
#include "DueTimeText.h"
#include "ShownText.h"
#include "TBWItem.h"
#include "TaskbarHint.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The text box as designed for an 8-point font, grown in proportion to the font's line height.
constexpr int TextBoxWidth = 377;
constexpr int TextBoxHeight = 89;
constexpr double DesignedLineHeight = 13.0;

QLabel* MakeLabel(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

} // namespace

TBWMsgForm::TBWMsgForm(const TBWItem& message, double now)
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_delayTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("msgForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A reminder must not take the keyboard from whatever the user is typing elsewhere.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setModal(false);
    setWindowTitle(Caption(message.LastDueTime, message.Title, now));
    BuildWindow(message);

    m_delayTimer->setObjectName(QStringLiteral("delayTimer"));
    m_delayTimer->setSingleShot(true);
    // Minutes-long delays: the coarse default may be off by several seconds.
    m_delayTimer->setTimerType(Qt::PreciseTimer);
    connect(m_delayTimer, &QTimer::timeout, this, &TBWMsgForm::ComeBack);
}

TBWMsgForm::~TBWMsgForm() = default;

QString TBWMsgForm::Caption(double lastDueTime, const std::string& title, double now)
{
    return DueTimeText(lastDueTime, now) + QStringLiteral(" - ") + ShownLine(title);
}

void TBWMsgForm::BuildWindow(const TBWItem& message)
{
    m_authorLabel = MakeLabel(QStringLiteral("authorLabel"), ShownLine(message.Author, ShownLabelLength), this);
    m_titleLabel = MakeLabel(QStringLiteral("titleLabel"), ShownLine(message.Title, ShownLabelLength), this);

    m_textEdit = new QPlainTextEdit(this);
    m_textEdit->setObjectName(QStringLiteral("textEdit"));
    m_textEdit->setAccessibleName(tr("Reminder text"));
    m_textEdit->setReadOnly(true);
    m_textEdit->setPlainText(ShownLines(message.Text));
    AdjustContentFont(*m_textEdit);
    const double scale = std::max(1.0, QFontMetrics(font()).lineSpacing() / DesignedLineHeight);
    const int textWidth = qRound(TextBoxWidth * scale);
    m_textEdit->setFixedSize(textWidth, qRound(TextBoxHeight * scale));
    // Long sender names and titles wrap within the text box's width instead of widening the window.
    for (QLabel* value : {m_authorLabel, m_titleLabel}) {
        value->setWordWrap(true);
        value->setTextFormat(Qt::PlainText);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setMaximumWidth(textWidth);
    }

    m_remindLaterCheckBox = new QCheckBox(tr("&Remind me later:"), this);
    m_remindLaterCheckBox->setObjectName(QStringLiteral("remindLaterCheckBox"));
    m_delaySpinBox = new QSpinBox(this);
    m_delaySpinBox->setObjectName(QStringLiteral("delaySpinBox"));
    m_delaySpinBox->setAccessibleName(tr("Minutes until the reminder comes back"));
    m_delaySpinBox->setRange(MinimumDelayMinutes, MaximumDelayMinutes);
    m_delaySpinBox->setSingleStep(DelayStepMinutes);
    m_delaySpinBox->setValue(MinimumDelayMinutes);
    // Choosing the minutes is choosing to be reminded later.
    connect(m_delaySpinBox, &QSpinBox::valueChanged, m_remindLaterCheckBox,
            [this] { m_remindLaterCheckBox->setChecked(true); });

    m_okButton = new QPushButton(tr("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    m_okButton->setMinimumWidth(75);
    connect(m_okButton, &QPushButton::clicked, this, &QWidget::close);

    auto* heading = new QGridLayout;
    heading->setHorizontalSpacing(12);
    heading->setVerticalSpacing(10);
    heading->addWidget(MakeLabel(QStringLiteral("fromLabel"), tr("From:"), this), 0, 0, Qt::AlignTop);
    heading->addWidget(m_authorLabel, 0, 1);
    heading->addWidget(MakeLabel(QStringLiteral("subjectLabel"), tr("Subject:"), this), 1, 0, Qt::AlignTop);
    heading->addWidget(m_titleLabel, 1, 1);
    heading->setColumnStretch(1, 1);

    auto* later = new QHBoxLayout;
    later->setContentsMargins(11, 0, 0, 0);
    later->addWidget(m_remindLaterCheckBox);
    later->addSpacing(8);
    later->addWidget(m_delaySpinBox);
    later->addWidget(MakeLabel(QStringLiteral("minutesLabel"), tr("minutes"), this));
    later->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addLayout(BuildPresetButtons());
    buttons->addStretch();
    buttons->addWidget(m_okButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 22, 14);
    layout->setSpacing(12);
    layout->addLayout(heading);
    layout->addWidget(m_textEdit);
    layout->addSpacing(4);
    layout->addLayout(later);
    layout->addLayout(buttons);
    // A fixed border: the window is as large as its contents need, no larger and no smaller.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // When the user clicks into the window, Enter goes to OK.
    m_okButton->setFocus();
}

QLayout* TBWMsgForm::BuildPresetButtons()
{
    struct Preset
    {
        const char* objectName;
        QString text;
        QString toolTip;
        int minutes; // 0: the same time tomorrow
    };
    const Preset presets[] = {
        {"later10Button", tr("&10 min"), tr("Remind me again in 10 minutes"), 10},
        {"later30Button", tr("&30 min"), tr("Remind me again in 30 minutes"), 30},
        {"later60Button", tr("1 &hour"), tr("Remind me again in an hour"), 60},
        {"tomorrowButton", tr("&Tomorrow"), tr("Remind me again tomorrow at this time"), 0},
    };
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (const Preset& preset : presets) {
        auto* button = new QPushButton(preset.text, this);
        button->setObjectName(QLatin1String(preset.objectName));
        button->setToolTip(preset.toolTip);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, minutes = preset.minutes] {
            if (minutes > 0) {
                Postpone(std::chrono::minutes(minutes));
            } else {
                // Tomorrow's wall-clock time, an hour more or less on the days the clocks change.
                const QDateTime now = QDateTime::currentDateTime();
                Postpone(std::chrono::milliseconds(now.msecsTo(now.addDays(1))));
            }
        });
        row->addWidget(button);
    }
    return row;
}

void TBWMsgForm::Popup()
{
    KeepOffTaskbar(*this);
    show();
    raise();
}

void TBWMsgForm::WaitFor(std::chrono::milliseconds delay)
{
    m_delayTimer->start(std::max(delay, std::chrono::milliseconds(0)));
}

void TBWMsgForm::reject() {}

void TBWMsgForm::showEvent(QShowEvent* event)
{
    // Every showing, the first and each after a delay, starts with the box clear; a window that the
    // desktop restores from its minimised state is not shown anew.
    if (!event->spontaneous()) {
        m_remindLaterCheckBox->setChecked(false);
    }
    QDialog::showEvent(event);
}

void TBWMsgForm::closeEvent(QCloseEvent* event)
{
    if (!m_remindLaterCheckBox->isChecked()) {
        // Closed for good; the window deletes itself once the close has completed.
        event->accept();
        Q_EMIT Dismissed();
        return;
    }
    event->ignore();
    Postpone(std::chrono::minutes(m_delaySpinBox->value()));
}

void TBWMsgForm::Postpone(std::chrono::milliseconds delay)
{
    WaitFor(delay);
    hide();
    Q_EMIT Postponed(delay.count());
}

void TBWMsgForm::ComeBack()
{
    m_delayTimer->stop();
    Q_EMIT ComingBack();
    // A listener that called WaitFor holds it back further.
    if (!m_delayTimer->isActive()) {
        Popup();
    }
}
