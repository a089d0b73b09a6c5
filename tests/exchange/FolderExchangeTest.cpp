#include "DateTime.h"
#include "Member.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

constexpr double Now = 46363.375; // Monday 2026-12-07 09:00

class FolderExchange : public ::testing::Test
{
protected:
    FolderExchange()
    {
        std::filesystem::create_directories(m_root / "share");
        for (const char* name : {"Sales", "Dev", "Ops"}) {
            SaveItemList(TBWItemList{}, SharedFile(name), Password(name));
        }
        for (Member* member : {&m_ann, &m_bob}) {
            member->AddGroup("Sales", SharedFile("Sales").string(), "sales pw", true);
            member->AddGroup("Dev", SharedFile("Dev").string(), "dev pw", member == &m_bob);
            member->AddGroup("Ops", SharedFile("Ops").string(), "ops pw", true);
        }
    }

    std::filesystem::path SharedFile(const std::string& name) const { return m_root / "share" / (name + ".dat"); }
    static std::string Password(const std::string& name)
    {
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
        return lower + " pw";
    }

    TBWItemList Shared(const std::string& name) const
    {
        TBWItemList items;
        EXPECT_EQ(LoadItemList(items, SharedFile(name), Password(name)), LoadOk);
        return items;
    }

    static TBWItem Message(const std::string& title, double due)
    {
        TBWItem item;
        item.Id = 424242;
        item.Title = title;
        item.Author = "Ann";
        item.DueTime = due;
        item.RepeatKind = RepeatDaily;
        item.ActivateAllDays();
        return item;
    }

    TempFolder m_root;
    FakeClock m_clock{Now};
    Member m_ann{m_root / "ann", m_clock};
    Member m_bob{m_root / "bob", m_clock};
};

TEST_F(FolderExchange, PublishPullEditAndDeleteReachTheOtherMember)
{
    const double due = Now + 1.0 / 24; // 10:00
    TBWItem message = Message("Standup", due);
    ExchangeReport report = m_ann.Exchange->PublishMessage(message, {}, {"Sales", "Dev"});
    EXPECT_TRUE(report.Problems.empty());
    EXPECT_EQ(report.Completed, (std::vector<std::string>{"Sales", "Dev"}));
    ASSERT_EQ(Shared("Sales").size(), 1U);
    ASSERT_EQ(Shared("Dev").size(), 1U);
    EXPECT_TRUE(Shared("Ops").empty());

    // Bob pulls; his own due scan then takes the occurrence at its moment, once.
    report = m_bob.Exchange->PullGroups();
    EXPECT_TRUE(report.Problems.empty());
    TBWItemList& bobSales = m_bob.Working("Sales");
    ASSERT_EQ(bobSales.size(), 1U);
    EXPECT_FALSE(bobSales[0]->CheckDue(due - 1.0 / 86400));
    EXPECT_TRUE(bobSales[0]->CheckDue(due + 3.0 / 86400));
    EXPECT_FALSE(bobSales[0]->CheckDue(due + 8.0 / 86400));
    EXPECT_TRUE(std::filesystem::exists(m_bob.DataFolder / "BWELists" / "Sales"));

    // Ann moves the recipients from Sales, Dev to Sales, Ops and renames the message.
    message.Title = "Standup (room 4)";
    report = m_ann.Exchange->PublishMessage(message, {"Sales", "Dev"}, {"Sales", "Ops"});
    EXPECT_TRUE(report.Problems.empty());
    ASSERT_EQ(Shared("Sales").size(), 1U);
    EXPECT_EQ(Shared("Sales")[0]->Title, "Standup (room 4)");
    EXPECT_TRUE(Shared("Dev").empty());
    ASSERT_EQ(Shared("Ops").size(), 1U);

    // Bob keeps his delivery progress: the taken occurrence does not come back.
    m_clock.Set(due + 10.0 / 86400);
    m_bob.Exchange->PullGroups();
    ASSERT_EQ(bobSales.size(), 1U);
    EXPECT_EQ(bobSales[0]->Title, "Standup (room 4)");
    EXPECT_EQ(bobSales[0]->LastDueTime, UnitsToDateTime(DateTimeToUnits(due)));
    EXPECT_FALSE(bobSales[0]->CheckDue(m_clock.Now()));
    EXPECT_TRUE(m_bob.Working("Dev").empty());

    report = m_ann.Exchange->PublishMessage(message, {"Sales", "Ops"}, {});
    EXPECT_TRUE(report.Problems.empty());
    EXPECT_TRUE(Shared("Sales").empty());
    EXPECT_TRUE(Shared("Ops").empty());
    m_bob.Exchange->PullGroups();
    EXPECT_TRUE(bobSales.empty());
}

TEST_F(FolderExchange, DisabledGroupIsChangedButNotMerged)
{
    // Dev is disabled for Ann: her publish still reaches its file, her pull leaves it alone.
    m_ann.Exchange->PublishMessage(Message("Deploy", Now), {}, {"dev", "Nobody"});
    EXPECT_EQ(Shared("Dev").size(), 1U);
    m_ann.Exchange->PullGroups();
    EXPECT_EQ(m_ann.ItemLists.Find("Dev"), nullptr);
    EXPECT_FALSE(std::filesystem::exists(m_ann.DataFolder / "BWELists" / "Dev"));
}

TEST_F(FolderExchange, WrongPasswordNeverChangesTheSharedFileOrTheWorkingList)
{
    m_ann.Exchange->PublishMessage(Message("Kept", Now + 1), {}, {"Sales"});
    m_bob.Exchange->PullGroups();
    ASSERT_EQ(m_bob.Working("Sales").size(), 1U);
    const std::string before = ReadBytes(SharedFile("Sales"));

    m_bob.Groups[0]->Password = "typo";
    TBWItem other = Message("Would replace everything", Now + 2);
    other.Id = 7;
    ExchangeReport report = m_bob.Exchange->PublishMessage(other, {}, {"Sales"});
    ASSERT_EQ(report.Problems.size(), 1U);
    EXPECT_EQ(report.Problems[0].Problem, GroupProblem::Kind::BadContainer);
    EXPECT_EQ(ReadBytes(SharedFile("Sales")), before);

    report = m_bob.Exchange->PullGroups();
    ASSERT_EQ(report.Problems.size(), 1U);
    EXPECT_EQ(report.Problems[0].Group, "Sales");
    EXPECT_EQ(m_bob.Working("Sales").size(), 1U);
}

TEST_F(FolderExchange, FailedFetchNeverSendsBackStaleContent)
{
    m_ann.Exchange->PublishMessage(Message("First", Now + 1), {}, {"Sales"});
    // The location goes away (a share that is not mounted); Ann still has her local copy from the
    // last fetch. (A file that is missing from a folder that is there is created anew.)
    const std::string before = ReadBytes(SharedFile("Sales"));
    m_ann.Groups[0]->Location = (m_root / "unmounted" / "Sales.dat").string();
    TBWItem second = Message("Second", Now + 2);
    second.Id = 8;
    ExchangeReport report = m_ann.Exchange->PublishMessage(second, {}, {"Sales", "Ops"});
    ASSERT_EQ(report.Problems.size(), 1U);
    EXPECT_EQ(report.Problems[0].Group, "Sales");
    EXPECT_EQ(report.Problems[0].Problem, GroupProblem::Kind::Unreachable);
    EXPECT_EQ(report.Completed, std::vector<std::string>{"Ops"});
    EXPECT_FALSE(std::filesystem::exists(m_root / "unmounted"));
    EXPECT_EQ(ReadBytes(SharedFile("Sales")), before);
}

TEST_F(FolderExchange, PullsRewriteTheWorkingListOnlyWhenItChanged)
{
    const double due = Now + 1.0 / 24;
    m_ann.Exchange->PublishMessage(Message("Standup", due), {}, {"Sales"});
    const auto working = m_bob.DataFolder / "BWELists" / "Sales";
    m_bob.Exchange->PullGroups();
    ASSERT_TRUE(std::filesystem::exists(working));
    const ino_t written = InodeOf(working);
    const std::string bytes = ReadBytes(working);

    m_bob.Exchange->PullGroups();
    EXPECT_EQ(InodeOf(working), written);

    // Bob's delivery of the occurrence is his alone: the next pull must keep it on disk, or a
    // restart would show the reminder again.
    ASSERT_TRUE(m_bob.Working("Sales")[0]->CheckDue(due + 10.0 / 86400));
    m_clock.Set(due + 20.0 / 86400);
    m_bob.Exchange->PullGroups();
    EXPECT_NE(ReadBytes(working), bytes);
    TBWItemList saved;
    ASSERT_EQ(LoadItemList(saved, working, "sales pw"), LoadOk);
    ASSERT_EQ(saved.size(), 1U);
    EXPECT_EQ(saved[0]->LastDueTime, m_bob.Working("Sales")[0]->LastDueTime);
    EXPECT_FALSE(saved[0]->CheckDue(m_clock.Now()));
}

// A member new to a group is not shown the group's past, nor asked to run its old programs; once
// joined (also after a restart), what falls due later comes as usual.
TEST_F(FolderExchange, JoiningAGroupTakesItsPastAsShownOnce)
{
    // Yesterday's, a daily one since Friday, old programs to run; later today; one just gone.
    const std::tuple<double, std::uint8_t, std::uint8_t> messages[] = {
        {Now - 1, RepeatNone, KindSimpleMessage},
        {Now - 3 - 1.0 / 24, RepeatDaily, KindSimpleMessage},
        {Now - 0.5, RepeatNone, KindExecuteFiles},
        {Now + 0.25, RepeatNone, KindSimpleMessage},
        {Now - 1.0 / 1440, RepeatNone, KindSimpleMessage}};
    std::int32_t id = 0;
    for (const auto& [due, repeat, kind] : messages) {
        TBWItem message = Message("Message", due);
        message.Id = ++id;
        message.RepeatKind = repeat;
        message.Kind = kind;
        m_ann.Exchange->PublishMessage(message, {}, {"Sales"});
        if (id == 4) {
            const ExchangeReport report = m_bob.Exchange->PullGroups();
            EXPECT_NE(std::find(report.Joined.begin(), report.Joined.end(), JoinedGroup{"Sales", 3}),
                      report.Joined.end());
        }
    }

    // Bob restarts: nothing is replayed, and what comes later, or was published once he had joined,
    // comes as usual.
    Member restarted(m_bob.DataFolder, m_clock);
    restarted.AddGroup("Sales", SharedFile("Sales").string(), "sales pw", true);
    EXPECT_TRUE(restarted.Exchange->PullGroups().Joined.empty());
    const TBWItemList& working = restarted.Working("Sales");
    ASSERT_EQ(working.size(), 5U);
    const std::vector<std::pair<double, bool>> checks = {
        {Now, false}, {Now + 1, true}, {Now, false}, {Now + 0.25, true}, {Now, true}};
    for (std::size_t i = 0; i < checks.size(); ++i) {
        EXPECT_EQ(working[i]->CheckDue(checks[i].first), checks[i].second) << i;
    }
}

TEST_F(FolderExchange, DuplicateRecipientNamesAreVisitedOnce)
{
    m_ann.Exchange->PublishMessage(Message("Once", Now), {}, {"Sales", "SALES"});
    EXPECT_EQ(Shared("Sales").size(), 1U);
}

} // namespace
