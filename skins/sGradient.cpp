// The bitmap's rows handed to the core with the colour resolver of GDI.
#include "skins/sGradient.h"

#include "classlib/Graphics.h"
#include "skins/sBorders.h"

namespace skins {

void PaintGradient(TBitmap* bitmap, const TRect& r, const TsGradArray& bands) {
  if (!bitmap || bitmap->Empty() || bands.empty()) return;
  GdiFlush();
  PaintGradient(BitmapPixels(bitmap), r, bands,
                [](TColor c) { return static_cast<uint32_t>(ColorToRGB(c)) & 0xFFFFFFu; });
}

}  // namespace skins
