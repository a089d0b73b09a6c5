#pragma once

#include <QDialog>

#include <chrono>
#include <string>

class QCheckBox;
class QLabel;
class QLayout;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTimer;
class TBWItem;

// The reminder pop-up: one window for each delivered occurrence of a simple message. It copies the
// message's texts when it is made and keeps no reference to the message, so nothing done to the
// message later changes it. It has no owner, stays on top of other windows, has no taskbar entry of
// its own (and so no minimise box, which would leave it nowhere to be found), and deletes itself
// when it is closed for good.
//
// "Remind me later:" turns a close (OK or the close box) into a postponement: the window hides and
// its delay timer brings it back after the chosen number of minutes, with the box cleared and the
// spinner where the user left it, as often as the user likes. Changing the minutes ticks the box.
// The preset buttons beside OK postpone at once by 10, 30 or 60 minutes, or to the same time
// tomorrow.
//
// It appears without taking the keyboard, so a reminder never swallows what the user is typing in
// another program; it takes the keyboard only when the user clicks it.
class TBWMsgForm : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MinimumDelayMinutes = 5;
    static constexpr int MaximumDelayMinutes = 120;
    static constexpr int DelayStepMinutes = 5;

    // now decides the caption's form: only the time for an occurrence of today.
    TBWMsgForm(const TBWItem& message, double now);
    ~TBWMsgForm() override;

    // The due moment as the message list shows it, " - " and the title.
    [[nodiscard]] static QString Caption(double lastDueTime, const std::string& title, double now);

    // Shows the window on top of the others, without making it active.
    void Popup();
    // Keeps the window hidden and brings it up once the delay has passed, as after "Remind me later".
    void WaitFor(std::chrono::milliseconds delay);

    // The postponement timer; tests drive it instead of waiting for minutes to pass.
    [[nodiscard]] QTimer& DelayTimer() const { return *m_delayTimer; }

    // There is no Cancel: Escape leaves the reminder where it is.
    void reject() override;

Q_SIGNALS:
    // The user put the reminder off; it comes back after the delay.
    void Postponed(qint64 delayMs);
    // Closed for good by the user. A pop-up that goes with the program does not say so.
    void Dismissed();
    // The delay has passed; the window is about to be shown again, unless a listener calls WaitFor.
    void ComingBack();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildWindow(const TBWItem& message);
    [[nodiscard]] QLayout* BuildPresetButtons();
    void Postpone(std::chrono::milliseconds delay);
    void ComeBack();

    QLabel* m_authorLabel = nullptr;
    QLabel* m_titleLabel = nullptr;
    QPlainTextEdit* m_textEdit = nullptr;
    QCheckBox* m_remindLaterCheckBox = nullptr;
    QSpinBox* m_delaySpinBox = nullptr;
    QPushButton* m_okButton = nullptr;
    QTimer* m_delayTimer;
};
