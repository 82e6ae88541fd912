// The core's own steps of the row operations (the data class does the rest)
// and the row queries it answers itself (see DgCustomGridControl.h).
#include <algorithm>

#include "grid/DgCustomGridControl.h"
#include "grid/DgFlagScope.h"

int TDgCustomGridControl::DisplayRowCount() {
  return RowCount() > 0 && columns_->Count() > 0 ? VisibleRowCount() : 0;
}

TColor TDgCustomGridControl::GetCellColor(int ACol, int ARow) {
  return ValidColumn(ACol) ? columns_->Item(ACol)->Color() : clWindow;
}

void TDgCustomGridControl::ApplyEditText(const WideString& Value) {
  if (ValidColumn(edit_col_) && ValidRow(edit_row_)) SetCells(edit_col_, edit_row_, Value);
}

void TDgCustomGridControl::FootersChanged() {
  if (update_lock_ > 0 || footers_held_) {
    footers_stale_ = true;
    return;
  }
  footers_stale_ = false;
  // Only formulas are counted: a grid without them pays one look per column.
  for (int i = 0, n = columns_->Count(); i < n; ++i)
    if (columns_->Item(i)->Footer()->FormulaKind() != fkNone) {
      // A footer's handler that writes a cell does not start another count.
      const TDgFlagScope counting(footers_held_, *this);
      RecalculateFooters(false);
      return;
    }
}

void TDgCustomGridControl::HoldFooters(bool Hold) {
  footers_held_ = Hold;
  if (!Hold && footers_stale_) FootersChanged();
}

void TDgCustomGridControl::SetRowHeight(int ARow, int Height) {
  CheckThread();
  // A negative height has no meaning on screen (0 already hides a row).
  if (!ValidRow(ARow) || Height < 0) return;
  DoChangeRowHeight(ARow, Height);
}

void TDgCustomGridControl::SetRowVisible(int ARow, bool Visible) {
  CheckThread();
  if (!ValidRow(ARow)) return;
  // The data class may store the flag before or after this step: a bound
  // counts only while it stands on another visible row.
  auto holds = [&](int r) { return ValidRow(r) && r != ARow && GetRowVisible(r); };
  if (Visible) {
    first_visible_row_ = holds(first_visible_row_) ? std::min(first_visible_row_, ARow) : ARow;
    last_visible_row_ = holds(last_visible_row_) ? std::max(last_visible_row_, ARow) : ARow;
    return;
  }
  const int count = RowCount();
  if (first_visible_row_ == ARow) {
    int r = ARow;
    while (r < count && (r == ARow || !GetRowVisible(r))) ++r;
    first_visible_row_ = r < count ? r : 0;
  }
  if (last_visible_row_ >= ARow) {
    int r = std::min(last_visible_row_, count - 1);
    while (r >= 0 && (r == ARow || !GetRowVisible(r))) --r;
    last_visible_row_ = r >= 0 ? r : 0;
  }
}

// The edit ends first; its OnEditExit may free the grid, and the callers
// that go on after these steps check their own life token.
void TDgCustomGridControl::ClearRows() {
  CheckThread();
  if (!EndEditSurvived()) return;
  top_row_ = 0;
  selected_column_ = 0;
  selected_row_ = -1;
  anchor_ = -1;
  multi_select_ = false;
  first_visible_row_ = last_visible_row_ = 0;
}

void TDgCustomGridControl::DeleteRow(int ARow) {
  CheckThread();
  EndEdit();
}

void TDgCustomGridControl::InsertRow(int Pos) {
  CheckThread();
  if (!EndEditSurvived()) return;
  if (Pos >= 0 && Pos < first_visible_row_) first_visible_row_ = Pos;
  if (host_ && host_->VertScrollBar().Position() == 0) top_row_ = first_visible_row_;
}

void TDgCustomGridControl::MoveRow(int FromRow, int ToRow) {
  CheckThread();
  InvalidateAll();
  EndEdit();
}
