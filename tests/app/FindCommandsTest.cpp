// Find (Ctrl+F) and Find next (F3) on the main window: the search steps move the list's selection.
#include "MainWindowFixture.h"
#include "TestMessages.h"

#include "TBWFindForm.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

class FindCommandsTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        StartAs(Text("Ann"));
        ShowForm();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void AddTitles(std::initializer_list<const char*> titles)
    {
        std::int32_t id = 1;
        for (const char* title : titles) {
            // Due times in list order, so that no sort moves them.
            lists.PersonalList.push_back(MakeMessage(title, Noon() + id, id));
            ++id;
        }
        form->UpdateRowCount();
    }

    [[nodiscard]] TBWFindForm* FindForm() const { return form->findChild<TBWFindForm*>(Text("findDialog")); }

    void PressOnMainWindow(QKeyCombination keys) { QTest::keyClick(form.get(), keys.key(), keys.keyboardModifiers()); }

    void ClickFindNext() const
    {
        QTest::mouseClick(FindForm()->findChild<QPushButton*>(Text("findNextButton")), Qt::LeftButton);
    }
};

TEST_F(FindCommandsTest, F3BeforeTheDialogWasEverOpenedSearchesForTheWordText)
{
    AddTitles({"Call Bob", "Some text here", "More text"});
    ASSERT_NE(FindForm(), nullptr);
    EXPECT_FALSE(FindForm()->isVisible());
    PressOnMainWindow(Qt::Key_F3);
    EXPECT_EQ(form->SelectedIndex(), 1);
    EXPECT_FALSE(FindForm()->isVisible());
    PressOnMainWindow(Qt::Key_F3);
    EXPECT_EQ(form->SelectedIndex(), 2);
}

TEST_F(FindCommandsTest, StepsSelectTheMatchesInTurnStopAtTheEndAndFindStartsOver)
{
    AddTitles({"one", "two", "Weekly report", "three", "four", "Report again", "five"});
    PressOnMainWindow(Qt::CTRL | Qt::Key_F);
    ASSERT_TRUE(FindForm()->isVisible());
    auto* searchEdit = FindForm()->findChild<QLineEdit*>(Text("searchEdit"));
    EXPECT_EQ(FindForm()->focusWidget(), searchEdit);
    QTest::keyClicks(searchEdit, Text("report"));
    EXPECT_EQ(searchEdit->text(), Text("report")) << "typing replaces the word shown";

    ClickFindNext();
    EXPECT_EQ(form->SelectedIndex(), 2);
    ClickFindNext();
    EXPECT_EQ(form->SelectedIndex(), 5);
    ClickFindNext();
    EXPECT_EQ(form->SelectedIndex(), 5) << "no wrap-around";
    EXPECT_TRUE(FindForm()->isVisible());

    form->Menu().findAction->trigger();
    ClickFindNext();
    EXPECT_EQ(form->SelectedIndex(), 2);
}

// A step that finds nothing says so, in the dialog and (for F3 with the dialog closed) in the
// status bar; the selection stays where it was.
TEST_F(FindCommandsTest, AStepThatFindsNothingSaysSo)
{
    AddTitles({"text one", "two"});
    const auto status = [this] { return form->statusBar()->currentMessage(); };
    PressOnMainWindow(Qt::Key_F3);
    PressOnMainWindow(Qt::Key_F3);
    EXPECT_EQ(form->SelectedIndex(), 0);
    EXPECT_EQ(status(), Text("No further message contains \"text\"."));

    PressOnMainWindow(Qt::CTRL | Qt::Key_F);
    auto* searchEdit = FindForm()->findChild<QLineEdit*>(Text("searchEdit"));
    searchEdit->setText(Text("nowhere"));
    ClickFindNext();
    EXPECT_EQ(form->SelectedIndex(), 0);
    EXPECT_EQ(FindForm()->findChild<QLabel*>(Text("outcomeLabel"))->text(), Text("No message contains \"nowhere\"."));
}

TEST_F(FindCommandsTest, WithTheLastRowSelectedAStepDoesNothing)
{
    AddTitles({"text one", "two", "text three"});
    PressOnMainWindow(Qt::Key_F3);
    ASSERT_EQ(form->SelectedIndex(), 0);
    form->SelectMessage(2);
    PressOnMainWindow(Qt::Key_F3);
    EXPECT_EQ(form->SelectedIndex(), 2);

    // The user's own selection is where the next step starts.
    form->SelectMessage(1);
    PressOnMainWindow(Qt::Key_F3);
    EXPECT_EQ(form->SelectedIndex(), 2);
}
