// The scroll control's platform (see DgScrollControlWin.h).
#include "grid/DgScrollControlWin.h"

#include <windowsx.h>

#include "classlib/Forms.h"

namespace {
constexpr UINT_PTR kRollTimer = 0x4752; // the roll timer's id on the window

int BarOf(TDgScrollBarKind k) { return k == TDgScrollBarKind::Vertical ? SB_VERT : SB_HORZ; }
} // namespace

void DgRegisterCursors() {
  static bool done = false;
  if (done) return;
  done = true;
  const struct {
    TCursor id;
    const wchar_t* name;
    LPCWSTR fallback;
  } table[] = {{DgCursor::Roll, L"ROLL", IDC_SIZEALL},
               {DgCursor::RollUp, L"ROLLUP", IDC_SIZENS},
               {DgCursor::RollDown, L"ROLLDOWN", IDC_SIZENS},
               {DgCursor::HorzSplit, L"HORZSPLIT", IDC_SIZEWE},
               {DgCursor::ColumnNoDrag, L"COLUMNNODRAG", IDC_NO},
               {DgCursor::VertSplit, L"VERTSPLIT", IDC_SIZENS},
               {DgCursor::IndicatorSelect, L"INDICATORSELECT", IDC_ARROW},
               {DgCursor::ReversedArrow, L"REVERSEDARROW", IDC_ARROW}};
  for (const auto& t : table) {
    HCURSOR h = LoadCursorW(GetModuleHandleW(nullptr), t.name);
    classlib::RegisterCursor(t.id, h ? h : LoadCursorW(nullptr, t.fallback));
  }
}

// --- TDgCustomScrollControl -----------------------------------------------------------

TDgCustomScrollControl::TDgCustomScrollControl(TComponent* AOwner) : TCustomControl(AOwner) {}

void TDgCustomScrollControl::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style |= WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN;
}

void TDgCustomScrollControl::ScrollContent(TDgCustomScrollBar* Bar, int DX, int DY) {
  BeforeScroll(Bar->ScrollKind);
  if (handle_) {
    const TRect& area = DX != 0 ? HorzScrollRect : VertScrollRect;
    RECT rc{area.Left, area.Top, area.Right, area.Bottom};
    if (DX != 0)
      ScrollWindowEx(handle_, DX, DY, &rc, &rc, nullptr, nullptr, SW_INVALIDATE);
    else
      ScrollWindowEx(handle_, 0, DY, &rc, &rc, nullptr, nullptr, SW_INVALIDATE);
  }
  AfterScroll(Bar->ScrollKind);
}

void TDgCustomScrollControl::FocusSelf() {
  for (TWinControl* p = Parent(); p; p = p->Parent())
    if (dynamic_cast<TCustomForm*>(p)) {
      if (CanFocus()) SetFocus();
      return;
    }
}

void TDgCustomScrollControl::TabToNext() {
  if (Parent() && Parent()->HandleAllocated())
    PostMessageW(Parent()->Handle(), WM_KEYDOWN, VK_TAB, 0);
}

void TDgCustomScrollControl::SetBarInfo(TDgScrollBarKind Bar, const TDgScrollInfo& i, bool Redraw) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = i.Mask;
  si.nMin = i.Min;
  si.nMax = i.Max;
  si.nPage = UINT(i.Page);
  si.nPos = i.Pos;
  SetScrollInfo(handle_, BarOf(Bar), &si, Redraw);
}

void TDgCustomScrollControl::EnableArrows(TDgScrollBarKind Bar, int Arrows) {
  EnableScrollBar(handle_, BarOf(Bar), UINT(Arrows));
}

void TDgCustomScrollControl::ShowBar(TDgScrollBarKind Bar, bool Show) {
  ShowScrollBar(handle_, BarOf(Bar), Show);
}

int TDgCustomScrollControl::TrackPos(TDgScrollBarKind Bar) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  if (!GetScrollInfo(handle_, BarOf(Bar), &si)) si.nTrackPos = 0;
  // Some systems leave the track position of a window's own bar at 0; the
  // request's 16-bit position stands in then.
  return si.nTrackPos == 0 ? message_thumb_ : si.nTrackPos;
}

void TDgCustomScrollControl::SendScroll(TDgScrollBarKind Bar, int Code) {
  if (handle_)
    SendMessageW(handle_, Bar == TDgScrollBarKind::Vertical ? WM_VSCROLL : WM_HSCROLL, WPARAM(Code),
                 0);
}

// --- TDgScrollControl -------------------------------------------------------------

TDgScrollControl::TDgScrollControl(TComponent* AOwner) : TDgCustomScrollControl(AOwner) {
  DgRegisterCursors();
  indicator_ = new TRollShadow(this);
  indicator_->SetCursor(DgCursor::Roll);
}

TDgScrollControl::~TDgScrollControl() {
  if (handle_ && timer_on_) KillTimer(handle_, kRollTimer);
}

void TDgScrollControl::CreateWnd() {
  TDgCustomScrollControl::CreateWnd();
  for (TDgScrollBar* b : {&horz_, &vert_}) {
    b->UpdateBar();
    ShowBar(b->Kind(), b->Visible());
  }
}

void TDgScrollControl::ScrollRequest(TDgScrollBar& Bar, int Code) {
  DgApplyScrollRequest(Bar, Code);
  const TScrollEvent& e =
      Bar.Kind() == TDgScrollBarKind::Vertical ? OnVerticalScroll : OnHorizontalScroll;
  if (e) e(this, Bar.Position());
}

void TDgScrollControl::WndProc(TMessage& M) {
  switch (M.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (M.LParam == 0) { // the window's own bars
        TDgCustomScrollControl::WndProc(M);
        message_thumb_ = int(HIWORD(M.WParam));
        ScrollRequest(M.Msg == WM_VSCROLL ? vert_ : horz_, int(LOWORD(M.WParam)));
        M.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND: M.Result = 1; return;
    case WM_GETDLGCODE: M.Result = DLGC_WANTARROWS; return;
    case WM_MOUSEWHEEL:
      if (MouseWheelEnabled) {
        WheelStep(GET_WHEEL_DELTA_WPARAM(M.WParam),
                  classlib::ShiftStateFromKeys(GET_KEYSTATE_WPARAM(M.WParam)));
        M.Result = 0;
        return;
      }
      break;
    case WM_TIMER:
      if (M.WParam == kRollTimer) {
        roll_.TimerTick();
        return;
      }
      break;
    case WM_CAPTURECHANGED:
      // Another window took the mouse: a roll must not run on unattended.
      if (reinterpret_cast<HWND>(M.LParam) != handle_) roll_.Stop();
      break;
    case WM_ENABLE:
      TDgCustomScrollControl::WndProc(M);
      horz_.UpdateBar();
      vert_.UpdateBar();
      Invalidate();
      return;
  }
  TDgCustomScrollControl::WndProc(M);
}

// OnMouseDown and OnMouseMove may free the control.
void TDgScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TLifeToken life = LifeToken();
  TDgCustomScrollControl::MouseDown(Button, Shift, X, Y);
  if (life && Button == mbMiddle && RollEnabled) roll_.Start(Point(X, Y));
}

void TDgScrollControl::MouseMove(TShiftState Shift, int X, int Y) {
  const TLifeToken life = LifeToken();
  TDgCustomScrollControl::MouseMove(Shift, X, Y);
  if (life) roll_.MouseMove(Point(X, Y));
}

void TDgScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  roll_.Stop();
  TDgCustomScrollControl::MouseUp(Button, Shift, X, Y);
}

void TDgScrollControl::SetRollCursor(int Cursor) {
  classlib::SetScreenCursorOverride(Cursor ? Cursor : crDefault);
  ::SetCursor(Cursor ? classlib::CursorHandleOf(Cursor) : LoadCursorW(nullptr, IDC_ARROW));
  if (Cursor) indicator_->SetCursor(Cursor);
}

void TDgScrollControl::ShowRollIndicator(const TPoint& Anchor) {
  indicator_->SetAnchor(ClientToScreen(Anchor));
  indicator_->Show();
}

void TDgScrollControl::HideRollIndicator() { indicator_->Hide(); }

void TDgScrollControl::SetRollTimer(unsigned IntervalMs) {
  if (!handle_) return;
  if (IntervalMs == 0) {
    if (timer_on_) KillTimer(handle_, kRollTimer);
    timer_on_ = false;
    return;
  }
  SetTimer(handle_, kRollTimer, IntervalMs, nullptr);
  timer_on_ = true;
}

void TDgScrollControl::CaptureMouse(bool Capture) {
  if (!handle_) return;
  if (Capture)
    SetCapture(handle_);
  else if (GetCapture() == handle_)
    ReleaseCapture();
}

TPoint TDgScrollControl::CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return ScreenToClient(Point(p.x, p.y));
}
