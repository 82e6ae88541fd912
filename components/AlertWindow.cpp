// The alert popup: its messages and scroller, painting, buttons and their
// hints, dragging by the caption bar, and the anchor under the mouse.
//
// The popup never takes activation, so no click gives it the focus: an
// anchor is clicked when a mouse button goes down on it, and the player
// keeps the keyboard and the foreground.
#include "classlib/Forms.h"
#include "components/AlertMarkupCanvas.h"
#include "components/AlertNotifier.h"

namespace {

void Gradient(TCanvas* c, TColor from, TColor to, const TRect& r, int steps) {
  for (const markup::GradientBand& b :
       markup::GradientBands(static_cast<markup::Color>(ColorToRGB(from)),
                             static_cast<markup::Color>(ColorToRGB(to)), false, r, steps, false)) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(b.BandColor);
    c->FillRect(b.Rect);
  }
}

void Lines(TCanvas* c, std::initializer_list<int> xy) {
  c->Pen()->SetColor(clBlack);
  const int* p = xy.begin();
  for (size_t i = 0; i + 3 < xy.size(); i += 4) {
    c->MoveTo(p[i], p[i + 1]);
    c->LineTo(p[i + 2], p[i + 3]);
  }
}

} // namespace

TAlertWindow::TAlertWindow(TComponent* AOwner)
    : THintWindow(AOwner), messages_(new TStringList), copies_(new TMsgCollection(this)) {
  SetBounds(0, 0, 300, 100);
  SetShowHint(true);
  SetHint("");
  messages_->OnChange = [this](TObject*) { MessagesChanged(); };
  for (TBitmap& d : disabled_) d.SetPixelFormat(pf32bit);
  glyphs_[kPrev].OnChange = [this](TObject*) { MakeDisabled(kPrev); };
  glyphs_[kNext].OnChange = [this](TObject*) { MakeDisabled(kNext); };
}

TAlertWindow::~TAlertWindow() {
  for (TBitmap& g : glyphs_) g.OnChange = nullptr;
  messages_->OnChange = nullptr;
  delete messages_;
  delete copies_;
}

void TAlertWindow::CreateParams(TCreateParams& p) {
  THintWindow::CreateParams(p);
  p.Style &= ~WS_BORDER;
  // Layered from the start: the fade only changes the opacity, from any thread.
  p.ExStyle |= WS_EX_LAYERED;
}

void TAlertWindow::Loaded() {
  THintWindow::Loaded();
  saved_hint_ = Hint();
}

void TAlertWindow::MakeDisabled(Button b) {
  TBitmap& g = glyphs_[b];
  TBitmap& d = disabled_[b == kPrev ? 0 : 1];
  if (g.Empty()) {
    d.SetSize(0, 0);
  } else {
    d.SetSize(g.Width(), g.Height());
    for (int y = 0; y < g.Height(); ++y)
      components::DisabledRow(g.ScanLine(y), g.PixelBytes(), d.ScanLine(y), d.PixelBytes(),
                              g.Width());
    // A fixed transparent colour stays transparent in its grey.
    d.SetTransparentMode(g.TransparentMode());
    if (g.TransparentMode() == tmFixed) {
      const TColor t = ColorToRGB(g.TransparentColor());
      const int v = components::DisabledGrey(t & 0xFF, (t >> 8) & 0xFF, (t >> 16) & 0xFF);
      d.SetTransparentColor(static_cast<TColor>(v | (v << 8) | (v << 16)));
    }
  }
  Invalidate();
}

void TAlertWindow::Notification(TComponent* AComponent, TOperation Operation) {
  THintWindow::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == Images) Images = nullptr;
  if (AComponent == PictureContainer) PictureContainer = nullptr;
}

void TAlertWindow::SetPositionFormat(const std::string& v) {
  position_format_ = v;
  Invalidate();
}
void TAlertWindow::SetHover(bool v) {
  hover_ = v;
  hover_anchor_ = -1;
}
void TAlertWindow::SetShowDelete(bool v) {
  show_delete_ = v;
  Invalidate();
}
void TAlertWindow::SetShowPopup(bool v) {
  show_popup_ = v;
  Invalidate();
}

void TAlertWindow::SetAutoSizeOn(bool v) {
  auto_size_ = v;
  if (!v) return;
  AlertAutoSizeInput in;
  for (int i = 0; i < messages_->Count(); ++i) {
    markup::MarkupResult r;
    PaintText(Canvas(), i, Rect(0, 0, 4096, 4096), TextPass::Measure, 0, 0, r);
    in.TextWidth = std::max(in.TextWidth, r.TextWidth);
    in.TextHeight = std::max(in.TextHeight, r.TextHeight);
  }
  in.HasImages = Images != nullptr;
  in.ImagesWidth = Images ? Images->Width() : 0;
  in.ImagesHeight = Images ? Images->Height() : 0;
  in.ScrollerVisible = scroller_.Visible();
  in.ShowDelete = show_delete_;
  in.ShowPopup = show_popup_;
  in.MarginX = MarginX;
  in.MarginY = MarginY;
  in.MaxWidth = MaxWidth;
  in.MaxHeight = MaxHeight;
  const TSize s = AlertAutoSize(in);
  SetBounds(Left(), Top(), s.cx, s.cy);
}

void TAlertWindow::MessagesChanged() {
  const int count = messages_->Count();
  scroller_.SetMax(count);
  if (count > 0) {
    scroller_.SetMin(1);
  } else {
    scroller_.SetMin(0);
    scroller_.SetPosition(0);
    scroller_.SetMax(0);
  }
  if (scroller_.Position() == 0) scroller_.SetPosition(scroller_.Min());
  // A list that shrank keeps the position inside it.
  if (scroller_.Position() > count) scroller_.SetPosition(count);
  scroller_.SetVisible(count > 1);
  if (count == 0) CloseAlert();
  Invalidate();
}

void TAlertWindow::DeleteMessage(int Index) {
  if (Index < 0 || Index >= messages_->Count()) throw Exception("Invalid Index");
  if (OnCanDelete && !OnCanDelete(Index)) return;
  const int p = scroller_.Position() - 1;
  if (Index < p)
    scroller_.SetPosition(p);
  else if (Index == p && !scroller_.CanGoNext() && scroller_.CanGoPrev())
    scroller_.SetPosition(scroller_.Position() - 1);
  messages_->Delete(Index);
  if (OnDeleteMessage) OnDeleteMessage(this, Index);
  Invalidate();
}

void TAlertWindow::DeleteCurrent() {
  if (scroller_.Position() > 0) DeleteMessage(scroller_.Position() - 1);
}

void TAlertWindow::NextMessage() {
  if (!scroller_.CanGoNext()) return;
  scroller_.SetPosition(scroller_.Position() + 1);
  Invalidate();
  if (OnNextMessage) OnNextMessage(this);
}

void TAlertWindow::PrevMessage() {
  if (!scroller_.CanGoPrev()) return;
  scroller_.SetPosition(scroller_.Position() - 1);
  Invalidate();
  if (OnPrevMessage) OnPrevMessage(this);
}

void TAlertWindow::CloseAlert() {
  if (!Visible()) return;
  bool can = true;
  if (OnCanClose) OnCanClose(this, can);
  if (!can) return;
  SetVisible(false);
  if (OnClose) OnClose(this);
}

int TAlertWindow::PositionWidth() {
  Canvas()->Font()->Assign(&font_);
  return Canvas()->TextWidth(
             components::PositionText(position_format_, scroller_.Max() - 1, scroller_.Max())) +
         8;
}

AlertLayout TAlertWindow::Layout() {
  return components::LayoutAlert(Width(), Height(), PositionWidth(), scroller_.Visible(),
                                 show_delete_, Images ? Images->Width() : 0, Images != nullptr,
                                 MarginX, MarginY);
}

void TAlertWindow::PaintText(TCanvas* c, int index, const TRect& area, TextPass pass, int x,
                             int y, markup::MarkupResult& out) {
  if (index < 0 || index >= messages_->Count()) return;
  c->Font()->Assign(&font_);
  c->Brush()->SetStyle(bsClear);
  markup::MarkupParams p;
  p.HitTestOnly = pass == TextPass::HitTest;
  p.MeasureOnly = pass == TextPass::Measure;
  p.MouseX = x;
  p.MouseY = y;
  p.HoverStyle = pass == TextPass::Draw && hover_;
  p.HoverAnchorIndex = pass == TextPass::Draw ? hover_anchor_ : -1;
  p.ImageUnderMouse = pass == TextPass::Draw ? hover_image_ : -1;
  TCanvasMarkupSurface s(c, Images);
  s.UsePictures(PictureContainer, &cache_);
  markup::DrawMarkup(s, messages_->Strings(index), area, p, out);
}

void TAlertWindow::Paint() {
  TCanvas* c = Canvas();
  const int W = Width(), H = Height();
  const AlertLayout l = Layout();
  const int index = scroller_.Position() - 1;
  TColor from = WindowColor, to = WindowColorTo;
  if (index >= 0 && index < copies_->Count() && copies_->Items(index)->Color() != clNone) {
    from = copies_->Items(index)->Color();
    to = copies_->Items(index)->ColorTo();
  }
  Gradient(c, from, to, Rect(0, 0, W, H), 80);
  c->Pen()->SetColor(BorderColor);
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(0, 0, W, H);
  Gradient(c, CaptionColor, CaptionColorTo, l.Caption, 16);
  const int g = (W - 34) / 2;
  for (int pass = 0; pass < 3; ++pass)
    for (int k = 0; k < 9; ++k) {
      if (pass == 2) {
        c->SetPixel(g + 1 + 4 * k, 3, CaptionColorTo);
        continue;
      }
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(pass == 0 ? clWhite : clBlack);
      c->FillRect(pass == 0 ? Rect(g + 1 + 4 * k, 3, g + 3 + 4 * k, 5)
                            : Rect(g + 4 * k, 2, g + 2 + 4 * k, 4));
    }
  PaintButton(c, kClose, l.Close);
  if (index >= 0) {
    if (Images)
      Images->Draw(c, 5, 1,
                   static_cast<int>(reinterpret_cast<intptr_t>(messages_->Objects(index))));
    const int saved = SaveDC(c->Handle());
    IntersectClipRect(c->Handle(), l.Text.Left, l.Text.Top, l.Text.Right, l.Text.Bottom);
    markup::MarkupResult r;
    PaintText(c, index, l.Text, TextPass::Draw, 0, 0, r);
    RestoreDC(c->Handle(), saved);
  }
  if (scroller_.Visible()) {
    PaintButton(c, kPrev, l.Prev);
    c->Font()->Assign(&font_);
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    const std::string pos =
        components::PositionText(position_format_, scroller_.Position(), scroller_.Max());
    c->TextOut(W / 2 - c->TextWidth(pos) / 2, H - c->TextHeight("gt") - 5, pos);
    PaintButton(c, kNext, l.Next);
  }
  if (show_delete_ && messages_->Count() > 0) PaintButton(c, kDelete, l.Delete);
  if (show_popup_) PaintButton(c, kPopup, l.Popup);
}

bool TAlertWindow::ButtonActive(Button b) {
  if (b == kPrev) return scroller_.CanGoPrev();
  if (b == kNext) return scroller_.CanGoNext();
  return true;
}

void TAlertWindow::PaintButton(TCanvas* c, Button b, const TRect& r) {
  const bool active = ButtonActive(b);
  if ((pressed_[b] || hovered_[b]) && active) {
    TRect face = r;
    face.Bottom -= 1;
    if (pressed_[b])
      Gradient(c, BtnDownColor, BtnDownColorTo, face, 16);
    else
      Gradient(c, BtnHoverColor, BtnHoverColorTo, face, 16);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(face);
  }
  const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom, W = Width();
  c->Brush()->SetStyle(bsClear);
  TBitmap* glyph = &glyphs_[b];
  if (!active && (b == kPrev || b == kNext)) glyph = &disabled_[b == kPrev ? 0 : 1];
  if (!glyph->Empty()) {
    const TRect to = b == kClose ? Rect(L + 2, T + 2, L + 18, T + 18) : Rect(L + 2, T + 4, L + 18, T + 20);
    c->TransparentCopy(to, glyph->Canvas(), Rect(0, 0, glyph->Width(), glyph->Height()),
                       glyph->TransparentColor());
    return;
  }
  switch (b) {
    case kClose:
      Lines(c, {W - 15, 20, W - 7, 13, W - 14, 20, W - 8, 13, W - 15, 14, W - 7, 21, W - 14, 14,
                W - 8, 21});
      break;
    case kPrev:
    case kNext: {
      c->Font()->Assign(&font_);
      c->Font()->SetColor(active ? clBlack : clGray);
      const std::string arrow = b == kPrev ? "<" : ">";
      c->TextOut(L + 5, T + 6, arrow);
      c->TextOut(L + 8, T + 6, arrow);
      break;
    }
    case kDelete:
      Lines(c, {R - 14, T + 15, R - 6, T + 8, R - 13, T + 15, R - 7, T + 8, R - 14, T + 9, R - 6,
                T + 16, R - 13, T + 9, R - 7, T + 16});
      break;
    case kPopup:
      for (int i = 0; i <= 3; ++i) Lines(c, {L + i + 7, B + i - 10, L - i + 14, B + i - 10});
      c->Font()->SetName("MS Sans Serif");
      c->Font()->SetStyle({fsBold});
      c->Font()->SetColor(clBlack);
      c->Font()->SetSize(8);
      c->TextOut(L + 5, T + 3, ">");
      c->TextOut(L + 8, T + 3, ">");
      break;
    default: break;
  }
}

TRect TAlertWindow::ButtonRect(const AlertLayout& l, Button b) {
  switch (b) {
    case kClose: return l.Close;
    case kPrev: return scroller_.Visible() ? l.Prev : TRect{};
    case kNext: return scroller_.Visible() ? l.Next : TRect{};
    case kDelete: return show_delete_ ? l.Delete : TRect{};
    default: return show_popup_ ? l.Popup : TRect{};
  }
}

const std::string& TAlertWindow::ButtonHint(Button b) const {
  switch (b) {
    case kClose: return HintCloseBtn;
    case kPrev: return HintPrevBtn;
    case kNext: return HintNextBtn;
    case kDelete: return HintDeleteBtn;
    default: return HintPopupBtn;
  }
}

void TAlertWindow::SetButtonHint(const std::string& hint) {
  SetHint(hint);
  // The tip showing now (or about to) was another button's or the popup's.
  if (Application) Application->CancelHint();
}

markup::MarkupResult TAlertWindow::AnchorAt(int x, int y) {
  markup::MarkupResult r;
  PaintText(Canvas(), scroller_.Position() - 1, Layout().Text, TextPass::HitTest, x, y, r);
  return r;
}

void TAlertWindow::AnchorClick(int x, int y) {
  const markup::MarkupResult r = AnchorAt(x, y);
  const TLifeToken life = LifeToken();
  if (r.Hit && OnAnchorClick) OnAnchorClick(this, r.HitAnchor, scroller_.Position() - 1);
  if (life && hover_anchor_ >= 0 && hover_) Invalidate();
}

void TAlertWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TLifeToken life = LifeToken();
  // The anchor is told on the press: the popup never takes activation, so
  // the focus message a click would bring never comes.
  AnchorClick(X, Y);
  if (!life) return;
  // The class library captures the mouse for the press as well, so a
  // button released away from the popup still counts.
  THintWindow::MouseDown(Button, Shift, X, Y);
  const AlertLayout l = Layout();
  if (l.Caption.Contains(Point(X, Y))) {
    drag_from_ = Point(X, Y);
    SetCapture(Handle());
    dragging_ = true;
  } else if (dragging_) {
    ReleaseCapture();
    dragging_ = false;
    // The drag's capture goes; this press's own stays.
    if (ControlStyle.Contains(csCaptureMouse)) SetCapture(Handle());
  }
  if (dragging_) return;
  for (int b = 0; b < kButtons; ++b)
    if (ButtonRect(l, static_cast<TAlertWindow::Button>(b)).Contains(Point(X, Y))) {
      pressed_[b] = true;
      Invalidate();
    }
  // A click on the popup brings its parent window (the player) up.
  if (ParentWindow()) ::SetFocus(ParentWindow());
}

void TAlertWindow::MouseMove(TShiftState Shift, int X, int Y) {
  THintWindow::MouseMove(Shift, X, Y);
  if (dragging_) {
    if (Shift.Contains(ssLeft))
      SetWindowPos(Handle(), HWND_TOPMOST, X - drag_from_.X + Left(), Y - drag_from_.Y + Top(), 0,
                   0, SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  const AlertLayout l = Layout();
  for (int i = 0; i < kButtons; ++i) {
    const auto b = static_cast<TAlertWindow::Button>(i);
    if (ButtonRect(l, b).Contains(Point(X, Y))) {
      if (hovered_[b] || !ButtonActive(b)) continue;
      hovered_[b] = true;
      Invalidate();
      SetButtonHint(ButtonHint(b));
    } else {
      if (Hint() == ButtonHint(b)) SetButtonHint(saved_hint_);
      if (hovered_[b] || pressed_[b]) {
        hovered_[b] = pressed_[b] = false;
        Invalidate();
      }
    }
  }
}

void TAlertWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  THintWindow::MouseUp(Button, Shift, X, Y);
  if (dragging_) {
    ReleaseCapture();
    dragging_ = false;
    RECT r;
    GetWindowRect(Handle(), &r);
    left_ = r.left;
    top_ = r.top;
    if (OnWindowMoved) OnWindowMoved(this);
    return;
  }
  const TLifeToken life = LifeToken();
  // One press, one action: a handler of one button may close or empty the
  // popup, so the others are not looked at after it.
  if (pressed_[kClose]) {
    pressed_[kClose] = false;
    if (AutoDelete) DeleteCurrent();
    if (life) CloseAlert();
  } else if (pressed_[kPrev]) {
    pressed_[kPrev] = false;
    PrevMessage();
  } else if (pressed_[kNext]) {
    pressed_[kNext] = false;
    NextMessage();
  } else if (pressed_[kDelete]) {
    pressed_[kDelete] = false;
    DeleteCurrent();
  } else if (pressed_[kPopup]) {
    pressed_[kPopup] = false;
    Invalidate();
    if (OnPopupbtnClick) OnPopupbtnClick(this);
  }
}

void TAlertWindow::MouseLeave() {
  if (dragging_) {
    ReleaseCapture();
    dragging_ = false;
  }
  if (hovered_[kClose]) {
    hovered_[kClose] = false;
    Invalidate();
  }
  if (AutoHide) SetVisible(false);
  // The close and popup buttons keep a press: released outside, they still count.
  bool repaint = false;
  for (Button b : {kPrev, kNext, kDelete}) {
    repaint = repaint || hovered_[b] || pressed_[b];
    hovered_[b] = pressed_[b] = false;
  }
  if (repaint) Invalidate();
  if (Hint() != saved_hint_) SetHint(saved_hint_);
  THintWindow::MouseLeave();
}

void TAlertWindow::HandleMessage(TMessage& M) {
  if (M.Msg == WM_ERASEBKGND) {
    M.Result = 1;
    return;
  }
  if (M.Msg == WM_NCHITTEST) {
    POINT pt;
    GetCursorPos(&pt);
    ::ScreenToClient(Handle(), &pt);
    const markup::MarkupResult r = AnchorAt(pt.x, pt.y);
    const int was = hover_anchor_, wasImage = hover_image_;
    hover_anchor_ = r.Hit ? r.HitAnchorIndex : -1;
    hover_image_ = r.Hit ? r.HitImageIndex : -1;
    SetCursor(r.Hit ? crHandPoint : crDefault);
    if (wasImage != hover_image_) Invalidate(); // an "ALT" picture in or out
    // The whole window: an anchor's rectangle is that of its last line only,
    // and one wrapped over two lines would keep half its highlight.
    if (hover_ && was != hover_anchor_) Invalidate();
    M.Result = HTCLIENT;
    return;
  }
  if (M.Msg == WM_SETFOCUS) {
    // Only code can give the popup the focus (a click never does): nothing
    // was clicked, so no anchor fires.
    M.Result = 0;
    return;
  }
  THintWindow::HandleMessage(M);
}
