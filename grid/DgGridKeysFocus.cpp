// The grid and the focus, the scroll messages, the size and the wheel: what
// keeps the editing and the selection right when the window's state moves
// (see DgCustomGrid.h).
#include <cstdlib>

#include "grid/DgCustomGrid.h"

void TDgCustomGrid::FocusEnter() {
  CheckThread();
  RepaintRegion(DgRegion::Indicator);
  if (RowCount() > 0)
    RepaintSelection();
  else if (Options().Contains(goInput))
    SetInputFocus(true);
}

void TDgCustomGrid::FocusExit() {
  CheckThread();
  if (host_) host_->HideHint();
  // A press given up reselects its row, whose handlers may free the grid.
  if (!CancelMouseStates(true)) return;
  RepaintSelection();
  if (hot_column_) {
    hot_column_ = nullptr;
    RepaintRegion(DgRegion::Header);
  }
  // Into the editor or out of the grid: known once the change is over.
  CheckFocusLeft();
}

void TDgCustomGrid::AppDeactivated() {
  CheckThread();
  if (CancelMouseStates(true)) RepaintSelection();
}

void TDgCustomGrid::HandlePosted(int Msg, intptr_t W, intptr_t L) {
  if (Msg == PostedFocusCheck) return FocusLeft();
  TDgCustomGridControl::HandlePosted(Msg, W, L);
}

void TDgCustomGrid::ScrollMessage(bool Vertical) {
  CheckThread();
  if (!Vertical) {
    EndEdit();
    return;
  }
  UpdateVertScrollBar();
  if (cell_editing_ || input_editing_) EndEdit();
}

void TDgCustomGrid::Resized() {
  const TLifeToken life = LifeToken();
  TDgCustomGridControl::Resized();
  if (life && cell_editing_) EndEdit();
}

namespace {
// The bar can move: its range is wider than its page.
bool HasRange(const TDgScrollBar& Bar) { return Bar.Max() > 0 && Bar.Max() >= Bar.PageSize(); }
} // namespace

bool TDgCustomGrid::MouseWheel(int Delta, TShiftState Shift, const TPoint& Pos) {
  CheckThread();
  if (cell_editing_ || !host_ || Delta == 0) return false;
  TDgScrollBar& v = host_->VertScrollBar();
  TDgScrollBar& h = host_->HorzScrollBar();
  const bool page = Shift.Contains(ssCtrl), report = GridStyle() == gsReport;
  const int notches = std::max(1, std::abs(Delta) / 120);
  bool moved = false;
  for (int i = 0; i < notches; ++i) {
    if (Delta < 0) {
      if (HasRange(v) && !v.IsLast()) {
        if (page)
          v.PageDown();
        else
          v.LineDown();
      } else if (report && HasRange(h) && !v.Visible()) {
        if (page)
          h.PageDown();
        else
          h.LineDown();
      } else {
        break;
      }
    } else {
      if (HasRange(v)) {
        if (page)
          v.PageUp();
        else
          v.LineUp();
      } else if (report && HasRange(h)) {
        if (page)
          h.PageUp();
        else
          h.LineUp();
      } else {
        break;
      }
    }
    moved = true;
  }
  return moved;
}
