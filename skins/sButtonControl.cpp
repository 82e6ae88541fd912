// The skinned push button (see sButtonControl.h).
#include "skins/sButtonControl.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "skins/sBorders.h"
#include "skins/sGraphUtils.h"

namespace skins {

// The style reaches the button's state and fade through its owner.
class TsButtonOwner : public TsWinOwner {
 public:
  explicit TsButtonOwner(TsButtonControl* b) : TsWinOwner(b), b_(b) {}
  // The hot look and the black frame are the Default button's, and only
  // while it acts as the default (no other button has the focus).
  bool ActsAsDefault() override { return b_->Default() && b_->ActsAsDefault(); }
  bool Down() override { return b_->Down(); }
  int ButtonBevelWidth() override { return b_->BevelWidth(); }
  bool StartFade(bool in) override {
    if (!b_->timer_ || !b_->style_->FadingEnabled() || !b_->HandleAllocated()) return false;
    const TFadeSettings s = b_->timer_->Settings();
    if (in)
      b_->timer_->Engine().MouseEnter(s);
    else
      b_->timer_->Engine().MouseLeave(s);
    return true;
  }

 private:
  TsButtonControl* b_;
};

// --- The action link ---------------------------------------------------------------------

TsButtonActionLink::TsButtonActionLink(TsButtonControl* AClient)
    : TControlActionLink(AClient), button_(AClient) {}

bool TsButtonActionLink::IsCaptionLinked() {
  return TControlActionLink::IsCaptionLinked() && button_->Caption() == LinkedAction()->Caption();
}

bool TsButtonActionLink::IsCheckedLinked() {
  return TControlActionLink::IsCheckedLinked() && LinkedAction()->Checked() == button_->Down();
}

bool TsButtonActionLink::IsImageIndexLinked() { return TControlActionLink::IsImageIndexLinked(); }

void TsButtonActionLink::SetCaption(const std::string& Value) {
  if (button_->Caption() != Value) button_->SetCaption(Value);
}

void TsButtonActionLink::SetChecked(bool Value) { button_->SetDown(Value); }

void TsButtonActionLink::SetImageIndex(int Value) {
  button_->image_index_ = Value;
  button_->style_->Invalidate();
}

// --- The button ---------------------------------------------------------------------------

TsButtonControl::TsButtonControl(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csOpaque, csDoubleClicks};
  images_link_.OnChange = [this](TObject*) { style_->Invalidate(); };
  owner_ = std::make_unique<TsButtonOwner>(this);
  style_ = std::make_unique<TsActiveBGStyle>(owner_.get());
  style_->KindCode = kind::ButtonControl;
  timer_ = std::make_unique<TFadeTimer>(nullptr, *this, style_.get());
  SetBounds(Left(), Top(), 84, 22);
  SetTabStop(false);
}

TsButtonControl::~TsButtonControl() {
  if (timer_) timer_->SetEnabled(false);
  timer_.reset();
}

void TsButtonControl::AfterConstruction() {
  TCustomControl::AfterConstruction();
  style_->Loaded();
}

void TsButtonControl::Loaded() {
  TCustomControl::Loaded();
  style_->Loaded();
}

void TsButtonControl::BeforeDestruction() {
  timer_->SetMode(TFadeMode::Stopped);
  style_->ControlDestroying();
  TCustomControl::BeforeDestruction();
}

void TsButtonControl::Notification(TComponent* c, TOperation op) {
  TCustomControl::Notification(c, op);
  if (op != opRemove || !c) return;
  bool gone = false;
  for (TImageList** l : {&images_, &hot_images_, &disabled_images_})
    if (c == *l) {
      *l = nullptr;
      gone = true;
    }
  // The glyph drawn from a freed list must not stay on the face.
  if (gone && style_ && !ComponentState().Contains(csDestroying)) style_->Invalidate();
}

// --- Properties -----------------------------------------------------------------------------

void TsButtonControl::SetAutoSize(bool v) {
  auto_size_ = v;
  style_->Invalidate();
}

void TsButtonControl::SetBevelWidth(int v) {
  bevel_width_ = v;
  style_->Invalidate();
}

void TsButtonControl::SetMargin(int v) {
  if (v == margin_) return;
  margin_ = v;
  style_->CacheDirty = true;
  Invalidate();
}

void TsButtonControl::SetDisabledKind(TsDisabledKind v) {
  disabled_kind_ = v;
  style_->Invalidate();
}

// One list may serve as normal, hot and disabled images at once: its free
// notification stays while any of the three still refers to it, so freeing
// it later never leaves one of them dangling.
void TsButtonControl::ForgetList(TImageList* old) {
  if (old && old != images_ && old != hot_images_ && old != disabled_images_)
    old->RemoveFreeNotification(this);
}

void TsButtonControl::SetImages(TImageList* v) {
  if (v == images_) return;
  TImageList* old = images_;
  if (old) old->UnRegisterChanges(&images_link_);
  images_ = v;
  ForgetList(old);
  if (v) {
    v->RegisterChanges(&images_link_);
    v->FreeNotification(this);
  }
  style_->Invalidate();
}

void TsButtonControl::SetHotImages(TImageList* v) {
  TImageList* old = hot_images_;
  hot_images_ = v;
  ForgetList(old);
  if (v) v->FreeNotification(this);
}

void TsButtonControl::SetDisabledImages(TImageList* v) {
  TImageList* old = disabled_images_;
  disabled_images_ = v;
  ForgetList(old);
  if (v) v->FreeNotification(this);
}

void TsButtonControl::SetImageIndex(int v) {
  if (v == image_index_) return;
  image_index_ = v;
  style_->Invalidate();
}

void TsButtonControl::SetDisabledGlyphKind(TsDisabledGlyphKind v) {
  if (v == disabled_glyph_kind_) return;
  disabled_glyph_kind_ = v;
  style_->Invalidate();
}

void TsButtonControl::SetGrayHot(bool v) {
  if (v == gray_hot_) return;
  gray_hot_ = v;
  style_->Invalidate();
}

void TsButtonControl::SetGlyphBlend(int v) {
  v = std::max(0, std::min(100, v));
  if (v == glyph_blend_) return;
  glyph_blend_ = v;
  style_->Invalidate();
}

TControlActionLink* TsButtonControl::CreateActionLink() { return new TsButtonActionLink(this); }

void TsButtonControl::ActionChange(TObject* Sender, bool CheckDefaults) {
  TCustomControl::ActionChange(Sender, CheckDefaults);
  auto* a = dynamic_cast<TAction*>(Sender);
  if (!a) return;
  if (!images_ && a->Images()) SetImages(a->Images());
  if (a->ImageIndex() != image_index_) SetImageIndex(a->ImageIndex());
  if (CheckDefaults) return;
  if (Caption() != a->Caption()) {
    SetCaption(a->Caption());
    style_->Invalidate();
  }
  if (Hint() != a->Hint()) SetHint(a->Hint());
}

void TsButtonControl::SetDown(bool v) {
  if (v == down_) return;
  down_ = v;
  style_->Invalidate();
}

void TsButtonControl::Invalidate() {
  if (style_ && Parent() && !classlib::IsLoading(this) &&
      !ComponentState().Contains(csDestroying))
    AdjustSize();
  TCustomControl::Invalidate();
}

// --- Messages and mouse ----------------------------------------------------------------------

void TsButtonControl::WndProc(TMessage& M) {
  switch (M.Msg) {
    case CM_TEXTCHANGED:
      style_->CacheDirty = true;
      style_->Invalidate();
      break;
    // A push button is released when the focus goes anywhere, also to
    // another program (the library's exit message would not come then),
    // so a press never survives a switch away.
    case WM_KILLFOCUS: SetDown(false); break;
    case WM_SIZE: region_.Forget(); break;
    case CN_COMMAND:
      // A click notification (code 0) reflected from the parent.
      if (HIWORD(M.WParam) == 0) {
        style_->CacheDirty = true;
        Click();
        return;
      }
      break;
  }
  if (OfferToStyle(style_.get(), M)) return;
  if (M.Msg == WM_ERASEBKGND) {
    M.Result = 1;
    return;
  }
  TCustomControl::WndProc(M);
}

// The inherited mouse-down (OnMouseDown) runs once for a press, not once
// more after the pressed look: a handler must see each press one time.
void TsButtonControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TLifeToken life = LifeToken();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!life) return;
  timer_->Engine().Stop(timer_->Settings());
  if (Button != mbLeft || !Enabled() || down_) return;
  SetDown(true);
  style_->CacheDirty = true;
  Repaint();
}

void TsButtonControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TLifeToken life = LifeToken();
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (!life) return;
  timer_->Engine().Stop(timer_->Settings());
  if (Button != mbLeft || !Enabled()) return;
  style_->CacheDirty = true;
  const bool was_down = down_;
  SetDown(false);
  // Only a button this press made down clicks: a release that arrives
  // after the press ended elsewhere (the focus left) is no click.
  if (was_down && Rect(0, 0, Width(), Height()).Contains(Point(X, Y))) {
    Click();
    if (!life) return;
  }
  try {
    Repaint();
  } catch (const std::exception&) {
    // A failed repaint after a click changes nothing the user did.
  }
}

// --- Painting -------------------------------------------------------------------------------

TButtonGeometry TsButtonControl::Geometry(TCanvas* c, TSize& caption) {
  TButtonGeometry g;
  g.Width = Width();
  g.Height = Height();
  g.Margin = margin_;
  g.BevelWidth = bevel_width_;
  g.Down = down_;
  if (TImageList* l = CurrentImages(); l && image_index_ >= 0 && image_index_ < l->Count())
    g.Glyph = TSize{l->Width(), l->Height()};
  caption = TSize{};
  const std::string text = ShowCaption() ? Caption() : std::string();
  if (!text.empty()) {
    c->SetFont(Font());
    TRect r = Rect(0, 0, CaptionMeasureWidth(g, c->TextWidth(text)), 0);
    c->DrawText(text, r, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
    caption = TSize{r.Width(), r.Height()};
  }
  return g;
}

void TsButtonControl::AdjustSize() {
  if (!auto_size_ || down_) return;
  TBitmap scratch(1, 1);
  TSize caption;
  TButtonGeometry g = Geometry(scratch.Canvas(), caption);
  if (g.Glyph.cx == 0 && !ShowCaption()) return;
  scratch.Canvas()->SetFont(Font());
  const TSize s = ButtonAutoSize(g, caption, scratch.Canvas()->TextHeight("W"), ShowCaption());
  if (s.cx != Width() || s.cy != Height()) SetBounds(Left(), Top(), s.cx, s.cy);
}

TImageList* TsButtonControl::CurrentImages() {
  if (style_->IsHot() && hot_images_) return hot_images_;
  if (!Enabled() && disabled_images_) return disabled_images_;
  return images_;
}

void TsButtonControl::BuildImage() {
  ++image_builds_;
  style_->SizeCache();
  TBitmap* image = CacheBitmap(style_.get());
  if (!image || image->Empty()) return;
  TsGenStyle::PaintScope scope(style_.get());
  style_->PaintBG(BitmapPixels(image));
  const int state = down_ ? 2 : style_->IsHot() ? 1 : 0;
  if (style_->BtnEffects()->MaskedBorders()->Enabled())
    region_.Paint(this, style_.get(), image, state, true);
  else
    style_->PaintBevel(Rect(0, 0, Width(), Height()));
  TCanvas* c = image->Canvas();
  TSize caption;
  const TButtonGeometry g = Geometry(c, caption);
  if (g.Glyph.cx > 0) PaintGlyph(image, GlyphPos(g, caption));
  const TRect r = CaptionRect(g, caption);
  if (caption.cx > 0) PaintCaption(c, r);
  PaintFocus(c, r);
  // Laid on the image just built only, so it never compounds.
  if (!Enabled())
    PaintDisabled(image, disabled_kind_, Parent(), Point(Left(), Top()),
                      style_->GetParentBackground());
  style_->MarkPainted();
}

void TsButtonControl::PaintGlyph(TBitmap* image, TPoint at) {
  TImageList* list = CurrentImages();
  if (!list) return;
  // Our lists have no background colour of their own: magenta stands in.
  TBitmap glyph(list->Width(), list->Height());
  glyph.Canvas()->FillRect(Rect(0, 0, list->Width(), list->Height()), static_cast<TColor>(0xFF00FF));
  list->Draw(glyph.Canvas(), 0, 0, image_index_, true);
  const TPixels px = BitmapPixels(&glyph);
  const TRgb corner = PixelRgb(px.At(0, px.height - 1));
  const uint32_t transparent = ColorOf(corner);
  const bool hot = style_->IsHot();
  bool gray, blend;
  double factor;  // how much of the face shows through the glyph
  if (Enabled()) {
    gray = gray_hot_ && !hot;
    blend = glyph_blend_ >= 1 && !hot;
    factor = glyph_blend_ / 100.0;
  } else {
    gray = disabled_glyph_kind_.Contains(TsDisabledGlyphKindItem::dgGrayed);
    blend = disabled_glyph_kind_.Contains(TsDisabledGlyphKindItem::dgBlended);
    factor = 0.5;
  }
  // The transparent pixels stay as they are, or the glyph's box would show.
  if (gray) MakeGrayExcept(px, corner);
  const TPixels target = BitmapPixels(image);
  if (blend)
    BlendGraphic(target, at.X, at.Y, transparent, factor, Rect(0, 0, px.width, px.height), px);
  else
    CopyExceptColor(target, px, at.X, at.Y, transparent);
}

void TsButtonControl::PaintCaption(TCanvas* c, const TRect& rect) {
  c->SetFont(Font());
  c->Brush()->SetStyle(bsClear);
  UINT align = DT_LEFT;
  if (c->TextHeight("T") + 6 < rect.Height()) align = DT_CENTER;
  TRect r = rect;
  WriteTextEx(c, Caption(), Enabled(), style_->IsHot(), -1, align | DT_WORDBREAK | DT_EXPANDTABS,
              r);
}

void TsButtonControl::Paint() {
  if (ComponentState().Contains(csDestroying) || !Parent()) return;
  TBitmap* image = CacheBitmap(style_.get());
  const bool out_of_date = style_->CacheDirty || !image || image->Width() != Width() ||
                           image->Height() != Height();
  // While a fade runs its steps own the window; the image stays as it is.
  if (out_of_date && !timer_->Engine().Running()) BuildImage();
  CopyToDC(style_.get(), Canvas()->Handle(), 0, 0, Width(), Height());
}

// --- Fading -------------------------------------------------------------------------------

bool TsButtonControl::FadeTargetAlive() {
  return HandleAllocated() && !ComponentState().Contains(csDestroying) && Application &&
         !Application->Terminated();
}

void TsButtonControl::FadeSwapImages() {
  if (TBitmap* image = CacheBitmap(style_.get())) previous_.Assign(image);
  // The whole image, glyph and caption too: a fade between faces alone
  // would make the caption blink out while it runs.
  BuildImage();
}

void TsButtonControl::FadeRepaint() {
  style_->CacheDirty = true;
  Repaint();
}

void TsButtonControl::FadePaintStep(TFadeMode direction, int weight) {
  TBitmap* image = CacheBitmap(style_.get());
  if (!image) return;
  if (HDC dc = GetDC(handle_)) {
    struct Release {
      HWND w;
      HDC dc;
      ~Release() { ReleaseDC(w, dc); }
    } release{handle_, dc};
    PaintFadeStep(image, &previous_, direction, weight, fade_blend_, dc);
  }
}

}  // namespace skins
