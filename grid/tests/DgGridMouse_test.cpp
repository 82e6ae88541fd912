// The grid's mouse through a fake window: column edges dragged within their
// limits, header clicks sorting one way and back, rows moved onto a
// boundary, columns dragged by their header onto each kind of target, a
// right click in a multi-selection, the second click that edits, hints, and
// a lost capture or focus in the middle of each drag leaving nothing behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/DgCursors.h"
#include "grid/DgRecordingCanvas.h"
#include "grid/tests/FakeGridHost.h"
#include "grid/tests/TestGrid.h"

namespace {

// The window's drag box and arrows, recorded.
struct MouseHost : TFakeGridHost {
  MouseHost() : TFakeGridHost(400, 300) {}
  struct Drag {
    TDgCustomColumn* Column;
    TRect Rect;
    TPoint Mouse;
  };
  std::vector<Drag> drags;
  int drag_ends = 0;
  bool arrows = false;
  TPoint upper, lower;
  TCursor drag_cursor = crDefault;
  bool form_active = true;
  TRect hint_place;
  void StartColumnDrag(TDgCustomColumn* Column, const TRect& R, const TPoint& M) override {
    drags.push_back({Column, R, M});
  }
  void EndColumnDrag() override { ++drag_ends; }
  void ShowDropArrows(bool Show, const TPoint& U, const TPoint& L) override {
    arrows = Show;
    upper = U;
    lower = L;
  }
  void SetColumnDragCursor(TCursor C) override { drag_cursor = C; }
  bool FormActive() override { return form_active; }
  void ShowHint(const WideString& Text, const TRect& R) override {
    TFakeGridHost::ShowHint(Text, R);
    hint_place = R;
  }
};

struct MouseGrid : TTestGrid {
  MouseGrid() : TTestGrid(3, 10) {}
  std::vector<std::pair<int, int>> edits;
  void BeginEdit(int ACol, int ARow, const WideString&) override { edits.emplace_back(ACol, ARow); }
  void MoveRow(int FromRow, int ToRow) override {
    TTestGrid::MoveRow(FromRow, ToRow);
    Row r = rows[size_t(FromRow)];
    rows.erase(rows.begin() + FromRow);
    rows.insert(rows.begin() + ToRow, r);
  }
  using TDgCustomGrid::PaintFeedback;
};

// Columns 0..80, 80..180, 180..240 under a header 18 high; rows of 16 from
// y 18, holding "r0".."r9" in the first column.
struct Fixture {
  MouseHost host;
  MouseGrid grid;
  std::vector<std::string> log;
  Fixture() {
    grid.Columns()->Item(1)->SetWidth(100);
    grid.Columns()->Item(2)->SetWidth(60);
    for (int r = 0; r < 10; ++r) grid.SetCells(0, r, u"r" + WideString(1, char16_t(u'0' + r)));
    host.Attach(&grid);
    grid.OnHeaderClick = [this](TObject*, int c) { log.push_back("click " + std::to_string(c)); };
    grid.OnSortColumn = [this](TObject*, int c, bool asc) {
      log.push_back("sort " + std::to_string(c) + (asc ? " up" : " down"));
    };
  }
  TDgCustomColumn* Col(int i) { return grid.Columns()->Item(i); }
  int RowY(int r) { return 18 + 16 * r; }
  void Down(int x, int y, TMouseButton b = mbLeft, TShiftState s = TShiftState()) {
    grid.MouseDown(b, s, x, y);
  }
  void Move(int x, int y) { grid.MouseMove(TShiftState{ssLeft}, x, y); }
  void Up(int x, int y, TMouseButton b = mbLeft) { grid.MouseUp(b, TShiftState(), x, y); }
  void Click(int x, int y, TShiftState s = TShiftState()) {
    Down(x, y, mbLeft, s);
    Up(x, y);
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> t;
    for (int r = 0; r < grid.RowCount(); ++r) {
      const WideString w = grid.Cells(0, r);
      t.emplace_back(w.begin(), w.end());
    }
    return t;
  }
  // What the mouse draws over a paint.
  std::vector<TDgCall> Feedback() {
    TDgRecordingCanvas c(400, 300);
    grid.PaintFeedback(c);
    return c.Calls();
  }
};

TEST(GridMouseResize, GuideLinesFollowTheEdgeAndTheWidthChangesOnRelease) {
  Fixture f;
  int resized = -1;
  f.grid.OnColumnResize = [&](TObject*, int c) { resized = c; };
  f.grid.MouseMove(TShiftState(), 81, 5);
  EXPECT_EQ(f.host.cursor, DgCursor::HorzSplit);
  f.Down(81, 5);
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::ColumnResizing);
  EXPECT_EQ(f.grid.GuideLineX(0), 0); // the first column's left edge is not moved off screen
  EXPECT_EQ(f.grid.GuideLineX(1), 79);
  f.Move(130, 9);
  EXPECT_EQ(f.grid.ResizeDelta(), 50);
  EXPECT_EQ(f.grid.GuideLineX(1), 129);
  EXPECT_EQ(f.Col(0)->Width(), 80); // nothing changes before the release
  EXPECT_EQ(f.Feedback().size(), 2u);
  f.Up(130, 9);
  EXPECT_EQ(f.Col(0)->Width(), 130);
  EXPECT_EQ(resized, 0);
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::Idle);
  EXPECT_EQ(f.grid.GuideLineX(0), DgNoGuide);
  EXPECT_TRUE(f.Feedback().empty());
}

TEST(GridMouseResize, MinWidthStopsTheDragAndNoneStillLeavesAPixel) {
  Fixture f;
  f.Col(1)->SetMinWidth(30);
  f.Down(180, 5);
  f.Move(0, 5);
  EXPECT_EQ(f.grid.ResizeDelta(), -70);
  EXPECT_EQ(f.grid.GuideLineX(1), 80 + 30 - 1);
  f.Up(0, 5);
  EXPECT_EQ(f.Col(1)->Width(), 30);
  for (int minimum : {0, -4}) {
    f.Col(1)->SetMinWidth(minimum);
    f.Down(110, 5);
    ASSERT_EQ(f.grid.MouseState(), TDgMouseState::ColumnResizing);
    f.Move(-50, 5);
    f.Up(-50, 5);
    EXPECT_EQ(f.Col(1)->Width(), 1) << minimum;
    f.Col(1)->SetWidth(30);
  }
  // A column of fixed size has no edge to grab.
  f.Col(2)->SetOptions(f.Col(2)->Options() + coFixedSize);
  f.Down(170, 5);
  EXPECT_NE(f.grid.MouseState(), TDgMouseState::ColumnResizing);
}

TEST(GridMouseResize, LostCaptureOrFocusCancelsWithoutTrace) {
  Fixture f;
  f.Down(81, 5);
  f.Move(150, 5);
  f.host.ClearRecords();
  f.grid.CancelMode();
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::Idle);
  EXPECT_TRUE(f.Feedback().empty());
  EXPECT_FALSE(f.host.rects.empty()); // the lines' strips are painted over
  f.Up(150, 5);
  EXPECT_EQ(f.Col(0)->Width(), 80);

  // Row edges in the indicator, the same way.
  f.grid.SetOptions(f.grid.Options() + goIndicator + goRowResizing);
  int heightOf = -1;
  f.grid.OnChangeRowHeight = [&](TObject*, int r, int h) { heightOf = r * 1000 + h; };
  const int edge = f.RowY(2); // row 1's lower edge
  f.grid.MouseMove(TShiftState(), 4, edge - 1);
  EXPECT_EQ(f.host.cursor, DgCursor::VertSplit);
  f.Down(4, edge - 1);
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::RowResizing);
  f.Move(4, edge + 20);
  EXPECT_EQ(f.grid.RowGuideY(), edge + 20);
  f.Move(4, f.RowY(1) + 2); // never less than 8 pixels
  EXPECT_EQ(f.grid.RowGuideY(), f.RowY(1) + 8);
  f.grid.CancelMouseStates();
  EXPECT_EQ(f.grid.RowGuideY(), -1);
  EXPECT_TRUE(f.Feedback().empty());
  f.Up(4, edge + 20);
  EXPECT_EQ(heightOf, -1);
  f.Down(4, edge - 1);
  f.Move(4, edge + 20);
  f.Up(4, edge + 20);
  EXPECT_EQ(heightOf, 1 * 1000 + 36);
}

TEST(GridMouseHeader, ClicksSortOneWayThenBackAndOnlyOnThePressedHeader) {
  Fixture f;
  f.Click(120, 5);
  EXPECT_TRUE(f.Col(1)->Sorted());
  EXPECT_EQ(f.Col(1)->SortKind(), skAscending);
  f.Click(120, 5);
  EXPECT_EQ(f.Col(1)->SortKind(), skDescending);
  ASSERT_GE(f.log.size(), 2u);
  EXPECT_EQ(f.log.front(), "click 1"); // the click is heard before the sort
  EXPECT_EQ(f.log.back(), "sort 1 down");
  f.log.clear();
  // Released over another header: the pressed one hears the click, nothing sorts.
  f.Down(120, 5);
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::HeaderPressed);
  f.grid.MouseMove(TShiftState(), 200, 5);
  f.Up(200, 5);
  EXPECT_EQ(f.log, (std::vector<std::string>{"click 1"}));
  EXPECT_FALSE(f.Col(2)->Sorted());
  // A header without coCanSort is clicked but never sorted; one without
  // coCanClick is not even pressed.
  f.log.clear();
  f.Col(2)->SetOptions(f.Col(2)->Options() - coCanSort);
  f.Click(200, 5);
  EXPECT_EQ(f.log, (std::vector<std::string>{"click 2"}));
  f.Col(2)->SetOptions(f.Col(2)->Options() - coCanClick);
  f.log.clear();
  f.Down(200, 5);
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::Idle);
  f.Up(200, 5);
  EXPECT_TRUE(f.log.empty());
  // Capture lost while pressed: no click.
  f.Down(120, 5);
  f.grid.CancelMode();
  f.Up(120, 5);
  EXPECT_TRUE(f.log.empty());
}

TEST(GridMouseRows, RowTwoDroppedOnTheBoundaryAboveRowFiveLandsAtFour) {
  Fixture f;
  f.grid.SetOptions(f.grid.Options() + goRowMoving);
  std::vector<std::pair<int, int>> moves;
  f.grid.OnRowMove = [&](TObject*, int a, int b, bool&) { moves.emplace_back(a, b); };
  f.Down(40, f.RowY(2) + 8);
  f.Move(40, f.RowY(2) + 11); // not yet 5 pixels
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::Idle);
  f.Move(40, f.RowY(4) + 12); // the lower half of row 4: the boundary above row 5
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::RowMoving);
  EXPECT_EQ(f.host.cursor, crDrag);
  EXPECT_EQ(f.grid.DropRow(), 5);
  auto red = [&f] {
    bool any = false;
    for (auto& c : f.Feedback()) any = any || c.Color == TColor(0x0000FF);
    return any;
  };
  EXPECT_TRUE(red());
  // Leaving the grid takes the marker away; coming back brings it again.
  f.grid.MouseLeave();
  EXPECT_EQ(f.grid.DropRow(), -1);
  EXPECT_FALSE(red());
  f.Move(40, f.RowY(4) + 12);
  EXPECT_EQ(f.grid.DropRow(), 5);
  EXPECT_TRUE(red());
  f.Up(40, f.RowY(4) + 12);
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{2, 4}}));
  EXPECT_EQ(f.Texts(),
            (std::vector<std::string>{"r0", "r1", "r3", "r4", "r2", "r5", "r6", "r7", "r8", "r9"}));
  EXPECT_EQ(f.grid.SelectedRow(), 4);
  EXPECT_TRUE(f.Feedback().empty());
  // Upwards: row 7 onto the boundary above row 3 lands at 3.
  f.Down(40, f.RowY(7) + 8);
  f.Move(40, f.RowY(3) + 2);
  f.Up(40, f.RowY(3) + 2);
  EXPECT_EQ(moves.back(), (std::pair<int, int>{7, 3}));
  EXPECT_EQ(f.Texts()[3], "r7");
}

TEST(GridMouseRows, RefusedOrInterruptedMovesLeaveTheRows) {
  Fixture f;
  f.grid.SetOptions(f.grid.Options() + goRowMoving);
  const auto before = f.Texts();
  f.grid.OnRowMove = [](TObject*, int, int, bool& accept) { accept = false; };
  f.Down(40, f.RowY(2) + 8);
  f.Move(40, f.RowY(6) + 3);
  f.Up(40, f.RowY(6) + 3);
  EXPECT_EQ(f.Texts(), before);
  f.grid.OnRowMove = nullptr;
  f.Down(40, f.RowY(2) + 8);
  f.Move(40, f.RowY(6) + 3);
  ASSERT_EQ(f.grid.DropRow(), 6);
  f.grid.CancelMode();
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::Idle);
  EXPECT_EQ(f.grid.DropRow(), -1);
  EXPECT_TRUE(f.Feedback().empty());
  EXPECT_EQ(f.host.cursor, crDefault);
  f.Up(40, f.RowY(6) + 3);
  EXPECT_EQ(f.Texts(), before);
  // Without the option a drag does not move rows.
  f.grid.SetOptions(f.grid.Options() - goRowMoving);
  f.Down(40, f.RowY(2) + 8);
  f.Move(40, f.RowY(6) + 3);
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::Idle);
}

// Screen = client + 1000 in the fake window.
TEST(GridMouseColumnDrag, TheBoxStartsBeyondThreePixelsAndEachTargetLands) {
  Fixture f;
  f.Down(20, 5);
  f.Move(23, 5);
  EXPECT_TRUE(f.host.drags.empty());
  f.Move(24, 5);
  ASSERT_EQ(f.host.drags.size(), 1u);
  EXPECT_EQ(f.host.drags[0].Column, f.Col(0));
  EXPECT_EQ(f.host.drags[0].Rect, (TRect{1000, 1000, 1080, 1018}));
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::ColumnDragging);
  // Right half of the last column: to the end, arrows at its right edge.
  f.grid.ColumnDragMove(1230, 1005);
  EXPECT_EQ(f.grid.DropTarget(), 2);
  EXPECT_TRUE(f.host.arrows);
  EXPECT_EQ(f.host.upper, Point(1236, 988));
  EXPECT_EQ(f.host.lower, Point(1236, 1017));
  // Over itself: stays, no arrows.
  f.grid.ColumnDragMove(1060, 1005);
  EXPECT_EQ(f.grid.DropTarget(), 0);
  EXPECT_FALSE(f.host.arrows);
  EXPECT_EQ(f.host.drag_cursor, crDefault);
  // Over the cells: nowhere to drop.
  f.grid.ColumnDragMove(1100, 1100);
  EXPECT_EQ(f.host.drag_cursor, DgCursor::ColumnNoDrag);
  f.grid.ColumnDragDrop(1230, 1005);
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::Idle);
  EXPECT_FALSE(f.host.arrows);
  EXPECT_EQ(f.grid.Columns()->PositionOf(f.Col(0)), 2);
  EXPECT_EQ(f.grid.Columns()->PositionOf(f.Col(1)), 0);
  // A drag is not a click.
  EXPECT_TRUE(f.log.empty());
  EXPECT_FALSE(f.Col(0)->Sorted());
}

TEST(GridMouseColumnDrag, DroppedOutsideHidesOnlyWhenAllowedAndNeverTheLast) {
  Fixture f;
  auto dragOut = [&](int x) {
    f.Down(x, 5);
    f.Move(x + 10, 5);
    f.grid.ColumnDragDrop(1000 + x, 1150);
  };
  dragOut(120);
  EXPECT_TRUE(f.Col(1)->Visible());
  f.grid.SetOptions(f.grid.Options() + goCanHideColumn);
  dragOut(120);
  EXPECT_FALSE(f.Col(1)->Visible());
  dragOut(100); // column 2 now spans 80..140
  EXPECT_FALSE(f.Col(2)->Visible());
  dragOut(20);
  EXPECT_TRUE(f.Col(0)->Visible());
  EXPECT_EQ(f.grid.Columns()->VisibleCount(), 1);
}

TEST(GridMouseColumnDrag, LockedFixedColumnsAndInterruptedDrags) {
  Fixture f;
  f.grid.SetFixedCols(1);
  f.grid.SetOptions(f.grid.Options() + goLockFixedCols);
  f.Down(120, 5);
  f.Move(130, 5);
  f.grid.ColumnDragMove(1010, 1005); // into the fixed column
  EXPECT_FALSE(f.host.arrows);
  EXPECT_EQ(f.host.drag_cursor, DgCursor::ColumnNoDrag);
  f.grid.ColumnDragMove(1230, 1005);
  EXPECT_TRUE(f.host.arrows);
  // The box lost the mouse: nothing moves, the arrows go.
  f.grid.ColumnDragCancelled();
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::Idle);
  EXPECT_FALSE(f.host.arrows);
  EXPECT_EQ(f.grid.Columns()->PositionOf(f.Col(1)), 1);
  f.grid.ColumnDragDrop(1230, 1005); // a late drop is ignored
  EXPECT_EQ(f.grid.Columns()->PositionOf(f.Col(1)), 1);
  // The focus went elsewhere: the grid takes the box away itself.
  f.Down(120, 5);
  f.Move(130, 5);
  f.grid.ColumnDragMove(1230, 1005);
  f.grid.CancelMouseStates();
  EXPECT_EQ(f.host.drag_ends, 1);
  EXPECT_FALSE(f.host.arrows);
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::Idle);
  // The grid's own capture going to the box does not end the drag.
  f.Down(120, 5);
  f.Move(130, 5);
  f.grid.CancelMode();
  EXPECT_EQ(f.grid.MouseState(), TDgMouseState::ColumnDragging);
  f.grid.ColumnDragDrop(1230, 1005);
  EXPECT_EQ(f.grid.Columns()->PositionOf(f.Col(1)), 2);
  // Moving is switched off for the grid or the column.
  f.grid.SetOptions(f.grid.Options() + goDisableColumnMoving);
  f.Down(120, 5);
  f.Move(140, 5);
  EXPECT_EQ(f.host.drags.size(), 3u);
  f.Up(140, 5);
}

TEST(GridMouseSelect, RightClickInAMultiSelectionAndTheSecondClickThatEdits) {
  Fixture f;
  f.grid.SetOptions(f.grid.Options() + goMultiSelect + goSelectFullRow);
  auto selected = [&] {
    std::vector<int> s;
    for (int r = 0; r < f.grid.RowCount(); ++r)
      if (f.grid.GetRowSelected(r)) s.push_back(r);
    return s;
  };
  f.Click(40, f.RowY(1) + 5);
  f.Click(40, f.RowY(3) + 5, TShiftState{ssCtrl});
  ASSERT_EQ(selected(), (std::vector<int>{1, 3}));
  // On a selected row the selection stays (for a context menu).
  f.Down(40, f.RowY(3) + 5, mbRight);
  f.Up(40, f.RowY(3) + 5, mbRight);
  EXPECT_EQ(selected(), (std::vector<int>{1, 3}));
  // On another row only that row is selected.
  f.Down(40, f.RowY(5) + 5, mbRight);
  f.Up(40, f.RowY(5) + 5, mbRight);
  EXPECT_EQ(selected(), (std::vector<int>{5}));
  EXPECT_EQ(f.grid.SelectedRow(), 5);

  Fixture g;
  g.grid.SetOptions(g.grid.Options() + goSecondClickEdit);
  g.Click(40, g.RowY(2) + 5);
  EXPECT_TRUE(g.grid.edits.empty());
  EXPECT_EQ(g.grid.SelectedRow(), 2);
  g.Click(40, g.RowY(2) + 5);
  EXPECT_EQ(g.grid.edits, (std::vector<std::pair<int, int>>{{0, 2}}));
  g.grid.SetOptions(g.grid.Options() - goSecondClickEdit);
  g.Click(120, g.RowY(4) + 5);
  EXPECT_EQ(g.grid.edits.back(), (std::pair<int, int>{1, 4}));
  // Pressed on one cell, released on another: no click, no edit.
  int clicks = 0;
  g.grid.OnCellClick = [&](TObject*, int, int) { ++clicks; };
  g.Down(40, g.RowY(6) + 5);
  g.Up(40, g.RowY(7) + 5);
  EXPECT_EQ(clicks, 0);
  g.Click(40, g.RowY(7) + 5);
  EXPECT_EQ(clicks, 1);
  // A click on the input line enters it for the column under the mouse.
  g.grid.SetOptions(g.grid.Options() + goInput);
  g.Click(120, 25);
  EXPECT_TRUE(g.grid.InputFocused());
  EXPECT_EQ(g.grid.SelectedColumn(), 1);
}

TEST(GridMouseHints, CellAndHeaderHintsWhileTheFormIsActive) {
  Fixture f;
  f.grid.OnCellHint = [](TObject*, int c, int r, WideString& v) {
    if (c == 1 && r == 3) v = u"подсказка";
  };
  f.grid.MouseMove(TShiftState(), 120, f.RowY(3) + 4);
  EXPECT_TRUE(f.host.hint_shown);
  EXPECT_EQ(f.host.hint, u"подсказка");
  EXPECT_EQ(f.host.hint_place.Left, 80 + 100);
  EXPECT_EQ(f.host.hint_place.Top, f.RowY(3) - 20);
  f.grid.MouseMove(TShiftState(), 120, f.RowY(4) + 4);
  EXPECT_FALSE(f.host.hint_shown);
  f.host.form_active = false;
  f.grid.MouseMove(TShiftState(), 120, f.RowY(3) + 4);
  EXPECT_FALSE(f.host.hint_shown);
  f.host.form_active = true;
  f.Col(2)->Header()->SetHint(u"Размер файла");
  f.grid.MouseMove(TShiftState(), 200, 5);
  EXPECT_TRUE(f.host.hint_shown);
  EXPECT_EQ(f.host.hint, u"Размер файла");
  EXPECT_EQ(f.host.hint_place.Left, 180);
  EXPECT_EQ(f.host.hint_place.Top, 18 + 2);
  f.grid.MouseMove(TShiftState(), 200, f.RowY(5));
  EXPECT_FALSE(f.host.hint_shown);
  // A text wider than its column shows whole where the column allows it.
  f.Col(0)->SetOptions(f.Col(0)->Options() + coShowTextFitHint);
  f.grid.SetCells(0, 6, u"очень длинное название файла");
  f.grid.MouseMove(TShiftState(), 40, f.RowY(6) + 4);
  EXPECT_EQ(f.host.hint, u"очень длинное название файла");
  EXPECT_EQ(f.host.hint_place.Left, 0);
  EXPECT_EQ(f.host.hint_place.Top, f.RowY(6));
}

TEST(GridMouseHitTest, CellsAcrossGridLinesAndRegions) {
  Fixture f;
  f.grid.SetOptions(f.grid.Options() + goGrid +
                    goIndicator); // rows of 16 + 1 line, columns from 12
  int c = -2, r = -2;
  f.grid.PointToCell(20, 18 + 16, c, r); // the line under row 0
  EXPECT_EQ(c, 0);
  EXPECT_EQ(r, 0);
  f.grid.PointToCell(20, 18 + 17, c, r);
  EXPECT_EQ(r, 1);
  f.grid.PointToCell(300, 18 + 17 * 9 + 3, c, r);
  EXPECT_EQ(c, -1);
  EXPECT_EQ(r, 9);
  f.grid.PointToCell(20, 18 + 17 * 10 + 3, c, r);
  EXPECT_EQ(r, -1);
  EXPECT_EQ(f.grid.HitTest(5, 100), DgRegion::Indicator);
  EXPECT_EQ(f.grid.HitTest(20, 5), DgRegion::Header);
  EXPECT_EQ(f.grid.HitTest(300, 100), DgRegion::Client);
  f.grid.MouseMove(TShiftState(), 5, 18 + 17 * 3 + 5);
  EXPECT_EQ(f.host.cursor, DgCursor::IndicatorSelect);
  f.grid.MouseMove(TShiftState(), 5, 290);
  EXPECT_EQ(f.host.cursor, crDefault);
}

} // namespace
