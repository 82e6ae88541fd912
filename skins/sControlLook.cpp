// The shared look of the skinned controls' images (see sControlLook.h).
#include "skins/sControlLook.h"

#include "skins/sBorders.h"
#include "skins/sBordersCore.h"
#include "skins/sGraphUtils.h"
#include "skins/sPictures.h"

namespace skins {

namespace {
void CentreDraw(const TPixels& image, const TRect& target, const TPixels& mask,
                const TRect& source) {
  MaskedDraw(target, source, image, kNoParentBackground, mask);
}
} // namespace

void TMaskRegion::Paint(TWinControl* control, TsActiveBGStyle* style, TBitmap* image, int state,
                        bool fill_centre) {
  TsMaskedBorders* mb = style->BtnEffects()->MaskedBorders();
  TPixels mask;
  if (mb->Predefined() == TsPredefinedBorders::pdCustom && mb->Mask()->Width() > 0)
    mask = mb->Mask()->Pixels();
  else
    mask = BitmapPixels(BuiltinPicture(PredefinedBorderResource(mb->Predefined())));
  std::vector<TRect> cut;
  PaintMaskedBorder(BitmapPixels(image), mask, state, fill_centre,
                    RgbOfColor(mb->TransparentColor()), &cut, fill_centre ? &CentreDraw : nullptr);
  Apply(control, cut);
  style->RegionDirty = false;
  style->ForgetAppliedRegion();
}

void TMaskRegion::Apply(TWinControl* control, const std::vector<TRect>& cut) {
  if (!control->HandleAllocated()) return;
  const int w = control->Width(), h = control->Height();
  if (w == w_ && h == h_ && cut == cut_) return;
  HRGN region = CreateRectRgn(0, 0, w, h);
  CutFromRegion(region, cut);
  // No redraw: this runs while painting, and a redraw would only ask for
  // the same paint again. The parent shows through the cut pixels instead.
  if (!SetWindowRgn(control->Handle(), region, FALSE)) DeleteObject(region);
  cut_ = cut;
  w_ = w;
  h_ = h;
  ++applications_;
  if (TWinControl* p = control->Parent(); p && p->HandleAllocated()) {
    RECT b{control->Left(), control->Top(), control->Left() + w, control->Top() + h};
    InvalidateRect(p->Handle(), &b, FALSE);
  }
}

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
