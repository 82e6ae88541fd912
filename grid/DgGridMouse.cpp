// Mouse input of the grid: clicks, header presses, column resizing and
// moving, row moving, hints. Placeholder bodies until the mouse lands.
#include "grid/DgCustomGrid.h"

bool TDgCustomGrid::CanBeginEditAt(TDgCustomColumn* Column, int ARow, const TRect& CellRect) {
  bool accept = true;
  if (OnBeforeEdit && Column) OnBeforeEdit(this, Column->Index(), ARow, accept);
  return accept;
}

void TDgCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {}
void TDgCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {}
void TDgCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {}
void TDgCustomGrid::DblClick() {}
void TDgCustomGrid::MouseEnter() {}
void TDgCustomGrid::MouseLeave() {}
void TDgCustomGrid::CancelMode() {}
void TDgCustomGrid::CreateHintWindow() {}
