// Scrolling in rows and pixels: the vertical bar counts visible rows, the
// horizontal one pixels; ScrollToRow and ScrollToColumn.
#include <gtest/gtest.h>

#include "grid/tests/FakeGridHost.h"
#include "grid/tests/TestGrid.h"

namespace {
// A client showing exactly five whole rows of 17 pixels below the header.
struct Scrolled : ::testing::Test {
  TFakeGridHost host{250, 18 + 1 + 5 * 17};
  TTestGrid g{2, 20};
  void SetUp() override {
    g.SetOptions(g.Options() + goGrid + goSelectFullRow);
    host.Attach(&g);
  }
};
} // namespace

TEST_F(Scrolled, BarRangeCountsVisibleRowsAndPageIsTheWholeRowsPlusOne) {
  EXPECT_EQ(g.FullRowsFromTop(), 5);
  EXPECT_EQ(host.vert.Max(), 20);
  EXPECT_EQ(host.vert.PageSize(), 6);
  EXPECT_EQ(host.vert.LargeChange, 6);
  g.SetRowVisible(3, false);
  EXPECT_EQ(host.vert.Max(), 19);
}

TEST_F(Scrolled, ALineDownMovesTopRowAndShiftsThePixelsByARow) {
  host.ClearRecords();
  host.ClickBar(TDgScrollBarKind::Vertical, DgScrollCode::LineDown);
  EXPECT_EQ(g.TopRow(), 1);
  ASSERT_EQ(host.scrolls.size(), 1u);
  EXPECT_EQ(host.scrolls[0].DY, -17);
  EXPECT_EQ(host.scrolls[0].Area.Top, g.CellAreaRect().Top);
  host.ClickBar(TDgScrollBarKind::Vertical, DgScrollCode::LineUp);
  EXPECT_EQ(g.TopRow(), 0);
  EXPECT_EQ(host.scrolls[1].DY, 17);
}

TEST_F(Scrolled, HiddenRowsAreSteppedOver) {
  g.SetRowVisible(1, false);
  g.SetRowVisible(2, false);
  host.ClickBar(TDgScrollBarKind::Vertical, DgScrollCode::LineDown);
  EXPECT_EQ(g.TopRow(), 3);
  EXPECT_EQ(host.vert.Position(), 1);
  host.ClickBar(TDgScrollBarKind::Vertical, DgScrollCode::LineUp);
  EXPECT_EQ(g.TopRow(), 0);
}

TEST_F(Scrolled, BottomOfTheBarShowsTheLastRowsWithoutRoomLeft) {
  host.ClickBar(TDgScrollBarKind::Vertical, DgScrollCode::Bottom);
  EXPECT_EQ(g.TopRow(), 15);
  EXPECT_EQ(host.vert.Position(), 15);
}

TEST_F(Scrolled, ScrollToRowOfAShownRowDoesNotMoveTheBar) {
  g.ScrollToRow(4);
  EXPECT_EQ(host.vert.Position(), 0);
  EXPECT_TRUE(host.scrolls.empty());
}

TEST_F(Scrolled, ScrollToRowBelowMakesItTheLastShownAndAboveTheTop) {
  g.ScrollToRow(9);
  EXPECT_EQ(g.TopRow(), 5);
  EXPECT_EQ(host.vert.Position(), 5);
  g.ScrollToRow(2);
  EXPECT_EQ(g.TopRow(), 2);
  g.ScrollToRow(19);
  EXPECT_EQ(g.TopRow(), 15);
}

TEST_F(Scrolled, SelectLastAndFirstRowMoveTheBarToItsEnds) {
  g.SelectLastRow(TShiftState());
  EXPECT_EQ(g.SelectedRow(), 19);
  EXPECT_EQ(g.TopRow(), 15);
  g.SelectFirstRow(TShiftState());
  EXPECT_EQ(g.SelectedRow(), 0);
  EXPECT_EQ(g.TopRow(), 0);
}

TEST_F(Scrolled, DeletingRowsBelowTheTopBringsTheRowsBackDown) {
  host.ClickBar(TDgScrollBarKind::Vertical, DgScrollCode::Bottom);
  for (int i = 0; i < 12; ++i) g.DeleteRow(g.RowCount() - 1);
  EXPECT_EQ(g.RowCount(), 8);
  EXPECT_EQ(g.TopRow(), 3); // rows 3..7 fill the area again
  EXPECT_EQ(host.vert.Position(), 3);
  for (int i = 0; i < 5; ++i) g.DeleteRow(0);
  EXPECT_EQ(g.TopRow(), 0);
  EXPECT_EQ(host.vert.Max(), 0);
}

TEST(GridHorzScroll, RangeIsTheColumnsAndIndicatorAndLargeChangeStaysPositive) {
  TFakeGridHost host(100, 100);
  TTestGrid g(3, 2);
  host.Attach(&g);
  g.SetOptions(g.Options() + goIndicator);
  EXPECT_EQ(host.horz.Max(), 240 + 12);
  EXPECT_EQ(host.horz.PageSize(), 101);
  EXPECT_EQ(host.horz.LargeChange, 91);
  EXPECT_TRUE(host.horz.Visible());
  host.Resize(5, 100);
  EXPECT_EQ(host.horz.LargeChange, 1);
  host.Resize(400, 100);
  EXPECT_FALSE(host.horz.Visible());
  EXPECT_EQ(host.horz.Position(), 0);
}

TEST(GridHorzScroll, ScrollToColumnBringsItsEdgesIntoTheClient) {
  TFakeGridHost host(150, 100);
  TTestGrid g(4, 2);
  host.Attach(&g);
  g.ScrollToColumn(g.Columns()->Item(2)); // 160..240 right of 150
  EXPECT_EQ(host.horz.Position(), 90);
  TRect r;
  g.GetCellRect(2, 0, r);
  EXPECT_EQ(r.Right, 150);
  ASSERT_FALSE(host.scrolls.empty());
  EXPECT_EQ(host.scrolls.back().DX, -90);
  g.ScrollToColumn(g.Columns()->Item(0));
  EXPECT_EQ(host.horz.Position(), 0);
}

TEST(GridHorzScroll, FixedColumnsStayAndScrollingStartsAfterThem) {
  TFakeGridHost host(150, 100);
  TTestGrid g(4, 2);
  host.Attach(&g);
  g.SetFixedCols(1);
  host.horz.SetPosition(50);
  TRect fixed, moved;
  g.GetCellRect(0, 0, fixed);
  g.GetCellRect(1, 0, moved);
  EXPECT_EQ(fixed.Left, 0);
  EXPECT_EQ(moved.Left, 30);
  EXPECT_EQ(host.horz_area.Left, 80);
  g.ScrollToColumn(g.Columns()->Item(1)); // left of the fixed area
  g.GetCellRect(1, 0, moved);
  EXPECT_EQ(moved.Left, 80);
}
