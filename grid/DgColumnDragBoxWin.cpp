// Column drag feedback (see DgColumnDragBoxWin.h).
#include "grid/DgColumnDragBoxWin.h"

#include "grid/DgCanvasWin.h"
#include "grid/DgColumnLook.h"
#include "grid/DgFlagScope.h"

TColumnDragBox::TColumnDragBox(TWinControl* Grid) : TDgFlyoutControl(Grid), grid_(Grid) {}

void TColumnDragBox::StartDrag(int X, int Y, bool Hidden, TDgCustomColumn* Column) {
  painter_.SortArrows = false;
  Canvas()->SetFont(Font()); // the grid's, which the grid gave the box
  if (!Hidden) Show();
  column_ = Column;
  HandleNeeded();
  tracking_ = true;
  // Starts the control's own mouse tracking: the box keeps the mouse until
  // the button goes up.
  SendMessageW(handle_, WM_LBUTTONDOWN, 0, 0);
}

void TColumnDragBox::WndProc(TMessage& M) {
  // The drop and the cancel reach the grid, whose handlers may free its
  // window and this box with it.
  const TLifeToken life = LifeToken();
  if (M.Msg == WM_LBUTTONUP) {
    // Letting go of the capture here is the drop's, not a lost capture.
    const TDgFlagScope releasing(releasing_, *this);
    TDgFlyoutControl::WndProc(M);
    return;
  }
  if (M.Msg == WM_CAPTURECHANGED && tracking_ && !releasing_ &&
      reinterpret_cast<HWND>(M.LParam) != handle_) {
    tracking_ = false;
    Hide();
    if (OnColumnDragCancel) OnColumnDragCancel(this);
    if (!life) return;
  }
  TDgFlyoutControl::WndProc(M);
}

void TColumnDragBox::MouseMove(TShiftState Shift, int X, int Y) {
  TDgFlyoutControl::MouseMove(Shift, X, Y);
  if (!tracking_) return;
  const TPoint s = ClientToScreen(Point(X, Y));
  const TLifeToken life = LifeToken();
  if (OnColumnMove) OnColumnMove(this, s.X, s.Y);
  if (!life) return;
  SetBoundsRect(DragBoxPlacement(s, ClientWidth(), ClientHeight()));
}

void TColumnDragBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TDgFlyoutControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !tracking_) return;
  tracking_ = false;
  Hide();
  const TPoint s = ClientToScreen(Point(X, Y));
  if (OnColumnDrop) OnColumnDrop(this, s.X, s.Y);
}

void TColumnDragBox::Paint() {
  TDgFlyoutControl::Paint();
  TDgGdiCanvas c(Canvas());
  const int w = ClientWidth(), h = ClientHeight();
  if (column_) {
    // The box takes the grid's reading order (its parent's BiDiMode).
    painter_.RightToLeft = UseRightToLeftReading();
    c.SetRightToLeft(painter_.RightToLeft);
    painter_.Canvas = &c;
    TDgColumnLook look = LookOf(*column_);
    look.Pressed = false;
    painter_.DrawHeader(look, TRect{0, 0, w, h});
    painter_.Canvas = nullptr;
  }
  c.Line(0, h - 1, w - 1, h - 1, clBlack);
  c.Line(w - 1, h - 1, w - 1, -1, clBlack);
}

TDragArrow::TDragArrow(TWinControl* Grid) : TDgFlyoutControl(Grid) {
  SetBounds(0, 0, DgArrowSize, DgArrowSize);
}

void TDragArrow::SetKind(TDgArrowKind v) {
  kind_ = v;
  ApplyShape();
}

void TDragArrow::ApplyShape() {
  if (!HandleAllocated()) return;
  if (kind_ == TDgArrowKind::None) {
    // Eight points at one place: nothing of the window shows. (An empty
    // region would be taken for "no region" by some systems: one pixel
    // outside the window says the same.)
    SetShape(CreateRectRgn(-1, -1, 0, 0));
    return;
  }
  std::vector<POINT> p;
  for (const TPoint& t : DragArrowPolygon(kind_)) p.push_back(POINT{t.X, t.Y});
  SetShape(CreatePolygonRgn(p.data(), int(p.size()), WINDING));
}

void TDragArrow::Paint() {
  TDgGdiCanvas c(Canvas());
  c.FillRect(TRect{0, 0, Width(), Height()}, clRed);
}
