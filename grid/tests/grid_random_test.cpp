// Random sequences of row, selection, scroll and layout operations keep the
// grid's bookkeeping on real rows: the selection, the anchor, TopRow, the
// first and last visible rows and the vertical bar's range and position.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "grid/tests/FakeGridHost.h"
#include "grid/tests/GridInvariants.h"
#include "grid/DgColumnClasses.h"
#include "grid/DgGrid.h"
#include "grid/tests/TestGrid.h"

namespace {
void CheckState(TDgCustomGridControl& g, TFakeGridHost& host, const std::string& trail) {
  SCOPED_TRACE(trail);
  const int n = g.RowCount();
  ASSERT_NO_FATAL_FAILURE(CheckRowIndices(g));
  int first = -1, last = -1, visible = 0;
  for (int r = 0; r < n; ++r)
    if (g.GetRowVisible(r)) {
      if (first < 0) first = r;
      last = r;
      ++visible;
    }
  if (visible > 0) {
    ASSERT_EQ(g.FirstVisibleRow(), first);
    ASSERT_EQ(g.LastVisibleRow(), last);
    ASSERT_TRUE(g.GetRowVisible(g.TopRow()));
  }
  TDgScrollBar& bar = host.vert;
  ASSERT_EQ(bar.Position(), g.VisibleRowsBefore(g.TopRow()));
  // The page follows the heights of the rows from the top at the last
  // update, so only the range itself is exact.
  const int v = n == 1 ? 0 : visible;
  ASSERT_TRUE(bar.Max() == 0 || bar.Max() == v) << bar.Max() << " for " << v;
  ASSERT_LE(bar.Position(), std::max(0, bar.Max()));
  if (g.FullRowsFromTop() >= v) { ASSERT_EQ(bar.Max(), 0); }
  // No empty room at the bottom while rows above the top are scrolled away.
  if (visible > 0 && g.TopRow() > first) {
    const TRect area = g.CellAreaRect();
    int used = 0;
    for (int r = g.TopRow(); r < n; ++r) used += g.RowPitch(r);
    int prior = g.TopRow() - 1;
    while (!g.GetRowVisible(prior)) --prior;
    ASSERT_GT(used + g.RowPitch(prior), area.Height() - g.LineTop());
  }
}
} // namespace

// Grid: a data grid class with a constructor taking no arguments.
template <class Grid>
void RunRandomSequences(unsigned Seeds) {
  for (unsigned seed = 1; seed <= Seeds; ++seed) {
    std::mt19937 rnd(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rnd); };
    TFakeGridHost host(200, pick(40, 200));
    Grid g;
    for (int c = pick(1, 3); c > 0; --c) {
      auto* column = new TDgTextColumn(nullptr);
      g.Columns()->Add(column);
    }
    g.AddRow(pick(0, 30));
    host.Attach(&g);
    if (pick(0, 1)) g.SetOptions(g.Options() + goGrid);
    if (pick(0, 1)) g.SetOptions(g.Options() + goSelectFullRow + goMultiSelect);
    std::ostringstream trail;
    trail << "seed " << seed << ":";
    for (int step = 0; step < 300; ++step) {
      const int n = g.RowCount();
      const int op = pick(0, 13);
      trail << ' ' << op;
      TShiftState shift;
      if (pick(0, 3) == 0) shift += ssShift;
      if (pick(0, 3) == 0) shift += ssCtrl;
      switch (op) {
        case 0: g.AddRow(pick(0, 4)); break;
        case 1:
          if (n > 0) g.DeleteRow(pick(0, n - 1));
          break;
        case 2:
          if (n > 0) g.SetRowVisible(pick(0, n - 1), pick(0, 2) > 0);
          break;
        case 3: g.SelectCell(pick(-1, 3), pick(-2, n + 1), pick(0, 1) == 1, shift); break;
        case 4: g.SetSelectedRow(pick(-2, n + 1)); break;
        case 5: g.ScrollToRow(pick(-1, n)); break;
        case 6: host.ClickBar(TDgScrollBarKind::Vertical, pick(0, 7)); break;
        case 7:
          if (n > 0) g.SetRowHeight(pick(0, n - 1), pick(-2, 40));
          break;
        case 8: host.Resize(pick(0, 300), pick(0, 300)); break;
        case 9: g.SelectLastRow(shift); break;
        case 10: g.SelectFirstRow(shift); break;
        case 11:
          g.BeginUpdate();
          g.AddRow(pick(1, 5));
          if (g.RowCount() > 0) g.SetRowVisible(pick(0, g.RowCount() - 1), false);
          g.SelectCell(0, pick(-1, g.RowCount() - 1), true, shift);
          g.EndUpdate();
          break;
        case 12:
          if (pick(0, 9) == 0) g.ClearRows();
          break;
        case 13:
          g.SetOptions(g.Options().Contains(goInput) ? g.Options() - goInput
                                                     : g.Options() + goInput);
          break;
      }
      CheckState(g, host, trail.str());
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

TEST(GridRandomOperations, BookkeepingStaysOnRealRows) { RunRandomSequences<TTestGrid>(400); }

TEST(GridRandomOperations, TheDataGridKeepsItToo) { RunRandomSequences<TDataGrid>(200); }
