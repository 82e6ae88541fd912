// The skinned group box (see sGroupBox.h).
#include "skins/sGroupBox.h"

#include "classlib/Cp1251.h"
#include "skins/sVclUtils.h"

namespace skins {

namespace {

// The size of `text` in `font` on a screen DC.
TSize TextSize(TFont* font, const std::string& text) {
  TSize s;
  HDC dc = GetDC(nullptr);
  if (!dc) return s;
  HGDIOBJ old = SelectObject(dc, font->Handle());
  const std::wstring w = Cp1251ToWide(text);
  SIZE sz{};
  if (GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &sz)) s = TSize{sz.cx, sz.cy};
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return s;
}

}  // namespace

TsGroupBox::TsGroupBox(TComponent* AOwner) : TsCustomPanel(AOwner) {
  style_->KindCode = kind::GroupBox;
  SetBevelInner(TsControlBevel::cbLoweredHard);
  SetHeight(100);
}

void TsGroupBox::SetCaptionLayout(TsGroupCaptionLayout v) {
  if (v == caption_layout_) return;
  caption_layout_ = v;
  style_->RegionDirty = true;
  style_->Invalidate();
}

void TsGroupBox::SetCaptionYOffset(int v) {
  if (v == caption_y_offset_) return;
  caption_y_offset_ = v;
  style_->Invalidate();
}

TRect TsGroupBox::CaptionRect() {
  const int text_w = Caption().empty() ? 0 : TextSize(Font(), Caption()).cx;
  return GroupCaptionRect(caption_layout_, Width(), FrameBorderWidth(), TextSize(Font(), "W").cy,
                          text_w, BevelWidth());
}

TRect TsGroupBox::ClientRect() { return GroupClientRect(Width(), Height(), CaptionRect().Bottom); }

void TsGroupBox::AlignControls(TControl* AControl, TRect& R) {
  R = ClientRect();
  TCustomControl::AlignControls(AControl, R);
}

void TsGroupBox::WndProc(TMessage& M) {
  if (M.Msg == WM_SETTEXT || M.Msg == CM_TEXTCHANGED || M.Msg == CM_FONTCHANGED) Realign();
  TsCustomPanel::WndProc(M);
}

void TsGroupBox::PaintCaption(TCanvas* canvas, TRect r) {
  r.Offset(0, caption_y_offset_);
  TsCustomPanel::PaintCaption(canvas, r);
}

void TsGroupBox::PaintFace(TBitmap* image, TPixels px, bool soft) {
  const int w = Width(), h = Height(), b = BevelWidth();
  const TsControlBevel outer = style_->Painting()->Bevel(), inner = BevelInner();
  const TRect cap = CaptionRect();
  const int in = BorderWidth() + b;
  const TRect inside = Rect(in, in, w - in, h - in);
  if (!Caption().empty()) {
    if (outer != TsControlBevel::cbNone)
      for (const TsEdgeStrip& s : GroupOuterStrips(w, h, cap, b)) PaintBevelEdge(px, s.r, s.edge, soft, outer);
    if (inner != TsControlBevel::cbNone)
      for (const TsEdgeStrip& s : GroupInnerStrips(inside, cap.Bottom, b))
        PaintBevelEdge(px, s.r, s.edge, soft, inner);
  } else {
    style_->PaintStyleBevel(px, Rect(0, 0, w, h), soft, outer, b);
    style_->PaintStyleBevel(px, inside, soft, inner, b);
  }
  PaintCaption(image->Canvas(), cap);
  // Pixels again: the text is flushed into them first.
  PaintChildrenIntoImage(this, style_->Cache()->Pixels());
}

void TsGroupBox::Paint() {
  const TComponentState st = ComponentState();
  if (st.Contains(csLoading) || st.Contains(csDestroying) || !style_->Cache()) return;
  if (!ControlReady(this)) return;
  if (style_->SkinSection().empty()) style_->Loaded();
  const bool out_of_date = style_->CacheDirty || style_->Cache()->Width() != Width() ||
                           style_->Cache()->Height() != Height();
  if (out_of_date) PaintImage();
  CopyToDC(style_.get(), Canvas()->Handle(), 0, 0, Width(), Height());
  RepaintChildren(this, out_of_date);
}

}  // namespace skins
