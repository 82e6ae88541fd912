// The cell store's rows and columns: random sequences of row and column
// operations keep every list in step, the visible count equal to the rows
// drawn, and every cell on its own place; tree counts; column changes.
#include <gtest/gtest.h>

#include <random>

#include "grid/tests/cell_fixture.h"

namespace {

using namespace DgCellKind;

// Every list holds RowCount items in step, each cell knows its place, each
// row its index, and the visible count is the number of drawn rows.
void ExpectConsistent(Store& s) {
  TCells& c = *s.cells;
  ASSERT_EQ(c.ColumnCount(), s.cols->Count());
  int drawn = 0;
  for (int r = 0; r < c.RowCount(); ++r) {
    ASSERT_EQ(c.Row(r)->Index(), r);
    ASSERT_EQ(c.IndexOfRow(c.Row(r)), r);
    drawn += c.Row(r)->Drawn();
    for (int col = 0; col < c.ColumnCount(); ++col) {
      TCell* cell = c.Cell(col, r);
      ASSERT_EQ(cell->Col(), col);
      ASSERT_EQ(cell->RowIndex(), r);
    }
  }
  ASSERT_EQ(c.VisibleCount(), drawn);
}

TEST(CellStore, RandomRowAndColumnOperationsKeepEveryListInStep) {
  std::mt19937 rng(20261209);
  for (int round = 0; round < 30; ++round) {
    Store s;
    s.Add(Text);
    s.Add(Integer);
    for (int step = 0; step < 200; ++step) {
      int n = s.cells->RowCount();
      auto pick = [&](int m) { return static_cast<int>(rng() % static_cast<unsigned>(m)); };
      switch (pick(12)) {
        case 0: s.cells->AddRows(pick(4)); break;
        case 1: s.cells->InsertRow(pick(n + 1)); break;
        case 2:
          if (n) s.cells->InsertChildRow(pick(n), pick(n + 1));
          break;
        case 3:
          if (n) s.cells->DeleteRow(pick(n));
          break;
        case 4:
          if (n) s.cells->MoveRow(pick(n), pick(n));
          break;
        case 5:
          if (n) s.cells->ExchangeRows(pick(n), pick(n));
          break;
        case 6:
          if (n) s.cells->SetShown(pick(n), pick(2) == 0);
          break;
        case 7:
          if (n) s.cells->SetVisible(pick(n), pick(2) == 0);
          break;
        case 8:
          if (s.cols->Count() < 6) s.Add(static_cast<uint8_t>(pick(12)));
          break;
        case 9:
          if (s.cols->Count() > 1) delete s.cols->Item(pick(s.cols->Count()));
          break;
        case 10:
          if (s.cols->Count() > 1) {
            // Moving a column in the index order moves its list along.
            int a = pick(s.cols->Count()), b = pick(s.cols->Count());
            TCell* cell = n ? s.At(a, 0) : nullptr;
            s.cells->ColumnsChanged(4, a, b);
            if (cell) { ASSERT_EQ(s.At(b, 0), cell); }
            // The collection kept its order: put the list back.
            s.cells->ColumnsChanged(4, b, a);
          }
          break;
        case 11:
          if (n) s.cells->Sort(pick(s.cols->Count()), stAlphabetic, pick(2) == 0, pick(2) == 0);
          break;
      }
      ExpectConsistent(s);
      if (HasFatalFailure()) return;
    }
  }
}

TEST(CellStore, DeletingAHiddenRowKeepsTheVisibleCount) {
  Store s;
  s.Add(Text);
  s.cells->AddRows(3);
  s.cells->SetShown(1, false);
  s.cells->SetVisible(1, false); // both flags off: one row less drawn, not two
  EXPECT_EQ(s.cells->VisibleCount(), 2);
  s.cells->SetShown(1, true);
  EXPECT_EQ(s.cells->VisibleCount(), 2);
  s.cells->SetShown(1, false);
  s.cells->DeleteRow(1); // visible flag set, but it was not drawn
  EXPECT_EQ(s.cells->VisibleCount(), 2);
  EXPECT_EQ(s.cells->RowCount(), 2);
}

TEST(CellStore, TreeRowsAndTheirCounts) {
  Store s;
  s.Add(Text);
  s.cells->AddRows(2);
  s.cells->InsertChildRow(0, 1); // child of row 0
  s.cells->InsertChildRow(1, 2); // grandchild
  s.cells->InsertChildRow(0, 3); // second child of row 0
  // Rows: 0 (level 0), 1 (1), 2 (2), 3 (1), 4 (0)
  EXPECT_EQ(s.cells->Row(2)->Level, 2);
  EXPECT_EQ(s.cells->Row(2)->Parent, s.cells->Row(1));
  EXPECT_EQ(s.cells->Row(0)->ChildCount, 2);
  EXPECT_EQ(s.cells->DescendantCount(0), 3);
  EXPECT_EQ(s.cells->ChildCount(0), 2);
  EXPECT_EQ(s.cells->DescendantCount(4), 0);
  // A child of a collapsed row, and below it, is not drawn.
  s.cells->Row(1)->Expanded = false;
  s.cells->InsertChildRow(1, 2);
  EXPECT_FALSE(s.cells->Row(2)->Shown);
  s.cells->SetShown(1, false);
  s.cells->Row(1)->Expanded = true;
  s.cells->InsertChildRow(1, 2); // parent expanded but itself hidden
  EXPECT_FALSE(s.cells->Row(2)->Drawn());
  ExpectConsistent(s);
  s.cells->DeleteRow(1);
  EXPECT_EQ(s.cells->Row(1)->Parent, nullptr); // no pointer to a freed row
}

TEST(CellStore, LosingTheLastColumnFreesTheRows) {
  Store s;
  KindColumn* only = s.Add(Text);
  s.cells->AddRows(4);
  delete only;
  EXPECT_EQ(s.cells->RowCount(), 0);
  EXPECT_EQ(s.cells->VisibleCount(), 0);
  s.Add(Text);
  s.cells->AddRows(2);
  s.cells->ColumnsChanged(2 + 128, -1, -1); // cleared (kind taken mod 128)
  EXPECT_EQ(s.cells->RowCount(), 0);
  EXPECT_EQ(s.cells->ColumnCount(), 0);
  s.cells->ColumnsChanged(77, 0, 0); // unknown kinds do nothing
}

TEST(CellStore, DeletingAColumnShiftsTheOthers) {
  Store s;
  s.Add(Text);
  KindColumn* mid = s.Add(Integer);
  s.Add(Boolean);
  s.cells->AddRows(2);
  s.At(2, 1)->SetAsBoolean(true);
  delete mid;
  EXPECT_EQ(s.cells->ColumnCount(), 2);
  EXPECT_TRUE(s.At(1, 1)->AsBoolean());
  EXPECT_EQ(s.At(1, 1)->Col(), 1);
}

TEST(CellStore, The1026thColumnIsRefusedBeforeAnythingChanges) {
  Store s;
  for (int i = 0; i < TDgColumns::MaxColumns; ++i) s.Add(Text);
  s.cells->AddRows(1);
  auto* extra = new KindColumn(Text);
  EXPECT_THROW(s.cols->Add(extra), EListError);
  EXPECT_EQ(s.cols->Count(), TDgColumns::MaxColumns);
  EXPECT_EQ(s.cells->ColumnCount(), TDgColumns::MaxColumns);
  EXPECT_THROW(s.cells->ColumnsChanged(3, 0, -1), EListError);
  EXPECT_EQ(s.cells->ColumnCount(), TDgColumns::MaxColumns);
  delete extra;
}

TEST(CellStore, NewRowsTakeTheDefaultHeight) {
  Store s;
  s.Add(Text);
  s.cells->AddRows(1);
  s.cells->DefaultRowHeight = 30;
  s.cells->AddRows(1);
  s.cells->InsertRow(0);
  EXPECT_EQ(s.cells->Row(0)->Height, 30);
  EXPECT_EQ(s.cells->Row(1)->Height, 16);
  EXPECT_EQ(s.cells->Row(2)->Height, 30);
  s.cells->ClearRows();
  EXPECT_EQ(s.cells->RowCount(), 0);
  EXPECT_EQ(s.cells->ColumnCount(), 1);
}

} // namespace
