// The shared look of the skinned controls' images (see sControlLook.h).
#include "skins/sControlLook.h"

#include "skins/sBorders.h"
#include "skins/sBordersCore.h"
#include "skins/sGraphUtils.h"

namespace skins {

void PaintDisabledLook(TBitmap* image, TsDisabledKind kind, TControl* parent, TPoint position,
                       const TParentBackground& background) {
  const TPixels px = BitmapPixels(image);
  if (px.Empty()) return;
  if (kind.Contains(TsDisabledKindItem::dkGrayed)) MakeGray(px);
  if (!kind.Contains(TsDisabledKindItem::dkBlended)) return;
  if (!background.valid || background.bitmap.Empty()) {
    const TColor c = parent ? parent->Color() : clBtnFace;
    BlendRectToColor(px, Rect(0, 0, px.width - 1, px.height - 1), 50, RgbOfColor(c));
    return;
  }
  const TPixels& pb = background.bitmap;
  const int ox = position.X + background.x, oy = position.Y + background.y;
  for (int y = 0; y < px.height; ++y) {
    const int py = y + oy;
    if (py < 0 || py >= pb.height) continue;
    for (int x = 0; x < px.width; ++x) {
      const int pxx = x + ox;
      if (pxx < 0 || pxx >= pb.width) continue;
      uint8_t* d = px.At(x, y);
      const uint8_t* s = pb.At(pxx, py);
      for (int ch = 0; ch < 3; ++ch) d[ch] = static_cast<uint8_t>((d[ch] + s[ch] + 1) / 2);
    }
  }
}

}  // namespace skins
