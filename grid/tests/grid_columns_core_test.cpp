// How the grid follows its columns: one column's changes, the collection's
// changes, sorting, auto size and the grid's text.
#include <gtest/gtest.h>

#include "classlib/Cp1251.h"
#include "grid/tests/FakeGridHost.h"
#include "grid/tests/TestGrid.h"

namespace {
struct ColumnsGrid : ::testing::Test {
  TFakeGridHost host{300, 200};
  TTestGrid g{3, 4};
  void SetUp() override { host.Attach(&g); }
};
} // namespace

TEST_F(ColumnsGrid, WidthChangeScrollsWhatLiesRightOfTheOldEdge) {
  int resized = -1;
  g.OnColumnResize = [&](TObject*, int c) { resized = c; };
  host.ClearRecords();
  g.Columns()->Item(1)->SetWidth(100);
  ASSERT_EQ(host.scrolls.size(), 1u);
  EXPECT_EQ(host.scrolls[0].DX, 20);
  EXPECT_EQ(host.scrolls[0].Area.Left, 160);
  EXPECT_EQ(host.scrolls[0].Area.Bottom, 200);
  EXPECT_EQ(resized, 1);
  EXPECT_EQ(host.horz.Max(), 260);
}

TEST_F(ColumnsGrid, WidthChangeUnderTheLockScrollsNothing) {
  g.BeginUpdate();
  host.ClearRecords();
  g.Columns()->Item(0)->SetWidth(30);
  EXPECT_TRUE(host.scrolls.empty());
  g.EndUpdate();
}

TEST_F(ColumnsGrid, MovingAColumnReportsFromAndTo) {
  int col = -1, from = -1, to = -1;
  g.OnColumnMove = [&](TObject*, int c, int f, int t) { col = c, from = f, to = t; };
  g.Columns()->Item(0)->SetPosition(2);
  EXPECT_EQ(col, 0);
  EXPECT_EQ(from, 0);
  EXPECT_EQ(to, 2);
}

TEST_F(ColumnsGrid, SortingAColumnRaisesOnSortColumnAndRemembersIt) {
  std::vector<std::pair<int, bool>> sorts;
  g.OnSortColumn = [&](TObject*, int c, bool asc) { sorts.emplace_back(c, asc); };
  TDgCustomColumn* c = g.Columns()->Item(2);
  c->SetSortKind(skDescending);
  c->SetSorted(true);
  ASSERT_FALSE(sorts.empty());
  EXPECT_EQ(sorts.back(), std::make_pair(2, false));
  EXPECT_EQ(g.SortedColumn(), c);
  c->SetSorted(false);
  EXPECT_EQ(g.SortedColumn(), nullptr);
  c->SetOptions(c->Options() - coCanSort);
  sorts.clear();
  g.SortColumn(c, true);
  EXPECT_TRUE(sorts.empty());
}

TEST_F(ColumnsGrid, DeletedColumnsReportTheirIndexAndLeaveNoReferenceBehind) {
  std::vector<std::pair<TDataChange, int>> changes;
  g.OnDataChange = [&](TObject*, TDataChange k, int i) { changes.emplace_back(k, i); };
  TDgCustomColumn* c = g.Columns()->Item(1);
  g.SortColumn(c, true);
  g.SelectCell(2, 1, true, TShiftState());
  c->Free();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], std::make_pair(dcDeleteColumn, 1));
  EXPECT_EQ(g.SortedColumn(), nullptr);
  EXPECT_EQ(g.SelectedColumn(), 1); // the same column, one place lower
  EXPECT_EQ(host.horz.Max(), 160);
}

TEST_F(ColumnsGrid, HidingAColumnUpdatesTheRange) {
  g.Columns()->Item(0)->SetVisible(false);
  EXPECT_EQ(host.horz.Max(), 160);
}

TEST_F(ColumnsGrid, AutoSizeTakesTheWidestTextPlusPadding) {
  g.SetCells(0, 0, u"abc");
  g.SetCells(0, 2, u"abcdefghij");
  g.SetCells(0, 3, u"abcdefghijklmnopqrst");
  g.SetRowVisible(3, false);
  g.Columns()->Item(0)->Header()->SetCaption(u"ab");
  g.Columns()->Item(0)->SetPadding(2);
  g.AutoSizeColumn(0, 0, true);
  EXPECT_EQ(g.Columns()->Item(0)->Width(), 60 + 4 + 5); // 6 px per letter
  g.AutoSizeColumn(0, 2, true);
  // The header: the style's indent (2) and its caption (6 px a letter).
  EXPECT_EQ(g.Columns()->Item(0)->Width(), 2 + 12 + 4 + 5);
  g.AutoSizeColumn(0, 1, false);
  EXPECT_EQ(g.Columns()->Item(0)->Width(), 120 + 4 + 5);
  g.OnApplyCell = [](TObject*, int, int, WideString& v) { v = u"x"; };
  g.AutoSizeColumn(0, 1, false);
  EXPECT_EQ(g.Columns()->Item(0)->Width(), 6 + 4 + 5);
  g.ClearRows();
  g.AutoSizeColumn(0, 1, false);
  EXPECT_EQ(g.Columns()->Item(0)->Width(), 8 + 4 + 5);
  g.AutoSizeColumn(9, 0, false); // no such column: nothing
}

TEST(GridText, StartsWithTheSeparatorAndEndsEveryRowButTheLastWithIt) {
  TTestGrid g(2, 2);
  g.SetCells(0, 0, u"a");
  g.SetCells(1, 0, u"b");
  g.SetCells(0, 1, u"c");
  g.SetCells(1, 1, u"d");
  std::string text;
  g.GetGridText(';', text);
  EXPECT_EQ(text, ";a;b;\r\nc;d");
  TTestGrid one(1, 3);
  one.GetGridText(',', text);
  EXPECT_EQ(text, ",,\r\n,\r\n"); // three empty rows of one column
  TTestGrid empty(2, 0);
  empty.GetGridText(';', text);
  EXPECT_EQ(text, ";");
}

TEST(GridText, IsWindows1251AndMarksLineBreaksInsideCells) {
  TTestGrid g(2, 1);
  g.SetCells(0, 0, u"Привет\r\nмир");
  g.SetCells(1, 0, u"\u00e9\u4e2d");
  std::string text;
  g.GetGridText('\t', text);
  EXPECT_EQ(text, "\t" + Utf16ToCp1251(u"Привет") + "%\r\n" + Utf16ToCp1251(u"мир") + "\t??");
}

TEST(GridRowFit, TheMeasuredHeightGoesThroughSetRowHeight) {
  TFakeGridHost host;
  TTestGrid g(2, 3);
  host.Attach(&g);
  std::vector<std::pair<int, int>> heights;
  g.OnChangeRowHeight = [&](TObject*, int r, int h) { heights.emplace_back(r, h); };
  g.FitRowHeight(1);
  ASSERT_EQ(heights.size(), 1u);
  EXPECT_EQ(heights[0], std::make_pair(1, 16)); // one line of text fits RowSize
  g.OnMeasuringRowHeight = [](TObject*, int, int& h) { h = 40; };
  g.FitRowHeight(2);
  EXPECT_EQ(g.GetRowHeight(2), 40);
  g.FitRowHeight(5);
  EXPECT_EQ(heights.size(), 2u);
}

TEST_F(ColumnsGrid, RefreshCodesRepaintTheColumnsStripOfTheirRegion) {
  g.SetOptions(g.Options() + goFooter);
  host.ClearRecords();
  g.Columns()->Item(1)->Header()->SetCaption(u"Имя");
  // A part's caption: header and footer strips of that column (no input line).
  ASSERT_EQ(host.rects.size(), 2u);
  EXPECT_EQ(host.rects[0].Left, 80);
  EXPECT_EQ(host.rects[0].Right, 160);
  EXPECT_EQ(host.rects[0].Bottom, 18);
  EXPECT_EQ(host.rects[1].Top, g.FooterRect().Top);
  host.ClearRecords();
  g.Columns()->Item(2)->SetWrapKind(wkWordWrap); // the cells
  ASSERT_EQ(host.rects.size(), 1u);
  EXPECT_EQ(host.rects[0].Top, g.CellAreaRect().Top);
  EXPECT_EQ(host.rects[0].Left, 160);
  g.SetOptions(g.Options() - goHeader - goFooter);
  host.ClearRecords();
  g.Columns()->Item(1)->Header()->SetCaption(u"x");
  EXPECT_TRUE(host.rects.empty());
}

TEST(GridAutoSizeColumns, TheyShareTheClientWidthAsItChanges) {
  TFakeGridHost host(400, 100);
  TTestGrid g(0, 2);
  TDgCustomColumn* a = g.AddColumn(100);
  TDgCustomColumn* b = g.AddColumn(300);
  a->SetOptions(a->Options() + coAutoSize);
  b->SetOptions(b->Options() + coAutoSize);
  host.Attach(&g);
  host.Resize(800, 100);
  EXPECT_EQ(a->Width() + b->Width(), 800);
  g.SetOptions(g.Options() + goIndicator);
  EXPECT_EQ(a->Width() + b->Width(), 800 - 12);
  EXPECT_FALSE(host.horz.Visible());
}
