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

void TDgCustomGrid::KeyDown(int& Key, TShiftState Shift) {}
void TDgCustomGrid::KeyUp(int& Key, TShiftState Shift) {}
void TDgCustomGrid::KeyPress(char16_t& Key) {}
void TDgCustomGrid::FocusEnter() {}
void TDgCustomGrid::FocusExit() {}
bool TDgCustomGrid::MouseWheel(int Delta, TShiftState Shift, const TPoint& Pos) { return false; }
