// The queue that carries the engine's changes of the recorded-files window
// to the GUI thread.
#include <gtest/gtest.h>

#include "player/RecordedFilesCore.h"
#include "player/tests/RecordingFakes.h"

namespace {

TEST(RecordedFilesQueue, AppliesTheCallsInOrderAndCountsRowsAhead) {
  TRecordedFilesQueue q;
  int wakes = 0;
  q.Notify = [&] { ++wakes; };
  q.ClearRows();
  q.AddRecordedFile("a.mp3");
  q.SetLastRowSize("1.00 mb");
  q.SetLastRowSize("2.00 mb");
  q.AddRecordedFile("b.mp3");
  q.DeleteLastRow();
  q.AddRecordedFile("c.mp3");
  q.SetCaption("cap");
  q.SetTotal("1 mb");
  q.SetTotal("2 mb");
  q.Repaint();
  EXPECT_EQ(q.RowCount(), 2);
  EXPECT_EQ(wakes, 1);
  EXPECT_EQ(q.Pending(), 9u); // the sizes and totals in a row became one each

  rectest::TRowsView view;
  view.rows.push_back({"old.mp3", "9 mb"});
  q.Drain(view);
  ASSERT_EQ(view.rows.size(), 2u);
  EXPECT_EQ(view.rows[0].Name, "a.mp3");
  EXPECT_EQ(view.rows[0].Size, "2.00 mb");
  EXPECT_EQ(view.rows[1].Name, "c.mp3");
  EXPECT_EQ(view.caption, "cap");
  EXPECT_EQ(view.total, "2 mb");
  EXPECT_EQ(view.repaints, 1);
  EXPECT_EQ(view.sizeCalls, 1);

  q.SetLastRowSize("3.00 mb");
  EXPECT_EQ(wakes, 2);
  q.Drain(view);
  EXPECT_EQ(view.rows[1].Size, "3.00 mb");
}

TEST(RecordedFilesQueue, NothingHappensToRowsThatAreNotThere) {
  TRecordedFilesQueue q;
  q.DeleteLastRow();
  q.SetLastRowSize("1.00 mb");
  EXPECT_EQ(q.Pending(), 0u);
  EXPECT_EQ(q.RowCount(), 0);
  TNullRecordedFiles n;
  n.DeleteLastRow();
  n.AddRecordedFile("x");
  EXPECT_EQ(n.RowCount(), 1);
}

TEST(RecordedFilesQueue, SizesAndTotalsInterleavedStillCollapseToTheLatest) {
  // A busy window while blocks and clock ticks arrive: one size and one
  // total wait, each the latest; a new file starts a size of its own.
  TRecordedFilesQueue q;
  q.AddRecordedFile("a.mp3");
  for (int i = 1; i <= 500; ++i) {
    q.SetLastRowSize(std::to_string(i) + " mb");
    q.SetTotal(std::to_string(i) + " total");
  }
  EXPECT_EQ(q.Pending(), 3u);
  q.DeleteLastRow();
  q.AddRecordedFile("b.mp3");
  q.SetLastRowSize("7 mb");
  q.SetTotal("last total");
  q.SetLastRowSize("8 mb");
  EXPECT_EQ(q.Pending(), 6u);

  rectest::TRowsView view;
  q.Drain(view);
  ASSERT_EQ(view.rows.size(), 1u);
  EXPECT_EQ(view.rows[0].Name, "b.mp3");
  EXPECT_EQ(view.rows[0].Size, "8 mb");
  EXPECT_EQ(view.total, "last total");
  EXPECT_EQ(view.sizeCalls, 2);
  // Nothing is pending after a drain: the next size is queued anew.
  q.SetLastRowSize("9 mb");
  EXPECT_EQ(q.Pending(), 1u);
}

} // namespace
