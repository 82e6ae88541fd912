// TLabel, TButton, TRadioButton, TGroupBox and TStaticText (see StdCtrls.h);
// the list-like controls are in StdLists.cpp.
#include "classlib/StdCtrls.h"

#include <algorithm>
#include <vector>

#include "classlib/Cp1251.h"
#include "classlib/WrappedControl.h"

namespace {

// The size DrawText gives `text` in `font` (one line unless DT_WORDBREAK and
// a width are given).
TSize MeasureText(TFont* font, const std::string& text, int width, UINT flags) {
  HDC dc = GetDC(nullptr);
  TRect r = Rect(0, 0, width > 0 ? width : 0, 0);
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.SetFont(font);
    canvas.DrawText(text.empty() ? std::string(" ") : text, r, flags | DT_CALCRECT);
  }
  ReleaseDC(nullptr, dc);
  TSize s;
  s.cx = text.empty() ? 0 : r.Right - r.Left;
  s.cy = r.Bottom - r.Top;
  return s;
}

TCustomForm* ParentFormOf(TControl* c) {
  for (; c; c = c->Parent())
    if (auto* f = dynamic_cast<TCustomForm*>(c)) return f;
  return nullptr;
}

UINT AlignmentStyle(TAlignment a, UINT left, UINT right, UINT centre) {
  return a == taRightJustify ? right : a == taCenter ? centre : left;
}

} // namespace

// --- TLabel ------------------------------------------------------------------------------

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 65, 17); }

void TLabel::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout v) {
  if (v == layout_) return;
  layout_ = v;
  Invalidate();
}

void TLabel::SetAutoSize(bool v) {
  if (v == auto_size_) return;
  auto_size_ = v;
  AdjustBounds();
}

void TLabel::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  if (v)
    ControlStyle.Exclude(csOpaque);
  else
    ControlStyle.Include(csOpaque);
  Invalidate();
}

void TLabel::SetWordWrap(bool v) {
  if (v == word_wrap_) return;
  word_wrap_ = v;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetFocusControl(TWinControl* v) {
  if (v == focus_control_) return;
  if (focus_control_) focus_control_->RemoveFreeNotification(this);
  focus_control_ = v;
  if (v) v->FreeNotification(this);
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == focus_control_) focus_control_ = nullptr;
}

void TLabel::SetShowAccelChar(bool v) {
  if (v == show_accel_char_) return;
  show_accel_char_ = v;
  AdjustBounds();
  Invalidate();
}

UINT TLabel::TextFlags() const {
  UINT f = DT_EXPANDTABS | AlignmentStyle(alignment_, DT_LEFT, DT_RIGHT, DT_CENTER);
  f |= word_wrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  if (!show_accel_char_) f |= DT_NOPREFIX;
  return f;
}

void TLabel::AdjustBounds() {
  if (!auto_size_ || ComponentState().Contains(csLoading)) return;
  TSize s =
      MeasureText(Font(), text_, word_wrap_ ? Width() : 0, TextFlags() & ~(DT_CENTER | DT_RIGHT));
  int left = Left();
  // A right-aligned label grows to the left, keeping its right edge.
  if (!word_wrap_ && alignment_ == taRightJustify) left += Width() - s.cx;
  SetBounds(left, Top(), word_wrap_ ? Width() : s.cx, s.cy);
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::HandleMessage(TMessage& M) {
  switch (M.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      AdjustBounds();
      Invalidate();
      return;
    case CM_DIALOGCHAR:
      classlib::LabelDialogChar(focus_control_, Enabled(), show_accel_char_, text_, M);
      return;
  }
  TGraphicControl::HandleMessage(M);
}

void TLabel::Paint() {
  TCanvas* c = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  if (!transparent_) c->FillRect(r, Color());
  UINT flags = TextFlags();
  if (layout_ != tlTop) {
    // Measured in the label's own font, whatever the DC held before.
    TRect calc = r;
    c->DrawText(text_, calc, flags | DT_CALCRECT);
    int h = calc.Height();
    r.Top = layout_ == tlBottom ? r.Bottom - h : (r.Bottom - h) / 2;
  }
  if (Enabled())
    c->DrawTextTransparent(text_, r, flags, Font()->Color());
  else
    c->DrawEngravedText(text_, r, flags); // the usual disabled look
  TGraphicControl::Paint();               // OnPaint, if anyone draws on top
}

// --- Enter and Esc ---------------------------------------------------------------------------

namespace {

classlib::IDialogButton* FindDialogButton(TWinControl* in, bool cancel) {
  for (int i = 0; i < in->ControlCount(); ++i) {
    auto* w = dynamic_cast<TWinControl*>(in->Controls(i));
    if (!w || !w->Visible() || !w->Enabled()) continue;
    if (auto* b = dynamic_cast<classlib::IDialogButton*>(w); b && b->TakesDialogKey(cancel))
      return b;
    if (classlib::IDialogButton* b = FindDialogButton(w, cancel)) return b;
  }
  return nullptr;
}

void ListDialogButtons(TWinControl* in, std::vector<TWinControl*>& out) {
  for (int i = 0; i < in->ControlCount(); ++i)
    if (auto* w = dynamic_cast<TWinControl*>(in->Controls(i))) {
      if (dynamic_cast<classlib::IDialogButton*>(w)) out.push_back(w);
      ListDialogButtons(w, out);
    }
}

} // namespace

bool classlib::HandleDialogKey(TWinControl* Sender, TMessage& M) {
  if (M.Msg != WM_KEYDOWN || (M.WParam != VK_RETURN && M.WParam != VK_ESCAPE)) return false;
  bool cancel = M.WParam == VK_ESCAPE;
  IDialogButton* target = nullptr;
  if (auto* self = dynamic_cast<IDialogButton*>(Sender); self && !cancel) {
    target = self;
  } else if (TCustomForm* form = ParentFormOf(Sender)) {
    target = FindDialogButton(form, cancel);
  }
  if (!target) return false;
  if (Sender->OnKeyDown) {
    WORD key = static_cast<WORD>(M.WParam);
    Sender->OnKeyDown(Sender, key, classlib::KeyboardShiftState());
    if (key == 0) return true;
  }
  target->DialogKeyClick();
  return true;
}

bool classlib::DeliverDialogChar(TWinControl* Sender, const TMessage& M) {
  if (M.Msg != WM_CHAR && M.Msg != WM_SYSCHAR) return false;
  // Control characters (Enter, Esc, Backspace, ...) are keys, not letters.
  unsigned char c;
  if (M.WParam < L' ' || !UnicodeToCp1251(static_cast<char32_t>(M.WParam), c)) return false;
  if (M.Msg == WM_SYSCHAR && c == ' ') return false; // the window menu
  if (M.Msg == WM_CHAR && Sender->HandleAllocated()) {
    MSG msg{Sender->Handle(), M.Msg, M.WParam, M.LParam, 0, {}};
    const LRESULT code = SendMessageW(Sender->Handle(), WM_GETDLGCODE, M.WParam,
                                      reinterpret_cast<LPARAM>(&msg));
    if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  }
  TWinControl* top = Sender;
  if (TCustomForm* form = ParentFormOf(Sender))
    top = form;
  else
    while (top->Parent()) top = top->Parent();
  return top->Perform(CM_DIALOGCHAR, c, M.LParam) != 0;
}

void classlib::LabelDialogChar(TWinControl* FocusControl, bool Enabled, bool ShowAccelChar,
                               const std::string& Caption, TMessage& M) {
  if (FocusControl && Enabled && ShowAccelChar && IsAccel(static_cast<char>(M.WParam), Caption) &&
      FocusControl->CanFocus()) {
    FocusControl->SetFocus();
    M.Result = 1;
  }
}

void classlib::NotifyFocusChanged(TWinControl* Control) {
  TCustomForm* form = ParentFormOf(Control);
  if (!form) return;
  // A button's handler may free another button or the form: each is asked
  // only while it is still there.
  std::vector<TWinControl*> buttons;
  ListDialogButtons(form, buttons);
  std::vector<TLifeToken> lives;
  for (TWinControl* b : buttons) lives.push_back(b->LifeToken());
  const TLifeToken focused = Control->LifeToken();
  for (size_t i = 0; i < buttons.size(); ++i)
    if (lives[i])
      dynamic_cast<IDialogButton*>(buttons[i])->FocusChanged(focused ? Control : nullptr);
}

// --- TButton ------------------------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  classlib::AsWrappedControl(ControlStyle);
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clBtnFace);
}

void TButton::SetDefault(bool v) {
  if (v == default_) return;
  default_ = v;
  if (HandleAllocated())
    SendMessageW(Handle(), BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, L"BUTTON");
  p.Style |= (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::Click() {
  if (modal_result_ != mrNone)
    if (TCustomForm* f = ParentFormOf(this)) f->SetModalResult(modal_result_);
  TWinControl::Click();
}

void TButton::HandleMessage(TMessage& M) {
  switch (M.Msg) {
    case CN_COMMAND:
      if (HIWORD(M.WParam) == BN_CLICKED) Click();
      return;
    case WM_KEYDOWN:
      if (classlib::HandleDialogKey(this, M)) return;
      break;
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<char>(M.WParam), Caption()) && CanFocus()) {
        M.Result = 1;
        Click();
        return;
      }
      break;
  }
  TWinControl::HandleMessage(M);
}

// --- TRadioButton -----------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner) {
  classlib::AsWrappedControl(ControlStyle);
  SetBounds(0, 0, 113, 17);
  SetTabStop(true);
}

void TRadioButton::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  if (v && Parent()) {
    // The others of the same parent give way, silently as well; Tab enters
    // the group at its checked button only, as in any Windows dialog.
    SetTabStop(true);
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
          other && other != this) {
        other->SetChecked(false);
        other->SetTabStop(false);
      }
  }
}

void TRadioButton::UserCheck() {
  if (checked_) return;
  SetChecked(true);
  if (OnChange) OnChange(this);
  Click();
}

void TRadioButton::MoveInGroup(bool forward) {
  if (!Parent()) return;
  std::vector<TRadioButton*> group;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* r = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
        r && r->Visible() && r->Enabled())
      group.push_back(r);
  auto it = std::find(group.begin(), group.end(), this);
  if (group.size() < 2 || it == group.end()) return;
  size_t i = static_cast<size_t>(it - group.begin()), n = group.size();
  TRadioButton* next = group[forward ? (i + 1) % n : (i + n - 1) % n];
  next->SetFocus();
  next->UserCheck(); // arrows choose, as in any radio group
}

void TRadioButton::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  RecreateWnd();
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, L"BUTTON");
  // Not an automatic radio button: the checks of a group are kept here, so
  // that code can set them without the user's events running.
  p.Style |= BS_RADIOBUTTON | (alignment_ == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TRadioButton::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(handle_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::HandleMessage(TMessage& M) {
  if (M.Msg == WM_KEYDOWN) {
    if (classlib::HandleDialogKey(this, M)) return;
    switch (M.WParam) {
      case VK_UP:
      case VK_LEFT:
      case VK_DOWN:
      case VK_RIGHT: MoveInGroup(M.WParam == VK_DOWN || M.WParam == VK_RIGHT); return;
    }
  } else if (M.Msg == WM_GETDLGCODE) {
    DefaultHandler(M);
    M.Result |= DLGC_WANTARROWS;
    return;
  } else if (M.Msg == CN_COMMAND) {
    if (HIWORD(M.WParam) == BN_CLICKED) UserCheck();
    return;
  } else if (M.Msg == CM_DIALOGCHAR && IsAccel(static_cast<char>(M.WParam), Caption()) &&
             CanFocus()) {
    M.Result = 1;
    SetFocus();
    UserCheck();
    return;
  }
  TWinControl::HandleMessage(M);
}

// --- TGroupBox --------------------------------------------------------------------------------

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 105); }

void TGroupBox::Paint() {
  TCanvas* c = Canvas();
  int textH = c->TextHeight("0");
  c->EtchedFrame(Rect(0, textH / 2, Width(), Height()));
  if (!text_.empty()) {
    TRect tr = Rect(8, 0, Width() - 8, textH);
    c->DrawText(text_, tr, DT_SINGLELINE | DT_CALCRECT);
    tr.Right += 2; // a blank either side breaks the frame line
    c->FillRect(Rect(tr.Left - 1, tr.Top, tr.Right + 1, tr.Bottom), Color());
    c->DrawTextTransparent(text_, Rect(tr.Left + 1, tr.Top, tr.Right + 1, tr.Bottom), DT_SINGLELINE,
                           Enabled() ? Font()->Color() : clGrayText);
  }
  TCustomControl::Paint(); // OnPaint, caption or none
}

void TGroupBox::AlignControls(TControl* AControl, TRect& Rect) {
  // Aligned children stay inside the frame, below the caption.
  int textH = -Font()->Height() + 4;
  Rect.Left += 2;
  Rect.Right -= 2;
  Rect.Top += textH > 10 ? textH : 10;
  Rect.Bottom -= 2;
  TCustomControl::AlignControls(AControl, Rect);
}

// --- TStaticText ------------------------------------------------------------------------------

TStaticText::TStaticText(TComponent* AOwner) : TWinControl(AOwner) {
  classlib::AsWrappedControl(ControlStyle);
  ControlStyle += {csClickEvents};
  SetBounds(0, 0, 65, 17);
}

void TStaticText::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  RecreateWnd();
}

void TStaticText::SetBorderStyle(TStaticBorderStyle v) {
  if (v == border_style_) return;
  border_style_ = v;
  RecreateWnd();
  AdjustBounds();
}

void TStaticText::SetAutoSize(bool v) {
  if (v == auto_size_) return;
  auto_size_ = v;
  AdjustBounds();
}

void TStaticText::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, L"STATIC");
  p.Style |= SS_NOTIFY | SS_NOPREFIX | AlignmentStyle(alignment_, SS_LEFT, SS_RIGHT, SS_CENTER);
  if (border_style_ == sbsSingle) p.Style |= WS_BORDER;
  if (border_style_ == sbsSunken) p.Style |= SS_SUNKEN;
}

void TStaticText::AdjustBounds() {
  if (!auto_size_ || ComponentState().Contains(csLoading)) return;
  TSize s = MeasureText(Font(), text_, 0, DT_SINGLELINE | DT_NOPREFIX);
  int frame = border_style_ == sbsNone ? 0 : 2;
  int left = Left();
  int w = s.cx + 2 * frame;
  if (alignment_ == taRightJustify) left += Width() - w;
  SetBounds(left, Top(), w, s.cy + 2 * frame);
}

void TStaticText::Loaded() {
  TWinControl::Loaded();
  AdjustBounds();
}

void TStaticText::HandleMessage(TMessage& M) {
  switch (M.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED: AdjustBounds(); break;
  }
  TWinControl::HandleMessage(M);
}
