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
  EXPECT_TRUE((g.AppearanceOptions() == TAppearanceOptions{aoHideSelection, aoHighlightSlideCells}));
  EXPECT_EQ(g.CurrentDisplay() != nullptr, true);
}
