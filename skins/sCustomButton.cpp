// The skinned dialog button (see sCustomButton.h).
#include "skins/sCustomButton.h"

#include "classlib/Forms.h"
#include "skins/sGraphUtils.h"

namespace skins {

namespace {
TCustomForm* FormOf(TControl* c) {
  for (; c; c = c->Parent())
    if (auto* f = dynamic_cast<TCustomForm*>(c)) return f;
  return nullptr;
}
bool ShiftKeysDown() {
  return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
}
} // namespace

TsButton::TsButton(TComponent* AOwner) : TsButtonControl(AOwner) {
  style_->KindCode = kind::Button;
  SetBounds(Left(), Top(), 75, 25);
  SetTabStop(true);
}

void TsButton::SetDefault(bool v) {
  if (v == default_) return;
  default_ = v;
  if (HandleAllocated())
    if (TCustomForm* f = FormOf(this)) {
      HWND focus = GetFocus();
      TWinControl* active = focus ? TWinControl::FindControl(focus) : nullptr;
      FocusChanged(active && FormOf(active) == f ? active : nullptr);
    }
  style_->Invalidate();
}

void TsButton::SetShowCaption(bool v) {
  if (v == show_caption_) return;
  show_caption_ = v;
  style_->Invalidate();
}

void TsButton::SetShowFocus(bool v) {
  if (v == show_focus_) return;
  show_focus_ = v;
  style_->Invalidate();
}

void TsButton::SetFocusMargin(int v) {
  if (v == focus_margin_) return;
  focus_margin_ = v;
  style_->Invalidate();
}

void TsButton::CreateWnd() {
  TsButtonControl::CreateWnd();
  acts_as_default_ = default_;
}

void TsButton::FocusChanged(TWinControl* focused) {
  const bool now = dynamic_cast<TsButton*>(focused) ? focused == this : default_;
  if (now == acts_as_default_) return;
  acts_as_default_ = now;
  style_->Invalidate();
}

void TsButton::Click() {
  if (TCustomForm* f = FormOf(this)) f->SetModalResult(modal_result_);
  TsButtonControl::Click();
}

bool TsButton::TakesDialogKey(bool cancel) {
  if (ShiftKeysDown() || !CanFocus()) return false;
  return cancel ? cancel_ : acts_as_default_;
}

void TsButton::DialogKeyClick() { PressAndClick(); }

void TsButton::PressAndClick() {
  // The pressed look is painted at once, without running other messages
  // around the click (a click must not start inside another one); the
  // button is Down while OnClick runs.
  SetDown(true);
  if (HandleAllocated()) UpdateWindow(handle_);
  const TLifeToken life = LifeToken();
  Click();
  if (!life) return;
  SetDown(false);
  Invalidate();
}

void TsButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  style_->CacheDirty = true;
  const TLifeToken life = LifeToken();
  TsButtonControl::MouseDown(Button, Shift, X, Y);
  if (life && Button == mbLeft && Enabled() && CanFocus() && !Focused()) SetFocus();
}

void TsButton::HandleMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_GETDLGCODE:
      M.Result = DLGC_BUTTON | (acts_as_default_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      return;
    case WM_KEYDOWN:
      if (classlib::HandleDialogKey(this, M)) return;
      break;
    case CM_DIALOGCHAR:
      // Space reaches the focused button this way too: it shows the press,
      // and the key's release clicks. The accelerator is a press without a
      // release here (the key goes up in the focused control, which may be
      // another one): it clicks at once, as Enter does.
      if (static_cast<char>(M.WParam) == ' ' && style_->Focused && Enabled()) {
        style_->CacheDirty = true;
        SetDown(true);
        Repaint();
        M.Result = 1;
        return;
      }
      if (IsAccel(static_cast<char>(M.WParam), Caption()) && CanFocus()) {
        style_->CacheDirty = true;
        M.Result = 1;
        PressAndClick();
        return;
      }
      break;
    case WM_KEYUP:
      // Only Space ends a keyboard press: Enter, Esc and the accelerator
      // click at once, and another key's release ends nothing it began.
      if (M.WParam == VK_SPACE && Down()) {
        SetDown(false);
        const TLifeToken life = LifeToken();
        Click();
        if (life) Repaint();
        return;
      }
      break;
  }
  TsButtonControl::HandleMessage(M);
}

void TsButton::PaintFocus(TCanvas* canvas, const TRect& r) {
  if (!show_focus_ || !HandleAllocated() || GetFocus() != handle_) return;
  TRect f = r;
  f.Left -= focus_margin_;
  f.Top -= focus_margin_;
  f.Right += focus_margin_;
  f.Bottom += focus_margin_;
  DrawDottedFrame(canvas, f);
}

}  // namespace skins
