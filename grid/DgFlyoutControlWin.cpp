// Popup flyouts and the roll indicator (see DgFlyoutControlWin.h).
#include "grid/DgFlyoutControlWin.h"

#include "grid/DgCanvasWin.h"
#include "grid/DgFlyoutShapes.h"

namespace {
HRGN PolygonRegion(const std::vector<TPoint>& pts) {
  std::vector<POINT> p;
  for (const TPoint& t : pts) p.push_back(POINT{t.X, t.Y});
  return CreatePolygonRgn(p.data(), int(p.size()), WINDING);
}
} // namespace

TDgFlyoutControl::TDgFlyoutControl(TWinControl* AOwner) : TCustomControl(AOwner) {
  visible_ = false;
  ControlStyle.Include(csCaptureMouse);
  SetParent(AOwner);
  BringToFront();
}

void TDgFlyoutControl::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = (p.Style & ~DWORD(WS_CHILD | WS_GROUP | WS_TABSTOP)) | WS_POPUP;
  p.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  p.WindowClass.style |= CS_SAVEBITS;
}

void TDgFlyoutControl::CreateWnd() {
  TCustomControl::CreateWnd();
  CreateShape();
}

void TDgFlyoutControl::WndProc(TMessage& M) {
  if (M.Msg == WM_ERASEBKGND) {
    M.Result = 1;
    return;
  }
  // A click on a flyout never activates it.
  if (M.Msg == WM_MOUSEACTIVATE) {
    M.Result = MA_NOACTIVATE;
    return;
  }
  TCustomControl::WndProc(M);
}

void TDgFlyoutControl::SetShape(HRGN Region) {
  if (!HandleAllocated()) {
    if (Region) DeleteObject(Region);
    return;
  }
  SetWindowRgn(handle_, Region, TRUE); // the window owns the region now
}

TRollShadow::TRollShadow(TWinControl* AOwner) : TDgFlyoutControl(AOwner) {
  SetBounds(0, 0, 32, 32);
}

void TRollShadow::CreateShape() {
  HRGN all = PolygonRegion(RollUpArrowPolygon());
  HRGN down = PolygonRegion(RollDownArrowPolygon());
  const TRect e = RollDotEllipse();
  HRGN dot = CreateEllipticRgn(e.Left, e.Top, e.Right, e.Bottom);
  CombineRgn(all, all, down, RGN_OR);
  CombineRgn(all, all, dot, RGN_OR);
  DeleteObject(down);
  DeleteObject(dot);
  SetShape(all);
}

void TRollShadow::SetAnchor(const TPoint& P) {
  CreateShape();
  anchor_ = P;
  SetBoundsRect(RollShadowBounds(P));
}

void TRollShadow::Paint() {
  TDgGdiCanvas c(Canvas());
  c.FillRect(TRect{0, 0, Width(), Height()}, clGrayText);
}
