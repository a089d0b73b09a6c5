// The message search and the find dialog's search step, over a plain message list.
#include "MessageSearch.h"
#include "TBWFindForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TBWItem> Message(const std::string& title, const std::string& text = std::string())
{
    auto message = std::make_unique<TBWItem>();
    message->Title = title;
    message->Text = text;
    return message;
}

} // namespace

TEST(MessageSearch, AnywhereJoinsTitleAndTextWithNothingBetween)
{
    const auto message = Message("Call", "back office");
    EXPECT_TRUE(MessageSearch("llba", MessageSearch::Anywhere, false).Matches(*message));
    EXPECT_FALSE(MessageSearch("llba", MessageSearch::TitleOnly, false).Matches(*message));
    EXPECT_FALSE(MessageSearch("llba", MessageSearch::TextOnly, false).Matches(*message));
    EXPECT_TRUE(MessageSearch("office", MessageSearch::TextOnly, false).Matches(*message));
    EXPECT_FALSE(MessageSearch("office", MessageSearch::TitleOnly, false).Matches(*message));
    EXPECT_FALSE(MessageSearch("Call back", MessageSearch::Anywhere, false).Matches(*message));

    // Line breaks of the text are searched as they are.
    const auto lines = Message("List", "milk\r\nbread");
    EXPECT_TRUE(MessageSearch("milk\r\nbr", MessageSearch::TextOnly, true).Matches(*lines));
}

TEST(MessageSearch, LetterCaseCountsOnlyWhenAskedFor)
{
    const auto report = Message("Monthly report");
    EXPECT_TRUE(MessageSearch("REPORT", MessageSearch::Anywhere, false).Matches(*report));
    EXPECT_FALSE(MessageSearch("REPORT", MessageSearch::Anywhere, true).Matches(*report));
    EXPECT_TRUE(MessageSearch("report", MessageSearch::Anywhere, true).Matches(*report));

    // Letters beyond ASCII fold too, by the language's rules.
    const auto umlaut = Message("\xc3\x84rger mit dem Drucker"); // "Ärger ..." in UTF-8
    EXPECT_TRUE(MessageSearch("\xc3\xa4rger", MessageSearch::Anywhere, false).Matches(*umlaut));
    EXPECT_FALSE(MessageSearch("\xc3\xa4rger", MessageSearch::Anywhere, true).Matches(*umlaut));
}

class FindFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Rows 2 and 5 hold the word.
        for (const char* title : {"one", "two", "Weekly report", "three", "four", "report again", "five"}) {
            list.push_back(Message(title));
        }
    }

    template <typename T>
    T* Child(const char* name) const
    {
        return form.findChild<T*>(QLatin1String(name));
    }

    void TypeSearchText(const QString& text)
    {
        Child<QLineEdit>("searchEdit")->clear();
        QTest::keyClicks(Child<QLineEdit>("searchEdit"), text);
    }

    TBWItemList list;
    TBWFindForm form;
};

TEST_F(FindFormTest, StartsWithTheWordTextEverywhereWithoutCase)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Find"));
    EXPECT_EQ(Child<QLineEdit>("searchEdit")->text(), QStringLiteral("text"));
    EXPECT_EQ(Child<QComboBox>("scopeComboBox")->currentText(), QStringLiteral("Anywhere"));
    EXPECT_FALSE(Child<QCheckBox>("caseSensitiveCheckBox")->isChecked());
    EXPECT_TRUE(Child<QPushButton>("findNextButton")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>("findNextButton")->isDefault());
    EXPECT_FALSE(form.SearchStarted());
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "a fixed dialog border";
}

TEST_F(FindFormTest, StepsGoFromMatchToMatchAndStopAtTheEnd)
{
    TypeSearchText(QStringLiteral("REPORT"));
    EXPECT_EQ(form.SearchStep(list, -1), 2);
    EXPECT_EQ(form.SearchStep(list, 2), 5);
    EXPECT_EQ(form.SearchStep(list, 5), -1) << "no wrap-around";
    EXPECT_TRUE(form.SearchStarted());

    // Scope and case choices do not restart the search; the user's selection is the new start.
    Child<QComboBox>("scopeComboBox")->setCurrentIndex(MessageSearch::TitleOnly);
    EXPECT_TRUE(form.SearchStarted());
    EXPECT_EQ(form.SearchStep(list, 3), 5);
    EXPECT_EQ(form.SearchStep(list, -1), 2) << "no selection: from the first row";
    Child<QCheckBox>("caseSensitiveCheckBox")->setChecked(true);
    EXPECT_EQ(form.SearchStep(list, -1), -1);
    Child<QCheckBox>("caseSensitiveCheckBox")->setChecked(false);

    // The last row selected: nothing, although earlier rows match.
    EXPECT_EQ(form.SearchStep(list, 6), -1);
    // Typing restarts at the first row, as the Find command does.
    TypeSearchText(QStringLiteral("report"));
    EXPECT_FALSE(form.SearchStarted());
    EXPECT_EQ(form.SearchStep(list, 5), 2);
    form.StartSearch();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.SearchStarted());
    EXPECT_EQ(form.SearchStep(list, 5), 2);
}

TEST_F(FindFormTest, AnEmptyListOrTextDoesNothingAndLeavesTheStateAlone)
{
    EXPECT_EQ(form.SearchStep(TBWItemList{}, -1), -1);
    EXPECT_FALSE(form.SearchStarted());

    TypeSearchText(QString());
    EXPECT_FALSE(Child<QPushButton>("findNextButton")->isEnabled());
    EXPECT_EQ(form.SearchStep(list, -1), -1);
    EXPECT_FALSE(form.SearchStarted());
    QTest::keyClicks(Child<QLineEdit>("searchEdit"), QStringLiteral("o"));
    EXPECT_TRUE(Child<QPushButton>("findNextButton")->isEnabled());
}

TEST_F(FindFormTest, FindNextAndEnterAskForAStepAndCancelHidesTheDialog)
{
    int requests = 0;
    QObject::connect(&form, &TBWFindForm::FindNextRequested, [&] { ++requests; });
    form.StartSearch();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(QApplication::focusWidget(), Child<QLineEdit>("searchEdit"));
    EXPECT_EQ(Child<QLineEdit>("searchEdit")->selectedText(), QStringLiteral("text")) << "typing replaces it";

    QTest::mouseClick(Child<QPushButton>("findNextButton"), Qt::LeftButton);
    QTest::keyClick(Child<QLineEdit>("searchEdit"), Qt::Key_Return);
    QTest::keyClick(Child<QLineEdit>("searchEdit"), Qt::Key_F3);
    EXPECT_EQ(requests, 3);
    EXPECT_TRUE(form.isVisible()) << "the dialog stays open";

    form.SearchStep(list, -1);
    QTest::keyClick(Child<QLineEdit>("searchEdit"), Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.SearchStarted()) << "closing keeps the search where it was";
    EXPECT_EQ(Child<QLineEdit>("searchEdit")->text(), QStringLiteral("text"));
}
