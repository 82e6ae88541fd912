// The skinned track bar (see sTrackBar.h).
#include "skins/sTrackBar.h"

#include <commctrl.h>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/WrappedControl.h"
#include "skins/sBorders.h"
#include "skins/sBordersCore.h"
#include "skins/sControlLook.h"
#include "skins/sGraphUtils.h"

namespace skins {

// The style reaches the bar's fade through its owner.
class TsTrackBarOwner : public TsWinOwner {
 public:
  explicit TsTrackBarOwner(TsTrackBar* bar) : TsWinOwner(bar), bar_(bar) {}
  bool StartFade(bool in) override {
    if (!bar_->timer_ || !bar_->style_->FadingEnabled() || !bar_->HandleAllocated()) return false;
    const TFadeSettings s = bar_->timer_->Settings();
    if (in)
      bar_->timer_->Engine().MouseEnter(s);
    else
      bar_->timer_->Engine().MouseLeave(s);
    return true;
  }

 private:
  TsTrackBar* bar_;
};

TsTrackBar::TsTrackBar(TComponent* AOwner) : TCustomControl(AOwner) {
  classlib::AsWrappedControl(ControlStyle);
  ControlStyle += {csOpaque};
  ControlStyle -= {csDoubleClicks};
  owner_ = std::make_unique<TsTrackBarOwner>(this);
  style_ = std::make_unique<TsActiveBGStyle>(owner_.get());
  style_->KindCode = kind::TrackBar;
  timer_ = std::make_unique<TFadeTimer>(nullptr, *this, style_.get());
  SetBounds(Left(), Top(), 150, 22);
  SetTabStop(true);
}

TsTrackBar::~TsTrackBar() {
  if (timer_) timer_->SetEnabled(false);
  timer_.reset();
}

void TsTrackBar::AfterConstruction() {
  TCustomControl::AfterConstruction();
  style_->Loaded();
}

void TsTrackBar::Loaded() {
  TCustomControl::Loaded();
  style_->Loaded();
}

void TsTrackBar::BeforeDestruction() {
  timer_->SetMode(TFadeMode::Stopped);
  style_->ControlDestroying();
  TCustomControl::BeforeDestruction();
}

LRESULT TsTrackBar::Send(UINT msg, WPARAM w, LPARAM l) {
  return HandleAllocated() ? SendMessageW(handle_, msg, w, l) : 0;
}

// --- Range, ticks, selection -----------------------------------------------------------

void TsTrackBar::SetRangeAll(int position, int min, int max) {
  const TRangeUpdate u = SetTrackRange(range_, position, min, max);
  if (u.MinChanged) Send(TBM_SETRANGEMIN, TRUE, range_.Min);
  if (u.MaxChanged) Send(TBM_SETRANGEMAX, TRUE, range_.Max);
  if (!u.PositionChanged) return;
  Send(TBM_SETPOS, TRUE, range_.Position);
  Changed();
}

void TsTrackBar::SetMin(int v) {
  if (v > range_.Max) return;
  SetRangeAll(range_.Position, v, range_.Max);
}

void TsTrackBar::SetMax(int v) {
  if (v < range_.Min) return;
  SetRangeAll(range_.Position, range_.Min, v);
}

void TsTrackBar::SetPosition(int v) { SetRangeAll(v, range_.Min, range_.Max); }

void TsTrackBar::SetOrientation(TTrackBarOrientation v) {
  if (v == orientation_) return;
  orientation_ = v;
  if (!classlib::IsLoading(this)) SetBounds(Left(), Top(), Height(), Width());
  if (HandleAllocated()) RecreateWnd();
}

void TsTrackBar::SetTickStyle(TTickStyle v) {
  if (v == tick_style_) return;
  tick_style_ = v;
  if (HandleAllocated()) RecreateWnd();
}

void TsTrackBar::SetTickMarks(TTickMark v) {
  if (v == tick_marks_) return;
  tick_marks_ = v;
  if (HandleAllocated()) RecreateWnd();
}

void TsTrackBar::SetSliderVisible(bool v) {
  if (v == slider_visible_) return;
  slider_visible_ = v;
  if (HandleAllocated()) RecreateWnd();
}

void TsTrackBar::SetFrequency(int v) {
  frequency_ = v;
  Send(TBM_SETTICFREQ, static_cast<WPARAM>(v), 1);
}

void TsTrackBar::SetPageSize(int v) {
  page_size_ = v;
  Send(TBM_SETPAGESIZE, 0, v);
}

int TsTrackBar::ThumbLength() {
  return HandleAllocated() ? static_cast<int>(Send(TBM_GETTHUMBLENGTH, 0, 0)) : thumb_length_;
}

void TsTrackBar::SetThumbLength(int v) {
  thumb_length_ = v;
  PushThumbLength();
  if (HandleAllocated()) style_->Invalidate();
}

// The slider window works its channel and thumb out anew from a new thumb
// length only at its next size change or its own paint, and it never paints
// here: until then it reports them for its default length (a horizontal
// channel 15 pixels tall). Its own procedure is told the size again, past
// this control's handling, so the region and the image stay.
void TsTrackBar::PushThumbLength() {
  if (!HandleAllocated()) return;
  Send(TBM_SETTHUMBLENGTH, static_cast<WPARAM>(thumb_length_), 0);
  RECT rc{};
  GetClientRect(handle_, &rc);
  CallWindowProcW(DefWndProc, handle_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right, rc.bottom));
}

void TsTrackBar::SetSelStart(int v) {
  sel_start_ = v;
  UpdateSelection();
}

void TsTrackBar::SetSelEnd(int v) {
  sel_end_ = v;
  UpdateSelection();
}

void TsTrackBar::UpdateSelection() {
  if (!HandleAllocated()) return;
  if (sel_start_ != 0 || sel_end_ != 0)
    Send(TBM_SETSEL, TRUE, static_cast<LPARAM>(PackSelection(sel_start_, sel_end_)));
  else
    Send(TBM_CLEARSEL, TRUE, 0);
}

void TsTrackBar::SetDisabledKind(TsDisabledKind v) {
  if (v == disabled_kind_) return;
  disabled_kind_ = v;
  style_->Invalidate();
}

// --- Window ---------------------------------------------------------------------------------

void TsTrackBar::CreateParams(TCreateParams& p) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  TCustomControl::CreateParams(p);
  CreateSubClass(p, TRACKBAR_CLASSW);
  p.Style |= (orientation_ == trVertical ? TBS_VERT : 0) |
             (tick_style_ == tsNone   ? TBS_NOTICKS
              : tick_style_ == tsAuto ? TBS_AUTOTICKS
                                      : 0) |
             (tick_marks_ == tmTopLeft ? TBS_TOP : tick_marks_ == tmBoth ? TBS_BOTH : 0) |
             TBS_FIXEDLENGTH | TBS_ENABLESELRANGE | (slider_visible_ ? 0 : TBS_NOTHUMB);
  p.WindowClass.style = (p.WindowClass.style & ~(CS_HREDRAW | CS_VREDRAW)) | CS_DBLCLKS;
}

void TsTrackBar::CreateWnd() {
  TCustomControl::CreateWnd();
  region_.Forget();
  PushThumbLength();
  Send(TBM_SETLINESIZE, 0, kLineSize);
  Send(TBM_SETPAGESIZE, 0, page_size_);
  Send(TBM_SETRANGEMIN, 0, range_.Min);
  Send(TBM_SETRANGEMAX, 0, range_.Max);
  UpdateSelection();
  Send(TBM_SETPOS, TRUE, range_.Position);
  Send(TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 1);
}

void TsTrackBar::WndProc(TMessage& M) {
  if (M.Msg == WM_SIZE) region_.Forget(); // the style may shape the window anew
  if (OfferToStyle(style_.get(), M)) return;
  if (M.Msg == WM_ERASEBKGND) {
    M.Result = 1;
    return;
  }
  TCustomControl::WndProc(M);
}

void TsTrackBar::HandleMessage(TMessage& M) {
  if (M.Msg == CN_HSCROLL || M.Msg == CN_VSCROLL) {
    // A move ends with a second notification at the same place: one
    // change, one event.
    const int p = static_cast<int>(Send(TBM_GETPOS, 0, 0));
    style_->CacheDirty = true;
    if (p != range_.Position) {
      range_.Position = p;
      Changed();
    }
    M.Result = 0;
    return;
  }
  if (M.Msg == WM_KEYDOWN && classlib::HandleDialogKey(this, M)) return;
  TCustomControl::HandleMessage(M);
}

void TsTrackBar::Invalidate() {
  if (style_) style_->CacheDirty = true;
  TCustomControl::Invalidate();
}

void TsTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  timer_->Engine().Stop(timer_->Settings());
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TsTrackBar::Changed() {
  if (Ready() && HandleAllocated()) {
    BuildImage();
    style_->CacheDirty = true;
    RECT t{};
    Send(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
    if (HDC dc = GetDC(handle_)) {
      CopyToDC(style_.get(), dc, t.left, t.top, t.right - t.left, t.bottom - t.top);
      ReleaseDC(handle_, dc);
    }
  }
  if (OnChange && !classlib::IsLoading(this)) OnChange(this);
}

// --- Painting -----------------------------------------------------------------------------

bool TsTrackBar::Ready() const {
  return !ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying);
}

void TsTrackBar::Paint() {
  if (!Ready()) return;
  BuildImage();
  CopyToDC(style_.get(), Canvas()->Handle(), 0, 0, Width(), Height());
}

void TsTrackBar::BuildImage() {
  style_->SizeCache();
  TBitmap* image = CacheBitmap(style_.get());
  if (!image || image->Empty()) return;
  TsGenStyle::PaintScope scope(style_.get());
  style_->PaintBG(BitmapPixels(image));
  if (style_->BtnEffects()->MaskedBorders()->Enabled())
    region_.Paint(this, style_.get(), image, style_->IsHot() ? 1 : 0, false);
  else
    style_->PaintBevel(Rect(0, 0, Width(), Height()));
  if (HandleAllocated()) {
    TCanvas* c = image->Canvas();
    PaintChannel(c);
    PaintTicks(c);
    PaintThumb(c);
  }
  // Applied to the image just built, so it never compounds.
  if (!Enabled())
    PaintDisabled(image, disabled_kind_, Parent(), Point(Left(), Top()),
                  style_->GetParentBackground());
  style_->MarkPainted();
}

void TsTrackBar::PaintChannel(TCanvas* c) {
  RECT rc{};
  Send(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&rc));
  const TRect ch = TrackChannel(Rect(rc.left, rc.top, rc.right, rc.bottom), orientation_);
  FillColor(c->Handle(), ch, style_->Painting()->Color());
  int width = 1;
  Draw3DFrame(c->Handle(), ch, clBlack, width, clWhite);
}

void TsTrackBar::PaintTicks(TCanvas* c) {
  RECT rc{}, rt{};
  Send(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&rc));
  Send(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rt));
  const TRect ch = TrackChannel(Rect(rc.left, rc.top, rc.right, rc.bottom), orientation_);
  const int reported = static_cast<int>(Send(TBM_GETNUMTICS, 0, 0));
  const TColor light = orientation_ == trVertical ? clBlack : clBtnShadow;
  for (const TRect& r : TickRects(ch, Rect(rt.left, rt.top, rt.right, rt.bottom), orientation_,
                                  tick_style_, tick_marks_, reported)) {
    int width = 1;
    Draw3DFrame(c->Handle(), r, light, width, clWhite);
  }
}

void TsTrackBar::PaintThumb(TCanvas* c) {
  if (!slider_visible_) return;
  RECT rt{};
  Send(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rt));
  const TThumbOutline o =
      ThumbOutline(Rect(rt.left, rt.top, rt.right, rt.bottom), orientation_, tick_marks_);
  if (o.Light.empty()) return;
  c->Pen()->SetWidth(1);
  c->Pen()->SetColor(clWhite);
  c->Polyline(o.Light);
  c->Pen()->SetColor(clBlack);
  c->Polyline(o.Dark);
}

// --- Fading -------------------------------------------------------------------------------

bool TsTrackBar::FadeTargetAlive() {
  return HandleAllocated() && !ComponentState().Contains(csDestroying) && Application &&
         !Application->Terminated();
}

void TsTrackBar::FadeSwapImages() {
  if (TBitmap* image = CacheBitmap(style_.get())) previous_.Assign(image);
  BuildImage();
}

void TsTrackBar::FadeRepaint() {
  style_->CacheDirty = true;
  Repaint();
}

void TsTrackBar::FadePaintStep(TFadeMode direction, int weight) {
  HDC dc = GetWindowDC(handle_);
  if (!dc) return;
  struct Release {
    HWND w;
    HDC dc;
    ~Release() { ReleaseDC(w, dc); }
  } release{handle_, dc};
  PaintFadeStep(CacheBitmap(style_.get()), &previous_, direction, weight, fade_blend_, dc);
}

}  // namespace skins
