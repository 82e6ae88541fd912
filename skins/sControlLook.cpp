// The shared look of the skinned controls' images (see sControlLook.h).
#include "skins/sControlLook.h"

#include "skins/sBorders.h"
#include "skins/sBordersCore.h"
#include "skins/sGraphUtils.h"
#include "skins/sPictures.h"

namespace skins {

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
                    RgbOfColor(mb->TransparentColor()), &cut);
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

}  // namespace skins
