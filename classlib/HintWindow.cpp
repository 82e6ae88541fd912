// The never-activating popup window.
#include "classlib/HintWindow.h"

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) { visible_ = false; }

void THintWindow::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = WS_POPUP | WS_CLIPCHILDREN;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | (top_most_ ? WS_EX_TOPMOST : 0);
  p.WndParent = ParentWindow();
  p.WindowClass.style |= CS_SAVEBITS;
}

void THintWindow::SetTopMost(bool v) {
  if (v == top_most_) return;
  top_most_ = v;
  if (HandleAllocated())
    SetWindowPos(Handle(), v ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void THintWindow::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  HWND h = Handle();
  if (v)
    SetWindowPos(h, top_most_ ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  else
    ShowWindow(h, SW_HIDE);
  Perform(CM_VISIBLECHANGED, v);
}

void THintWindow::HandleMessage(TMessage& M) {
  if (M.Msg == WM_MOUSEACTIVATE) {
    M.Result = MA_NOACTIVATE;
    return;
  }
  TCustomControl::HandleMessage(M);
}
