// What a new user meets: the hint in the empty list, the key it names, and the tray icon's tooltip
// naming the reminder that comes up next.
#include "MainWindowFixture.h"
#include "TestMessages.h"

#include "TrayController.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimeEdit>

class FirstRunTest : public MainWindowTest
{
protected:
    [[nodiscard]] QLabel* Hint() const { return form->findChild<QLabel*>(Text("emptyListHint")); }
    [[nodiscard]] QString ToolTip() const { return form->Tray().Icon()->toolTip(); }

    void Add(std::unique_ptr<TBWItem> message)
    {
        lists.PersonalList.push_back(std::move(message));
        form->UpdateRowCount();
    }
};

TEST_F(FirstRunTest, TheHintsKeyAddsTheFirstReminderAndTheHintMakesWayForIt)
{
    dialogs.answers = {Text("Ann")};
    MakeForm();
    form->RunStartSteps();
    ShowForm();
    QLabel* hint = Hint();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_TRUE(hint->text().contains(Text("Press Ins"))) << hint->text().toStdString();
    EXPECT_TRUE(ListView()->viewport()->rect().contains(hint->geometry().center()));
    EXPECT_EQ(ToolTip(), Text("Bellwick"));

    // The key the hint names opens the editor; OK puts the message into the list.
    QTimer::singleShot(0, form.get(), [] {
        QWidget* editor = QApplication::activeModalWidget();
        ASSERT_NE(editor, nullptr);
        editor->findChild<QLineEdit*>(QStringLiteral("titleEdit"))->setText(QStringLiteral("Standup"));
        editor->findChild<QDateEdit*>(QStringLiteral("dueDateEdit"))->setDate(QDate(2024, 3, 14));
        editor->findChild<QTimeEdit*>(QStringLiteral("dueTimeEdit"))->setTime(QTime(14, 5));
        QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    });
    ListView()->setFocus();
    QTest::keyClick(ListView(), Qt::Key_Insert);

    ASSERT_EQ(lists.PersonalList.size(), 1U);
    EXPECT_FALSE(hint->isVisible());
    EXPECT_EQ(ToolTip(), Text("Bellwick — next: 14:05 Standup"));

    // Deleting the last message brings the hint back. (The desktop gives the window back the keyboard
    // when the editor closes; the offscreen platform needs to be told.)
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->SelectMessage(0);
    // Del alone deletes nothing: a stray key must not take a message out of its groups.
    QTest::keyClick(ListView(), Qt::Key_Delete);
    ASSERT_EQ(lists.PersonalList.size(), 1U);
    QTest::keyClick(ListView(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(lists.PersonalList.empty());
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(ToolTip(), Text("Bellwick"));
}

TEST_F(FirstRunTest, TheTrayToolTipNamesTheEarliestPendingReminderAndMovesOnWithTheTick)
{
    StartAs(Text("Ann"));
    Add(MakeMessage("Lunch", EncodeDateTime(2024, 3, 15, 12, 30), 1));
    Add(MakeMessage("Passed long ago", Noon() - 3, 2));
    Add(MakeMessage("Standup", EncodeDateTime(2024, 3, 14, 14, 5), 3, KindExecuteFiles));
    EXPECT_EQ(ToolTip(), Text("Bellwick — next: 14:05 Standup")) << "the passed message is not next";

    // Once Standup has come and gone, tomorrow's lunch is next and shows its date as the list does.
    clock.Set(EncodeDateTime(2024, 3, 14, 14, 6));
    TickTimes(1);
    EXPECT_EQ(ToolTip(), Text("Bellwick — next: 3/15/24 Fri 12:30 Lunch"));

    clock.Set(EncodeDateTime(2024, 3, 16, 0, 0));
    TickTimes(1);
    EXPECT_EQ(ToolTip(), Text("Bellwick"));
}

// The tooltip names what will come up on this desktop: the enabled groups' messages too, but not the
// user's own messages sent to recipients only, nor a group that is switched off.
TEST_F(FirstRunTest, TheTrayToolTipLooksAtTheEnabledGroupsAndSkipsRecipientsOnlyMessages)
{
    StartAs(Text("Ann"));
    for (const auto& [name, enabled] : {std::pair{"Sales", true}, std::pair{"Ops", false}}) {
        auto group = std::make_unique<TBWListLocation>();
        group->Name = name;
        group->Enabled = enabled;
        lists.GroupList.push_back(std::move(group));
        lists.GroupItemLists.Add(name, std::make_unique<TBWItemList>());
    }
    lists.GroupItemLists.Find("Sales")->push_back(MakeMessage("Sales review", EncodeDateTime(2024, 3, 14, 16, 0), 7));
    lists.GroupItemLists.Find("Ops")->push_back(MakeMessage("Ops drill", EncodeDateTime(2024, 3, 14, 13, 0), 8));
    Add(MakeMessage("Lunch", EncodeDateTime(2024, 3, 15, 12, 30), 1));
    EXPECT_EQ(ToolTip(), Text("Bellwick — next: 16:00 Sales review"));

    auto forOthers = MakeMessage("For the team only", EncodeDateTime(2024, 3, 14, 14, 0), 2);
    forOthers->DayFlags[0] = true;
    Add(std::move(forOthers));
    EXPECT_EQ(ToolTip(), Text("Bellwick — next: 16:00 Sales review"));

    Add(MakeMessage("Standup", EncodeDateTime(2024, 3, 14, 14, 5), 3));
    EXPECT_EQ(ToolTip(), Text("Bellwick — next: 14:05 Standup"));
}
