// TCustomForm (see Forms.h); the application and the screen are in
// Application.cpp.
#include "classlib/Forms.h"

#include <algorithm>

#include "classlib/Cp1251.h"

// The portable modal results are the system's button ids: message boxes and
// dialogs hand these back as they are.
static_assert(mrOk == IDOK && mrCancel == IDCANCEL && mrAbort == IDABORT && mrRetry == IDRETRY &&
              mrIgnore == IDIGNORE && mrYes == IDYES && mrNo == IDNO);

TCustomForm::TCustomForm(TComponent* AOwner) : TCustomControl(AOwner) {
  visible_ = false;
  SetColor(clBtnFace);
  SetParentFont(false);
  left_ = 100;
  top_ = 100;
  width_ = 320;
  height_ = 240;
  Screen->forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
  auto& f = Screen->forms_;
  f.erase(std::remove(f.begin(), f.end(), this), f.end());
  if (Screen->active_form_ == this) Screen->active_form_ = nullptr;
  if (Application->main_form_ == this) Application->main_form_ = nullptr;
}

void TCustomForm::AfterConstruction() {
  Loading();
  CreateLayout();
  EndLoading();
  DoCreate();
  if (visible_) {
    visible_ = false;
    SetVisible(true);
  }
}

void TCustomForm::BeforeDestruction() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) { Application->HandleException(this); }
  }
  auto& f = Screen->forms_;
  f.erase(std::remove(f.begin(), f.end(), this), f.end());
  if (Screen->active_form_ == this) Screen->active_form_ = nullptr;
  if (Application->main_form_ == this) Application->main_form_ = nullptr;
  TCustomControl::BeforeDestruction();
}

void TCustomForm::DoCreate() {
  if (!OnCreate) return;
  // A failing OnCreate is reported; the form still exists.
  try {
    OnCreate(this);
  } catch (...) { Application->HandleException(this); }
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

// --- Window style ---------------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  if (parent_) {
    // Docked into another control: a plain child window, no frame.
    p.Style |= WS_CLIPCHILDREN;
    return;
  }
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.ExStyle = 0;
  switch (border_style_) {
    case bsNone: p.Style |= WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: p.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      p.Style |= WS_POPUP | WS_CAPTION;
      p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
  }
  if (border_style_ == bsToolWindow || border_style_ == bsSizeToolWin)
    p.ExStyle |= WS_EX_TOOLWINDOW;
  if (border_style_ != bsNone && border_icons_.Contains(biSystemMenu)) {
    p.Style |= WS_SYSMENU;
    if (border_style_ == bsSingle || border_style_ == bsSizeable) {
      if (border_icons_.Contains(biMinimize)) p.Style |= WS_MINIMIZEBOX;
      if (border_icons_.Contains(biMaximize)) p.Style |= WS_MAXIMIZEBOX;
    }
    if (border_icons_.Contains(biHelp) && !(p.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
      p.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (!enabled_) p.Style |= WS_DISABLED;
  if (form_style_ == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
  if (alpha_blend_) p.ExStyle |= WS_EX_LAYERED;
  if (position_ == poDefault || position_ == poDefaultPosOnly) p.X = p.Y = CW_USEDEFAULT;
  // Owned by the application window: no taskbar button of its own.
  p.WndParent = Application->Handle();
}

void TCustomForm::CreateWnd() {
  TCustomControl::CreateWnd();
  ApplyAlpha();
  if (client_w_ >= 0) SetClientSize(client_w_, client_h_);
  UpdateBounds();
}

void TCustomForm::FrameSize(int& dx, int& dy) {
  if (handle_) {
    RECT w, c;
    GetWindowRect(handle_, &w);
    GetClientRect(handle_, &c);
    dx = (w.right - w.left) - c.right;
    dy = (w.bottom - w.top) - c.bottom;
    return;
  }
  TCreateParams p;
  CreateParams(p);
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
  dx = r.right - r.left;
  dy = r.bottom - r.top;
}

TRect TCustomForm::ClientRect() {
  if (handle_) return TCustomControl::ClientRect();
  int dx, dy;
  FrameSize(dx, dy);
  return Rect(0, 0, width_ - dx > 0 ? width_ - dx : 0, height_ - dy > 0 ? height_ - dy : 0);
}

void TCustomForm::SetClientSize(int w, int h) {
  client_w_ = w;
  client_h_ = h;
  int dx, dy;
  FrameSize(dx, dy);
  sizing_client_ = true;
  SetBounds(left_, top_, w + dx, h + dy);
  sizing_client_ = false;
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!sizing_client_ && (AWidth != Width() || AHeight != Height())) client_w_ = client_h_ = -1;
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

// Style changes after the window exists are applied to it in place.
void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (v == border_style_) return;
  border_style_ = v;
  if (handle_) {
    TCreateParams p;
    CreateParams(p);
    SetWindowLongPtrW(handle_, GWL_STYLE, (p.Style) | (IsWindowVisible(handle_) ? WS_VISIBLE : 0));
    SetWindowLongPtrW(handle_, GWL_EXSTYLE, p.ExStyle);
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (client_w_ >= 0) SetClientSize(client_w_, client_h_);
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
  if (v == border_icons_) return;
  TFormBorderStyle keep = border_style_;
  border_icons_ = v;
  border_style_ = keep == bsNone ? bsSingle : bsNone; // force the restyle below
  SetBorderStyle(keep);
}

void TCustomForm::SetFormStyle(TFormStyle v) {
  if (v == form_style_) return;
  form_style_ = v;
  if (handle_)
    SetWindowPos(handle_, v == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetAlphaBlend(bool v) {
  if (v == alpha_blend_) return;
  alpha_blend_ = v;
  ApplyAlpha();
}

void TCustomForm::SetAlphaBlendValue(int v) {
  if (v < 0) v = 0;
  if (v > 255) v = 255;
  if (v == alpha_value_) return;
  alpha_value_ = v;
  ApplyAlpha();
}

void TCustomForm::ApplyAlpha() {
  if (!handle_) return;
  LONG_PTR ex = GetWindowLongPtrW(handle_, GWL_EXSTYLE);
  if (alpha_blend_) {
    if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrW(handle_, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(handle_, 0, static_cast<BYTE>(alpha_value_), LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongPtrW(handle_, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  }
}

void TCustomForm::SetAutoSize(bool v) {
  auto_size_ = v;
  if (v) Realign();
}

void TCustomForm::AlignControls(TControl* AControl, TRect& r) {
  TCustomControl::AlignControls(AControl, r);
  if (!auto_size_ || ComponentState().Contains(csLoading)) return;
  int w = 0, h = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible() || c->Align() == alClient) continue;
    w = std::max(w, c->Left() + c->Width());
    h = std::max(h, c->Top() + c->Height());
  }
  if (w > 0 && h > 0 && (w != ClientWidth() || h != ClientHeight())) SetClientSize(w, h);
}

TWindowState TCustomForm::WindowState() const {
  if (!handle_) return wsNormal;
  return IsIconic(handle_) ? wsMinimized : IsZoomed(handle_) ? wsMaximized : wsNormal;
}

void TCustomForm::SetWindowState(TWindowState v) {
  ShowWindow(Handle(), v == wsMinimized   ? SW_MINIMIZE
                       : v == wsMaximized ? SW_MAXIMIZE
                                          : SW_RESTORE);
}

// --- Showing and closing ----------------------------------------------------------------------

void TCustomForm::ApplyPosition() {
  if (positioned_) return;
  positioned_ = true;
  TRect area;
  switch (position_) {
    case poScreenCenter: area = Screen->WorkAreaRect(); break;
    case poDesktopCenter: area = Screen->DesktopRect(); break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      auto* ref = position_ == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
      if (!ref) ref = Application->MainForm();
      area = ref && ref != this ? ref->BoundsRect() : Screen->WorkAreaRect();
      break;
    }
    default: return;
  }
  SetBounds(area.Left + (area.Width() - width_) / 2, area.Top + (area.Height() - height_) / 2,
            width_, height_);
}

void TCustomForm::ShowWindowNow() {
  ShowWindow(handle_, SW_SHOW);
  if (GetActiveWindow() != handle_) SetForegroundWindow(handle_);
}

void TCustomForm::SetVisible(bool v) {
  if (ComponentState().Contains(csLoading)) {
    visible_ = v;
    return;
  }
  if (parent_) {
    // Docked: shown and hidden as a child window.
    if (v == visible_) return;
    if (v)
      DoShow();
    else
      DoHide();
    TCustomControl::SetVisible(v);
    return;
  }
  if (v) {
    if (visible_ && Showing()) return;
    visible_ = true;
    HandleNeeded();
    ApplyPosition();
    // The application window carries the taskbar button of the program; it
    // appears with the main form (before OnShow, which may hide it again).
    if (Application->MainForm() == this && !IsWindowVisible(Application->Handle()))
      ShowWindow(Application->Handle(), SW_SHOWNOACTIVATE);
    DoShow();
    if (visible_) ShowWindowNow();
  } else {
    if (!visible_) return;
    visible_ = false;
    DoHide();
    if (handle_) ShowWindow(handle_, SW_HIDE);
  }
  Perform(CM_VISIBLECHANGED, v);
  NotifyShowingChanged();
}

void TCustomForm::Show() {
  SetVisible(true);
  if (visible_) BringToFront();
}

void TCustomForm::SetFocus() {
  if (!Showing()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  SetActiveWindow(handle_);
  ::SetFocus(handle_);
}

bool TCustomForm::CloseQuery() {
  bool can = true;
  if (OnCloseQuery) OnCloseQuery(this, can);
  return can;
}

void TCustomForm::Close() {
  if (modal_) {
    modal_result_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application->MainForm() == this)
    Application->Terminate();
  else if (action == caHide)
    Hide();
  else if (action == caMinimize)
    SetWindowState(wsMinimized);
  else
    Release();
}

void TCustomForm::Release() {
  if (handle_)
    PostMessageW(handle_, CM_RELEASE, 0, 0);
  else
    Free();
}

namespace {
struct DisabledWindows {
  HWND keep;
  std::vector<HWND> list;
};
BOOL CALLBACK DisableOne(HWND h, LPARAM lp) {
  auto* d = reinterpret_cast<DisabledWindows*>(lp);
  if (h != d->keep && IsWindowVisible(h) && IsWindowEnabled(h)) {
    EnableWindow(h, FALSE);
    d->list.push_back(h);
  }
  return TRUE;
}
} // namespace

TModalResult TCustomForm::ShowModal() {
  if (visible_ || modal_) throw EInvalidOperation("Cannot make a visible window modal");
  HWND before = GetActiveWindow();
  DisabledWindows disabled{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&disabled));
  modal_ = true;
  modal_result_ = mrNone;
  auto finish = [&] {
    for (HWND h : disabled.list) EnableWindow(h, TRUE);
    modal_ = false;
    if (visible_) SetVisible(false);
    if (before && IsWindow(before)) SetActiveWindow(before);
  };
  try {
    SetVisible(true);
    while (!Application->Terminated()) {
      Application->HandleMessage();
      if (modal_result_ == mrNone) continue;
      // Closing a modal form may still be refused.
      TCloseAction action = caHide;
      if (CloseQuery())
        DoClose(action);
      else
        action = caNone;
      if (action != caNone) break;
      modal_result_ = mrNone;
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return modal_result_;
}

void TCustomForm::HandleMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_CLOSE: Close(); return;
    case WM_ACTIVATE:
      active_ = LOWORD(M.WParam) != WA_INACTIVE;
      if (active_) Screen->active_form_ = this;
      DefaultHandler(M);
      if (active_ && OnActivate) OnActivate(this);
      if (!active_ && OnDeactivate) OnDeactivate(this);
      return;
    case WM_ACTIVATEAPP:
      // Only top-level windows hear it: the controls inside end what the
      // program's losing the foreground ends (drags, pressed states).
      DefaultHandler(M);
      Broadcast(M);
      return;
    case WM_SYSCOMMAND:
      if ((M.WParam & 0xFFF0) == SC_MINIMIZE && Application->MainForm() == this) {
        Application->Minimize();
        return;
      }
      DefaultHandler(M);
      return;
    case CM_RELEASE: Free(); return;
    case WM_GETMINMAXINFO: {
      // The user's sizing stops at the constraints; so does maximising.
      DefaultHandler(M);
      const classlib::TSizeLimits l = SizeLimits();
      auto* mm = reinterpret_cast<MINMAXINFO*>(M.LParam);
      if (l.MinWidth > 0) mm->ptMinTrackSize.x = l.MinWidth;
      if (l.MinHeight > 0) mm->ptMinTrackSize.y = l.MinHeight;
      if (l.MaxWidth > 0) {
        mm->ptMaxTrackSize.x = l.MaxWidth;
        mm->ptMaxSize.x = std::min<LONG>(mm->ptMaxSize.x, l.MaxWidth);
      }
      if (l.MaxHeight > 0) {
        mm->ptMaxTrackSize.y = l.MaxHeight;
        mm->ptMaxSize.y = std::min<LONG>(mm->ptMaxSize.y, l.MaxHeight);
      }
      M.Result = 0;
      return;
    }
  }
  TCustomControl::HandleMessage(M);
}

void TCustomForm::Paint() { TCustomControl::Paint(); }
