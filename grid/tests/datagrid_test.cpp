// TDataGrid: adding rows, cell bounds, change events and their repaints,
// row heights, the start row count, sorting, tree rows, footers and the
// selection that stays on its row.
#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "grid/tests/datagrid_fixture.h"

namespace {

struct DataGrid : ::testing::Test, DataGridFixture {};

TEST_F(DataGrid, AddRowReturnsTheLastNewRowAndReportsOnce) {
  EXPECT_EQ(grid->AddRow(0), 0); // nothing added: the last-added index
  EXPECT_EQ(grid->RowCount(), 0);
  EXPECT_TRUE(data_changes.empty());
  EXPECT_EQ(grid->AddRow(3), 2);
  EXPECT_EQ(grid->RowCount(), 3);
  ASSERT_EQ(data_changes.size(), 1u);
  EXPECT_EQ(data_changes[0], std::make_tuple(dcAddRow, 2));
  EXPECT_EQ(grid->AddRow(-4), 2);
  EXPECT_EQ(grid->LastVisibleRow(), 2);
  // Rows in view were repainted, and the bar counts them.
  EXPECT_TRUE(host.Repainted());
}

TEST_F(DataGrid, DefaultValuesFillNewRowsWhenAsked) {
  grid->Columns()->Item(1)->SetDefaultValue(u"новая");
  grid->AddRow(1);
  EXPECT_EQ(grid->Cells(1, 0), u"");
  grid->SetOptions(grid->Options() + TGridOptions{goUseDefaultValues});
  grid->AddRow(2);
  EXPECT_EQ(grid->Cells(1, 1), u"новая");
  EXPECT_EQ(grid->Cells(1, 2), u"новая");
  EXPECT_EQ(grid->Cells(0, 2), u"");
}

TEST_F(DataGrid, CellsOutsideTheGridRaiseAndChangeNothing) {
  Rows(3);
  auto message = [&](int c, int r, bool write) {
    try {
      if (write)
        grid->SetCells(c, r, u"x");
      else
        grid->Cells(c, r);
    } catch (const Exception& e) { return std::string(e.what()); }
    return std::string("no error");
  };
  EXPECT_EQ(message(0, 3, false), "Cell out of bounds (0, 3)");
  EXPECT_EQ(message(-1, 0, false), "Cell out of bounds (-1, 0)");
  EXPECT_EQ(message(2, 1, true), "Cell out of bounds (2, 1)");
  EXPECT_EQ(message(0, -1, true), "Cell out of bounds (0, -1)");
  EXPECT_THROW(grid->Cell(5, 0), Exception);
  // The cell object itself: a bad row is the list's index error.
  try {
    grid->Cell(0, 3);
    ADD_FAILURE() << "no error";
  } catch (const EListError& e) { EXPECT_EQ(e.Message(), "List index out of bounds (3)"); }
  EXPECT_EQ(Names(), u"0 1 2");
  EXPECT_TRUE(changes.empty());
}

TEST_F(DataGrid, ACellWriteRepaintsItAndReportsItsOwnPlaceButNotUnderTheLock) {
  Rows(3);
  grid->Cell(1, 2)->SetAsString(u"звук");
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], std::make_pair(1, 2));
  TRect r;
  grid->GetCellRect(1, 2, r);
  bool repainted = false;
  for (const TRect& i : host.rects)
    repainted |= i.Left <= r.Left && i.Top <= r.Top && i.Bottom >= r.Bottom;
  EXPECT_TRUE(repainted);
  // A cell kept by the caller still reports its own place.
  TCell* kept = grid->Cell(0, 0);
  grid->Cell(1, 1);
  kept->SetAsInteger(7);
  EXPECT_EQ(changes.back(), std::make_pair(0, 0));

  changes.clear();
  host.ClearRecords();
  grid->BeginUpdate();
  grid->Cell(0, 1)->SetAsString(u"тихо");
  grid->SetCells(1, 1, u"тихо");
  EXPECT_TRUE(changes.empty());
  EXPECT_FALSE(host.Repainted());
  grid->EndUpdate();
  EXPECT_TRUE(changes.empty());
  EXPECT_TRUE(host.Repainted());
}

TEST_F(DataGrid, NewRowSizeReachesOnlyRowsMadeLater) {
  Rows(2);
  grid->SetRowSize(24);
  grid->AddRow(1);
  grid->InsertRow(0);
  EXPECT_EQ(grid->GetRowHeight(0), 24);
  EXPECT_EQ(grid->GetRowHeight(1), 16);
  EXPECT_EQ(grid->GetRowHeight(2), 16);
  EXPECT_EQ(grid->GetRowHeight(3), 24);
  grid->SetRowSize(0); // ignored
  grid->AddRow(1);
  EXPECT_EQ(grid->GetRowHeight(4), 24);
  grid->SetRowHeight(1, -3); // refused
  EXPECT_EQ(grid->GetRowHeight(1), 16);
}

TEST_F(DataGrid, LoweringTheStartRowCountDeletesFromTheTop) {
  grid->SetStartRowCount(5);
  EXPECT_EQ(grid->RowCount(), 5);
  for (int r = 0; r < 5; ++r) grid->SetCells(0, r, Name(r));
  grid->SetStartRowCount(2);
  EXPECT_EQ(grid->StartRowCount(), 2);
  EXPECT_EQ(Names(), u"3 4");
  grid->SetStartRowCount(-1);
  EXPECT_EQ(grid->StartRowCount(), 2);
}

TEST_F(DataGrid, SortingAgainTheOtherWayReversesWithoutComparing) {
  Rows(5);
  TDgCustomColumn* col = grid->Columns()->Item(0);
  col->SetSortType(stCustom);
  int compared = 0;
  grid->OnCompare = [&](TObject*, TCell* a, TCell* b, int& c) {
    ++compared;
    c = b->AsInteger() - a->AsInteger(); // larger numbers first
  };
  int sorted = -1;
  grid->OnAfterSort = [&](TObject*, int c) { sorted = c; };
  FullRowSelection();
  grid->SelectCell(0, 1, true, TShiftState());
  grid->SortColumn(col, true);
  EXPECT_EQ(Names(), u"4 3 2 1 0");
  EXPECT_EQ(sorted, 0);
  EXPECT_EQ(SelectedName(), u"1");
  EXPECT_TRUE(grid->GetRowSelected(grid->SelectedRow()));
  int after_first = compared;
  EXPECT_GT(after_first, 0);
  grid->SortColumn(col, false);
  EXPECT_EQ(Names(), u"0 1 2 3 4");
  EXPECT_EQ(compared, after_first);
  EXPECT_EQ(SelectedName(), u"1");
  col->SetOptions(col->Options() + TColumnOptions{coFullResort});
  grid->SortColumn(col, true);
  EXPECT_GT(compared, after_first);
  EXPECT_EQ(Names(), u"4 3 2 1 0");
  // Without a handler every row compares equal: the order stays.
  grid->OnCompare = nullptr;
  grid->SortColumn(col, false);
  EXPECT_EQ(Names(), u"4 3 2 1 0");
  // A column that may not sort leaves the rows alone.
  col->SetOptions(col->Options() - TColumnOptions{coCanSort});
  col->SetSortType(stNumeric);
  grid->SortColumn(col, true);
  EXPECT_EQ(Names(), u"4 3 2 1 0");
}

// A sorted column given the sort type, kind or flag it has sorts nothing.
TEST_F(DataGrid, ASortedColumnGivenItsOwnSortSettingsSortsNothingAgain) {
  Rows(3);
  TDgCustomColumn* col = grid->Columns()->Item(0);
  int sorts = 0, after = 0;
  grid->OnSortColumn = [&](TObject*, int, bool) { ++sorts; };
  grid->OnAfterSort = [&](TObject*, int) { ++after; };
  col->SetSorted(true);
  ASSERT_EQ(after, 1);
  col->SetSortType(stAlphabetic);
  col->SetSortKind(skAscending);
  col->SetSorted(true);
  EXPECT_EQ(sorts, 1);
  EXPECT_EQ(after, 1);
  col->SetSortKind(skDescending);
  EXPECT_EQ(after, 2);
  EXPECT_EQ(Names(), u"2 1 0");
}

// a(a1, a2(a21)), b
struct TreeGrid : DataGrid {
  void SetUp() override {
    grid->AddRow(2);
    grid->AddChildRow(0, true);
    grid->AddChildRow(0, true);
    grid->AddChildRow(2, true);
    const char16_t* names[] = {u"a", u"a1", u"a2", u"a21", u"b"};
    for (int r = 0; r < 5; ++r) grid->SetCells(0, r, names[r]);
    changes.clear();
    data_changes.clear();
  }
};

TEST_F(TreeGrid, DeletingARowDeletesItsSubtree) {
  ASSERT_EQ(Names(), u"a a1 a2 a21 b");
  EXPECT_EQ(grid->ChildCount(0), 2);
  grid->DeleteRow(3);
  EXPECT_EQ(grid->ChildCount(2), 0); // the parent lost its child
  EXPECT_EQ(grid->ChildCount(0), 2);
  grid->DeleteRow(0);
  EXPECT_EQ(Names(), u"b");
  ASSERT_EQ(data_changes.size(), 2u);
  EXPECT_EQ(data_changes[1], std::make_tuple(dcDeleteRow, 0));
}

TEST_F(TreeGrid, SubtreesStayWithTheirParentsThroughSortsAndMoves) {
  TDgCustomColumn* col = grid->Columns()->Item(0);
  grid->SortColumn(col, false);
  EXPECT_EQ(Names(), u"b a a2 a21 a1");
  EXPECT_EQ(grid->ParentRow(3), 2);
  EXPECT_EQ(grid->ParentRow(4), 1);
  grid->SortColumn(col, true);
  EXPECT_EQ(Names(), u"a a1 a2 a21 b");
  // A subtree moves along its siblings, in one piece.
  grid->MoveRow(0, 4);
  EXPECT_EQ(Names(), u"b a a1 a2 a21");
  grid->MoveRow(3, 2);
  EXPECT_EQ(Names(), u"b a a2 a21 a1");
  grid->ExchangeRows(0, 1);
  EXPECT_EQ(Names(), u"a a2 a21 a1 b");
  // Across parents it is refused.
  grid->MoveRow(2, 4);
  grid->ExchangeRows(3, 4);
  EXPECT_EQ(Names(), u"a a2 a21 a1 b");
  EXPECT_EQ(grid->NextSibling(1), 3);
  EXPECT_EQ(grid->NextSibling(3), -1);
}

TEST_F(TreeGrid, CollapsingHidesTheSubtreeAndExpandingKeepsCollapsedChildren) {
  int expanded = -1;
  grid->OnExpand = [&](TObject*, int r) { expanded = r; };
  grid->SetExpanded(2, false);
  EXPECT_EQ(expanded, 2);
  EXPECT_FALSE(grid->GetRowVisible(3));
  grid->SetExpanded(0, false);
  EXPECT_EQ(grid->VisibleRowCount(), 2);
  grid->SetExpanded(0, true);
  EXPECT_TRUE(grid->GetRowVisible(2));
  EXPECT_FALSE(grid->GetRowVisible(3)); // a2 is still collapsed
  EXPECT_EQ(grid->VisibleRowCount(), 4);
  expanded = -1;
  grid->SetExpanded(4, false); // no children: nothing
  EXPECT_EQ(expanded, -1);
  // A child added under a collapsed row stays hidden.
  grid->AddChildRow(2, false);
  EXPECT_FALSE(grid->GetRowVisible(3));
  EXPECT_EQ(grid->ChildCount(2), 2);
}

// Hiding a row that its collapsed parent already hides is stored, so the
// row stays away when the parent opens; showing one there waits for it.
TEST_F(TreeGrid, ARowHiddenUnderACollapsedParentStaysHiddenWhenItExpands) {
  grid->SetExpanded(0, false);
  grid->SetRowVisible(1, false);
  grid->SetExpanded(0, true);
  EXPECT_FALSE(grid->GetRowVisible(1));
  EXPECT_TRUE(grid->GetRowVisible(2));
  EXPECT_EQ(grid->VisibleRowCount(), 4);
  grid->SetExpanded(0, false);
  grid->SetRowVisible(1, true);
  EXPECT_FALSE(grid->GetRowVisible(1));
  EXPECT_EQ(grid->VisibleRowCount(), 2);
  grid->SetExpanded(0, true);
  EXPECT_TRUE(grid->GetRowVisible(1));
  EXPECT_EQ(grid->VisibleRowCount(), 5);
  EXPECT_EQ(grid->LastVisibleRow(), 4);
}

TEST_F(DataGrid, FootersShowTheirFormulaOverTheRows) {
  TDgCustomColumn* col = grid->Columns()->Item(1);
  col->Footer()->SetFormulaKind(fkAverage);
  grid->RecalculateFooters(false);
  EXPECT_EQ(col->Footer()->Caption(), u"0"); // no rows
  Rows(3);
  grid->SetCells(1, 0, u"2");
  grid->SetCells(1, 1, u"нет");
  grid->SetCells(1, 2, u"5");
  grid->RecalculateFooters(false);
  EXPECT_EQ(col->Footer()->Caption(), DgCellText::Widen(FloatToStr(3.5)));
  col->Footer()->SetFormulaKind(fkCustom);
  grid->OnColumnFooterValue = [](TObject*, int c, double& v) { v = 10 + c; };
  grid->OnFooterCalculate = [](TObject*, int, double& v) { v *= 2; };
  grid->RecalculateFooters(true);
  EXPECT_EQ(col->Footer()->Caption(), u"22");
}

TEST_F(DataGrid, FootersFollowTheRowsAndTheirValues) {
  TDgCustomColumn* sum = grid->Columns()->Item(1);
  TDgCustomColumn* count = grid->Columns()->Item(0);
  sum->Footer()->SetFormulaKind(fkSum);
  count->Footer()->SetFormulaKind(fkCount);
  int counted = 0;
  grid->OnFooterCalculate = [&](TObject*, int c, double&) { counted += c == 1; };
  grid->AddRow(2);
  EXPECT_EQ(count->Footer()->Caption(), u"2");
  grid->SetCells(1, 0, u"4");
  grid->Cell(1, 1)->SetAsString(u"6");
  EXPECT_EQ(sum->Footer()->Caption(), u"10");
  grid->InsertRow(0);
  EXPECT_EQ(count->Footer()->Caption(), u"3");
  grid->SetCells(1, 0, u"1");
  EXPECT_EQ(sum->Footer()->Caption(), u"11");
  grid->DeleteRow(2);
  EXPECT_EQ(sum->Footer()->Caption(), u"5");
  grid->AddChildRow(0, true);
  EXPECT_EQ(count->Footer()->Caption(), u"3");
  grid->AddRowsQuiet(2);
  EXPECT_EQ(count->Footer()->Caption(), u"5");
  grid->ClearRows();
  EXPECT_EQ(sum->Footer()->Caption(), u"0");
  EXPECT_EQ(count->Footer()->Caption(), u"0");

  // Under the update lock, and for a new row's default values, they are
  // counted once, when the rows are whole.
  counted = 0;
  grid->BeginUpdate();
  grid->AddRow(3);
  for (int r = 0; r < 3; ++r) grid->SetCells(1, r, u"2");
  EXPECT_EQ(counted, 0);
  EXPECT_EQ(sum->Footer()->Caption(), u"0");
  grid->EndUpdate();
  EXPECT_EQ(counted, 1);
  EXPECT_EQ(sum->Footer()->Caption(), u"6");
  grid->SetOptions(grid->Options() + TGridOptions{goUseDefaultValues});
  sum->SetDefaultValue(u"3");
  count->SetDefaultValue(u"x");
  counted = 0;
  grid->AddRow(4);
  EXPECT_EQ(counted, 1);
  EXPECT_EQ(sum->Footer()->Caption(), u"18");

  // A handler that writes a cell while its footer is counted starts no
  // second count (nor an endless one).
  grid->OnFooterCalculate = [&](TObject*, int c, double&) {
    ++counted;
    if (c == 1) grid->SetCells(0, 0, u"y");
  };
  counted = 0;
  grid->SetCells(1, 0, u"0");
  EXPECT_EQ(counted, 2); // one count of both footers
  EXPECT_EQ(sum->Footer()->Caption(), u"16");
  // Sorting and moving rows leave the values as they are: nothing counted.
  counted = 0;
  grid->MoveRow(0, 3);
  grid->ExchangeRows(0, 1);
  EXPECT_EQ(counted, 0);
}

TEST_F(DataGrid, AGridWithoutFooterFormulasCountsNothing) {
  int counted = 0;
  grid->OnFooterCalculate = [&](TObject*, int, double&) { ++counted; };
  Rows(5);
  grid->SetCells(1, 2, u"7");
  grid->DeleteRow(0);
  grid->ClearRows();
  EXPECT_EQ(counted, 0);
  EXPECT_EQ(grid->Columns()->Item(1)->Footer()->Caption(), u"");
}

TEST_F(DataGrid, TheSelectionStaysOnItsRow) {
  Rows(6);
  FullRowSelection();
  grid->SelectCell(0, 2, true, TShiftState());
  grid->InsertRow(4); // below: nothing moves
  EXPECT_EQ(grid->SelectedRow(), 2);
  grid->InsertRow(0);
  EXPECT_EQ(SelectedName(), u"2");
  EXPECT_EQ(grid->SelectedRow(), 3);
  grid->DeleteRow(0);
  EXPECT_EQ(SelectedName(), u"2");
  grid->MoveRow(2, 5);
  EXPECT_EQ(SelectedName(), u"2");
  EXPECT_EQ(grid->Anchor(), grid->SelectedRow());
  grid->ExchangeRows(grid->SelectedRow(), 0);
  EXPECT_EQ(grid->SelectedRow(), 0);
  EXPECT_EQ(SelectedName(), u"2");
  // The selected row goes: the row taking its place is selected, and told so.
  std::vector<std::pair<int, int>> left, entered;
  grid->OnDeselectCell = [&](TObject*, int c, int r) { left.emplace_back(c, r); };
  grid->OnSelectCell = [&](TObject*, int c, int r) { entered.emplace_back(c, r); };
  WideString next = At(1);
  grid->DeleteRow(0);
  EXPECT_EQ(SelectedName(), next);
  EXPECT_TRUE(grid->GetRowSelected(0));
  EXPECT_EQ(left, (std::vector<std::pair<int, int>>{{0, 0}}));
  EXPECT_EQ(entered, (std::vector<std::pair<int, int>>{{0, 0}}));
  // ... or the new last one.
  grid->SelectCell(0, grid->RowCount() - 1, true, TShiftState());
  grid->DeleteRow(grid->RowCount() - 1);
  EXPECT_EQ(grid->SelectedRow(), grid->RowCount() - 1);
  grid->ClearRows();
  EXPECT_EQ(grid->SelectedRow(), -1);
  EXPECT_EQ(grid->Anchor(), -1);
  // Nothing selected stays so through an insert.
  Rows(2);
  grid->InsertRow(0);
  EXPECT_EQ(grid->SelectedRow(), -1);
}

// The grid with the canvas of a paint under way, as its painting has it.
struct PaintingGrid : TDataGrid {
  void Painting(TDgCanvas* c) { canvas_ = c; }
};

TEST(CellFormatting, TheHandlersColourAndStyleReachTheCanvasFont) {
  TFakeGridHost host;
  auto grid = std::make_unique<PaintingGrid>();
  grid->Columns()->Add(new TDgTextColumn(nullptr));
  grid->Columns()->Item(0)->Font()->SetStyle(TFontStyles{fsItalic});
  host.Attach(grid.get());
  grid->AddRow(2);
  TDgRecordingCanvas canvas(50, 50);
  grid->Painting(&canvas);
  // Without a handler: the text colour prepared for the cell, the cell's
  // own style, bold added for a bold selection.
  grid->DrawCellText(0, 1, TCellState{csBoldTextSelection});
  grid->CellFormatting(0, 1, TCellState{csBoldTextSelection});
  EXPECT_EQ(canvas.CurrentFont().Color(), grid->GetCellTextColor(0, 1));
  EXPECT_EQ(canvas.CurrentFont().Style(), (TFontStyles{fsItalic, fsBold}));
  grid->DrawCellText(0, 1, TCellState());
  grid->CellFormatting(0, 1, TCellState());
  EXPECT_EQ(canvas.CurrentFont().Style(), TFontStyles{fsItalic});
  std::vector<std::pair<int, int>> asked;
  grid->OnCellFormating = [&](TObject*, int c, int r, TColor& color, TFontStyles& style,
                              TCellState) {
    asked.emplace_back(c, r);
    if (r == 0) color = clRed;
    style = TFontStyles{fsUnderline};
  };
  grid->DrawCellText(0, 0, TCellState());
  grid->CellFormatting(0, 0, TCellState());
  EXPECT_EQ(canvas.CurrentFont().Color(), clRed);
  EXPECT_EQ(canvas.CurrentFont().Style(), TFontStyles{fsUnderline});
  grid->DrawCellText(0, 1, TCellState());
  grid->CellFormatting(0, 1, TCellState());
  EXPECT_EQ(canvas.CurrentFont().Color(), grid->GetCellTextColor(0, 1));
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}}));
  grid->Painting(nullptr);
  grid->SetHost(nullptr);
}

TEST_F(DataGrid, APaintDrawsEachCellTextInItsFormattedColour) {
  Rows(3);
  grid->SetCells(1, 1, u"красный");
  grid->SetCells(1, 2, u"синий");
  grid->OnCellFormating = [](TObject*, int c, int r, TColor& color, TFontStyles&, TCellState) {
    if (c == 1 && r == 1) color = clRed;
    if (c == 1 && r == 2) color = clBlue;
  };
  TDgRecordingCanvas canvas(250, 150);
  grid->Paint(canvas, TRect{0, 0, 250, 150});
  std::map<WideString, TColor> drawn;
  for (const TDgCall& c : canvas.CallsOf("Text")) drawn[c.Text] = c.Color;
  ASSERT_EQ(drawn.count(u"красный"), 1u);
  EXPECT_EQ(drawn[u"красный"], clRed);
  EXPECT_EQ(drawn[u"синий"], clBlue);
  EXPECT_EQ(drawn[u"0"], grid->GetCellTextColor(0, 0));
}

TEST_F(DataGrid, OtherThreadsAreTurnedAway) {
  Rows(1);
  bool refused = false;
  std::thread t([&] {
    try {
      grid->AddRow(1);
    } catch (const EGridThreadError&) { refused = true; }
  });
  t.join();
  EXPECT_TRUE(refused);
  EXPECT_EQ(grid->RowCount(), 1);
}

} // namespace
