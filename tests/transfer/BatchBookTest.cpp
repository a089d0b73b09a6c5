#include "BatchBook.h"

#include <gtest/gtest.h>

TEST(BatchBookTest, KeepsEachBatchToItsOwnTransfers)
{
    BatchBook book;
    const auto outer = book.Open();
    const auto inner = book.Open();
    book.Add(outer, 1, "Sales", TransferOutcome::Running);
    book.Add(inner, 2, "Dev", TransferOutcome::Running);
    EXPECT_FALSE(book.IsFinished(outer));

    book.Record(inner, 2, TransferOutcome::Done);
    EXPECT_TRUE(book.IsFinished(inner));
    EXPECT_FALSE(book.IsFinished(outer));
    // A job id recorded against the wrong batch changes nothing.
    book.Record(inner, 1, TransferOutcome::Done);
    EXPECT_EQ(book.Outcome(outer, "Sales"), TransferOutcome::Running);
    EXPECT_EQ(book.Outcome(outer, "Dev"), TransferOutcome::NotRequested);

    book.Close(outer);
    book.Record(outer, 1, TransferOutcome::Done);
    EXPECT_TRUE(book.IsFinished(outer));
    EXPECT_EQ(book.Outcome(outer, "Sales"), TransferOutcome::NotRequested);
}

TEST(BatchBookTest, GroupMovedTwiceReportsItsLeastFinishedThenWorstTransfer)
{
    BatchBook book;
    const auto batch = book.Open();
    book.Add(batch, 1, "Sales", TransferOutcome::Running);
    book.Add(batch, 2, "Sales", TransferOutcome::Failed);
    book.Add(batch, 0, "Web", TransferOutcome::NotNeeded);
    EXPECT_EQ(book.Outcome(batch, "Sales"), TransferOutcome::Running);
    book.Record(batch, 1, TransferOutcome::Done);
    EXPECT_EQ(book.Outcome(batch, "Sales"), TransferOutcome::Failed);
    EXPECT_EQ(book.Outcome(batch, "Web"), TransferOutcome::NotNeeded);
    EXPECT_TRUE(book.IsFinished(batch));
}
