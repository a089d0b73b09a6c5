// The tray menu: the next three reminders, each opening where it can be changed, a new reminder, and
// the pause, through which nothing due is lost: it comes when the pause ends, by itself, by the
// menu, or at the next start. The clock is fake and the ticks are delivered by hand.
#include "MainWindowFixture.h"
#include "ReminderDispatcher.h"
#include "Scheduler.h"
#include "TBWMsgForm.h"
#include "TestMessages.h"
#include "TrayController.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSystemTrayIcon>

namespace {

class TrayMenuTest : public MainWindowTest
{
protected:
    static double At(int hour, int minute) { return EncodeDateTime(2024, 3, 14, hour, minute); }

    void SetUp() override
    {
        clock.Set(At(12, 0));
        StartAs(Text("Ann"));
    }

    void AddOwn(const std::string& title, double due, std::int32_t id)
    {
        lists.PersonalList.push_back(MakeMessage(title, due, id));
        form->UpdateRowCount();
    }

    [[nodiscard]] QAction* Entry(const QString& name) const { return form->Tray().Menu()->findChild<QAction*>(name); }

    [[nodiscard]] std::vector<QString> Upcoming() const
    {
        std::vector<QString> texts;
        for (int i = 0; i < TrayController::UpcomingCount; ++i) {
            const QAction* action = Entry(Text("upcomingAction%1").arg(i));
            if (action->isVisible()) {
                texts.push_back(action->text());
            }
        }
        return texts;
    }

    // Triggers the entry and reads the editor it opens: its caption and title, then cancels it.
    [[nodiscard]] std::pair<QString, QString> EditorOpenedBy(QAction* action)
    {
        std::pair<QString, QString> seen;
        QTimer::singleShot(0, form.get(), [&seen] {
            if (QWidget* editor = QApplication::activeModalWidget()) {
                seen = {editor->windowTitle(), editor->findChild<QLineEdit*>(QStringLiteral("titleEdit"))->text()};
                QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("cancelButton")), Qt::LeftButton);
            }
        });
        action->trigger();
        return seen;
    }

    [[nodiscard]] std::vector<QString> PopUpTitles() const
    {
        std::vector<QString> titles;
        for (const TBWMsgForm* popUp : form->Reminders().Reminders()) {
            if (popUp->isVisible()) {
                titles.push_back(popUp->windowTitle());
            }
        }
        return titles;
    }

    // Pauses from the menu; the tooltip and the entry say until when.
    void Pause(const char* until)
    {
        Entry(Text("pauseAction"))->trigger();
        ASSERT_EQ(form->Tray().Icon()->toolTip().section(QLatin1Char('\n'), 1),
                  Text("Reminders paused until %1").arg(Text(until)));
        ASSERT_EQ(Entry(Text("pauseAction"))->text(), Text("Resume reminders"));
    }

    // The pop-up's delay ends now instead of minutes from now.
    static void DelayEnds(TBWMsgForm& popUp)
    {
        popUp.DelayTimer().start(0);
        QTRY_VERIFY_WITH_TIMEOUT(popUp.isVisible() || popUp.DelayTimer().interval() > 0, 2000);
    }
};

TEST_F(TrayMenuTest, TheNextThreeAreListedSoonestFirstAndEachOpensInTheEditor)
{
    EXPECT_EQ(Upcoming(), std::vector<QString>{});

    AddOwn("Review", At(14, 0), 1);
    AddOwn("Lunch", At(12, 30), 2);
    AddOwn("Gone", At(11, 0), 3);
    AddOwn("Standup with a title far too long for any tray menu to show", At(13, 0), 4);
    AddOwn("Tomorrow", At(12, 0) + 1.0, 5);
    lists.GroupList.push_back(MakeGroup("Dev", "secret", true));
    lists.GroupItemLists.Add("Dev", std::make_unique<TBWItemList>()).push_back(MakeMessage("Deploy", At(13, 30), 6));
    TickTimes(1);
    EXPECT_EQ(Upcoming(),
              (std::vector<QString>{Text("12:30 Lunch"), Text("13:00 Standup with a title far too long for an…"),
                                    Text("13:30 Deploy (Dev)")}));

    // The second entry opens its reminder, which is selected in the list afterwards.
    EXPECT_EQ(EditorOpenedBy(Entry(Text("upcomingAction1"))),
              std::pair(Text("Edit message"), Text("Standup with a title far too long for any tray menu to show")));
    ASSERT_GE(form->SelectedIndex(), 0);
    EXPECT_EQ(lists.PersonalList[static_cast<std::size_t>(form->SelectedIndex())]->Id, 4);
    EXPECT_EQ(EditorOpenedBy(Entry(Text("newReminderAction"))).first, Text("New message"));
    // A group's reminder opens as its row in the list does: here the user wrote it, so to be edited
    // and published again.
    EXPECT_EQ(EditorOpenedBy(Entry(Text("upcomingAction2"))),
              std::pair(Text("Edit message of group Dev"), Text("Deploy")));
}

TEST_F(TrayMenuTest, WhatFallsDueDuringAPauseComesWhenItEndsAndNotBefore)
{
    AddOwn("Coffee", At(11, 55), 3);
    TickTimes(Scheduler::ScanEvery);
    ASSERT_EQ(PopUpTitles(), std::vector<QString>{Text("11:55 - Coffee")});
    TBWMsgForm& coffee = *form->Reminders().Reminders().front();
    QTest::mouseClick(coffee.findChild<QPushButton*>(Text("later10Button")), Qt::LeftButton);
    AddOwn("Standup", At(12, 10), 1);
    AddOwn("Lunch", At(12, 50), 2);
    Pause("13:00");

    clock.Set(At(12, 59));
    TickTimes(Scheduler::ScanEvery * 2);
    // Put off before the pause, a reminder whose moment comes during it waits too.
    DelayEnds(coffee);
    EXPECT_EQ(PopUpTitles(), std::vector<QString>{});

    clock.Set(At(13, 0));
    TickTimes(1);
    DelayEnds(coffee);
    EXPECT_EQ(PopUpTitles(),
              (std::vector<QString>{Text("11:55 - Coffee"), Text("12:10 - Standup"), Text("12:50 - Lunch")}));
    EXPECT_EQ(Entry(Text("pauseAction"))->text(), Text("Pause reminders for 1 hour"));
    EXPECT_FALSE(form->Tray().Icon()->toolTip().contains(Text("paused")));
}

TEST_F(TrayMenuTest, ResumingEarlyOrRestartingDuringAPauseBringsWhatWaited)
{
    AddOwn("Standup", At(12, 10), 1);
    Pause("13:00");
    clock.Set(At(12, 20));
    TickTimes(Scheduler::ScanEvery);
    EXPECT_EQ(PopUpTitles(), std::vector<QString>{});
    Entry(Text("pauseAction"))->trigger();
    TickTimes(1);
    EXPECT_EQ(PopUpTitles(), std::vector<QString>{Text("12:10 - Standup")});

    AddOwn("Lunch", At(12, 40), 2);
    Pause("13:20");
    clock.Set(At(12, 45));
    TickTimes(Scheduler::ScanEvery);
    form->ShutdownSave([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    form.reset();
    lists.PersonalList.clear();
    clock.Set(At(12, 50));
    StartAs(Text("Ann"));
    TickTimes(Scheduler::ScanEvery);
    EXPECT_EQ(PopUpTitles(), std::vector<QString>{Text("12:40 - Lunch")});
}

} // namespace
