// The one error guard: the failure's text reaches the error box and the caller goes on.
#include "ErrorGuard.h"
#include "BWError.h"
#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

TEST(ErrorGuard, ShowsTheFailureTextAndLetsTheProgramGoOn)
{
    ScriptedDialogs dialogs;
    int runs = 0;
    EXPECT_TRUE(RunGuarded(dialogs, nullptr, [&] { ++runs; }));
    EXPECT_FALSE(RunGuarded(dialogs, nullptr, [&] {
        ++runs;
        throw EBWError("List index out of bounds (3)");
    }));
    EXPECT_FALSE(RunGuarded(dialogs, nullptr, [] { throw std::bad_alloc(); }));
    EXPECT_FALSE(RunGuarded(dialogs, nullptr, [] { throw 42; }));
    EXPECT_EQ(runs, 2);
    ASSERT_EQ(dialogs.errors.size(), 3U);
    EXPECT_EQ(dialogs.errors[0], QStringLiteral("List index out of bounds (3)"));
    EXPECT_EQ(dialogs.errors[1], QStringLiteral("std::bad_alloc"));
    EXPECT_EQ(dialogs.errors[2], QStringLiteral("Unknown error"));
}

TEST(ErrorGuard, AnErrorBoxThatFailsItselfDoesNotEscape)
{
    class BrokenDialogs final : public Dialogs
    {
    public:
        void ShowError(QWidget*, const QString&) override { throw std::runtime_error("no display"); }
        void ShowNotice(QWidget*, const QString&) override {}
        std::optional<QString> AskText(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
        bool Confirm(QWidget*, const QString&, const QString&) override { return false; }
    } dialogs;
    EXPECT_FALSE(RunGuarded(dialogs, nullptr, [] { throw EBWError("Stream read error"); }));
}
