// The painted styles' rules: TsPainting's setters, the messages of painted
// styles, the getters and the region of active styles (see sStyleUtilCore.h;
// the painting itself is in sStyleUtilPaintCore.cpp).
#include "skins/sStyleUtilCore.h"

#include <algorithm>

namespace skins {

// --- TsPainting -----------------------------------------------------------------------

void TsPainting::SetBevel(TsControlBevel v) {
  if (v == bevel_) return;
  bevel_ = v;
  if (style_->KindCode == kind::CustomPanel || style_->KindCode == kind::Panel ||
      style_->KindCode == kind::GroupBox)
    style_->Owner()->SetOuterBevel(v);
  style_->Invalidate();
}

void TsPainting::SetTransparency(int v) {
  if (v == transparency_) return;
  transparency_ = v;
  style_->RefreshParent();
  style_->Invalidate();
}

void TsPainting::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  parent_color_ = false;
  style_->Owner()->SetColor(v);
  style_->Invalidate();
}

void TsPainting::SetParentColor(bool v) {
  if (v == parent_color_) return;
  parent_color_ = v;
  TsStyleOwner* o = style_->Owner();
  o->SetParentColor(v);
  if (v) {
    const TColor c = o->ParentsColor();
    if (c != color_) {
      color_ = c;
      style_->Invalidate();
    }
  }
}

// --- TsPaintStyle ---------------------------------------------------------------------

TsPaintStyle::TsPaintStyle(TsStyleOwner* owner, bool with_cache) : TsGenStyle(owner, with_cache) {
  // No group component exists to copy settings from.
  SetGroupIndex(0);
}

void TsPaintStyle::WndProc(TsMessage& m) {
  if (!owner_) return;
  switch (m.Msg) {
    case msg::ParentColorChanged:
    case msg::SysColorChange:
    case msg::CmSysColorChange:
      if (painting_.parent_color_) {
        painting_.color_ = owner_->ParentsColor();
        Invalidate();
      }
      return;
  }
  if (m.Msg >= msg::PaintGroupFirst && m.Msg <= msg::PaintGroupLast) {
    if (m.WParam != static_cast<uintptr_t>(GroupIndex())) return;
    TsShadow* sh = Effects()->Shadow();
    switch (m.Msg) {
      case msg::PaintSoftControl: SetSoftControl(m.LParam != 0); break;
      case msg::PaintColor: painting_.SetColor(static_cast<TColor>(m.LParam)); break;
      case msg::PaintShadowEnabled: sh->StoreFromGroup(0, m.LParam); break;
      case msg::PaintShadowColor: sh->StoreFromGroup(1, m.LParam); break;
      case msg::PaintShadowTransparency: sh->StoreFromGroup(2, m.LParam); break;
      case msg::PaintShadowOffset: sh->StoreFromGroup(3, m.LParam); break;
      case msg::PaintShadowBlur: sh->StoreFromGroup(4, m.LParam); break;
      case msg::PaintShadowHost:
        if (kind::ShadowHost(KindCode)) {
          RefreshParent();
          owner_->RepaintControl();
        }
        break;
      default: break;  // the group component's own settings: none here
    }
    m.Result = 1;
    return;
  }
  TsGenStyle::WndProc(m);
}

// --- TsPassiveBGStyle ---------------------------------------------------------------

TsPassiveBGStyle::TsPassiveBGStyle(TsStyleOwner* owner, bool with_cache)
    : TsPaintStyle(owner, with_cache) {}

uint32_t TsPassiveBGStyle::GetColor() { return owner_->ColorToRgb(Painting()->Color()); }
TsControlBevel TsPassiveBGStyle::GetBevel() { return Painting()->Bevel(); }
int TsPassiveBGStyle::GetBevelWidth() { return Painting()->BevelWidth(); }
int TsPassiveBGStyle::GetGradientPercent() { return background_.Gradient()->Percent(); }
const TsGradArray& TsPassiveBGStyle::GetGradientData() { return background_.Gradient()->Gradient(); }
int TsPassiveBGStyle::GetImagePercent() { return background_.Image()->Percent(); }
TsImage* TsPassiveBGStyle::GetImage() { return background_.Image()->Image(); }

void TsPassiveBGStyle::WndProc(TsMessage& m) {
  if (m.Msg == msg::RepaintSection &&
      (m.WParam == static_cast<uintptr_t>(GroupIndex()) || m.WParam == msg::RepaintSectionGroup)) {
    // Only a loaded skin's section asks for this repaint; none is loaded.
    m.Result = 1;
    return;
  }
  if (m.Msg == msg::PaintPicture && m.WParam == static_cast<uintptr_t>(GroupIndex())) {
    // A picture from a group component; none exists to send one.
    m.Result = 1;
    return;
  }
  TsPaintStyle::WndProc(m);
}

// --- TsActiveBGStyle ------------------------------------------------------------------

TsActiveBGStyle::TsActiveBGStyle(TsStyleOwner* owner, bool with_cache)
    : TsPassiveBGStyle(owner, with_cache) {}

uint32_t TsActiveBGStyle::GetColor() {
  return IsHot() ? owner_->ColorToRgb(hot_style_.HotPainting()->Color())
                 : TsPassiveBGStyle::GetColor();
}
TsControlBevel TsActiveBGStyle::GetBevel() {
  return IsHot() ? hot_style_.HotPainting()->Bevel() : TsPassiveBGStyle::GetBevel();
}
int TsActiveBGStyle::GetBevelWidth() {
  return IsHot() ? hot_style_.HotPainting()->BevelWidth() : TsPassiveBGStyle::GetBevelWidth();
}
int TsActiveBGStyle::GetGradientPercent() {
  return IsHot() ? hot_style_.HotBackground()->Gradient()->Percent()
                 : TsPassiveBGStyle::GetGradientPercent();
}
const TsGradArray& TsActiveBGStyle::GetGradientData() {
  return IsHot() ? hot_style_.HotBackground()->Gradient()->Gradient()
                 : TsPassiveBGStyle::GetGradientData();
}
int TsActiveBGStyle::GetImagePercent() {
  return IsHot() ? hot_style_.HotBackground()->Image()->Percent()
                 : TsPassiveBGStyle::GetImagePercent();
}
TsImage* TsActiveBGStyle::GetImage() {
  return IsHot() ? hot_style_.HotBackground()->Image()->Image() : TsPassiveBGStyle::GetImage();
}

void TsActiveBGStyle::UpdateRegion() {
  if (btn_effects_.MaskedBorders()->Enabled()) {
    TsGenStyle::UpdateRegion();
    return;
  }
  RegionDirty = false;
  const TRect b = owner_->BoundsRect();
  ApplyRegionRects(RegionRects(b.Width(), b.Height()));
}

}  // namespace skins
