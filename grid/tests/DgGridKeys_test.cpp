// The grid's navigation keys at the edges of its rows and columns, paging,
// Home and End, Tab, the input line, the wheel and the incremental search.
#include "grid/tests/KeyGridFixture.h"

namespace {

using RowKeys = KeyGridTest;

TEST_F(RowKeys, UpAndDownStopAtTheEdgesAndScrollAtTheBottom) {
  Select(0, 0);
  Key(vk::Up);
  EXPECT_EQ(0, grid.SelectedRow()); // no input line above
  for (int i = 0; i < 4; ++i) Key(vk::Down);
  EXPECT_EQ(4, grid.SelectedRow());
  EXPECT_EQ(0, Bar()); // row 4 is the last fully shown
  Key(vk::Down);
  // Row 5's bottom is past the cell area's: the bar steps one row.
  EXPECT_EQ(1, Bar());
  for (int i = 0; i < 10; ++i) Key(vk::Down);
  EXPECT_EQ(9, grid.SelectedRow());
  EXPECT_TRUE(host.parent_keys.empty()); // Down never wraps out
  Key(vk::Up);
  EXPECT_EQ(8, grid.SelectedRow());
}

TEST_F(RowKeys, HiddenRowsAndRefusedRowsAreSteppedOver) {
  grid.SetRowVisible(1, false);
  grid.OnBeforeSelect = [](TObject*, int, int row, bool& accept) { accept = row != 2; };
  Select(0, 0);
  Key(vk::Down);
  EXPECT_EQ(3, grid.SelectedRow());
  Key(vk::Up);
  EXPECT_EQ(0, grid.SelectedRow());
}

TEST_F(RowKeys, ShiftDownExtendsAMultiSelection) {
  grid.SetOptions(grid.Options() + TGridOptions{goSelectFullRow, goMultiSelect});
  Select(0, 2);
  Key(vk::Down, TShiftState{ssShift});
  Key(vk::Down, TShiftState{ssShift});
  EXPECT_EQ(4, grid.SelectedRow());
  EXPECT_EQ(3, grid.SelectedCount());
  Key(vk::Down);
  EXPECT_EQ(1, grid.SelectedCount());
}

TEST_F(RowKeys, PagesByTheRowsThatFit) {
  Select(0, 0);
  Key(vk::PageDown);
  EXPECT_EQ(4, grid.SelectedRow()); // the last fully shown row
  EXPECT_EQ(0, Bar());
  Key(vk::PageDown);
  EXPECT_EQ(9, grid.SelectedRow());
  EXPECT_EQ(5, Bar());
  Key(vk::PageDown);
  EXPECT_EQ(9, grid.SelectedRow()); // past the end: the last row
  Key(vk::PageUp);
  EXPECT_EQ(5, grid.TopRow());
  EXPECT_EQ(5, grid.SelectedRow()); // first the top row
  Key(vk::PageUp);
  EXPECT_EQ(0, grid.SelectedRow()); // then a page back, with the bar
  EXPECT_EQ(0, Bar());
  EXPECT_EQ(0, grid.TopRow());
}

TEST_F(RowKeys, PagingWithoutSelectionOrRoom) {
  grid.SetRowVisible(0, false);
  Key(vk::PageDown);
  EXPECT_EQ(5, grid.SelectedRow()); // the last fully shown row: rows 1..5 fit
  grid.ScrollToRow(9);
  ASSERT_EQ(5, grid.TopRow());
  grid.SetSelectedRow(-1);
  Key(vk::PageUp); // a page back, and still nothing selected
  EXPECT_EQ(-1, grid.SelectedRow());
  EXPECT_EQ(0, Bar());
  EXPECT_GE(1, grid.TopRow());
  // A cell area lower than one row pages one row at a time.
  host.Resize(300, 18 + 10);
  Key(vk::PageDown);
  EXPECT_EQ(1, grid.SelectedRow());
  Key(vk::PageDown);
  EXPECT_EQ(2, grid.SelectedRow());
}

TEST_F(RowKeys, HomeAndEndGoToTheFirstAndLastVisibleRowOrColumn) {
  grid.SetRowVisible(9, false);
  Select(1, 4);
  Key(vk::End);
  EXPECT_EQ(8, grid.SelectedRow());
  EXPECT_TRUE(host.vert.IsLast());
  Key(vk::Home);
  EXPECT_EQ(0, grid.SelectedRow());
  EXPECT_EQ(0, Bar());
  grid.SetHomeEndBehaviour(hebLeftRight);
  Key(vk::End);
  EXPECT_EQ(2, grid.SelectedColumn());
  EXPECT_EQ(0, grid.SelectedRow());
  Key(vk::Home);
  EXPECT_EQ(0, grid.SelectedColumn());
}

TEST_F(RowKeys, NothingWithDisabledKeys) {
  grid.SetOptions(grid.Options() + TGridOptions{goDisableKeys});
  Select(0, 3);
  for (uint16_t k : {vk::Down, vk::Up, vk::PageDown, vk::End, vk::Home, vk::Right, vk::Tab}) Key(k);
  EXPECT_EQ(3, grid.SelectedRow());
  EXPECT_EQ(0, grid.SelectedColumn());
}

using ColumnKeys = KeyGridTest;

TEST_F(ColumnKeys, LeftAndRightStopAtTheEdgesAndSkipHiddenColumns) {
  Column(1)->SetVisible(false);
  Select(0, 2);
  Key(vk::Left);
  EXPECT_EQ(0, grid.SelectedColumn());
  Key(vk::Right);
  EXPECT_EQ(2, grid.SelectedColumn());
  Key(vk::Right);
  EXPECT_EQ(2, grid.SelectedColumn());
  EXPECT_EQ(2, grid.SelectedRow());
}

TEST_F(ColumnKeys, FullRowSelectionScrollsSidewaysInstead) {
  host.Resize(150, kHeight); // 240 pixels of columns in 150
  grid.SetOptions(grid.Options() + TGridOptions{goSelectFullRow});
  Select(0, 2);
  Key(vk::Right);
  EXPECT_EQ(0, grid.SelectedColumn());
  EXPECT_GT(host.horz.Position(), 0);
  Key(vk::Left);
  EXPECT_EQ(0, host.horz.Position());
  grid.SetAppearanceOptions(grid.AppearanceOptions() + TAppearanceOptions{aoIndicateSelectedCell});
  Key(vk::Right);
  EXPECT_EQ(1, grid.SelectedColumn());
}

TEST_F(ColumnKeys, TabWalksTheCellsAndWrapsOutAtTheLast) {
  Select(0, 8);
  Key(vk::Tab);
  Key(vk::Tab);
  EXPECT_EQ(2, grid.SelectedColumn());
  Key(vk::Tab); // last column: the next row's first
  EXPECT_EQ(9, grid.SelectedRow());
  EXPECT_EQ(0, grid.SelectedColumn());
  Key(vk::Tab, TShiftState{ssShift}); // back to the row above's last
  EXPECT_EQ(8, grid.SelectedRow());
  EXPECT_EQ(2, grid.SelectedColumn());
  Select(2, 9);
  Key(vk::Tab); // the last cell of all: the focus moves on, the first row selected
  ASSERT_EQ(1u, host.parent_keys.size());
  EXPECT_EQ(9, host.parent_keys[0]);
  EXPECT_EQ(0, grid.SelectedRow());
  EXPECT_EQ(0, grid.SelectedColumn());
}

TEST_F(ColumnKeys, TabIsTheGridsOnlyWithWantTabsAndSomewhereToGo) {
  EXPECT_FALSE(grid.WantsKey(vk::Tab));
  EXPECT_TRUE(grid.WantsKey(vk::Down));
  grid.SetWantTabs(true);
  EXPECT_TRUE(grid.WantsKey(vk::Tab));
  grid.ClearRows();
  EXPECT_FALSE(grid.WantsKey(vk::Tab));
}

using InputLine = KeyGridTest;

TEST_F(InputLine, UpFromTheFirstRowEntersItAndDownLeavesIt) {
  grid.SetOptions(grid.Options() + TGridOptions{goInput});
  grid.SetRowVisible(0, false);
  Select(0, 1);
  Key(vk::Up);
  EXPECT_TRUE(grid.InputFocused());
  EXPECT_FALSE(grid.GetRowSelected(1));
  Key(vk::Up);
  EXPECT_TRUE(grid.InputFocused());
  Key(vk::Down);
  EXPECT_FALSE(grid.InputFocused());
  EXPECT_EQ(1, grid.SelectedRow());
}

TEST_F(InputLine, EnterAddsARowOnlyWhenAlwaysAsked) {
  grid.SetOptions(grid.Options() + TGridOptions{goInput});
  grid.SetWantReturns(true);
  Select(0, 0);
  Key(vk::Up);
  ASSERT_TRUE(grid.InputFocused());
  Column(0)->SetInputValue(u"new");
  Char(u'\r');
  EXPECT_EQ(10, grid.RowCount()); // imEditing: nothing
  grid.SetInputEnterMode(imAllways);
  int added = 0;
  grid.OnInputAdded = [&](TObject*) { ++added; };
  Char(u'\r');
  ASSERT_EQ(11, grid.RowCount());
  EXPECT_EQ(u"new", grid.Cells(0, 10));
  EXPECT_TRUE(Column(0)->InputValue().empty());
  EXPECT_EQ(1, added);
}

TEST_F(InputLine, EnterOutsideMovesTheSelectionItsWay) {
  grid.SetWantReturns(true);
  Select(1, 3);
  Char(u'\r');
  EXPECT_EQ(4, grid.SelectedRow());
  grid.SetSelectionMoveDirection(TSelectionMoveDirection::mdRight);
  Char(u'\r');
  EXPECT_EQ(2, grid.SelectedColumn());
  grid.SetSelectionMoveDirection(TSelectionMoveDirection::mdNone);
  Char(u'\r');
  EXPECT_EQ(4, grid.SelectedRow());
  EXPECT_EQ(2, grid.SelectedColumn());
}

using Wheel = KeyGridTest;

TEST_F(Wheel, StepsOrPagesAndGivesWayToTheHorizontalBar) {
  EXPECT_TRUE(grid.MouseWheel(-120, {}, TPoint{}));
  EXPECT_EQ(1, Bar());
  grid.MouseWheel(-120, TShiftState{ssCtrl}, TPoint{});
  EXPECT_GT(Bar(), 1);
  grid.MouseWheel(-240 * 10, {}, TPoint{});
  EXPECT_TRUE(host.vert.IsLast());
  EXPECT_FALSE(grid.MouseWheel(-120, {}, TPoint{})); // at the end, nothing sideways
  grid.MouseWheel(120 * 20, {}, TPoint{});
  EXPECT_EQ(0, Bar());
  // All rows fit; the columns do not: the wheel moves sideways.
  host.Resize(150, 400);
  EXPECT_TRUE(grid.MouseWheel(-120, {}, TPoint{}));
  EXPECT_GT(host.horz.Position(), 0);
  EXPECT_TRUE(grid.MouseWheel(120, {}, TPoint{}));
  EXPECT_EQ(0, host.horz.Position());
}

using Search = KeyGridTest;

TEST_F(Search, TypedLettersFindRowsUntilAPauseClearsThem) {
  grid.SetReadOnly(true);
  Column(1)->SetOptions(Column(1)->Options() + TColumnOptions{coSearchColumn});
  grid.SetCells(1, 2, u"Берёза");
  grid.SetCells(1, 6, u"берег");
  grid.SetCells(1, 7, u"Бетон");
  Select(0, 0);
  Char(u'б');
  EXPECT_EQ(2, grid.SelectedRow());
  ASSERT_EQ(1u, host.timers.size());
  EXPECT_EQ(DgGridTimer::IncrementalSearch, host.timers[0].first);
  EXPECT_EQ(700, host.timers[0].second);
  Char(u'Е'); // within the pause: the text grows, case aside
  EXPECT_EQ(u"бЕ", grid.SearchText());
  EXPECT_EQ(6, grid.SelectedRow());
  Char(u'т');
  EXPECT_EQ(7, grid.SelectedRow());
  Char(u'x'); // nothing begins so: the selection stays
  EXPECT_EQ(7, grid.SelectedRow());
  grid.TimerFired(DgGridTimer::IncrementalSearch); // the pause
  EXPECT_TRUE(grid.SearchText().empty());
  EXPECT_TRUE(host.timers.empty());
  Char(u'Б');
  EXPECT_EQ(2, grid.SelectedRow()); // from after row 7, round to the top
}

TEST_F(Search, AnEditableColumnEditsInsteadAndNoSearchColumnDoesNothing) {
  Select(0, 0);
  Char(u'r');
  EXPECT_EQ(0, grid.SelectedRow());
  EXPECT_TRUE(host.timers.empty());
  Column(0)->SetOptions(Column(0)->Options() + TColumnOptions{coSearchColumn});
  Editable(0);
  Char(u'r');
  EXPECT_TRUE(grid.CellEditing());
  EXPECT_TRUE(grid.SearchText().empty());
}

} // namespace
