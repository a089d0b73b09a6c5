#include "DialogRecorder.h"
#include "GroupList.h"
#include "TBWGroupSelectForm.h"

#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

TBWGroupList MakeGroups(std::initializer_list<std::pair<const char*, bool>> groups)
{
    TBWGroupList list;
    for (const auto& [name, enabled] : groups) {
        auto group = std::make_unique<TBWListLocation>();
        group->Name = name;
        group->Enabled = enabled;
        list.push_back(std::move(group));
    }
    return list;
}

class GroupSelectFormTest : public ::testing::Test
{
protected:
    QListWidget* List() { return Child<QListWidget>(m_form, "groupList"); }

    // Shows the picker for the groups, lets the action select lines, then presses the button.
    int Pick(const TBWGroupList& groups, const std::function<void()>& select, const char* button = "okButton")
    {
        WhenShown(m_form, [&] {
            EXPECT_TRUE(List()->selectedItems().isEmpty());
            select();
            Click(m_form, button);
        });
        return m_form.Execute(groups);
    }

    DialogRecorder m_recorder;
    TBWGroupSelectForm m_form{m_recorder.Hooks()};
};

TEST_F(GroupSelectFormTest, EmptyGroupListGivesNoLinesAndNoSelection)
{
    const TBWGroupList none;
    EXPECT_EQ(Pick(none, [&] { EXPECT_EQ(List()->count(), 0); }), QDialog::Accepted);
    EXPECT_TRUE(m_form.SelectedGroups().empty());
}

TEST_F(GroupSelectFormTest, OffersEveryGroupAndGivesThePickedOnesInListOrder)
{
    const TBWGroupList groups = MakeGroups({{"Sales", true}, {"Dev", false}, {"Ops", true}, {"Board", false}});
    EXPECT_EQ(List()->selectionMode(), QAbstractItemView::ExtendedSelection);

    const int result = Pick(groups, [&] {
        ASSERT_EQ(List()->count(), 4);
        EXPECT_EQ(List()->item(1)->text(), QStringLiteral("Dev"));
        // Third line first, then the first with Ctrl held, as a user would.
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(List()->item(2)).center());
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          List()->visualItemRect(List()->item(0)).center());
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(m_form.SelectedGroups(), (TStringList{"Sales", "Ops"}));
}

TEST_F(GroupSelectFormTest, CancelKeepsThePreviousPickAndEachShowingRefills)
{
    TBWGroupList groups = MakeGroups({{"Sales", true}, {"Dev", false}});
    Pick(groups, [&] { List()->item(1)->setSelected(true); });
    ASSERT_EQ(m_form.SelectedGroups(), TStringList{"Dev"});

    groups.erase(groups.begin());
    groups.push_back(std::move(MakeGroups({{"Caf\xE9", false}}).front()));
    const int result = Pick(
        groups,
        [&] {
            ASSERT_EQ(List()->count(), 2);
            EXPECT_EQ(List()->item(0)->text(), QStringLiteral("Dev"));
            List()->selectAll();
        },
        "cancelButton");
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(m_form.SelectedGroups(), TStringList{"Dev"});

    // A name that is no valid text in the local encoding still comes back as its bytes.
    Pick(groups, [&] { List()->selectAll(); });
    EXPECT_EQ(m_form.SelectedGroups(), (TStringList{"Dev", "Caf\xE9"}));
}

// Enter takes the highlighted line when nothing is selected; a selection made stays as it is.
TEST_F(GroupSelectFormTest, EnterTakesTheHighlightedGroup)
{
    const TBWGroupList groups = MakeGroups({{"Sales", true}, {"Dev", false}, {"Ops", true}});
    for (const int selected : {-1, 2}) {
        WhenShown(m_form, [&] {
            List()->setCurrentRow(1, QItemSelectionModel::NoUpdate);
            if (selected >= 0) {
                List()->item(selected)->setSelected(true);
            }
            QTest::keyClick(List(), Qt::Key_Return);
        });
        EXPECT_EQ(m_form.Execute(groups), QDialog::Accepted);
        EXPECT_EQ(m_form.SelectedGroups(), TStringList{selected < 0 ? "Dev" : "Ops"});
    }
}

TEST_F(GroupSelectFormTest, HelpOpensItsTopic)
{
    Click(m_form, "helpButton");
    ASSERT_EQ(m_recorder.HelpTopics.size(), 1U);
    EXPECT_EQ(m_recorder.HelpTopics[0], QStringLiteral("select-groups-window.htm"));
}

} // namespace
