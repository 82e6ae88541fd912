// The never-activating popup window.
#include "classlib/HintWindow.h"

#include <algorithm>

namespace {
// The text's margins inside the window: left, right, top and bottom.
constexpr int kMarginLeft = 3, kMarginRight = 5, kMarginY = 2;
// Lines break between words, and a word longer than a line breaks too.
constexpr UINT kHintTextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL;
} // namespace

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

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) {
  (void)AData;
  const int inner = std::max(1, MaxWidth - kMarginLeft - kMarginRight);
  TRect r = Rect(0, 0, inner, 0);
  // Measured on the screen's DC: the window need not exist yet.
  HDC dc = GetDC(nullptr);
  TCanvas c;
  c.SetHandle(dc);
  c.Font()->Assign(Font());
  c.DrawText(AHint, r, kHintTextFlags | DT_CALCRECT);
  c.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  const int width = std::min(r.Right, inner) + kMarginLeft + kMarginRight;
  return Rect(0, 0, std::min(width, std::max(MaxWidth, 0)), r.Bottom + 2 * kMarginY);
}

void THintWindow::ActivateHint(const TRect& R, const std::string& AHint) {
  hint_text_ = AHint;
  // Kept whole on the screen it is shown on: moved in from the right and
  // bottom edges of its work area, never past the left and top ones.
  RECT want{R.Left, R.Top, R.Right, R.Bottom};
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  int x = R.Left, y = R.Top;
  if (GetMonitorInfoW(MonitorFromRect(&want, MONITOR_DEFAULTTONEAREST), &mi)) {
    const RECT& wa = mi.rcWork;
    x = std::max<int>(std::min<int>(x, wa.right - R.Width()), wa.left);
    y = std::max<int>(std::min<int>(y, wa.bottom - R.Height()), wa.top);
  }
  SetBounds(x, y, R.Width(), R.Height());
  Show();
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  if (!HandleAllocated()) return;
  visible_ = false;
  DestroyHandle();
}

void THintWindow::Paint() {
  TCanvas* c = Canvas();
  const TRect r = ClientRect();
  c->Font()->Assign(Font());
  c->FillRect(r, Color());
  c->Brush()->SetColor(Font()->Color());
  c->FrameRect(r);
  // The lines as CalcHintRect laid them out, in the middle of the height.
  TRect text = Rect(r.Left + kMarginLeft, 0, r.Right - kMarginRight, 0);
  c->DrawText(hint_text_, text, kHintTextFlags | DT_CALCRECT);
  const int top = r.Top + (r.Height() - text.Height()) / 2;
  c->DrawTextTransparent(hint_text_, Rect(r.Left + kMarginLeft, top, r.Right - kMarginRight, r.Bottom),
                         kHintTextFlags, Font()->Color());
  if (OnPaint) OnPaint(this);
}

void THintWindow::HandleMessage(TMessage& M) {
  if (M.Msg == WM_MOUSEACTIVATE) {
    M.Result = MA_NOACTIVATE;
    return;
  }
  TCustomControl::HandleMessage(M);
}
