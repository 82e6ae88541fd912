// The skinned checked controls (see sCheckedControl.h and sRadioButton.h).
#include "skins/sCheckedControl.h"

#include "skins/sBorders.h"
#include "skins/sGraphUtils.h"
#include "skins/sRadioButton.h"
#include "skins/sStyleEdits.h"

namespace skins {

// The style casts a checked control's shadow from its check area.
class TsCheckedOwner : public TsWinOwner {
 public:
  explicit TsCheckedOwner(TsCheckedControl* c) : TsWinOwner(c), c_(c) {}
  TRect CheckArea() override { return c_->GlyphRect(); }

 private:
  TsCheckedControl* c_;
};

TsCheckedControl::TsCheckedControl(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle += {csOpaque, csClickEvents};
  ControlStyle -= {csAcceptsControls};
  owner_ = std::make_unique<TsCheckedOwner>(this);
  style_ = std::make_unique<TsStyle>(owner_.get());
  style_->KindCode = kind::CheckedControl;
  SetBounds(Left(), Top(), 100, 18);
  SetParentColor(true);
  style_->Painting()->SetParentColor(true);
  SetTabStop(true);
  OnKeyDown = StyleKeysHandler(style_.get());
}

TsCheckedControl::~TsCheckedControl() { OnKeyDown = nullptr; }

void TsCheckedControl::AfterConstruction() {
  TCustomControl::AfterConstruction();
  style_->Loaded();
}

void TsCheckedControl::BeforeDestruction() {
  style_->ControlDestroying();
  TCustomControl::BeforeDestruction();
}

void TsCheckedControl::Loaded() {
  TCustomControl::Loaded();
  style_->Loaded();
}

void TsCheckedControl::Notification(TComponent* c, TOperation op) {
  TCustomControl::Notification(c, op);
  if (op == opRemove && c == images_) images_ = nullptr;
}

// --- Properties -----------------------------------------------------------------------------

void TsCheckedControl::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = CheckedFilter(v);
  state_ = StateFor(checked_, state_);
  style_->Invalidate();
}

void TsCheckedControl::SetState(TCheckState v) {
  if (v == state_) return;
  state_ = v;
  if (v == TCheckState::Checked) SetChecked(true);
  if (v == TCheckState::Unchecked) SetChecked(false);
}

void TsCheckedControl::ToggleState() { SetState(ToggledState(state_)); }

void TsCheckedControl::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  style_->Invalidate();
}

void TsCheckedControl::SetLayout(TCheckAreaLayout v) {
  if (v == layout_) return;
  layout_ = v;
  style_->Invalidate();
}

void TsCheckedControl::SetMultiLine(bool v) {
  if (v == multi_line_) return;
  multi_line_ = v;
  style_->Invalidate();
}

void TsCheckedControl::SetShowFocus(bool v) {
  if (v == show_focus_) return;
  show_focus_ = v;
  style_->Invalidate();
}

void TsCheckedControl::SetDisabledKind(TsDisabledKind v) {
  if (v == disabled_kind_) return;
  disabled_kind_ = v;
  style_->Invalidate();
}

void TsCheckedControl::SetImages(TImageList* v) {
  if (v == images_) return;
  images_ = v;
  if (v) v->FreeNotification(this);
  style_->Invalidate();
}

void TsCheckedControl::SetImgChecked(int v) {
  if (v == img_checked_) return;
  img_checked_ = v;
  if (checked_) style_->Invalidate();
}

void TsCheckedControl::SetImgUnchecked(int v) {
  if (v == img_unchecked_) return;
  img_unchecked_ = v;
  if (!checked_) style_->Invalidate();
}

void TsCheckedControl::SetGlyphChecked(TBitmap* v) {
  glyph_checked_.Assign(v);
  style_->Invalidate();
}

void TsCheckedControl::SetGlyphUnChecked(TBitmap* v) {
  glyph_unchecked_.Assign(v);
  style_->Invalidate();
}

void TsCheckedControl::Invalidate() {
  if (style_) style_->CacheDirty = true;
  TCustomControl::Invalidate();
}

// --- Input ----------------------------------------------------------------------------------

void TsCheckedControl::Toggle() {
  const TLifeToken life = LifeToken();
  SetChecked(!checked_);
  state_ = StateFor(checked_, state_);
  if (OnChange) OnChange(this);
  if (life) style_->CacheDirty = true;
}

// OnMouseDown and OnMouseUp come once per press and release, from the
// inherited handling only: a handler must see each event one time.
void TsCheckedControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (press_.MouseDown(Button == mbLeft, Enabled())) {
    style_->CacheDirty = true;
    Repaint();
    if (CanFocus() && !Focused()) SetFocus();
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TsCheckedControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (ComponentState().Contains(csDestroying)) return;
  const TLifeToken life = LifeToken();
  if (press_.MouseUp(Button == mbLeft, Enabled(), GetReadOnly()) == TPressResult::Toggle) {
    Toggle();
    if (!life) return;
    Invalidate();
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TsCheckedControl::WndProc(TMessage& M) {
  switch (M.Msg) {
    case CM_TEXTCHANGED:
      style_->CacheDirty = true;
      style_->Invalidate();
      break;
    case WM_KILLFOCUS:
      // The press ends wherever the focus goes, also to another program
      // (the library's exit message would not come then).
      press_.FocusLeft();
      break;
  }
  if (OfferToStyle(style_.get(), M)) return;
  if (M.Msg == WM_ERASEBKGND) {
    M.Result = 1;
    return;
  }
  TCustomControl::WndProc(M);
}

void TsCheckedControl::HandleMessage(TMessage& M) {
  if (M.Msg == WM_KEYDOWN) {
    // While a press is held (or the control is disabled) keys go nowhere,
    // not even to OnKeyDown.
    if (press_.Pressed() || !Enabled()) return;
    if (M.WParam == VK_SPACE) {
      if (press_.SpaceDown(Enabled())) Invalidate();
      return;
    }
  }
  if (M.Msg == WM_KEYUP && M.WParam == VK_SPACE &&
      press_.SpaceUp(GetReadOnly()) == TPressResult::Toggle) {
    const TLifeToken life = LifeToken();
    Toggle();
    if (life) Invalidate();
    return;
  }
  // Any other key up, and a Space that completes nothing, is the inherited
  // handling's (OnKeyUp).
  TCustomControl::HandleMessage(M);
}

// --- Painting -------------------------------------------------------------------------------

TBitmap* TsCheckedControl::CustomGlyph() {
  TBitmap* g = checked_ ? &glyph_checked_ : &glyph_unchecked_;
  return g->Width() >= 3 && g->Height() >= 2 ? g : nullptr;
}

TSize TsCheckedControl::GlyphSize() {
  if (TBitmap* g = CustomGlyph()) return TSize{g->Width() / 3, g->Height() / 2};
  if (images_) return TSize{images_->Width(), images_->Height()};
  if (style_->KindCode == kind::RadioButton) {
    TBitmap* rcc = BuiltinPicture("RCC");
    if (rcc->Width() > 0) return TSize{rcc->Width(), rcc->Height()};
  }
  return TSize{14, 14};
}

TRect TsCheckedControl::GlyphRect() {
  const TSize s = GlyphSize();
  const int t = (Height() - s.cy) / 2;
  if (layout_ == TCheckAreaLayout::calLeft) return Rect(0, t, s.cx, t + s.cy);
  return Rect(Width() - s.cx - 3, t, Width() - 3, t + s.cy);
}

void TsCheckedControl::PaintGlyph(TBitmap* image, const TRect& r) {
  if (TBitmap* g = CustomGlyph()) {
    // Each strip is cut by its own frame size: the unchecked strip need not
    // match the checked one, and cutting it by the checked one's size
    // would show parts of two frames.
    const int fw = g->Width() / 3, fh = g->Height() / 2;
    const int frame = press_.Pressed() ? 2 : style_->IsHot() ? 1 : 0;
    MaskedDraw(r, Rect(frame * fw, 0, frame * fw + fw, fh), BitmapPixels(image),
               kNoParentBackground, BitmapPixels(g));
    return;
  }
  const TSize s = GlyphSize();
  TBitmap glyph(s.cx, s.cy);
  if (images_) {
    const bool hot = style_->IsHot();
    const int index = checked_ ? (hot ? img_checked_hot_ : img_checked_)
                               : (hot ? img_unchecked_hot_ : img_unchecked_);
    glyph.Canvas()->FillRect(Rect(0, 0, s.cx, s.cy), static_cast<TColor>(0xFF00FF));
    images_->Draw(glyph.Canvas(), 0, 0, index, true);
  } else {
    const bool radio = style_->KindCode == kind::RadioButton, hot = style_->IsHot();
    const char* name = radio ? (checked_ ? (hot ? "RCH" : "RCC") : (hot ? "RUH" : "RUC"))
                             : (checked_ ? (hot ? "CCH" : "CCC") : (hot ? "CUH" : "CUC"));
    glyph.Assign(BuiltinPicture(name));
  }
  const TPixels px = BitmapPixels(&glyph);
  if (px.Empty()) return;
  CopyExceptColor(BitmapPixels(image), px, r.Left, r.Top,
                  ColorOf(PixelRgb(px.At(0, px.height - 1))));
}

void TsCheckedControl::BuildImage() {
  style_->SizeCache();
  TBitmap* image = CacheBitmap(style_.get());
  if (!image || image->Empty()) return;
  TsGenStyle::PaintScope scope(style_.get());
  TCanvas* c = image->Canvas();
  c->SetFont(Font());
  const int w = Width(), h = Height();
  const TParentBackground bg = style_->GetParentBackground();
  if (bg.valid && !bg.bitmap.Empty()) {
    const TPixels px = BitmapPixels(image);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int sx = x + Left() + bg.x, sy = y + Top() + bg.y;
        if (sx < 0 || sy < 0 || sx >= bg.bitmap.width || sy >= bg.bitmap.height) continue;
        const uint8_t* s = bg.bitmap.At(sx, sy);
        uint8_t* d = px.At(x, y);
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
      }
  } else {
    // A checked control always takes its colour from its parent.
    FillColor(c->Handle(), Rect(0, 0, w, h), Color());
  }
  const TRect g = GlyphRect();
  const std::string text = Caption();
  if (!text.empty()) {
    const int m = kTextMargin, gh = g.Height();
    TRect r = layout_ == TCheckAreaLayout::calLeft ? Rect(m + gh + 4, m, w - m, h - m)
                                                   : Rect(m, m, w - gh - m - 4, h - m);
    r.Bottom -= 2;
    UINT flags = multi_line_ ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
    flags |= alignment_ == taRightJustify ? DT_RIGHT : alignment_ == taCenter ? DT_CENTER : DT_LEFT;
    c->Brush()->SetStyle(bsClear);
    WriteText(c, text, Enabled(), flags, r);
    if (show_focus_ && HandleAllocated() && GetFocus() == handle_) {
      TRect f = r;
      f.Bottom -= 1;
      f.Left -= 1;
      f.Top -= 1;
      f.Right += 1;
      f.Bottom += 1;
      DrawDottedFrame(c, f);
    }
  }
  PaintGlyph(image, g);
  if (!Enabled())
    PaintDisabled(image, disabled_kind_, Parent(), Point(Left(), Top()), bg);
  style_->MarkPainted();
}

void TsCheckedControl::Paint() {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
  BuildImage();
  CopyToDC(style_.get(), Canvas()->Handle(), 0, 0, Width(), Height());
}

// --- TsRadioButton ----------------------------------------------------------------------------

TsRadioButton::TsRadioButton(TComponent* AOwner) : TsCheckedControl(AOwner) {
  style_->KindCode = kind::RadioButton;
}

bool TsRadioButton::CheckedFilter(bool requested) {
  return RadioCheckedFilter(checked_, requested, [this] {
    TWinControl* p = Parent();
    if (!p) return;
    for (int i = 0; i < p->ControlCount(); ++i) {
      auto* other = dynamic_cast<TsRadioButton*>(p->Controls(i));
      if (!other || other == this) continue;
      other->checked_ = false;
      other->state_ = StateFor(false, other->state_);
      other->Perform(msg::ParentImageChanged, 0, -1);
      other->Invalidate();
    }
  });
}

}  // namespace skins
