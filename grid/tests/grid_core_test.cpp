// The grid core: defaults, line widths and row pitch, regions.
#include <gtest/gtest.h>

#include "grid/tests/FakeGridHost.h"
#include "grid/tests/TestGrid.h"

TEST(GridCoreDefaults, NewGridHasTheDocumentedState) {
  TTestGrid g;
  EXPECT_EQ(g.SelectedRow(), -1);
  EXPECT_EQ(g.SelectedColumn(), 0);
  EXPECT_TRUE(g.Options() == TGridOptions{goHeader});
  EXPECT_EQ(g.RowSize(), 16);
  EXPECT_EQ(g.HeaderSize(), 18);
  EXPECT_EQ(g.FooterSize(), 18);
  EXPECT_EQ(g.SlideSize(), 80);
  EXPECT_EQ(g.Width(), 250);
  EXPECT_EQ(g.Height(), 150);
  EXPECT_TRUE(g.TabStop());
  EXPECT_EQ(g.Color(), clWindow);
  EXPECT_EQ(g.Version(), "1.0.0");
  EXPECT_EQ(g.EditCol(), -1);
  EXPECT_EQ(g.EditRow(), -1);
  EXPECT_EQ(g.InputColumn(), -1);
  EXPECT_EQ(g.Anchor(), -1);
  EXPECT_TRUE(
      (g.AppearanceOptions() == TAppearanceOptions{aoHideSelection, aoHighlightSlideCells}));
  EXPECT_EQ(g.CurrentDisplay() != nullptr, true);
}

// --- Line widths and row pitch ---------------------------------------------------------

namespace {
int Pitch(TTestGrid& g) { return g.RowTop(1) - g.RowTop(0); }
} // namespace

TEST(GridCoreGeometry, RowPitchFollowsTheGridLines) {
  TTestGrid g(1, 3);
  EXPECT_EQ(Pitch(g), 16); // no goGrid
  g.SetOptions(g.Options() + goGrid);
  EXPECT_EQ(Pitch(g), 17);
  g.SetAppearanceOptions(g.AppearanceOptions() + ao3DGridLines);
  EXPECT_EQ(Pitch(g), 18);
  EXPECT_EQ(g.LineLeft(), 1);
  EXPECT_EQ(g.LineTop(), 1);
  g.SetAppearanceOptions(g.AppearanceOptions() - ao3DGridLines);
  g.SetGridLinesStyle(lsVerticalOnly);
  EXPECT_EQ(Pitch(g), 16);
  EXPECT_EQ(g.LineRight(), 1);
  g.SetGridLinesStyle(lsHorizontalOnly);
  EXPECT_EQ(g.LineRight(), 0);
  EXPECT_EQ(Pitch(g), 17);
}

TEST(GridCoreGeometry, HiddenAndEmptyRowsTakeNoSpaceAndRowsPastTheEndCountAsRowSize) {
  TTestGrid g(1, 4);
  g.SetOptions(g.Options() + goGrid);
  const int top = g.RowTop(0);
  g.SetRowVisible(1, false);
  g.SetRowHeight(2, 0);
  EXPECT_EQ(g.RowTop(3), top + 17);
  EXPECT_EQ(g.RowTop(6), top + 17 + 17 + 2 * 17);
}

TEST(GridCoreGeometry, RegionsInReportStyle) {
  TFakeGridHost host(300, 200);
  TTestGrid g(2, 0);
  host.Attach(&g);
  g.SetOptions({goHeader, goIndicator, goInput, goFooter, goGrid});
  const TRect header = g.HeaderRect();
  EXPECT_EQ(header.Left, 12);
  EXPECT_EQ(header.Right, 12 + 160);
  EXPECT_EQ(header.Bottom, 18);
  const TRect input = g.InputRect();
  EXPECT_EQ(input.Top, 18);
  EXPECT_EQ(input.Bottom, 18 + 16 + 6 + 1);
  const TRect cells = g.CellAreaRect();
  EXPECT_EQ(cells.Top, input.Bottom);
  EXPECT_EQ(cells.Bottom, 200 - 18 - 4 - 1);
  EXPECT_EQ(cells.Right, 172);
  EXPECT_EQ(g.FooterRect().Top, cells.Bottom);
  EXPECT_EQ(g.IndicatorRect().Right, 12);
  TRect r;
  g.GetCellRect(1, 0, r);
  EXPECT_EQ(r.Left, 92);
  EXPECT_EQ(r.Right, 172);
  EXPECT_EQ(r.Top, cells.Top);
  EXPECT_EQ(r.Bottom, cells.Top + 16);
}

TEST(GridCoreGeometry, SlidesStyleHasNoInputFooterOrHorizontalScroll) {
  TFakeGridHost host(100, 400);
  TTestGrid g(2, 5);
  host.Attach(&g);
  g.SetOptions({goHeader, goInput, goFooter});
  g.SetGridStyle(gsSlides);
  EXPECT_TRUE(g.InputRect().IsEmpty());
  EXPECT_TRUE(g.FooterRect().IsEmpty());
  EXPECT_EQ(g.CellAreaRect().Top, 18);
  EXPECT_EQ(g.CellAreaRect().Bottom, 400);
  EXPECT_EQ(g.RowTop(2) - g.RowTop(1), 80);
  EXPECT_FALSE(host.horz.Visible());
  g.Columns()->Item(1)->SlideBounds()->SetLeft(5);
  g.Columns()->Item(1)->SlideBounds()->SetTop(7);
  TRect r;
  g.GetCellRect(1, 1, r);
  EXPECT_EQ(r.Left, 5);
  EXPECT_EQ(r.Top, g.RowTop(1) + 7);
}

// --- Properties ---------------------------------------------------------------------------

TEST(GridCoreProperties, BandsTakeZeroRowsAndSlidesDoNotAndVersionCannotChange) {
  TFakeGridHost host(300, 200);
  TTestGrid g(2, 3);
  host.Attach(&g);
  g.SetOptions({goHeader, goInput, goFooter});
  g.SetRowSize(0);
  g.SetRowSize(-3);
  g.SetHeaderSize(-1);
  g.SetFooterSize(-1);
  g.SetInputSize(-1);
  g.SetSlideSize(0);
  EXPECT_EQ(g.RowSize(), 16);
  EXPECT_EQ(g.HeaderSize(), 18);
  EXPECT_EQ(g.FooterSize(), 18);
  EXPECT_EQ(g.InputSize(), 16);
  EXPECT_EQ(g.SlideSize(), 80);
  // Bands of no room: the input line keeps its 6-pixel band, the footer
  // its 4, and the cells start at the top.
  g.SetHeaderSize(0);
  g.SetInputSize(0);
  g.SetFooterSize(0);
  EXPECT_EQ(g.HeaderSize(), 0);
  EXPECT_EQ(g.CellAreaRect().Top, 6);
  EXPECT_EQ(g.CellAreaRect().Bottom, 200 - 4);
  EXPECT_EQ(g.RowTop(0), 6);
  g.SetRowSize(20);
  EXPECT_EQ(g.RowSize(), 20);
  g.SetVersion("1.0");
  EXPECT_EQ(g.Version(), "1.0.0");
}

TEST(GridCoreProperties, BorderStyleReachesTheWindowAndIndicatorRaisesItsEvent) {
  TFakeGridHost host;
  TTestGrid g(1, 1);
  host.Attach(&g);
  EXPECT_TRUE(host.static_edge);
  g.SetBorderStyle(bsNone);
  EXPECT_FALSE(host.static_edge);
  int raised = 0;
  g.OnIndicatorChange = [&](TObject*) { ++raised; };
  g.SetOptions(g.Options() + goGrid);
  EXPECT_EQ(raised, 0);
  g.SetOptions(g.Options() + goIndicator);
  EXPECT_EQ(raised, 1);
  EXPECT_EQ(g.Columns()->Item(0)->Left(), 12); // the columns start after the indicator
}

TEST(GridCoreProperties, NegativeRowHeightIsRefused) {
  TTestGrid g(1, 2);
  int raised = 0;
  g.OnChangeRowHeight = [&](TObject*, int, int) { ++raised; };
  g.SetRowHeight(0, -5);
  g.SetRowHeight(7, 20);
  EXPECT_EQ(raised, 0);
  EXPECT_EQ(g.GetRowHeight(0), 16);
  g.SetRowHeight(0, 30);
  EXPECT_EQ(raised, 1);
}

// --- Update lock ---------------------------------------------------------------------------

TEST(GridCoreUpdateLock, NoRepaintUnderTheLockAndOneAtTheEnd) {
  TFakeGridHost host;
  TTestGrid g(2, 5);
  host.Attach(&g);
  g.SetOptions(g.Options() + goSelectFullRow);
  host.ClearRecords();
  g.BeginUpdate();
  g.BeginUpdate();
  g.SetSelectedRow(2);
  g.RepaintCell(0, 1);
  g.EndUpdate();
  EXPECT_FALSE(host.Repainted());
  g.EndUpdate();
  EXPECT_TRUE(host.Repainted());
  EXPECT_EQ(g.UpdateLock(), 0);
}

TEST(GridCoreUpdateLock, EndUpdateNeverGoesBelowZero) {
  TFakeGridHost host;
  TTestGrid g(1, 3);
  host.Attach(&g);
  g.EndUpdate();
  g.EndUpdate();
  EXPECT_EQ(g.UpdateLock(), 0);
  g.BeginUpdate();
  host.ClearRecords();
  g.RepaintCell(0, 0);
  EXPECT_FALSE(host.Repainted()); // the lock still holds
  g.EndUpdate();
}

TEST(GridCoreWindow, NothingIsAskedBeforeTheWindowExists) {
  TTestGrid g(2, 3);
  g.SetSelectedRow(1);
  g.ScrollToRow(2);
  EXPECT_EQ(g.SelectedRow(), 1);
  EXPECT_EQ(g.TopRow(), 0);
  TFakeGridHost host;
  host.handle = false;
  host.Attach(&g);
  g.SetSelectedRow(2);
  g.Columns()->Item(0)->SetWidth(50);
  EXPECT_FALSE(host.Repainted());
  EXPECT_TRUE(host.scrolls.empty());
}
