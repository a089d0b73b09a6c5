// The reminder pop-up: its caption and texts, "Remind me later:" with its timer, the close box, and
// that a pop-up closed for good is gone. The delay timer is made to fire at once; no test waits.
#include "DateTime.h"
#include "TBWItem.h"
#include "TBWMsgForm.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Thursday, 14 March 2024.
double Today(int hour, int minute)
{
    return EncodeDateTime(2024, 3, 14, hour, minute);
}

TBWItem Message(const std::string& title, double lastDueTime)
{
    TBWItem message;
    message.Title = title;
    message.Author = "Ann";
    message.Text = "First line\r\nSecond line";
    message.LastDueTime = lastDueTime;
    message.DueTime = lastDueTime + 1.0;
    return message;
}

template <typename Widget>
Widget* Child(const QWidget* form, const char* name)
{
    return form->findChild<Widget*>(QString::fromLatin1(name));
}

// Lets the remaining deferred deletions happen, as the event loop does after a close.
void FinishDeletions()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class ReminderFormTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        // Whatever a test left open goes, so that no window leaks into the next test.
        for (const QPointer<TBWMsgForm>& form : forms) {
            delete form.data();
        }
    }

    TBWMsgForm* Open(const TBWItem& message, double now = Today(12, 0))
    {
        auto* form = new TBWMsgForm(message, now);
        forms.emplace_back(form);
        form->Popup();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
        return form;
    }

    static void Postpone(TBWMsgForm* form, int upClicks)
    {
        Child<QCheckBox>(form, "remindLaterCheckBox")->click();
        for (int i = 0; i < upClicks; ++i) {
            QTest::keyClick(Child<QSpinBox>(form, "delaySpinBox"), Qt::Key_Up);
        }
        QTest::mouseClick(Child<QPushButton>(form, "okButton"), Qt::LeftButton);
    }

    // The delay has passed: the timer fires now instead of minutes from now.
    static void DelayPasses(TBWMsgForm* form)
    {
        QTimer& timer = form->DelayTimer();
        ASSERT_TRUE(timer.isActive());
        timer.start(0);
        QTRY_VERIFY_WITH_TIMEOUT(!timer.isActive(), 2000);
    }

    std::vector<QPointer<TBWMsgForm>> forms;
};

TEST_F(ReminderFormTest, TheCaptionIsTheTimeForTodayTheDateAndWeekdayOtherwiseThenTheTitle)
{
    EXPECT_EQ(TBWMsgForm::Caption(Today(9, 30), "Standup", Today(12, 0)), QStringLiteral("09:30 - Standup"));
    EXPECT_EQ(TBWMsgForm::Caption(Today(9, 30), "Standup", Today(12, 0) + 1.0),
              QStringLiteral("3/14/24 Thu 09:30 - Standup"));

    const TBWMsgForm* form = Open(Message("", Today(9, 30)));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("09:30 - "));
    EXPECT_TRUE(Child<QLabel>(form, "titleLabel")->text().isEmpty());
}

TEST_F(ReminderFormTest, ShowsTheMessageOnTopWithoutAnOwnerAndWithoutTakingTheKeyboard)
{
    const TBWMsgForm* form = Open(Message("Team meeting", Today(9, 30)));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("09:30 - Team meeting"));
    EXPECT_EQ(Child<QLabel>(form, "authorLabel")->text(), QStringLiteral("Ann"));
    EXPECT_EQ(Child<QLabel>(form, "titleLabel")->text(), QStringLiteral("Team meeting"));
    const QPlainTextEdit* text = Child<QPlainTextEdit>(form, "textEdit");
    EXPECT_EQ(text->toPlainText(), QStringLiteral("First line\nSecond line"));
    EXPECT_TRUE(text->isReadOnly());

    EXPECT_EQ(form->parentWidget(), nullptr);
    EXPECT_TRUE(form->isWindow());
    EXPECT_FALSE(form->isModal());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(form->windowType(), Qt::Tool) << "no taskbar entry of its own";
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint)) << "minimised, it could not be found";
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(form->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "a fixed border";
    EXPECT_TRUE(Child<QPushButton>(form, "okButton")->isDefault());

    const QSpinBox* delay = Child<QSpinBox>(form, "delaySpinBox");
    EXPECT_EQ(delay->minimum(), 5);
    EXPECT_EQ(delay->maximum(), 120);
    EXPECT_EQ(delay->singleStep(), 5);
    EXPECT_EQ(delay->value(), 5);
    EXPECT_FALSE(Child<QCheckBox>(form, "remindLaterCheckBox")->isChecked());
    EXPECT_FALSE(form->DelayTimer().isActive());

    // Calibri, two points larger, only where the font is installed.
    if (QFontDatabase::families().contains(QStringLiteral("Calibri"))) {
        EXPECT_EQ(text->font().family(), QStringLiteral("Calibri"));
        EXPECT_EQ(text->font().pointSizeF(), form->font().pointSizeF() + 2);
    } else {
        EXPECT_EQ(text->font(), form->font());
    }
}

TEST_F(ReminderFormTest, RemindMeLaterHidesTheWindowAndTheTimerBringsItBackClearedWithTheSpinnerKept)
{
    QPointer<TBWMsgForm> form = Open(Message("Standup", Today(9, 30)));
    Postpone(form, 2); // 5 -> 10 -> 15
    FinishDeletions();
    ASSERT_TRUE(form) << "a postponed reminder is kept";
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->DelayTimer().isActive());
    EXPECT_TRUE(form->DelayTimer().isSingleShot());
    EXPECT_EQ(form->DelayTimer().interval(), 15 * 60000);

    DelayPasses(form);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(Child<QCheckBox>(form, "remindLaterCheckBox")->isChecked());
    EXPECT_EQ(Child<QSpinBox>(form, "delaySpinBox")->value(), 15);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("09:30 - Standup"));

    // As often as the user likes; the spinner goes on from where it was.
    Postpone(form, 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->DelayTimer().interval(), 20 * 60000);
    DelayPasses(form);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(ReminderFormTest, ChangingTheMinutesTicksTheBoxAndThePresetsPostponeAtOnce)
{
    QPointer<TBWMsgForm> form = Open(Message("Standup", Today(9, 30)));
    QTest::keyClick(Child<QSpinBox>(form, "delaySpinBox"), Qt::Key_Up);
    EXPECT_TRUE(Child<QCheckBox>(form, "remindLaterCheckBox")->isChecked());

    const QSignalSpy postponed(form.data(), &TBWMsgForm::Postponed);
    using namespace std::chrono_literals;
    for (const auto& [button, delay] : {std::pair{"later10Button", 10min}, std::pair{"later30Button", 30min},
                                        std::pair{"later60Button", 60min}, std::pair{"tomorrowButton", 0min}}) {
        QTest::mouseClick(Child<QPushButton>(form, button), Qt::LeftButton);
        EXPECT_FALSE(form->isVisible()) << button;
        const std::chrono::milliseconds interval = form->DelayTimer().intervalAsDuration();
        if (delay > 0min) {
            EXPECT_EQ(interval, delay);
        } else {
            // The same time tomorrow: a day, an hour more or less when the clocks change.
            EXPECT_GE(interval, 23h);
            EXPECT_LE(interval, 25h);
        }
        ASSERT_FALSE(postponed.empty());
        EXPECT_EQ(postponed.back().at(0).toLongLong(), interval.count());
        DelayPasses(form);
    }
    // Each has its key: Alt and the underlined letter.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    QTest::keyClick(form, Qt::Key_3, Qt::AltModifier);
    QTRY_VERIFY_WITH_TIMEOUT(!form->isVisible(), 2000);
    EXPECT_EQ(form->DelayTimer().intervalAsDuration(), 30min);
    EXPECT_EQ(postponed.size(), 5);
    EXPECT_EQ(Child<QSpinBox>(form, "delaySpinBox")->value(), 10) << "the presets leave the minutes alone";
}

TEST_F(ReminderFormTest, TheCloseBoxWithTheBoxCheckedPostponesLikeOk)
{
    QPointer<TBWMsgForm> form = Open(Message("Standup", Today(9, 30)));
    Child<QCheckBox>(form, "remindLaterCheckBox")->setChecked(true);
    EXPECT_FALSE(form->close()) << "the close is refused";
    FinishDeletions();
    ASSERT_TRUE(form);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->DelayTimer().interval(), 5 * 60000);
    DelayPasses(form);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(ReminderFormTest, OkWithTheBoxClearDestroysTheWindowAndEnterPressesOkButEscapeDoesNothing)
{
    QPointer<TBWMsgForm> clicked = Open(Message("One", Today(9, 30)));
    QTest::mouseClick(Child<QPushButton>(clicked, "okButton"), Qt::LeftButton);
    FinishDeletions();
    EXPECT_TRUE(clicked.isNull());

    QPointer<TBWMsgForm> keyed = Open(Message("Two", Today(9, 30)));
    keyed->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(keyed));
    QTest::keyClick(keyed, Qt::Key_Escape);
    FinishDeletions();
    ASSERT_TRUE(keyed) << "there is no Cancel";
    EXPECT_TRUE(keyed->isVisible());
    QTest::keyClick(keyed, Qt::Key_Return);
    FinishDeletions();
    EXPECT_TRUE(keyed.isNull());

    // The close box with the box clear: closed for good as well.
    QPointer<TBWMsgForm> closed = Open(Message("Three", Today(9, 30)));
    EXPECT_TRUE(closed->close());
    FinishDeletions();
    EXPECT_TRUE(closed.isNull());
}

TEST_F(ReminderFormTest, TwoWaitingRemindersComeBackIndependently)
{
    QPointer<TBWMsgForm> first = Open(Message("First", Today(9, 30)));
    QPointer<TBWMsgForm> second = Open(Message("Second", Today(9, 35)));
    Postpone(first, 0);  // 5 minutes
    Postpone(second, 1); // 10 minutes
    EXPECT_EQ(first->DelayTimer().interval(), 5 * 60000);
    EXPECT_EQ(second->DelayTimer().interval(), 10 * 60000);

    DelayPasses(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(second->isVisible());
    EXPECT_TRUE(second->DelayTimer().isActive());

    // Closing the first for good does not touch the second, still waiting.
    QTest::mouseClick(Child<QPushButton>(first, "okButton"), Qt::LeftButton);
    FinishDeletions();
    EXPECT_TRUE(first.isNull());
    ASSERT_TRUE(second);
    DelayPasses(second);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(second->windowTitle(), QStringLiteral("09:35 - Second"));
}
