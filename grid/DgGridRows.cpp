// TDataGrid: adding, inserting, deleting, moving and swapping rows, the
// start row count and the pixels that follow a row appearing or going
// (see DgGrid.h).
#include <algorithm>

#include "grid/DgFlagScope.h"
#include "grid/DgGrid.h"
#include "grid/DgRowBook.h"

using namespace DgRows;

void TDataGrid::FillDefaultValues(int FromRow, int ToRow) {
  if (!Options().Contains(goUseDefaultValues)) return;
  // OnChange may free the grid: the callers check their own token too.
  const TLifeToken life = LifeToken();
  // The footers are counted once, by the caller, when the rows are whole.
  const TDgFlagScope hold(footers_held_, *this);
  for (int r = FromRow; r <= ToRow; ++r)
    for (int c = 0, n = Columns()->Count(); c < n; ++c) {
      const WideString& v = Columns()->Item(c)->DefaultValue();
      if (!v.empty()) SetCells(c, r, v);
      if (!life) return;
    }
}

int TDataGrid::AddRow(int Count) {
  CheckThread();
  if (Count < 1) return last_added_;
  const int old = RowCount();
  const bool none_drawn = VisibleRowCount() == 0;
  cells_->AddRows(Count);
  // OnChange and OnDataChange may free the grid: the index of the last new
  // row is still the answer.
  const TLifeToken life = LifeToken();
  FillDefaultValues(old, RowCount() - 1);
  if (!life) return old + Count - 1;
  if (UpdateLock() == 0) {
    // With framed lines the old last row loses its closing frame line.
    bool framed =
        GridLinesStyle() == lsFramed && Options().Contains(goGrid) && RowCount() > 1 && old > 0;
    InvalidateRowsFrom(framed ? old - 1 : old, RowCount() - 1, true);
  }
  last_added_ = RowCount() - 1;
  last_visible_row_ = RowCount() - 1;
  if (none_drawn) first_visible_row_ = old;
  if (UpdateLock() == 0) UpdateVertScrollBar();
  const int last = last_added_;
  FootersChanged();
  if (!life) return last;
  DoDataChange(dcAddRow, last);
  return life ? last_added_ : last;
}

void TDataGrid::AddRowsQuiet(int Count) {
  CheckThread();
  if (Count < 1) return;
  const int old = RowCount();
  const bool none_drawn = VisibleRowCount() == 0;
  cells_->AddRows(Count);
  last_added_ = RowCount() - 1;
  last_visible_row_ = RowCount() - 1;
  if (none_drawn) first_visible_row_ = old;
  const TLifeToken life = LifeToken();
  FootersChanged();
  if (!life || UpdateLock() > 0) return;
  InvalidateAll();
  UpdateVertScrollBar();
}

void TDataGrid::ClearRows() {
  CheckThread();
  const TLifeToken life = LifeToken();
  TDgCustomGrid::ClearRows();
  if (!life) return;
  cells_->ClearRows();
  selected_row_ = -1;
  anchor_ = -1;
  top_row_ = first_visible_row_ = last_visible_row_ = 0;
  if (UpdateLock() == 0) {
    RepaintRegion(DgRegion::Cells);
    RepaintRegion(DgRegion::Indicator);
  }
  UpdateHorzScrollBar();
  UpdateVertScrollBar();
  FootersChanged();
}

void TDataGrid::SettleScroll() {
  if (UpdateLock() > 0) return;
  // The bar follows the rows; when that moves the top row (rows gone from
  // the end leave room for rows above), what is drawn is stale.
  const int before = top_row_;
  UpdateVertScrollBar();
  if (before != top_row_) InvalidateAll();
}

void TDataGrid::InsertRow(int Pos) {
  CheckThread();
  // A place past the last row appends.
  if (Pos < 0 || Pos > RowCount()) return;
  const int top = top_row_;
  const bool at_start = !Host() || Host()->VertScrollBar().Position() == 0;
  const TLifeToken life = LifeToken();
  TDgCustomGrid::InsertRow(Pos);
  if (!life) return;
  last_added_ = Pos;
  cells_->InsertRow(Pos);
  // The selection stays on its row, which moves down only when the new row
  // comes above it: one row on in every case would focus another row.
  FollowRows([&](int i) { return AfterInsert(i, Pos); });
  // Rows on screen stay where they are unless the new row is the first one
  // drawn at the top of a grid scrolled to its start.
  if (Pos < top)
    top_row_ = at_start ? Pos : top + 1;
  else
    top_row_ = top;
  RecountVisibleRows();
  if (UpdateLock() == 0) {
    RowSpaceChanged(Pos, StyleRowHeight(Pos), true);
    SettleScroll();
  }
  FootersChanged();
  if (!life) return;
  DoDataChange(dcInsertRow, Pos);
}

void TDataGrid::DeleteRow(int ARow) {
  CheckThread();
  if (!ValidRow(ARow)) return;
  // OnEditExit, OnDeselectCell and OnSelectCell may free the grid.
  const TLifeToken life = LifeToken();
  TDgCustomGrid::DeleteRow(ARow);
  if (!life || !ValidRow(ARow)) return;
  DeleteBlock(ARow, SubtreeSize(*cells_, ARow));
  if (!life) return;
  FootersChanged();
  if (!life) return;
  DoDataChange(dcDeleteRow, ARow);
}

void TDataGrid::DeleteBlock(int First, int Count) {
  TRow* row = cells_->Row(First);
  if (row->Parent && cells_->IndexOfRow(row->Parent) >= 0) row->Parent->ChildCount--;
  row->ChildCount = 0;
  // The pixels the block takes on screen.
  int pixels = 0;
  for (int r = First; r < First + Count; ++r) pixels += RowPitch(r);
  const bool selected_goes = selected_row_ >= First && selected_row_ < First + Count;
  const int column = SelectedColumn();
  const TLifeToken life = LifeToken();
  // The focused cell is left while its row still exists.
  if (selected_goes) DoDeselectCell(column, selected_row_);
  if (!life) return;
  if (!ValidRow(First) || cells_->Row(First) != row) return; // a handler changed the rows
  for (int r = First + Count - 1; r >= First; --r) cells_->DeleteRow(r);
  const int count = RowCount();
  bool gone = false;
  int replacement = AfterDelete(selected_row_, First, Count, count, &gone);
  if (anchor_ >= 0) anchor_ = AfterDelete(anchor_, First, Count, count);
  top_row_ = count == 0 ? 0 : AfterDelete(top_row_, First, Count, count);
  RecountVisibleRows();
  if (Count > 1 && UpdateLock() == 0)
    InvalidateAll();
  else if (pixels > 0 && UpdateLock() == 0)
    RowSpaceChanged(First, pixels - RowSpacing(), false);
  if (gone) {
    // The row taking its place (or the new last one) takes the focus.
    selected_row_ = -1;
    // A refused selection (a handler, a disabled column) leaves none.
    if (replacement >= 0) SelectCell(column, replacement, false, TShiftState());
    if (!life) return;
  } else {
    selected_row_ = replacement;
  }
  SettleScroll();
}

void TDataGrid::MoveRow(int FromRow, int ToRow) {
  CheckThread();
  if (!ValidRow(FromRow) || !ValidRow(ToRow) || FromRow == ToRow) return;
  // A row moves with its whole subtree, and only among its siblings: a row
  // moved alone would leave its children under a foreign parent.
  if (!Siblings(*cells_, FromRow, ToRow)) return;
  const TLifeToken life = LifeToken();
  TDgCustomGrid::MoveRow(FromRow, ToRow); // OnEditExit may free the grid
  if (!life || !ValidRow(FromRow) || !ValidRow(ToRow)) return;
  const int from_size = SubtreeSize(*cells_, FromRow), to_size = SubtreeSize(*cells_, ToRow);
  const int top = top_row_;
  if (from_size == 1 && to_size == 1) {
    cells_->MoveRow(FromRow, ToRow);
    FollowRows([&](int i) { return AfterMove(i, FromRow, 1, ToRow); });
  } else {
    // Moving down, the block goes after the target's subtree.
    const int start = ToRow > FromRow ? ToRow + to_size - from_size : ToRow;
    cells_->Reorder(MoveOrder(RowCount(), FromRow, from_size, start), false);
    FollowRows([&](int i) { return AfterMove(i, FromRow, from_size, start); });
  }
  // The view keeps its place; the whole grid was repainted by the core.
  top_row_ = top;
  RecountVisibleRows();
  if (UpdateLock() == 0) UpdateVertScrollBar();
}

void TDataGrid::ExchangeRows(int Row1, int Row2) {
  CheckThread();
  if (!ValidRow(Row1) || !ValidRow(Row2) || Row1 == Row2) return;
  // Swapped with their subtrees, as a move carries them.
  if (!Siblings(*cells_, Row1, Row2)) return;
  const int a = std::min(Row1, Row2), b = std::max(Row1, Row2);
  const int size_a = SubtreeSize(*cells_, a), size_b = SubtreeSize(*cells_, b);
  if (size_a == 1 && size_b == 1) {
    // Rows of unlike heights (or one hidden) move the rows between them.
    const bool same_space = RowPitch(a) == RowPitch(b);
    cells_->ExchangeRows(a, b);
    FollowRows([&](int i) { return i == a ? b : (i == b ? a : i); });
    if (UpdateLock() == 0 && same_space) {
      RepaintRow(a);
      RepaintRow(b);
    } else if (UpdateLock() == 0) {
      InvalidateAll();
    }
  } else {
    cells_->Reorder(SwapOrder(RowCount(), a, size_a, b, size_b), false);
    FollowRows([&](int i) { return AfterSwap(i, a, size_a, b, size_b); });
    if (UpdateLock() == 0) InvalidateAll();
  }
  RecountVisibleRows();
  SettleScroll();
}

void TDataGrid::SetStartRowCount(int Value) {
  CheckThread();
  if (Value == start_row_count_ || Value < 0) return;
  // OnDataChange and the selection's handlers may free the grid.
  const TLifeToken life = LifeToken();
  if (start_row_count_ < Value) {
    AddRow(Value - start_row_count_);
  } else {
    const int n = std::min(start_row_count_, RowCount());
    for (int k = n; k > Value && life; --k) DeleteRow(0);
  }
  if (!life) return;
  start_row_count_ = Value;
  InvalidateAll();
}

void TDataGrid::RowSpaceChanged(int ARow, int Height, bool Appeared) {
  if (!CanRepaint() || UpdateLock() > 0) return;
  const TRect area = CellAreaRect();
  if (GridStyle() == gsSlides || VisibleRowCount() == 0) {
    InvalidateArea(TRect{0, area.Top, ClientWidth(), area.Bottom});
    return;
  }
  // A row above the top changes nothing drawn (the top row followed its row).
  int top;
  if (ARow < TopRow() || !TopOnScreen(ARow, top)) return;
  const int pitch = Height + RowSpacing();
  if (pitch <= 0) return;
  const TRect below{0, top - LineTop(), ClientWidth(), area.Bottom};
  if (below.Bottom <= below.Top) return;
  Host()->ScrollPixels(0, Appeared ? pitch : -pitch, below);
}
