// Masked borders and three-frame strips on class-library bitmaps.
#include "skins/sBorders.h"

#include <cstring>

#include "classlib/Graphics.h"

namespace skins {

TPixels BitmapPixels(TBitmap* bitmap) {
  TPixels p;
  if (!bitmap || bitmap->Empty() || bitmap->Width() <= 0 || bitmap->Height() <= 0) return p;
  p.width = bitmap->Width();
  p.height = bitmap->Height();
  p.stride = bitmap->RowBytes();
  p.bits = bitmap->ScanLine(0);
  return p;
}

void CutFromRegion(HRGN region, const std::vector<TRect>& cut) {
  if (!region || cut.empty()) return;
  // One region of every cut rectangle, subtracted once: cutting only ever
  // removes pixels, whatever the rectangles overlap.
  std::vector<char> data(sizeof(RGNDATAHEADER) + cut.size() * sizeof(RECT));
  auto* rd = reinterpret_cast<RGNDATA*>(data.data());
  rd->rdh.dwSize = sizeof(RGNDATAHEADER);
  rd->rdh.iType = RDH_RECTANGLES;
  rd->rdh.nCount = static_cast<DWORD>(cut.size());
  rd->rdh.nRgnSize = static_cast<DWORD>(cut.size() * sizeof(RECT));
  RECT bounds{cut[0].Left, cut[0].Top, cut[0].Right, cut[0].Bottom};
  auto* rects = reinterpret_cast<RECT*>(rd->Buffer);
  for (size_t i = 0; i < cut.size(); ++i) {
    const TRect& r = cut[i];
    rects[i] = RECT{r.Left, r.Top, r.Right, r.Bottom};
    if (r.Left < bounds.left) bounds.left = r.Left;
    if (r.Top < bounds.top) bounds.top = r.Top;
    if (r.Right > bounds.right) bounds.right = r.Right;
    if (r.Bottom > bounds.bottom) bounds.bottom = r.Bottom;
  }
  rd->rdh.rcBound = bounds;
  HRGN holes = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), rd);
  if (!holes) {
    // Too many for one call: one rectangle at a time.
    for (const TRect& r : cut) {
      HRGN one = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
      CombineRgn(region, region, one, RGN_DIFF);
      DeleteObject(one);
    }
    return;
  }
  CombineRgn(region, region, holes, RGN_DIFF);
  DeleteObject(holes);
}

void PaintMaskedBorder(TBitmap* image, TBitmap* mask, int state, bool fill_centre,
                       TColor transparent, HRGN region) {
  const TPixels pixels = BitmapPixels(image), mask_pixels = BitmapPixels(mask);
  if (pixels.Empty() || mask_pixels.Empty()) return;
  std::vector<TRect> cut;
  PaintMaskedBorder(pixels, mask_pixels, state, fill_centre, RgbOf(ColorToRGB(transparent)),
                    region ? &cut : nullptr);
  CutFromRegion(region, cut);
}

void PaintThreeFrames(TBitmap* image, TBitmap* mask, TPoint pos, TColor transparent, int frame) {
  PaintThreeFrames(BitmapPixels(image), BitmapPixels(mask), pos.X, pos.Y,
                   RgbOf(ColorToRGB(transparent)), frame);
}

void PaintDisabled(TBitmap* image, TsDisabledKind kind, TControl* parent, TPoint position,
                   const TParentBackground& background) {
  const TRgb color = RgbOf(ColorToRGB(parent ? parent->Color() : clBtnFace));
  PaintDisabled(BitmapPixels(image), kind, background, position, color);
}

}  // namespace skins
