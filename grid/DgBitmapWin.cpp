// Class-library bitmaps into grid pictures (see DgBitmapWin.h).
#include "grid/DgBitmapWin.h"

void AssignBitmap(TDgBitmap& Dest, TBitmap* Source) {
  if (!Source || Source->Empty()) {
    Dest.Clear();
    return;
  }
  GdiFlush();
  TDgPixmap p(Source->Width(), Source->Height());
  const int step = Source->PixelBytes(); // 24- and 32-bit bitmaps alike
  for (int y = 0; y < p.Height; ++y) {
    const uint8_t* row = Source->ScanLine(y); // blue, green, red (, unused)
    for (int x = 0; x < p.Width; ++x, row += step)
      p.At(x, y) = uint32_t(row[0]) << 16 | uint32_t(row[1]) << 8 | row[2];
  }
  Dest.SetPixmap(std::move(p));
}
