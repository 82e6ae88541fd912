// TsGenStyle, TsShadow and the memory picture (see sStyleSimplyCore.h).
#include "skins/sStyleSimplyCore.h"

#include <algorithm>
#include <cstring>

#include "skins/sSkinDataCore.h"

namespace skins {

// --- TsMemoryImage ------------------------------------------------------------------

void TsMemoryImage::SetSize(int w, int h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (w == width_ && h == height_) return;
  const int stride = (w * 3 + 3) & ~3, old_stride = (width_ * 3 + 3) & ~3;
  std::vector<uint8_t> bits(static_cast<size_t>(stride) * h);
  const int rows = std::min(h, height_), bytes = std::min(w, width_) * 3;
  for (int y = 0; y < rows; ++y)
    std::memcpy(bits.data() + static_cast<size_t>(y) * stride,
                bits_.data() + static_cast<size_t>(y) * old_stride, bytes);
  bits_.swap(bits);
  width_ = w;
  height_ = h;
}

TPixels TsMemoryImage::Pixels() {
  if (width_ <= 0 || height_ <= 0) return TPixels{};
  return TPixels{width_, height_, (width_ * 3 + 3) & ~3, bits_.data()};
}

void TsMemoryImage::Assign(TsImage* source) {
  if (source == this) return;
  TPixels s = source ? source->Pixels() : TPixels{};
  SetSize(0, 0);
  if (s.Empty()) return;
  SetSize(s.width, s.height);
  TPixels d = Pixels();
  for (int y = 0; y < s.height; ++y) std::memcpy(d.Row(y), s.Row(y), s.width * 3);
}

// --- TsStyleOwner -------------------------------------------------------------------

uint32_t TsStyleOwner::ColorToRgb(TColor c) {
  if ((static_cast<uint32_t>(c) & 0xFF000000u) != 0xFF000000u) return static_cast<uint32_t>(c) & 0xFFFFFF;
  // The classic scheme, for owners without a system to ask.
  switch (c & 0xFF) {
    case 5: return 0xFFFFFF;   // window
    case 8: return 0x000000;   // window text
    case 15: return 0xC0C0C0;  // button face
    case 16: return 0x808080;  // button shadow
    case 20: return 0xFFFFFF;  // button highlight
    case 21: return 0x000000;  // 3D dark shadow
    case 22: return 0xC0C0C0;  // 3D light
    default: return 0x808080;
  }
}

// --- TsShadow -----------------------------------------------------------------------

TsShadow::~TsShadow() = default;

void TsShadow::SetTransparency(int v) {
  v = std::clamp(v, 0, 100);
  if (v == transparency_) return;
  transparency_ = v;
  if (enabled_) style_->RefreshParent();
}

void TsShadow::SetDontUse(bool v) {
  dont_use_ = v;
  if (v && enabled_) {
    enabled_ = false;
    style_->RefreshParent();
  }
}

void TsShadow::SetEnabled(bool v) {
  if (v == enabled_) return;
  TsStyleOwner* o = style_->Owner();
  if (!o || !o->ParentSkinned() || kind::NoShadow(style_->KindCode)) return;
  if (v) dont_use_ = false;
  enabled_ = v && (!dont_use_ || o->Designing());
  style_->RefreshParent();
}

void TsShadow::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  style_->RefreshParent();
}

void TsShadow::SetOffset(int v) {
  if (v == offset_) return;
  offset_ = v;
  style_->RefreshParent();
}

// A blur below 0 paints as none: it is stored as 0, so that reading it back
// tells what is drawn.
void TsShadow::SetBlur(int v) {
  v = std::max(v, 0);
  if (v == blur_) return;
  blur_ = v;
  style_->RefreshParent();
}

// `what`: 0 enabled, 1 colour, 2 transparency, 3 offset, 4 blur.
void TsShadow::StoreFromGroup(unsigned what, intptr_t value) {
  const int v = static_cast<int>(value);
  switch (what) {
    case 0: enabled_ = value != 0 && !kind::NoShadow(style_->KindCode); break;
    case 1: color_ = static_cast<TColor>(value); break;
    case 2: transparency_ = std::clamp(v, 0, 100); break;
    case 3: offset_ = v; break;
    case 4: blur_ = std::max(v, 0); break;
    default: return;
  }
  style_->RefreshParent();
}

// --- TsGenStyle ---------------------------------------------------------------------

TsGenStyle::TsGenStyle(TsStyleOwner* owner, bool with_cache) : owner_(owner) {
  if (with_cache) {
    cache_ = owner_ ? owner_->NewImage() : std::make_unique<TsMemoryImage>();
    SizeCache();
  }
}

TsGenStyle::~TsGenStyle() = default;

void TsGenStyle::ControlDestroying() {
  if (!owner_ || !owner_->HasParent()) return;
  effects_.Shadow()->enabled_ = false;
  owner_->RefreshParent();
}

void TsGenStyle::SetSoftControl(bool v) {
  if (v == soft_control_) return;
  soft_control_ = v;
  RegionDirty = true;
  Invalidate();
}

void TsGenStyle::SetSkinSection(const std::string& v) {
  if (v == skin_section_) return;
  skin_section_ = v;
  LookUpSkin();
  RegionDirty = true;
  Invalidate();
}

void TsGenStyle::Loaded() {
  CacheDirty = true;
  if (skin_section_.empty() && owner_) skin_section_ = owner_->ClassName();
  LookUpSkin();
}

void TsGenStyle::LookUpSkin() {
  skin_index_ = SectionIndex(skin_section_);
  border_index_ = MaskIndex(skin_index_, skin_section_, kBordersMask);
}

bool TsGenStyle::IsHot() {
  if (!owner_ || owner_->Destroying()) return false;
  if (owner_->ActsAsDefault()) return true;
  if (!owner_->Enabled() || owner_->Designing()) return false;
  if (kind::IsButton(KindCode) && owner_->Down()) return true;
  if (kind::NeverHot(KindCode)) return false;
  if (Focused || owner_->HasFocus()) return true;
  return MouseOver;
}

void TsGenStyle::Invalidate() {
  CacheDirty = true;
  if (!owner_ || owner_->Creating() || owner_->Destroying() || !owner_->Visible()) return;
  owner_->InvalidateControl();
}

void TsGenStyle::RefreshParent() {
  if (owner_ && owner_->HasParent()) owner_->RefreshParent();
}

std::vector<TRect> TsGenStyle::RegionRects(int w, int h) const {
  if (!soft_control_ || !kind::SoftCorners(KindCode) || w <= 0 || h <= 0) return {};
  return {Rect(1, 0, w - 1, h), Rect(0, 1, w, h - 1)};
}

void TsGenStyle::ApplyRegionRects(const std::vector<TRect>& rects) {
  if (!owner_) return;
  if (region_known_ && rects == region_) return;
  if (owner_->ApplyRegion(rects, !in_paint_)) {
    region_ = rects;
    region_known_ = true;
  } else {
    // No window yet: the next look at the region applies it.
    region_known_ = false;
    RegionDirty = true;
  }
}

void TsGenStyle::UpdateRegion() {
  if (!RegionDirty || !owner_) return;
  RegionDirty = false;
  const TRect b = owner_->BoundsRect();
  CacheDirty = true;
  ApplyRegionRects(RegionRects(b.Width(), b.Height()));
}

void TsGenStyle::SizeCache() {
  if (!cache_) return;
  if (!owner_) {
    cache_->SetSize(0, 0);
    return;
  }
  const TRect b = owner_->BoundsRect();
  cache_->SetSize(b.Width(), b.Height());
}

TParentBackground TsGenStyle::GetParentBackground() {
  if (!owner_ || !owner_->HasParent()) return TParentBackground{};
  return owner_->ParentBackground();
}

void TsGenStyle::MarkPainted() {
  painted_w_ = cache_ ? cache_->Width() : -1;
  painted_h_ = cache_ ? cache_->Height() : -1;
}

// Lent only once painted whole at the present size: an image that was merely
// resized, or is out of date, would show a child stale or empty pixels.
TParentBackground LendImage(TsImage* image, const TRect& bounds, int painted_w, int painted_h,
                            bool out_of_date) {
  TParentBackground p;
  if (!image || out_of_date) return p;
  TPixels px = image->Pixels();
  if (px.Empty() || px.width != bounds.Width() || px.height != bounds.Height() ||
      painted_w != px.width || painted_h != px.height)
    return p;
  p.bitmap = px;
  p.valid = true;
  return p;
}

TParentBackground TsGenStyle::ImageForChildren() {
  if (!owner_) return TParentBackground{};
  return LendImage(cache_.get(), owner_->BoundsRect(), painted_w_, painted_h_, CacheDirty);
}

void TsGenStyle::RepaintAfterMove() {
  if (kind::IsButton(KindCode) || KindCode == kind::TrackBar) {
    owner_->RepaintControl();
  } else if (kind::IsChecked(KindCode)) {
    owner_->CheckedRefresh();
  } else if (owner_->Designing()) {
    owner_->RepaintControl();
  }
}

bool GroupMessageFor(unsigned message, bool editor) {
  if (message >= msg::GroupFirst && message <= msg::GroupLast) return true;
  if (message >= msg::EditorGroupFirst && message <= msg::EditorGroupLast) return editor;
  if (message >= msg::PaintGroupFirst && message <= msg::PaintGroupLast) return !editor;
  return false;
}

void TsGenStyle::WndProc(TsMessage& m) {
  if (!owner_) return;
  switch (m.Msg) {
    case msg::GetStyle:
      // LParam stays empty: a style travels by typed calls (StyleOf), never
      // as a pointer in a message that any window could be sent.
      m.WParam = StyleCode();
      m.Result = 1;
      return;
    case msg::Move:
      CacheDirty = true;
      RefreshParent();
      RepaintAfterMove();
      return;
    case msg::Size:
      CacheDirty = true;
      RegionDirty = true;
      UpdateRegion();
      RegionDirty = true;
      RefreshParent();
      RepaintAfterMove();
      return;
    case msg::SetFocus:
    case msg::Enter:
      Focused = true;
      if (!kind::In(KindCode, 1, 15)) Invalidate();
      return;
    case msg::KillFocus:
    case msg::Exit:
      Focused = false;
      Invalidate();
      return;
    case msg::FontChange:
    case msg::EnabledChanged: Invalidate(); return;
    case msg::CtlColorListBox:
      if (kind::IsComboBox(KindCode) && owner_->ListOpen()) {
        owner_->ClearListOpen();
        CacheDirty = true;
      }
      return;
    case msg::MouseEnter:
    case msg::MouseLeave: {
      // The result stays 0, so the control's own handling runs as well: the
      // class library's hint window and OnMouseEnter hang on these.
      if (kind::NeverHot(KindCode)) return;
      const bool in = m.Msg == msg::MouseEnter;
      MouseOver = in;
      if (Focused || owner_->HasFocus() || owner_->Designing()) return;
      if (kind::IsComboBox(KindCode) && owner_->ListOpen()) return;
      if (!owner_->StartFade(in)) Invalidate();
      return;
    }
    case msg::VisibleChanged:
      if (!owner_->Visible() && KindCode > 0 && effects_.Shadow()->Enabled()) RefreshParent();
      return;
  }
  // These two are taken whatever WParam holds: every sender passes 0, so a
  // control with a GroupIndex would otherwise miss its parent's refresh.
  if (m.Msg == msg::ParentImageChanged) {
    // "Not changed" leaves an image that is out of date for its own reasons
    // out of date.
    if (m.LParam != 0) CacheDirty = true;
    m.Result = 1;
    return;
  }
  if (m.Msg == msg::ParentImage) {
    // The image itself travels through ImageForChildren.
    m.Result = 1;
    return;
  }
  if (m.Msg < msg::GroupFirst || m.Msg > msg::GroupLast ||
      m.WParam != static_cast<uintptr_t>(group_index_))
    return;
  switch (m.Msg) {
    case msg::SkinChanged:
      CacheDirty = true;
      RegionDirty = true;
      break;
    case msg::SkinRemoved:
      skin_index_ = border_index_ = -1;
      RegionDirty = true;
      Invalidate();
      break;
    case msg::SkinForget: skin_index_ = border_index_ = -1; break;
    case msg::Refresh:
      CacheDirty = true;
      Invalidate();
      break;
    case msg::RefreshSection:
      if (skin_section_.empty()) skin_section_ = owner_->ClassName();
      RegionDirty = true;
      Invalidate();
      owner_->RepaintControl();
      break;
    default: return;
  }
  m.Result = 1;
}

}  // namespace skins
