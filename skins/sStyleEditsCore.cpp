// The editor styles' rules: setters, messages, shadow, region, the caption
// label's placement and the focus keys (see sStyleEditsCore.h).
#include "skins/sStyleEditsCore.h"

#include <algorithm>

#include "skins/sUtils.h"

namespace skins {

// --- TsEditorPainting ---------------------------------------------------------------

void TsEditorPainting::SetBevel(TsEditorBevel v) {
  if (v == bevel_) return;
  bevel_ = v;
  style_->Invalidate();
}

void TsEditorPainting::SetColorBorderTop(TColor v) {
  if (v == border_top_) return;
  border_top_ = v;
  style_->Invalidate();
}

void TsEditorPainting::SetColorBorderBottom(TColor v) {
  if (v == border_bottom_) return;
  border_bottom_ = v;
  style_->Invalidate();
}

void TsEditorPainting::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  parent_color_ = false;
  style_->Invalidate();
}

void TsEditorPainting::SetParentColor(bool v) {
  TsStyleOwner* o = style_->Owner();
  if (kind::IsChecked(style_->KindCode)) {
    // A check box or radio button always shows its parent's colour.
    parent_color_ = true;
    color_ = o->Color();
    return;
  }
  if (v == parent_color_) return;
  parent_color_ = v;
  o->SetParentColor(v);
  if (v) {
    color_ = o->Color();
    style_->Invalidate();
  }
}

// --- TsStyleCaption ---------------------------------------------------------------------

void TsStyleCaption::SetLayout(TsCaptionLayout v) {
  if (v == layout_) return;
  layout_ = v;
  if (active_) style_->PlaceCaptionLabel();
}

void TsStyleCaption::SetMaxWidth(int v) {
  if (v == max_width_) return;
  max_width_ = v;
  if (active_) style_->PlaceCaptionLabel();
}

void TsStyleCaption::SetFont(const TFontDesc& v) {
  if (v == font_) return;
  font_ = v;
  if (active_) style_->PlaceCaptionLabel();
}

void TsStyleCaption::SetText(const std::string& v) {
  if (v == text_) return;
  text_ = v;
  if (active_) style_->PlaceCaptionLabel();
}

void TsStyleCaption::SetActive(bool v) {
  if (v == active_) return;
  active_ = v;
  if (v)
    style_->CreateLabel();
  else
    style_->label_.reset();
}

// --- TsEditorStyle ------------------------------------------------------------------------

TsEditorStyle::TsEditorStyle(TsStyleOwner* owner, bool with_cache) : TsGenStyle(owner, with_cache) {
  // No group component exists to copy settings from.
  SetGroupIndex(0);
}

uint32_t TsEditorStyle::GetColor() {
  const bool selection = CustomStyle() && IsHot() &&
                         selection_.Mode().Contains(TModeSelectionItem::msColor);
  return owner_->ColorToRgb(selection ? selection_.Color() : painting_.Color());
}

TsEditorStyle::TBevelPlan TsEditorStyle::BevelPlan() {
  TBevelPlan p;
  if (painting_.Bevel() == TsEditorBevel::ebNone) return p;
  if (!IsHot() || !selection_.Mode().Contains(TModeSelectionItem::msBorder)) {
    p.kind = painting_.Bevel();
    p.width = painting_.BevelWidth();
    return p;
  }
  p.kind = selection_.Border()->Bevel();
  if (p.kind == TsEditorBevel::ebNone) return p;
  p.width = selection_.Border()->Width();
  p.inner_frames = p.width > 1 && p.kind == TsEditorBevel::ebLowered;
  return p;
}

void TsEditorStyle::UpdateRegion() {
  if (!owner_) return;
  RegionDirty = false;
  const TRect b = owner_->BoundsRect();
  ApplyRegionRects(RegionRects(b.Width(), b.Height()));
}

void TsEditorStyle::PaintShadow(const TPixels& target, int dx, int dy) {
  if (!owner_ || target.Empty()) return;
  TsShadow* sh = Effects()->Shadow();
  const TRect b = owner_->BoundsRect();
  TRect r = b;
  TShadowShape shape = TShadowShape::RoundRect;
  if (kind::IsChecked(KindCode)) {
    r = owner_->CheckArea();
    r.Offset(b.Left, b.Top);
    if (KindCode == kind::RadioButton) shape = TShadowShape::Ellipse;
  } else if (kind::IsComboBox(KindCode) && owner_->ListOpen()) {
    return;
  }
  r.Offset(sh->Offset() + dx, sh->Offset() + dy);
  PaintShadowRect(target, r, shape, SoftControl() ? 3 : 0, sh->Blur(),
                  RgbOf(owner_->ColorToRgb(sh->Color())), SumTransparency(0, sh->Transparency()));
}

void TsEditorStyle::WndProc(TsMessage& m) {
  if (!owner_) return;
  switch (m.Msg) {
    case msg::ParentColorChanged:
    case msg::SysColorChange:
    case msg::CmSysColorChange:
      if (painting_.parent_color_) {
        painting_.color_ = owner_->ParentsColor();
        CacheDirty = true;
      }
      return;
  }
  if (m.Msg >= msg::EditorGroupFirst && m.Msg <= msg::EditorGroupLast) {
    if (m.WParam != static_cast<uintptr_t>(GroupIndex())) return;
    TsShadow* sh = Effects()->Shadow();
    const TColor c = static_cast<TColor>(m.LParam);
    const TsEditorBevel bevel = static_cast<TsEditorBevel>(std::clamp<intptr_t>(m.LParam, 0, 4));
    switch (m.Msg) {
      case msg::EditSoftControl: SetSoftControl(m.LParam != 0); break;
      case msg::EditColor: painting_.SetColor(c); break;
      case msg::EditBorderTop: painting_.SetColorBorderTop(c); break;
      case msg::EditBorderBottom: painting_.SetColorBorderBottom(c); break;
      case msg::EditBevel: painting_.SetBevel(bevel); break;
      case msg::EditSelColor: selection_.SetColor(c); break;
      case msg::EditBorderWidth: selection_.Border()->SetWidth(static_cast<int>(m.LParam)); break;
      case msg::EditBorderBevel: selection_.Border()->SetBevel(bevel); break;
      case msg::EditShadowEnabled: sh->StoreFromGroup(0, m.LParam); break;
      case msg::EditShadowColor: sh->StoreFromGroup(1, m.LParam); break;
      case msg::EditShadowTransparency: sh->StoreFromGroup(2, m.LParam); break;
      case msg::EditShadowOffset: sh->StoreFromGroup(3, m.LParam); break;
      case msg::EditShadowBlur: sh->StoreFromGroup(4, m.LParam); break;
      default: break;  // shadow-host and group-copy messages: no sender here
    }
    m.Result = 1;
    return;
  }
  TsGenStyle::WndProc(m);
}

// --- Caption placement and focus moves -------------------------------------------------------

TsCaptionPlace PlaceCaption(TsCaptionLayout layout, const TRect& c, int label_width,
                            int text_height) {
  TsCaptionPlace p;
  const int w = c.Width(), h = c.Height();
  switch (layout) {
    case TsCaptionLayout::sclLeft:
      p.alignment = taRightJustify;
      p.left = c.Left - label_width - 4;
      p.top = c.Top - (text_height + 6 - h) / 2 + 6;
      return p;
    case TsCaptionLayout::sclTopLeft:
      p.alignment = taLeftJustify;
      p.left = c.Left;
      break;
    case TsCaptionLayout::sclTopCenter:
      p.alignment = taCenter;
      p.left = c.Left + (w - label_width) / 2;
      break;
    case TsCaptionLayout::sclTopRight:
      p.alignment = taRightJustify;
      p.left = c.Left + w - label_width;
      break;
  }
  p.top = c.Top - text_height + 5;
  return p;
}

int NextTabStop(const std::vector<TsTabStop>& order, int from, bool forward, bool& wrapped) {
  wrapped = false;
  const int n = static_cast<int>(order.size());
  if (n == 0) return -1;
  int i = from;
  for (int step = 0; step < n; ++step) {
    if (forward) {
      if (++i >= n) {
        i = 0;
        wrapped = true;
      }
    } else {
      if (--i < 0) {
        i = n - 1;
        wrapped = true;
      }
    }
    if (i == from) break;
    const TsTabStop& t = order[i];
    if (t.can_focus && t.tab_stop && t.enabled && t.visible) return i;
  }
  wrapped = false;
  return -1;
}

// --- TsCustomStyle --------------------------------------------------------------------------

TsCustomStyle::TsCustomStyle(TsStyleOwner* owner, bool with_cache)
    : TsEditorStyle(owner, with_cache) {}

TsCustomStyle::~TsCustomStyle() = default;

void TsCustomStyle::CreateLabel() {
  label_ = owner_ ? owner_->NewCaptionLabel() : nullptr;
  if (!label_) return;
  if (caption_.text_.empty()) caption_.text_ = owner_->Name();
  PlaceCaptionLabel();
  label_->SetVisible(owner_->Visible());
  label_->SetEnabled(owner_->Enabled());
}

void TsCustomStyle::PlaceCaptionLabel() {
  if (!label_ || !owner_) return;
  label_->SetText(caption_.text_);
  label_->SetFont(caption_.font_);
  label_->SetSizing(caption_.max_width_ == 0, caption_.max_width_);
  TsCaptionPlace p =
      PlaceCaption(caption_.layout_, owner_->BoundsRect(), label_->Width(), label_->TextHeight());
  label_->SetAlignment(p.alignment);
  // The label's width may follow its justification; place with the final one.
  p = PlaceCaption(caption_.layout_, owner_->BoundsRect(), label_->Width(), label_->TextHeight());
  label_->SetPosition(p.left, p.top);
}

void TsCustomStyle::WndProc(TsMessage& m) {
  if (!owner_) return;
  switch (m.Msg) {
    case msg::Move:
    case msg::Size:
      if (label_ && !(kind::IsComboBox(KindCode) && owner_->ListOpen())) {
        PlaceCaptionLabel();
        label_->Invalidate();
      }
      break;
    case msg::VisibleChanged:
      if (label_) label_->SetVisible(owner_->Visible());
      break;
    case msg::FontChange:
    case msg::EnabledChanged:
      if (label_) {
        label_->SetEnabled(owner_->Enabled());
        label_->Invalidate();
      }
      break;
  }
  TsEditorStyle::WndProc(m);
}

void TsCustomStyle::ProcessKeys(uint16_t& key, TShiftState shift) {
  if (!owner_ || shift.Contains(ssShift) || shift.Contains(ssAlt) || shift.Contains(ssCtrl)) return;
  if (kind::IsComboBox(KindCode) && owner_->ListOpen()) return;
  const std::string code = std::to_string(key);
  const char* delims = " ,";
  const bool next = IsWordPresent(code, keys_next_, delims);
  const bool prev = !next && IsWordPresent(code, keys_prev_, delims);
  if (!next && !prev) return;
  const std::vector<TsTabStop> order = owner_->TabOrder();
  int self = -1;
  for (int i = 0; i < static_cast<int>(order.size()); ++i)
    if (order[i].id == owner_->Self()) self = i;
  const int target = NextTabStop(order, self, next, wrapped_);
  if (target >= 0 && target != self) owner_->FocusControl(order[target].id);
  if (kind::IsComboBox(KindCode)) Focused = false;
  Invalidate();
  key = 0;
}

}  // namespace skins
