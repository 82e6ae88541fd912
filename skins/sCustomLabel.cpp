// TsCustomLabel (see sCustomLabel.h).
#include "skins/sCustomLabel.h"

#include <cstring>

#include "skins/sBorders.h"
#include "skins/sStyleSimply.h"

namespace skins {

TsCustomLabel::TsCustomLabel(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle -= {csFramed};
  ControlStyle += {csSetCaption, csOpaque};
  SetBounds(0, 0, 65, 17);
}

bool TsCustomLabel::Ready() const {
  const TComponentState s = ComponentState();
  return Parent() && !s.Contains(csLoading) && !s.Contains(csDestroying);
}

void TsCustomLabel::Changed(bool adjust) {
  // The value is kept and waits for the parent: a label made in code gets
  // its parent after its properties, and dropping them would lose them.
  if (!Ready()) return;
  if (adjust) AdjustBounds();
  Invalidate();
}

void TsCustomLabel::SetFocusControl(TWinControl* v) {
  if (v == focus_control_) return;
  if (focus_control_) focus_control_->RemoveFreeNotification(this);
  focus_control_ = v;
  if (v) v->FreeNotification(this);
}

void TsCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == focus_control_) focus_control_ = nullptr;
}

void TsCustomLabel::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Changed(false);
}

void TsCustomLabel::SetAutoSize(bool v) {
  if (v == auto_size_) return;
  auto_size_ = v;
  Changed(true);
}

void TsCustomLabel::SetLayout(TTextLayout v) {
  if (v == layout_) return;
  layout_ = v;
  Changed(false);
}

void TsCustomLabel::SetWordWrap(bool v) {
  if (v == word_wrap_) return;
  word_wrap_ = v;
  Changed(true);
}

void TsCustomLabel::SetShowAccelChar(bool v) {
  if (v == show_accel_char_) return;
  show_accel_char_ = v;
  Changed(false);
}

void TsCustomLabel::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  Changed(false);
}

void TsCustomLabel::SetParent(TWinControl* AParent) {
  const bool had = Parent() != nullptr;
  TCustomControl::SetParent(AParent);
  // What was set before there was a parent takes effect now.
  if (!had && AParent && Ready()) AdjustBounds();
}

void TsCustomLabel::Loaded() {
  TCustomControl::Loaded();
  if (Ready()) AdjustBounds();
}

void TsCustomLabel::AdjustBounds() {
  if (!Ready()) return;
  if (auto_size_) {
    // Measured on the screen, as the stock label measures.
    HDC dc = GetDC(nullptr);
    TRect r = Rect(0, 0, word_wrap_ ? Width() : 0, 0);
    {
      TCanvas canvas;
      canvas.SetHandle(dc);
      canvas.SetFont(Font());
      uint32_t flags = LabelMeasureFlags(word_wrap_) | (show_accel_char_ ? 0 : kDtNoPrefix);
      canvas.DrawText(LabelDrawnText(LabelText(), show_accel_char_, true), r, flags);
    }
    ReleaseDC(nullptr, dc);
    // A label that reads right to left grows from its right edge.
    const bool right =
        LabelDrawnAlignment(alignment_, UseRightToLeftReading()) == taRightJustify;
    SetBoundsRect(LabelAutoSizeBounds(BoundsRect(), r.Width(), r.Height(), right));
  }
  SendToBack();
}

void TsCustomLabel::DoDrawText(TRect& r, uint32_t flags) {
  if (!show_accel_char_) flags |= kDtNoPrefix;
  flags = RightToLeftTextFlags(flags, UseRightToLeftReading());
  const bool calc = (flags & kDtCalcRect) != 0;
  const std::string text = LabelDrawnText(LabelText(), show_accel_char_, calc);
  TCanvas* c = Canvas();
  c->SetFont(Font());
  if (calc)
    c->DrawText(text, r, flags);
  else if (Enabled())
    c->DrawTextTransparent(text, r, flags, Font()->Color());
  else
    c->DrawEngravedText(text, r, flags);
}

bool TsCustomLabel::PaintParentImage() {
  ISkinnedControl* parent = SkinnedOf(Parent());
  if (!parent) return false;
  const TParentBackground bg = parent->ImageForChild(this);
  if (!bg.valid || bg.bitmap.Empty()) return false;
  // The part of the parent's image under the label, row by row.
  const int w = Width(), h = Height();
  TBitmap piece(w, h);
  TPixels dst = BitmapPixels(&piece);
  const int x0 = Left() + bg.x, y0 = Top() + bg.y;
  for (int y = 0; y < h; ++y) {
    const int sy = y0 + y;
    if (sy < 0 || sy >= bg.bitmap.height) continue;
    for (int x = 0; x < w; ++x) {
      const int sx = x0 + x;
      if (sx < 0 || sx >= bg.bitmap.width) continue;
      std::memcpy(dst.At(x, y), bg.bitmap.At(sx, sy), 3);
    }
  }
  BitBlt(Canvas()->Handle(), 0, 0, w, h, piece.Canvas()->Handle(), 0, 0, SRCCOPY);
  return true;
}

void TsCustomLabel::Paint() {
  if (!Ready()) return;
  TRect r = Rect(0, 0, Width(), Height());
  if (!transparent_ || !PaintParentImage()) Canvas()->FillRect(r, Color());
  const uint32_t flags = LabelTextFlags(alignment_, word_wrap_);
  if (layout_ != tlTop) {
    TRect calc = r;
    DoDrawText(calc, flags | kDtCalcRect);
    const TLabelLayout l = layout_ == tlBottom ? TLabelLayout::tlBottom : TLabelLayout::tlCenter;
    r.Offset(0, LabelLayoutOffset(l, Height(), calc.Bottom));
  }
  DoDrawText(r, flags);
}

void TsCustomLabel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && focus_control_ && Enabled() && show_accel_char_ &&
      focus_control_->CanFocus())
    focus_control_->SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TsCustomLabel::MouseEnter() {
  hot_ = true;
  Invalidate();
  TCustomControl::MouseEnter();
}

void TsCustomLabel::MouseLeave() {
  hot_ = false;
  Invalidate();
  TCustomControl::MouseLeave();
}

void TsCustomLabel::HandleMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_ERASEBKGND:
      M.Result = 1; // the paint covers everything
      return;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      TCustomControl::HandleMessage(M);
      Changed(true);
      return;
    case CM_ENABLEDCHANGED:
      TCustomControl::HandleMessage(M);
      if (Ready()) Invalidate();
      return;
    case CM_DIALOGCHAR:
      if (Ready())
        classlib::LabelDialogChar(focus_control_, Enabled(), show_accel_char_, LabelText(), M);
      return;
  }
  TCustomControl::HandleMessage(M);
}

// --- The caption label of an editor's style ----------------------------------------------------

namespace {

class TsStyleCaptionLabel : public TsCaptionLabel {
 public:
  explicit TsStyleCaptionLabel(TWinControl* control)
      : control_(control), label_(new TsLabel(control)), life_(label_->LifeToken()) {
    label_->SetName(control->Name() + "Label");
    label_->SetLayout(tlTop);
    label_->SetAlignment(taRightJustify);
    label_->SetTransparent(true);
    label_->SetFocusControl(control);
    label_->SetParent(control->Parent());
  }
  ~TsStyleCaptionLabel() override {
    // The parent may have freed it already.
    if (life_) label_->Free();
  }

  void SetText(const std::string& text) override {
    if (life_) label_->SetCaption(text);
  }
  void SetFont(const TFontDesc& font) override {
    if (!life_) return;
    TFont* f = label_->Font();
    f->SetName(font.Name);
    f->SetHeight(font.Height);
    f->SetColor(font.Color);
    f->SetStyle(font.Style);
    f->SetCharset(font.Charset);
  }
  void SetSizing(bool auto_size, int width) override {
    if (!life_) return;
    if (auto_size) {
      label_->SetWordWrap(false);
      label_->SetAutoSize(true);
    } else {
      label_->SetAutoSize(false);
      label_->SetWidth(width);
      label_->SetWordWrap(true);
    }
  }
  void SetAlignment(TAlignment a) override {
    if (life_) label_->SetAlignment(a);
  }
  int Width() override { return life_ ? label_->Width() : 0; }
  int TextHeight() override {
    if (!life_) return 6;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, label_->Font()->Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm.tmHeight + 6;
  }
  void SetPosition(int left, int top) override {
    if (!life_) return;
    // A control parented after its caption was switched on takes the label along.
    if (label_->Parent() != control_->Parent()) label_->SetParent(control_->Parent());
    label_->SetBounds(left, top, label_->Width(), label_->Height());
  }
  void SetVisible(bool v) override {
    if (life_) label_->SetVisible(v);
  }
  void SetEnabled(bool v) override {
    if (life_) label_->SetEnabled(v);
  }
  void Invalidate() override {
    if (life_) label_->Invalidate();
  }

 private:
  TWinControl* control_;
  TsLabel* label_;
  TLifeToken life_;
};

} // namespace

std::unique_ptr<TsCaptionLabel> NewStyleCaptionLabel(TWinControl* control) {
  return std::make_unique<TsStyleCaptionLabel>(control);
}

} // namespace skins
