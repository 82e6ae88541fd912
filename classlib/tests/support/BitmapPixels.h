// Test helper: filling a TBitmap (24 or 32 bits) and reading its pixels back from the
// bitmap's own memory (not through the DC), as 0x00BBGGRR.
#pragma once

#include <cstdint>

#include "classlib/Bitmap.h"

namespace test_support {

inline TColor PixelAt(TBitmap& b, int x, int y) {
  const uint8_t* p = b.ScanLine(y) + x * b.PixelBytes();
  return static_cast<TColor>(RGB(p[2], p[1], p[0]));
}

inline void Fill(TBitmap& b, TColor c) {
  b.Canvas()->Brush()->SetColor(c);
  b.Canvas()->FillRect(Rect(0, 0, b.Width(), b.Height()));
}

} // namespace test_support
