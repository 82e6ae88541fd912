// Keyboard, in-place editing and the input line of the grid.
// Placeholder bodies until the keyboard and editing land.
#include "grid/DgCustomGrid.h"

void TDgCustomGridControl::HookEditor() {}
bool TDgCustomGridControl::ApplyEdit() { return true; }
void TDgCustomGridControl::AddInputRow() {}
void TDgCustomGridControl::RepositionEditor() {}

void TDgCustomGridControl::EndEdit() {
  cell_editing_ = false;
  input_editing_ = false;
  edit_col_ = edit_row_ = -1;
  input_col_ = -1;
}

void TDgCustomGridControl::BeginEdit(int ACol, int ARow, const WideString& Text) {}
void TDgCustomGridControl::SelectNextRow(TShiftState Shift, bool WrapOut) {}
void TDgCustomGridControl::SelectPriorRow(TShiftState Shift) {}

void TDgCustomGrid::KeyDown(uint16_t& Key, TShiftState Shift) {}
void TDgCustomGrid::KeyUp(uint16_t& Key, TShiftState Shift) {}
bool TDgCustomGrid::WantsKey(uint16_t Key) {
  if (Key == 9) return WantTabs();
  if (Key == 13) return WantReturns();
  return true;
}
void TDgCustomGrid::KeyPress(char16_t& Key) {}
void TDgCustomGrid::FocusEnter() {}
void TDgCustomGrid::FocusExit() {}
bool TDgCustomGrid::MouseWheel(int Delta, TShiftState Shift, const TPoint& Pos) { return false; }
