// TDgCustomGrid's own part: construction and the control's colour (see
// DgCustomGrid.h; keys, editing and mouse have files of their own).
#include "grid/DgCustomGrid.h"

TDgCustomGrid::TDgCustomGrid(TComponent* AOwner, IDgGridHost* Host)
    : TDgCustomGridControl(AOwner, Host) {}

TDgCustomGrid::~TDgCustomGrid() = default;

void TDgCustomGrid::SetColor(TColor v) {
  CheckThread();
  color_ = v;
  parent_color_ = false;
  InvalidateAll();
}
