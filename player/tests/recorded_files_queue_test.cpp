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
  EXPECT_EQ(q.Pending(), 9u);  // the sizes and totals in a row became one each

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

}  // namespace
