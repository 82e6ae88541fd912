// What the style displays read of a column, taken from the column model:
// header and footer parts, font, colour, sort state, place among the
// visible columns, pressed and hot state, and the input row's texts. A
// column that takes no input (input mode 0) shows its input cell locked.
#pragma once

#include "grid/DgColumns.h"
#include "grid/DgDisplays.h"

// The look points at the parts' glyphs: it lives no longer than the column.
TDgColumnLook LookOf(const TDgCustomColumn& Column);
