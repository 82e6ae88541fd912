// The focused cell, the selected rows and the selection anchor (see
// DgCustomGridControl.h).
#include <algorithm>

#include "grid/DgCustomGridControl.h"
#include "grid/DgScrollBar.h"

bool TDgCustomGridControl::CanSelectCell(int ACol, int ARow) {
  bool accept = true;
  if (OnBeforeSelect) OnBeforeSelect(this, ACol, ARow, accept);
  return accept;
}

int TDgCustomGridControl::SelectedCount() {
  const int count = RowCount();
  int n = 0;
  for (int r = 0; r < count; ++r)
    if (GetRowSelected(r)) ++n;
  return n;
}

void TDgCustomGridControl::ClearSelection() {
  CheckThread();
  const int count = RowCount();
  for (int r = 0; r < count; ++r)
    if (GetRowSelected(r)) SetRowSelected(r, false);
}

void TDgCustomGridControl::SetInputFocus(bool Focus) {
  if (Focus == input_focus_) return;
  input_focus_ = Focus;
  if (Focus) {
    if (ValidRow(selected_row_)) SetRowSelected(selected_row_, false);
  } else if (!EndEditSurvived()) {
    return;
  }
  RepaintRegion(DgRegion::Input);
  RepaintRegion(DgRegion::Indicator);
  RepaintRow(selected_row_);
}

void TDgCustomGridControl::SelectCell(int ACol, int ARow, bool ClearMulti, TShiftState Shift) {
  CheckThread();
  // A row the grid does not have is never stored (an empty grid keeps -1).
  if (ARow < -1 || ARow >= RowCount()) return;
  // Every handler below may free the grid: nothing of it is touched then.
  const TLifeToken life = LifeToken();
  if (!CanSelectCell(ACol, ARow) || !life) return;
  const bool shift = Shift.Contains(ssShift), ctrl = Shift.Contains(ssCtrl);
  if (multi_select_ && ClearMulti && !shift && !ctrl) {
    BeginUpdate();
    ClearSelection();
    multi_select_ = false;
    selected_row_ = -1;
    selected_column_ = 0;
    EndUpdate();
  }
  if (!ValidColumn(ACol) || !columns_->Item(ACol)->Enabled()) return;

  const int old_col = selected_column_, old_row = selected_row_;
  selected_column_ = ACol;
  selected_row_ = ARow;
  const bool cell_changed = old_col != ACol || old_row != ARow;
  const bool row_changed = old_row != ARow;
  if (cell_changed) {
    if (ValidColumn(old_col) && ValidRow(old_row)) DoDeselectCell(old_col, old_row);
    if (!life) return;
    if (cell_editing_) EndEdit();
    if (!life) return;
  }
  if (auto_scroll_ && ValidRow(ARow)) ScrollToRow(ARow);

  if (input_focus_) {
    if (old_col != ACol) {
      // The handler may free a column and move the others: both are found
      // again by identity.
      TDgCustomColumn* now = columns_->Item(ACol);
      TDgCustomColumn* before = ValidColumn(old_col) ? columns_->Item(old_col) : nullptr;
      DoInputSelectCell(ACol);
      if (!life) return;
      if (columns_->IndexOf(now) >= 0) RepaintColumn(now, DgRegion::Input);
      if (before && columns_->IndexOf(before) >= 0) RepaintColumn(before, DgRegion::Input);
    }
    return;
  }
  if (RowCount() == 0) return;

  if (!options_.Contains(goSelectFullRow)) {
    if (cell_changed) {
      if (row_changed) {
        if (grid_style_ == gsReport) {
          RepaintIndicatorCell(ARow);
          RepaintIndicatorCell(old_row);
        } else {
          RepaintRow(ARow);
          RepaintRow(old_row);
        }
      }
      RepaintCell(ACol, ARow);
      if (ValidColumn(old_col)) RepaintCell(old_col, old_row);
    }
    DoSelectCell(ACol, ARow);
    return;
  }

  if (options_.Contains(goMultiSelect) && ValidRow(ARow) && (ctrl || shift)) {
    multi_select_ = true;
    if (ctrl && !shift) {
      anchor_ = ARow;
      SetRowSelected(ARow, !GetRowSelected(ARow));
      RepaintRow(ARow);
      if (row_changed) RepaintRow(old_row);
    } else {
      // Shift with no anchor yet starts the range at the target row.
      if (!ValidRow(anchor_)) anchor_ = ARow;
      const int from = std::min(anchor_, ARow), to = std::max(anchor_, ARow);
      if (!ctrl) {
        const int count = RowCount();
        for (int r = 0; r < count; ++r)
          if ((r < from || r > to) && GetRowSelected(r)) SetRowSelected(r, false);
      }
      SelectRowRange(from, to, true);
      if (update_lock_ == 0) RepaintRegion(DgRegion::Cells);
    }
    DoSelectCell(ACol, ARow);
    return;
  }

  if (!row_changed) {
    if (old_col != ACol && appearance_options_.Contains(aoIndicateSelectedCell)) {
      RepaintCell(ACol, ARow);
      if (ValidColumn(old_col)) RepaintCell(old_col, ARow);
    }
  } else if (!multi_select_ && ValidRow(old_row)) {
    SetRowSelected(old_row, false);
  }
  if (ValidRow(ARow)) SetRowSelected(ARow, true);
  anchor_ = ARow;
  if (update_lock_ == 0) {
    RepaintRow(ARow);
    if (row_changed) RepaintRow(old_row);
    RepaintIndicatorCell(ARow);
    if (row_changed) RepaintIndicatorCell(old_row);
  }
  DoSelectCell(ACol, ARow);
}

void TDgCustomGridControl::SetSelectedRow(int ARow) {
  CheckThread();
  if (RowCount() <= 0 || ARow < -1 || ARow > RowCount() - 1) return;
  const TLifeToken life = LifeToken();
  SetInputFocus(false);
  if (!life) return;
  SelectCell(selected_column_, ARow, true, TShiftState());
}

// The first or the last visible row, with the vertical bar at that end.
void TDgCustomGridControl::SelectEndRow(bool Last, TShiftState Shift) {
  CheckThread();
  const TLifeToken life = LifeToken();
  SetInputFocus(false);
  if (!life || RowCount() == 0) return;
  SelectCell(selected_column_, Last ? LastVisibleRow() : FirstVisibleRow(), true, Shift);
  if (!life || !host_) return;
  if (Last)
    host_->VertScrollBar().Last();
  else
    host_->VertScrollBar().First();
}

void TDgCustomGridControl::SelectFirstRow(TShiftState Shift) { SelectEndRow(false, Shift); }
void TDgCustomGridControl::SelectLastRow(TShiftState Shift) { SelectEndRow(true, Shift); }
