// The grid's window (see DgGridWin.h).
#include "grid/DgGridWin.h"

#include <windowsx.h>

#include <algorithm>

#include "classlib/Cp1251.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/HintWindow.h"
#include "grid/DgClassesWin.h"
#include "grid/DgEditWin.h"
#include "grid/DgFlagScope.h"
#include "grid/DgSharedDraw.h"

namespace {
// Carries the grid's posted messages (their contents wait in a queue).
constexpr UINT kGridPosted = WM_APP + 0x3A1;
constexpr UINT kEditError = WM_APP + 0x3A2;
} // namespace

TDataGridWindow::TDataGridWindow(TComponent* AOwner) : TDgScrollControl(AOwner) {
  SetDoubleBuffered(true);
  SetTabStop(true);
  ControlStyle.Include(csDoubleClicks);
  grid_.reset(new TDataGrid(nullptr));
  grid_->SetHost(this);
  DgUseEditControls();
  drag_.reset(new TDgColumnDragFeedback(this, grid_.get()));
  SetBounds(Left(), Top(), 250, 150);
}

TDataGridWindow::~TDataGridWindow() {
  // The window goes while the grid still hears its last messages (focus,
  // capture); then the grid, unbound first, since it may still ask its host.
  if (HandleAllocated()) DestroyHandle();
  if (grid_) grid_->SetHost(nullptr);
  grid_.reset();
  measure_canvas_.reset();
  if (measure_dc_) {
    SelectObject(measure_dc_, measure_old_);
    DeleteObject(measure_bmp_);
    DeleteDC(measure_dc_);
  }
}

// --- Window ------------------------------------------------------------------------------

void TDataGridWindow::CreateParams(TCreateParams& p) {
  TDgScrollControl::CreateParams(p);
  if (static_edge_)
    p.ExStyle |= WS_EX_STATICEDGE;
  else
    p.ExStyle &= ~DWORD(WS_EX_STATICEDGE);
  // The grid repaints what changes itself: no whole-window redraw on resize.
  p.WindowClass.style &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TDataGridWindow::CreateWnd() {
  TDgScrollControl::CreateWnd();
  themes_ = TDgUxThemes(handle_);
  grid_->WindowCreated();
}

void TDataGridWindow::SetBorder(bool StaticEdge) {
  if (static_edge_ == StaticEdge) return;
  static_edge_ = StaticEdge;
  if (handle_) RecreateWnd();
}

bool TDataGridWindow::GetParentFont(TDgFont& Font) {
  if (!Parent()) return false;
  Font.AssignDesc(Parent()->Font()->Desc());
  return true;
}

void TDataGridWindow::SetParent(TWinControl* AParent) {
  const TLifeToken life = LifeToken();
  TDgScrollControl::SetParent(AParent);
  if (life && grid_) grid_->ParentFontChanged();
}

void TDataGridWindow::RepaintBorder() {
  if (handle_) RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TDataGridWindow::InvalidateRect(const TRect& R) {
  if (!handle_) return;
  RECT rc{R.Left, R.Top, R.Right, R.Bottom};
  ::InvalidateRect(handle_, &rc, FALSE);
}

void TDataGridWindow::ScrollPixels(int DX, int DY, const TRect& Area) {
  if (!handle_) return;
  RECT rc{Area.Left, Area.Top, Area.Right, Area.Bottom};
  ScrollWindowEx(handle_, DX, DY, &rc, &rc, nullptr, nullptr, SW_INVALIDATE);
}

void TDataGridWindow::SetScrollAreas(const TRect& Horz, const TRect& Vert) {
  HorzScrollRect = Horz;
  VertScrollRect = Vert;
}

TDgCanvas* TDataGridWindow::Canvas() {
  if (!measure_canvas_) {
    measure_dc_ = CreateCompatibleDC(nullptr);
    measure_bmp_ = CreateCompatibleBitmap(measure_dc_, 1, 1);
    measure_old_ = SelectObject(measure_dc_, measure_bmp_);
    measure_canvas_.reset(new TDgGdiCanvas(measure_dc_));
  }
  return measure_canvas_.get();
}

IDgThemes* TDataGridWindow::Themes() { return ThemesEnabled() ? &themes_ : nullptr; }

void TDataGridWindow::SetCaptureMouse(bool Capture) { CaptureMouse(Capture); }

bool TDataGridWindow::HasCapture() { return handle_ && GetCapture() == handle_; }

void TDataGridWindow::SetCursorShape(TCursor Cursor) {
  cursor_shape_ = Cursor;
  SetCursor(Cursor);
  // Shown at once when the pointer is over the window, not at its next move.
  if (handle_) {
    POINT p;
    GetCursorPos(&p);
    if (WindowFromPoint(p) == handle_) ::SetCursor(classlib::CursorHandleOf(Cursor));
  }
}

TPoint TDataGridWindow::CursorPos() { return TDgScrollControl::CursorPos(); }

void TDataGridWindow::SetFocus() {
  if (CanFocus()) TDgScrollControl::SetFocus();
}

void TDataGridWindow::PostKeyToParent(int Key) {
  if (Parent() && Parent()->HandleAllocated())
    PostMessageW(Parent()->Handle(), WM_KEYDOWN, WPARAM(Key), 0);
}

void TDataGridWindow::StartTimer(int Id, int Ms) {
  if (handle_) SetTimer(handle_, TimerBase + UINT_PTR(Id), UINT(Ms < 1 ? 1 : Ms), nullptr);
}

void TDataGridWindow::StopTimer(int Id) {
  if (handle_) KillTimer(handle_, TimerBase + UINT_PTR(Id));
}

unsigned long long TDataGridWindow::TickCount() { return GetTickCount64(); }

void TDataGridWindow::PostGridMessage(int Msg, intptr_t W, intptr_t L) {
  if (!handle_) return;
  posted_.push_back(Posted{Msg, W, L});
  PostMessageW(handle_, kGridPosted, 0, 0);
}

void TDataGridWindow::DeliverPosted() {
  if (posted_.empty()) return;
  const Posted p = posted_.front();
  posted_.pop_front();
  grid_->HandlePosted(p.Msg, p.W, p.L);
}

void TDataGridWindow::ShowHint(const WideString& Text, const TRect& Place) {
  if (!handle_) return;
  if (!hint_) {
    hint_ = new THintWindow(this);
    hint_->Font()->SetName("Tahoma");
    hint_->Font()->SetHeight(-11);
    hint_->Font()->SetColor(clInfoText);
    hint_->SetColor(Application ? Application->HintColor : clInfoBk);
  }
  // As wide as the text needs up to the place's width, lines broken past it;
  // at least as high as the place (a cell's hint covers its cell).
  TRect r = CalcHintRectW(hint_, Place.Width(), Text, nullptr);
  const TPoint origin = ClientToScreen(Point(Place.Left, Place.Top));
  r = Bounds(origin.X, origin.Y, r.Width(), std::max(r.Height(), Place.Height()));
  ActivateHintW(hint_, r, Text);
}

THintWindow* TDataGridWindow::HintWindow() const { return hint_; }

void TDataGridWindow::ReportEditError(const WideString& Message) {
  if (!handle_) return;
  edit_errors_.push_back(Message);
  PostMessageW(handle_, kEditError, 0, 0);
}

void TDataGridWindow::HideHint() { ReleaseHint(hint_); }

// --- Scrolling ---------------------------------------------------------------------------

int TDataGridWindow::HorzScrollDelta(int OldPos, int NewPos) {
  return grid_->HorzScrollDelta(OldPos, NewPos);
}

int TDataGridWindow::VertScrollDelta(int OldPos, int NewPos) {
  return grid_->VertScrollDelta(OldPos, NewPos);
}

void TDataGridWindow::BeforeScroll(int ScrollKind) { grid_->BeforeScroll(ScrollKind); }
void TDataGridWindow::AfterScroll(int ScrollKind) { grid_->AfterScroll(ScrollKind); }

// --- Painting ----------------------------------------------------------------------------

void TDataGridWindow::Paint() {
  TDgGdiCanvas c(TCustomControl::Canvas());
  grid_->Paint(c, c.ClipBox());
}

void TDataGridWindow::PaintBorder() {
  if (!handle_) return;
  using Kind = TDgCustomGridControl::TBorderKind;
  const auto look = grid_->BorderLook(ThemesEnabled());
  if (look.Kind == Kind::Platform) return;
  RECT wr;
  GetWindowRect(handle_, &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  HDC dc = GetWindowDC(handle_);
  if (!dc) return;
  // Only the frame: the client area and the bars keep what they show.
  const int edge = GetSystemMetrics(SM_CXBORDER);
  ExcludeClipRect(dc, edge, edge, w - edge, h - edge);
  if (look.Kind == Kind::Frame) {
    TDgGdiCanvas c(dc);
    c.FrameRect(TRect{0, 0, w, h}, look.Color);
  } else {
    RECT r{0, 0, w, h};
    DrawThemed(handle_, dc, r, L"listview", 1, 0);
  }
  ReleaseDC(handle_, dc);
}

// --- Messages ----------------------------------------------------------------------------

void TDataGridWindow::WndProc(TMessage& M) {
  // What the grid does with a message raises its handlers, and a form may
  // free this window (and the grid with it) in any of them: the message
  // then ends there.
  const TLifeToken life = LifeToken();
  switch (M.Msg) {
    case WM_NCPAINT:
      TDgScrollControl::WndProc(M);
      PaintBorder();
      return;
    case WM_GETDLGCODE: {
      // While a cell is edited the editor has the focus and answers itself.
      LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
      if (grid_->WantsKey(VK_TAB)) code |= DLGC_WANTTAB;
      M.Result = code;
      return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      uint16_t key = uint16_t(M.WParam);
      grid_->KeyUp(key, classlib::KeyboardShiftState());
      if (!life || key == 0) return; // the grid took it
      M.WParam = WPARAM(key);
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TDgScrollControl::WndProc(M);
      if (!life) return;
      if (M.Msg == WM_SETFOCUS)
        grid_->FocusEnter();
      else
        grid_->FocusExit();
      // The highlight and the focus rectangle depend on the focus.
      if (life) Invalidate();
      return;
    case WM_CAPTURECHANGED:
      TDgScrollControl::WndProc(M);
      if (!life) return;
      // The class library lets the capture go before a button-up reaches
      // MouseUp: that release is ours and must not cancel what it ends.
      if (!releasing_ && reinterpret_cast<HWND>(M.LParam) != handle_) grid_->CancelMode();
      return;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const TDgFlagScope releasing(releasing_, *this);
      TDgScrollControl::WndProc(M);
      return;
    }
    case WM_TIMER:
      if (M.WParam > TimerBase && M.WParam < TimerBase + 0x100) {
        grid_->TimerFired(int(M.WParam - TimerBase));
        return;
      }
      break;
    case WM_ACTIVATEAPP:
      // Passed on by the form: a column drag does not outlast the program
      // losing the foreground.
      if (!M.WParam) grid_->AppDeactivated();
      if (!life) return;
      break;
    case CM_PARENTFONTCHANGED:
      TDgScrollControl::WndProc(M);
      if (life) grid_->ParentFontChanged();
      return;
    case WM_THEMECHANGED:
      TDgScrollControl::WndProc(M);
      if (life) grid_->ThemeChanged();
      return;
    case WM_ENABLE:
      TDgScrollControl::WndProc(M);
      if (life) grid_->SetEnabled(M.WParam != 0);
      return;
    case kGridPosted: DeliverPosted(); return;
    case kEditError:
      if (!edit_errors_.empty()) {
        const WideString text = edit_errors_.front();
        edit_errors_.pop_front();
        ShowMessage(Utf16ToCp1251(text));
      }
      return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      // An edit does not survive its cell scrolling away under it.
      grid_->ScrollMessage(M.Msg == WM_VSCROLL);
      if (!life) return;
      break;
  }
  TDgScrollControl::WndProc(M);
}

// A key and a character reach the grid after the window's own OnKeyDown and
// OnKeyPress, which may take them (set them to 0) or free the window.
void TDataGridWindow::DefaultHandler(TMessage& M) {
  const TLifeToken life = LifeToken();
  switch (M.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      uint16_t key = uint16_t(M.WParam);
      grid_->KeyDown(key, classlib::KeyboardShiftState());
      if (!life || key == 0) return; // the grid took it
      M.WParam = WPARAM(key);
      break;
    }
    case WM_CHAR: {
      char16_t ch = char16_t(M.WParam);
      grid_->KeyPress(ch);
      if (!life || ch == 0) return;
      M.WParam = ch;
      break;
    }
  }
  TDgScrollControl::DefaultHandler(M);
}

// The window's own handlers (OnMouseDown, OnResize, ...) run first and may
// free the window: the grid hears of the action only while it lives.
void TDataGridWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TLifeToken life = LifeToken();
  TDgScrollControl::MouseDown(Button, Shift, X, Y);
  if (life) grid_->MouseDown(Button, Shift, X, Y);
}

void TDataGridWindow::MouseMove(TShiftState Shift, int X, int Y) {
  const TLifeToken life = LifeToken();
  TDgScrollControl::MouseMove(Shift, X, Y);
  if (life && !Rolling()) grid_->MouseMove(Shift, X, Y);
}

void TDataGridWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TLifeToken life = LifeToken();
  TDgScrollControl::MouseUp(Button, Shift, X, Y);
  if (life) grid_->MouseUp(Button, Shift, X, Y);
}

void TDataGridWindow::DblClick() {
  const TLifeToken life = LifeToken();
  TDgScrollControl::DblClick();
  if (life) grid_->DblClick();
}

void TDataGridWindow::MouseLeave() {
  const TLifeToken life = LifeToken();
  TDgScrollControl::MouseLeave();
  if (life) grid_->MouseLeave();
}

void TDataGridWindow::Resize() {
  const TLifeToken life = LifeToken();
  TDgScrollControl::Resize();
  if (life) grid_->Resized();
}

void TDataGridWindow::WheelStep(int Delta, TShiftState Shift) {
  grid_->MouseWheel(Delta, Shift, CursorPos());
}

void TDataGridWindow::MouseEnter() {
  const TLifeToken life = LifeToken();
  TDgScrollControl::MouseEnter();
  if (life) grid_->MouseEnter();
}

bool TDataGridWindow::Focused() {
  if (!handle_) return false;
  HWND f = GetFocus();
  return f && (f == handle_ || IsChild(handle_, f));
}

// ===== mouse (gridmouse) =====

void TDataGridWindow::StartColumnDrag(TDgCustomColumn* Column, const TRect& ScreenRect,
                                      const TPoint& ScreenMouse) {
  drag_->Start(Column, ScreenRect, ScreenMouse);
}
void TDataGridWindow::EndColumnDrag() { drag_->End(); }
void TDataGridWindow::ShowDropArrows(bool Show, const TPoint& Upper, const TPoint& Lower) {
  drag_->ShowArrows(Show, Upper, Lower);
}
void TDataGridWindow::SetColumnDragCursor(TCursor Cursor) { drag_->SetCursor(Cursor); }

bool TDataGridWindow::FormActive() { return IsFormActive(this); }

bool TDataGridWindow::ApplicationShowHint() { return !Application || Application->ShowHint; }

// ===== end of mouse =====
