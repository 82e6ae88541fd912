// The grid belongs to the thread that made it: used from another thread it
// refuses loudly instead of racing its window's thread.
#include <gtest/gtest.h>

#include <thread>

#include "grid/tests/FakeGridHost.h"
#include "grid/tests/TestGrid.h"

TEST(GridThreadCheck, OperationsFromAnotherThreadRaiseAndChangeNothing) {
  TFakeGridHost host;
  TTestGrid g(2, 5);
  host.Attach(&g);
  g.SetOptions(g.Options() + goSelectFullRow);
  g.SetSelectedRow(1);
  int raised = 0;
  std::thread other([&] {
    auto attempt = [&](auto op) {
      try {
        op();
      } catch (const EGridThreadError&) { ++raised; }
    };
    attempt([&] { g.SetSelectedRow(3); });
    attempt([&] { g.SelectCell(0, 4, true, TShiftState()); });
    attempt([&] { g.ScrollToRow(4); });
    attempt([&] { g.BeginUpdate(); });
    attempt([&] { g.SetRowSize(30); });
    attempt([&] { g.ClearRows(); });
    attempt([&] {
      std::string t;
      g.GetGridText(';', t);
    });
  });
  other.join();
  EXPECT_EQ(raised, 7);
  EXPECT_EQ(g.SelectedRow(), 1);
  EXPECT_EQ(g.UpdateLock(), 0);
  EXPECT_EQ(g.RowSize(), 16);
  EXPECT_EQ(g.RowCount(), 5);
}
