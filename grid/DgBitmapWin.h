// A class-library TBitmap copied into a grid picture (TDgBitmap), such as a
// column header's or footer's glyph: the glyph of a form's column is set
// from a bitmap resource or file this way.
#pragma once

#include "classlib/Bitmap.h"
#include "grid/DgBitmap.h"

// Dest takes Source's pixels (an empty or null Source clears it).
void AssignBitmap(TDgBitmap& Dest, TBitmap* Source);
