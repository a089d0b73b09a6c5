#include "BatchBook.h"

#include <gtest/gtest.h>

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
    // A missing file is worse than a success and better than any other failure.
    book.Add(batch, 3, "Dev", TransferOutcome::Done);
    book.Add(batch, 4, "Dev", TransferOutcome::Missing);
    book.Add(batch, 5, "Sales", TransferOutcome::Missing);
    EXPECT_EQ(book.Outcome(batch, "Dev"), TransferOutcome::Missing);
    EXPECT_EQ(book.Outcome(batch, "Sales"), TransferOutcome::Failed);
    EXPECT_TRUE(book.IsFinished(batch));
    // Once closed, the batch forgets its transfers.
    book.Close(batch);
    EXPECT_EQ(book.Outcome(batch, "Sales"), TransferOutcome::NotRequested);
}
