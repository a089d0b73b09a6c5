// The message list: the row texts and state marks, sorting by column, Autosort, and the selection.
#include "Artwork.h"
#include "MainWindowFixture.h"
#include "MessageListModel.h"
#include "MessageOrder.h"
#include "PersonalReminders.h"
#include "TestMessages.h"

#include <QIcon>
#include <QImage>
#include <QItemSelectionModel>
#include <QLocale>

namespace {

QImage Picture(const QVariant& decoration)
{
    return decoration.value<QIcon>().pixmap(16, 16).toImage();
}

} // namespace

class MessageListTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        StartAs(Text("Ann"));
        ShowForm();
    }

    void Add(std::unique_ptr<TBWItem> message)
    {
        lists.PersonalList.push_back(std::move(message));
        form->UpdateRowCount();
    }

    // cherry, apple, Banana: out of order by title; due times and kinds in yet another order.
    void AddThreeFruit()
    {
        Add(MakeMessage("cherry", Noon() + 2, 1, KindSimpleMessage));
        Add(MakeMessage("apple", Noon() + 3, 2, KindExecuteFiles));
        Add(MakeMessage("Banana", Noon() + 1, 3, KindSimpleMessage));
    }

    [[nodiscard]] int SelectedRow() const { return form->SelectedIndex(); }
};

TEST_F(MessageListTest, RowsShowTheDueTimeKindTitleAndStateOfTheirMessage)
{
    Add(MakeMessage("Standup", EncodeDateTime(2024, 3, 14, 14, 5), 1));
    Add(MakeMessage("Standup tomorrow", EncodeDateTime(2024, 3, 15, 14, 5), 2, KindExecuteFiles));
    Add(MakeMessage("Delivered daily", Noon() + 0.5, 3, KindSimpleMessage, Noon() - 0.5));
    Add(MakeMessage("Passed", Noon() - 0.25, 4, 7));
    // Due on Saturday, active Monday to Friday: it comes, and shows, on Monday.
    Add(MakeMessage("Weekdays only", EncodeDateTime(2024, 3, 16, 10, 0), 5));
    lists.PersonalList.back()->DayFlags[6] = lists.PersonalList.back()->DayFlags[7] = false;
    // Shown to its recipients, never here.
    Add(MakeMessage("For the team only", Noon() + 0.5, 6, KindSimpleMessage, Noon() - 0.5));
    lists.PersonalList.back()->DayFlags[0] = true;

    EXPECT_EQ(Cell(0, 0), Text("14:05"));
    EXPECT_EQ(Cell(1, 0), Text("3/15/24 Fri 14:05"));
    EXPECT_EQ(Cell(0, 1), Text("Simple message"));
    EXPECT_EQ(Cell(1, 1), Text("Execute file(s)"));
    EXPECT_EQ(Cell(3, 1), QString()) << "an unknown kind has no name";
    EXPECT_EQ(Cell(1, 2), Text("Standup tomorrow"));

    const QAbstractItemModel* model = ListView()->model();
    const QImage green = StateMarkIcon(StateMark::Green).pixmap(16, 16).toImage();
    const QImage yellow = StateMarkIcon(StateMark::Yellow).pixmap(16, 16).toImage();
    const QImage grey = StateMarkIcon(StateMark::Grey).pixmap(16, 16).toImage();
    ASSERT_NE(green, yellow);
    ASSERT_NE(green, grey);
    EXPECT_EQ(Picture(model->data(model->index(0, 0), Qt::DecorationRole)), green);
    EXPECT_EQ(Picture(model->data(model->index(2, 0), Qt::DecorationRole)), yellow);
    EXPECT_EQ(Picture(model->data(model->index(3, 0), Qt::DecorationRole)), grey);
    EXPECT_EQ(Cell(4, 0), Text("3/18/24 Mon 10:00"));
    EXPECT_EQ(Picture(model->data(model->index(5, 0), Qt::DecorationRole)), green);

    // Nothing is remembered: the same rows read later show the later state and date form.
    clock.Set(EncodeDateTime(2024, 3, 15, 9, 0));
    EXPECT_EQ(Cell(0, 0), Text("3/14/24 Thu 14:05"));
    EXPECT_EQ(Cell(1, 0), Text("14:05"));
    EXPECT_EQ(Picture(model->data(model->index(0, 0), Qt::DecorationRole)), grey);
    EXPECT_EQ(model->data(model->index(7, 0)), QVariant()) << "no row past the end";
}

TEST_F(MessageListTest, ColumnClicksSortOnceAndASecondClickReverses)
{
    AddThreeFruit();
    ClickHeader(MessageListModel::MessageColumn);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"apple", "Banana", "cherry"})) << "letter case ignored";
    EXPECT_EQ(Cell(0, 2), Text("apple"));
    ClickHeader(MessageListModel::MessageColumn);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"cherry", "Banana", "apple"}));

    ClickHeader(MessageListModel::DateTimeColumn);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Banana", "cherry", "apple"}));
    ClickHeader(MessageListModel::DateTimeColumn);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"apple", "cherry", "Banana"}));
    ClickHeader(MessageListModel::DateTimeColumn);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Banana", "cherry", "apple"}));

    ClickHeader(MessageListModel::TypeColumn);
    EXPECT_EQ(Titles().back(), "apple") << "simple messages first";
    EXPECT_EQ(form->CurrentPreferences().SortColumn, 1);
    EXPECT_FALSE(form->CurrentPreferences().SortReversed);
    EXPECT_EQ(ListView()->header()->sortIndicatorSection(), 1);

    // With Autosort off a click still sorts once.
    form->Menu().autoSortAction->setChecked(false);
    ClickHeader(MessageListModel::MessageColumn);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"apple", "Banana", "cherry"}));
}

// The sort and the sortedness test that Autosort runs at every scan agree, also under the C locale,
// whose collator makes its sort keys with letter case although it compares without.
TEST(MessageOrderTest, TitlesSortWithoutLetterCaseAndStaySortedInEveryLocale)
{
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates)}) {
        const QLocale previous;
        QLocale::setDefault(locale);
        MessageOrder order;
        QLocale::setDefault(previous);
        order.SetSortColumn(MessageOrder::TitleColumn);
        TBWItemList list;
        for (const char* title : {"cherry", "apple", "Banana"}) {
            list.push_back(MakeMessage(title, 0.0, 0));
        }
        order.Sort(list);
        EXPECT_EQ(list[0]->Title + list[1]->Title + list[2]->Title, "appleBananacherry") << locale.name().toStdString();
        EXPECT_TRUE(
            IsListSorted(list, [&](const TBWItem& a, const TBWItem& b) { return order.CompareMessages(a, b); }));
    }
}

TEST_F(MessageListTest, AutosortOffKeepsTheOrderAndOnAgainSortsByDueTimeInTheHeldDirection)
{
    AddThreeFruit();
    ClickHeader(MessageListModel::MessageColumn);
    ClickHeader(MessageListModel::MessageColumn);
    ASSERT_EQ(Titles(), (std::vector<std::string>{"cherry", "Banana", "apple"}));

    form->Menu().autoSortAction->setChecked(false);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"cherry", "Banana", "apple"}));
    EXPECT_EQ(form->CurrentPreferences().SortColumn, -1);
    EXPECT_EQ(ListView()->header()->sortIndicatorSection(), -1);
    form->Personal().SortIfAutoSort();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"cherry", "Banana", "apple"}));

    form->Menu().autoSortAction->setChecked(true);
    EXPECT_EQ(form->CurrentPreferences().SortColumn, 0);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"apple", "cherry", "Banana"})) << "due time, still reversed";

    // A column clicked while Autosort was off is the order Autosort keeps.
    form->Menu().autoSortAction->setChecked(false);
    ClickHeader(MessageListModel::TypeColumn);
    form->Menu().autoSortAction->setChecked(true);
    EXPECT_EQ(form->CurrentPreferences().SortColumn, 1);
    Add(MakeMessage("Aardvark", Noon() + 9, 9, KindExecuteFiles));
    form->Personal().SortIfAutoSort();
    EXPECT_EQ(Titles().back(), "Aardvark");
}

TEST_F(MessageListTest, TheSelectedMessageStaysSelectedAndInViewWhereverItMoves)
{
    for (int i = 0; i < 60; ++i) {
        Add(MakeMessage("Message " + std::to_string(100 + i), Noon() + i, 1000 + i));
    }
    Add(MakeMessage("Aaa first by title", Noon() + 90, 77));
    form->SelectMessage(60);
    ASSERT_EQ(SelectedRow(), 60);

    ClickHeader(MessageListModel::MessageColumn);
    ASSERT_EQ(SelectedRow(), 0);
    EXPECT_EQ(lists.PersonalList[0]->Id, 77);
    EXPECT_EQ(ListView()->currentIndex().row(), 0);
    EXPECT_TRUE(ListView()->hasFocus());

    ClickHeader(MessageListModel::MessageColumn);
    EXPECT_EQ(SelectedRow(), 60);
    const QRect row = ListView()->visualRect(ListView()->model()->index(60, 0));
    EXPECT_TRUE(ListView()->viewport()->rect().intersects(row)) << "scrolled into view";

    // Without a selection nothing gets selected by a sort.
    ListView()->selectionModel()->clearSelection();
    ClickHeader(MessageListModel::DateTimeColumn);
    EXPECT_EQ(SelectedRow(), -1);
}

TEST_F(MessageListTest, TheRowCountFollowsThePersonalListWhenTheOwnerSaysSo)
{
    AddThreeFruit();
    EXPECT_EQ(ListView()->model()->rowCount(), 3);
    lists.PersonalList.erase(lists.PersonalList.begin());
    form->UpdateRowCount();
    EXPECT_EQ(ListView()->model()->rowCount(), 2);
    EXPECT_EQ(Cell(0, 2), Text("apple"));
}
