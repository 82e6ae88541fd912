// TDgCustomGrid's own part: construction and the control's colour (see
// DgCustomGrid.h; keys, editing and mouse have files of their own).
#include "grid/DgCustomGrid.h"

TDgCustomGrid::TDgCustomGrid(TComponent* AOwner, IDgGridHost* Host)
    : TDgCustomGridControl(AOwner, Host) {
  SetColor(clWindow);
}

TDgCustomGrid::~TDgCustomGrid() = default;
