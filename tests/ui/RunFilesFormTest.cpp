// The question before programs from a group run: what it lists, and that only "Run" opens anything.
#include "AppFakes.h"
#include "TBWItem.h"
#include "TBWRunFilesForm.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

class RunFilesFormTest : public ::testing::Test, protected AppFakes
{
protected:
    void TearDown() override { delete form.data(); }

    void Open()
    {
        TBWItem message;
        message.Author = "Bob";
        message.Title = "Nightly export";
        message.Kind = KindExecuteFiles;
        form = new TBWRunFilesForm(context, message, QStringLiteral("Sales"),
                                   {SplitCommandLine("\"C:\\Tools\\a b.exe\" -x"),
                                    SplitCommandLine("notepad.exe readme.txt"), SplitCommandLine("report.pdf")});
        form->Popup();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    }

    template <typename Widget>
    Widget* Child(const char* name) const
    {
        return form->findChild<Widget*>(QString::fromLatin1(name));
    }

    static void FinishDeletions() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QPointer<TBWRunFilesForm> form;
};

TEST_F(RunFilesFormTest, ListsTheCommandLinesTheAuthorAndTheGroupAndRunOpensEachInOrder)
{
    Open();
    EXPECT_EQ(Child<QLabel>("authorLabel")->text(), QStringLiteral("Bob"));
    EXPECT_EQ(Child<QLabel>("groupLabel")->text(), QStringLiteral("Sales"));
    EXPECT_EQ(Child<QLabel>("titleLabel")->text(), QStringLiteral("Nightly export"));
    const QListWidget* list = Child<QListWidget>("commandList");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("\"C:\\Tools\\a b.exe\" -x"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("notepad.exe readme.txt"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("report.pdf"));
    EXPECT_EQ(form->parentWidget(), nullptr);
    EXPECT_FALSE(form->isModal());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(form->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(shell.calls.empty()) << "nothing runs before the answer";

    QTest::mouseClick(Child<QPushButton>("runButton"), Qt::LeftButton);
    ASSERT_EQ(shell.calls.size(), 3U);
    EXPECT_EQ(shell.calls[0].target, QStringLiteral("C:\\Tools\\a b.exe"));
    EXPECT_EQ(shell.calls[0].parameters, QStringLiteral("-x"));
    EXPECT_EQ(shell.calls[1].target, QStringLiteral("notepad.exe"));
    EXPECT_EQ(shell.calls[1].parameters, QStringLiteral("readme.txt"));
    EXPECT_EQ(shell.calls[2].target, QStringLiteral("report.pdf"));
    EXPECT_TRUE(shell.calls[2].parameters.isEmpty());
    FinishDeletions();
    EXPECT_TRUE(form.isNull()) << "answered, the window is gone";
}

TEST_F(RunFilesFormTest, DontRunTheCloseBoxEnterAndEscapeOpenNothing)
{
    Open();
    EXPECT_TRUE(Child<QPushButton>("dontRunButton")->isDefault());
    QTest::mouseClick(Child<QPushButton>("dontRunButton"), Qt::LeftButton);
    FinishDeletions();
    EXPECT_TRUE(form.isNull());

    Open();
    EXPECT_TRUE(form->close());
    FinishDeletions();
    EXPECT_TRUE(form.isNull());

    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        Open();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
        QTest::keyClick(form, key);
        FinishDeletions();
        EXPECT_TRUE(form.isNull());
    }
    EXPECT_TRUE(shell.calls.empty());
}
