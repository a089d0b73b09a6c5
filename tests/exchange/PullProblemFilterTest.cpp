#include "GroupProblemText.h"

#include <gtest/gtest.h>

namespace {

ExchangeReport Report(std::vector<std::string> completed, std::vector<GroupProblem> problems)
{
    return {std::move(completed), std::move(problems), {}};
}

TEST(PullProblemFilter, TellsEachProblemOnceUntilTheGroupRecovers)
{
    PullProblemFilter filter;
    const GroupProblem salesDown{"Sales", GroupProblem::Kind::Unreachable, {}};
    const GroupProblem salesPassword{"Sales", GroupProblem::Kind::BadContainer, {}};

    EXPECT_EQ(filter.NewProblems(Report({"Dev"}, {salesDown})).size(), 1U);
    EXPECT_TRUE(filter.NewProblems(Report({"Dev"}, {salesDown})).empty());
    EXPECT_TRUE(filter.NewProblems(Report({}, {{"sales", GroupProblem::Kind::Unreachable, {}}})).empty());
    // A different problem of the same group is news.
    EXPECT_EQ(filter.NewProblems(Report({}, {salesPassword})).size(), 1U);
    // After a good pull the same problem is told again.
    EXPECT_TRUE(filter.NewProblems(Report({"Sales"}, {})).empty());
    EXPECT_EQ(filter.NewProblems(Report({}, {salesPassword})).size(), 1U);
}

TEST(GroupProblemText, NamesTheGroupAndTheCause)
{
    const QString text = GroupProblemText::ForPull({"Sales", GroupProblem::Kind::BadContainer, {}});
    EXPECT_EQ(text, QStringLiteral("Group Sales: the group file cannot be opened with this password; its messages "
                                   "were left as they are."));
    const QString read = GroupProblemText::ForPublish({"Dev", GroupProblem::Kind::ReadFailed, "Stream read error"});
    EXPECT_TRUE(read.contains(QStringLiteral("Stream read error")));
    EXPECT_TRUE(read.contains(QStringLiteral("Dev")));
}

} // namespace
