// The focused cell, selected rows and the anchor of Shift ranges.
#include <gtest/gtest.h>

#include <set>

#include "grid/tests/FakeGridHost.h"
#include "grid/tests/TestGrid.h"

namespace {
std::set<int> Selected(TTestGrid& g) {
  std::set<int> s;
  for (int r = 0; r < g.RowCount(); ++r)
    if (g.GetRowSelected(r)) s.insert(r);
  return s;
}

struct MultiGrid : ::testing::Test {
  TFakeGridHost host;
  TTestGrid g{2, 8};
  void SetUp() override {
    host.Attach(&g);
    g.SetOptions(g.Options() + goSelectFullRow + goMultiSelect);
  }
};
} // namespace

TEST(GridSelectedRow, OutOfRangeValuesChangeNothingAndMinusOneClears) {
  TFakeGridHost host;
  TTestGrid g(2, 4);
  host.Attach(&g);
  g.SetOptions(g.Options() + goSelectFullRow);
  g.SetSelectedRow(2);
  EXPECT_EQ(g.SelectedRow(), 2);
  EXPECT_TRUE(g.GetRowSelected(2));
  int events = 0;
  g.OnSelectCell = [&](TObject*, int, int) { ++events; };
  g.SetSelectedRow(4);
  g.SetSelectedRow(-2);
  EXPECT_EQ(g.SelectedRow(), 2);
  EXPECT_EQ(events, 0);
  g.SetSelectedRow(-1);
  EXPECT_EQ(g.SelectedRow(), -1);
  EXPECT_FALSE(g.GetRowSelected(2));
  EXPECT_EQ(g.Anchor(), -1);
  EXPECT_EQ(events, 1);
}

TEST(GridSelectCell, RowsTheGridDoesNotHaveAreNeverStored) {
  TFakeGridHost host;
  TTestGrid g(2, 0);
  host.Attach(&g);
  g.SelectCell(0, 0, true, TShiftState());
  EXPECT_EQ(g.SelectedRow(), -1); // an empty grid keeps -1
  g.SelectLastRow(TShiftState());
  EXPECT_EQ(g.SelectedRow(), -1);
  g.AddRow(3);
  g.SelectCell(1, 3, true, TShiftState());
  g.SelectCell(1, -5, true, TShiftState());
  EXPECT_EQ(g.SelectedRow(), -1);
  EXPECT_EQ(g.SelectedColumn(), 0);
  g.SelectCell(7, 1, true, TShiftState()); // no such column
  EXPECT_EQ(g.SelectedRow(), -1);
}

TEST(GridSelectCell, DisabledColumnAndRefusedSelectionChangeNothing) {
  TFakeGridHost host;
  TTestGrid g(2, 4);
  host.Attach(&g);
  g.SelectCell(0, 1, true, TShiftState());
  int events = 0;
  g.OnSelectCell = [&](TObject*, int, int) { ++events; };
  g.OnDeselectCell = [&](TObject*, int, int) { ++events; };
  g.Columns()->Item(1)->SetEnabled(false);
  g.SelectCell(1, 2, true, TShiftState());
  EXPECT_EQ(g.SelectedColumn(), 0);
  EXPECT_EQ(g.SelectedRow(), 1);
  EXPECT_EQ(events, 0);
  g.Columns()->Item(1)->SetEnabled(true);
  g.OnBeforeSelect = [](TObject*, int, int ARow, bool& Accept) { Accept = ARow != 3; };
  g.SelectCell(1, 3, true, TShiftState());
  EXPECT_EQ(g.SelectedRow(), 1);
  g.SelectCell(1, 2, true, TShiftState());
  EXPECT_EQ(g.SelectedRow(), 2);
  EXPECT_EQ(events, 2); // deselect (0, 1), select (1, 2)
}

TEST(GridSelectCell, EventsCarryTheOldAndTheNewCell) {
  TFakeGridHost host;
  TTestGrid g(3, 4);
  host.Attach(&g);
  g.SetOptions(g.Options() + goSelectFullRow);
  std::vector<std::string> log;
  g.OnDeselectCell = [&](TObject*, int c, int r) {
    log.push_back("d" + std::to_string(c) + std::to_string(r));
  };
  g.OnSelectCell = [&](TObject*, int c, int r) {
    log.push_back("s" + std::to_string(c) + std::to_string(r));
  };
  g.SelectCell(0, 1, true, TShiftState());
  g.SelectCell(2, 3, true, TShiftState());
  EXPECT_EQ(log, (std::vector<std::string>{"s01", "d01", "s23"}));
  EXPECT_FALSE(g.GetRowSelected(1));
  EXPECT_TRUE(g.GetRowSelected(3));
}

TEST_F(MultiGrid, CtrlOneAndThreeThenShiftFiveKeepsThreeToFive) {
  g.SelectCell(0, 1, false, TShiftState{ssCtrl});
  g.SelectCell(0, 3, false, TShiftState{ssCtrl});
  EXPECT_EQ(Selected(g), (std::set<int>{1, 3}));
  g.SelectCell(0, 5, false, TShiftState{ssShift});
  EXPECT_EQ(Selected(g), (std::set<int>{3, 4, 5}));
  EXPECT_EQ(g.Anchor(), 3);
  EXPECT_EQ(g.SelectedRow(), 5);
}

TEST_F(MultiGrid, CtrlShiftAddsTheRangeToWhatIsSelected) {
  g.SelectCell(0, 1, false, TShiftState{ssCtrl});
  g.SelectCell(0, 3, false, TShiftState{ssCtrl});
  g.SelectCell(0, 5, false, TShiftState{ssShift, ssCtrl});
  EXPECT_EQ(Selected(g), (std::set<int>{1, 3, 4, 5}));
}

TEST_F(MultiGrid, CtrlTogglesAndAPlainClickClearsTheMultiSelection) {
  g.SelectCell(0, 2, false, TShiftState{ssCtrl});
  g.SelectCell(0, 2, false, TShiftState{ssCtrl});
  EXPECT_TRUE(Selected(g).empty());
  g.SelectCell(0, 4, false, TShiftState{ssCtrl});
  g.SelectCell(0, 6, false, TShiftState{ssCtrl});
  EXPECT_TRUE(g.MultiSelecting());
  g.SelectCell(1, 0, true, TShiftState());
  EXPECT_EQ(Selected(g), (std::set<int>{0}));
  EXPECT_FALSE(g.MultiSelecting());
  EXPECT_EQ(g.Anchor(), 0);
}

TEST_F(MultiGrid, ShiftWithNoAnchorStartsTheRangeAtTheTarget) {
  g.SelectCell(0, 4, false, TShiftState{ssShift});
  EXPECT_EQ(Selected(g), (std::set<int>{4}));
  EXPECT_EQ(g.Anchor(), 4);
  g.SelectCell(0, 2, false, TShiftState{ssShift});
  EXPECT_EQ(Selected(g), (std::set<int>{2, 3, 4}));
}

TEST_F(MultiGrid, SelectedCountAndClearSelection) {
  g.SelectCell(0, 1, false, TShiftState{ssCtrl});
  g.SelectCell(0, 6, false, TShiftState{ssShift});
  EXPECT_EQ(g.SelectedCount(), 6);
  g.ClearSelection();
  EXPECT_EQ(g.SelectedCount(), 0);
}

TEST(GridSelectCell, CellModeRepaintsOnlyTheTwoCellsAndIndicators) {
  TFakeGridHost host;
  TTestGrid g(3, 5);
  host.Attach(&g);
  g.SelectCell(0, 1, true, TShiftState());
  host.ClearRecords();
  g.SelectCell(2, 1, true, TShiftState());
  ASSERT_EQ(host.rects.size(), 2u);
  TRect cell;
  g.GetCellRect(2, 1, cell);
  EXPECT_EQ(host.rects[0].Left, cell.Left);
  EXPECT_EQ(host.invalidated_all, 0);
}

TEST(GridInputFocus, SelectedRowSetterTakesTheFocusOutOfTheInputLine) {
  struct G : TTestGrid {
    using TTestGrid::TTestGrid;
    void EnterInput() { SetInputFocus(true); }
  } g(2, 4);
  TFakeGridHost host;
  host.Attach(&g);
  g.SetOptions(g.Options() + goInput + goSelectFullRow);
  g.SetSelectedRow(1);
  g.EnterInput();
  EXPECT_TRUE(g.InputFocused());
  EXPECT_FALSE(g.GetRowSelected(1)); // entering clears the row's flag
  int input_events = 0;
  g.OnInputSelectCell = [&](TObject*, int) { ++input_events; };
  g.SelectCell(1, 1, true, TShiftState());
  EXPECT_EQ(input_events, 1);
  g.SetSelectedRow(2);
  EXPECT_FALSE(g.InputFocused());
  EXPECT_TRUE(g.GetRowSelected(2));
}

TEST(GridSelectCell, AutoScrollBringsTheRowIntoView) {
  TFakeGridHost host(250, 18 + 5 * 16);
  TTestGrid g(1, 50);
  host.Attach(&g);
  g.SetAutoScroll(true);
  g.SelectCell(0, 30, true, TShiftState());
  EXPECT_LE(g.TopRow(), 30);
  EXPECT_GE(g.TopRow() + g.FullRowsFromTop(), 31);
}
