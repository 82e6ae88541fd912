// Mouse geometry: which region a point hits, the column under x, the edge a
// press would drag (and not one hidden under the fixed columns), how far an
// edge may go, and where a dragged header lands and its arrows stand.
#include <gtest/gtest.h>

#include <memory>

#include "grid/DgColumnClasses.h"
#include "grid/DgGridMouseGeometry.h"

namespace {

struct Host : TDgColumnsHost {
  bool indicator = false;
  int scroll = 0;
  int ColumnsOrigin() const override { return indicator ? TDgColumns::IndicatorWidth : 0; }
  int HorzScrollPosition() const override { return scroll; }
  bool HasIndicator() const override { return indicator; }
};

// Columns of widths 50, 60, 70, 80 at positions 0..3 (left edges 0, 50, 110, 180).
struct Cols {
  Host host;
  std::unique_ptr<TDgColumns> cols{new TDgColumns(nullptr, &host)};
  TDgCustomColumn* c[4] = {};
  Cols() {
    for (int i = 0; i < 4; ++i) {
      c[i] = new TDgTextColumn();
      cols->Add(c[i]);
      c[i]->SetWidth(50 + 10 * i);
    }
  }
  void Relayout() { cols->Layout(false); }
};

TEST(GridMouseHitTest, ReportRegionsInOrderAndSlides) {
  TDgRegionRects r;
  r.HasHeader = r.HasInput = r.HasFooter = r.HasIndicator = true;
  r.Indicator = TRect{0, 0, 12, 200};
  r.Header = TRect{12, 0, 200, 18};
  r.Input = TRect{12, 18, 200, 40};
  r.Cells = TRect{12, 40, 200, 170};
  r.Footer = TRect{12, 170, 200, 200};
  EXPECT_EQ(DgHitTest(r, Point(20, 5)), DgHit::Header);
  EXPECT_EQ(DgHitTest(r, Point(20, 20)), DgHit::Input);
  EXPECT_EQ(DgHitTest(r, Point(20, 100)), DgHit::Cells);
  EXPECT_EQ(DgHitTest(r, Point(20, 180)), DgHit::Footer);
  EXPECT_EQ(DgHitTest(r, Point(5, 5)), DgHit::Indicator);
  EXPECT_EQ(DgHitTest(r, Point(230, 100)), DgHit::None);
  // A region its option leaves out is never hit, even where it would lie.
  r.HasHeader = false;
  EXPECT_EQ(DgHitTest(r, Point(20, 5)), DgHit::None);
  r.Report = false;
  EXPECT_EQ(DgHitTest(r, Point(20, 5)), DgHit::Cells);
  r.HasHeader = true;
  EXPECT_EQ(DgHitTest(r, Point(20, 5)), DgHit::Header);
  EXPECT_EQ(DgHitTest(r, Point(500, 500)), DgHit::Cells);
}

TEST(GridMouseColumns, ColumnUnderXSkipsHiddenAndFollowsScroll) {
  Cols g;
  EXPECT_EQ(DgColumnAtX(*g.cols, 0), g.c[0]);
  EXPECT_EQ(DgColumnAtX(*g.cols, 50), g.c[0]); // the shared edge: the first column's span
  EXPECT_EQ(DgColumnAtX(*g.cols, 51), g.c[1]);
  EXPECT_EQ(DgColumnAtX(*g.cols, 261), nullptr);
  g.c[1]->SetVisible(false);
  EXPECT_EQ(DgColumnAtX(*g.cols, 60), g.c[2]);
  g.host.scroll = 30;
  EXPECT_EQ(DgColumnAtX(*g.cols, 60), g.c[2]); // 50..120 after the scroll
  EXPECT_EQ(DgColumnAtX(*g.cols, 21), g.c[2]);
}

TEST(GridMouseColumns, ResizeZoneAroundRightEdges) {
  Cols g;
  EXPECT_EQ(DgResizeZoneAt(*g.cols, 48), g.c[0]); // edge 50 within 46..51
  EXPECT_EQ(DgResizeZoneAt(*g.cols, 52), g.c[0]);
  EXPECT_EQ(DgResizeZoneAt(*g.cols, 53), nullptr);
  EXPECT_EQ(DgResizeZoneAt(*g.cols, 46), nullptr);
  EXPECT_EQ(DgResizeZoneAt(*g.cols, 110), g.c[1]);
  g.c[1]->SetOptions(g.c[1]->Options() + coFixedSize);
  EXPECT_EQ(DgResizeZoneAt(*g.cols, 110), nullptr);
  // A scrolled column whose edge has gone under the fixed column is not
  // grabbed through it; the fixed column's own edge still is.
  g.cols->SetFixedCols(1);
  g.host.scroll = 100; // column 1 now spans -50..10 under the fixed 0..50
  EXPECT_EQ(DgResizeZoneAt(*g.cols, 10), nullptr);
  EXPECT_EQ(DgResizeZoneAt(*g.cols, 80), g.c[2]);
  EXPECT_EQ(DgResizeZoneAt(*g.cols, 50), g.c[0]);
}

TEST(GridMouseColumns, ResizeStopsAtMinWidthAndNeverBelowOnePixel) {
  Cols g; // column 1: 50..110, width 60
  g.c[1]->SetMinWidth(20);
  EXPECT_EQ(DgResizeDelta(*g.c[1], 150), 40);
  EXPECT_EQ(DgResizeDelta(*g.c[1], 75), -35);
  EXPECT_EQ(DgResizeDelta(*g.c[1], 10), -40); // 60 - 40 = MinWidth
  g.c[1]->SetMinWidth(0);
  EXPECT_EQ(DgResizeDelta(*g.c[1], 10), -59);
  g.c[1]->SetMinWidth(-5);
  EXPECT_EQ(DgResizeFloor(*g.c[1]), 1);
  EXPECT_EQ(g.c[1]->Width() + DgResizeDelta(*g.c[1], -500), 1);
}

TEST(GridMouseDrop, TargetsEachSideOfEachNeighbour) {
  Cols g; // edges 0 | 50 | 110 | 180 | 260; dragging column 1 (position 1)
  TDgCustomColumn& d = *g.c[1];
  EXPECT_EQ(DgDropTarget(*g.cols, d, 10), 0);  // left half of column 0
  EXPECT_EQ(DgDropTarget(*g.cols, d, 40), 1);  // right half of column 0: after it, no move
  EXPECT_EQ(DgDropTarget(*g.cols, d, 60), 1);  // on itself
  EXPECT_EQ(DgDropTarget(*g.cols, d, 105), 1); // on itself, right half
  EXPECT_EQ(DgDropTarget(*g.cols, d, 120), 1); // left half of column 2: where it is
  EXPECT_EQ(DgDropTarget(*g.cols, d, 170), 2); // right half of column 2
  EXPECT_EQ(DgDropTarget(*g.cols, d, 200), 2); // left half of column 3: before it
  EXPECT_EQ(DgDropTarget(*g.cols, d, 250), 3); // right half of column 3: the end
  EXPECT_EQ(DgDropTarget(*g.cols, d, 400), 1); // past the columns
  // Dragging the last column leftwards.
  TDgCustomColumn& e = *g.c[3];
  EXPECT_EQ(DgDropTarget(*g.cols, e, 40), 1);
  EXPECT_EQ(DgDropTarget(*g.cols, e, 10), 0);
  EXPECT_EQ(DgDropTarget(*g.cols, e, 170), 3);
}

TEST(GridMouseDrop, HiddenColumnsAndTheFixedArea) {
  Cols g;
  g.c[2]->SetVisible(false); // edges 0 | 50 | 110(col 3) | 190
  TDgCustomColumn& d = *g.c[0];
  // Left half of column 3: before it, i.e. at the previous visible column's place.
  EXPECT_EQ(DgDropTarget(*g.cols, d, 120), 1);
  EXPECT_EQ(DgDropTarget(*g.cols, d, 180), 3);
  // A scrolled column under the indicator keeps the dragged column in place.
  g.c[2]->SetVisible(true);
  g.host.indicator = true;
  g.Relayout();
  g.host.scroll = 20; // column 0 spans -8..42, partly under the indicator 0..12
  EXPECT_EQ(DgDropTarget(*g.cols, *g.c[3], 5), 3);
  EXPECT_EQ(DgDropTarget(*g.cols, *g.c[3], 14), 0);
  g.cols->SetFixedCols(1);
  EXPECT_TRUE(DgMoveAllowed(*g.cols, *g.c[3], 0, false));
  EXPECT_FALSE(DgMoveAllowed(*g.cols, *g.c[3], 0, true));
  EXPECT_FALSE(DgMoveAllowed(*g.cols, *g.c[0], 2, true));
  EXPECT_TRUE(DgMoveAllowed(*g.cols, *g.c[3], 1, true));
}

TEST(GridMouseDrop, ArrowsAtTheLandingEdge) {
  Cols g;
  g.host.indicator = true;
  g.Relayout(); // edges 12 | 62 | 122 | 192 | 272
  int x = -1;
  EXPECT_FALSE(DgDropArrowX(*g.cols, *g.c[1], 1, x)); // stays: no arrows
  ASSERT_TRUE(DgDropArrowX(*g.cols, *g.c[1], 2, x));  // moving right: after column 2
  EXPECT_EQ(x, 192);
  ASSERT_TRUE(DgDropArrowX(*g.cols, *g.c[1], 0, x)); // moving left: before column 0
  EXPECT_EQ(x, 12);
  g.host.scroll = 7;
  ASSERT_TRUE(DgDropArrowX(*g.cols, *g.c[1], 3, x));
  EXPECT_EQ(x, 265);
  EXPECT_FALSE(DgDropArrowX(*g.cols, *g.c[1], 9, x));
  g.c[3]->SetVisible(false);
  EXPECT_FALSE(DgDropArrowX(*g.cols, *g.c[1], 3, x));
  // The band ends at the columns or the client, whichever comes first.
  EXPECT_EQ(DgHeaderDropBand(*g.cols, 500, 18), (TRect{0, 0, 185, 18}));
  EXPECT_EQ(DgHeaderDropBand(*g.cols, 100, 18), (TRect{0, 0, 100, 18}));
}

} // namespace
