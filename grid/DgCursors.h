// The grid's own cursors, by the numbers under which the program registers
// them from its resources (the window loads them; the grid's rules name them).
#pragma once

#include "classlib/DrawTypes.h"

namespace DgCursor {
constexpr TCursor HorzSplit = 3000, ColumnNoDrag = 3001, VertSplit = 3003, IndicatorSelect = 3006,
                  Roll = 4003, RollUp = 4004, RollDown = 4005, ReversedArrow = 4010;
}
