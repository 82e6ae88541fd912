// The message handling of TWinControl (painting, mouse for graphic children,
// hover tracking, cursors, context menus, reflected notifications, focus and
// keys) and TCustomControl (see Controls.h).
#include <windowsx.h>

#include <algorithm>

#include "classlib/Controls.h"
#include "classlib/Cp1251.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

void TWinControl::HandleMessage(TMessage& M) {
  if (M.Msg >= CN_BASE && M.Msg < CN_BASE + 0x400) {
    // A reflected notification nobody handled; colour queries get our colours.
    if (M.Msg >= CN_CTLCOLORMSGBOX && M.Msg <= CN_CTLCOLORSTATIC) {
      HDC dc = reinterpret_cast<HDC>(M.WParam);
      SetTextColor(dc, ColorToRGB(Font()->Color()));
      SetBkColor(dc, ColorToRGB(Color()));
      M.Result = reinterpret_cast<LRESULT>(brush_.Handle());
    }
    return;
  }
  if (ReflectToChild(M)) return;
  if (M.Msg >= WM_MOUSEFIRST && M.Msg <= WM_MBUTTONDBLCLK && ForwardMouse(M)) return;
  switch (M.Msg) {
    case CM_BIDIMODECHANGED:
      // A control's reading order is a style its window is made with (a
      // form's frame has none: it keeps its window).
      if (parent_) RecreateWnd();
      for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTBIDIMODECHANGED);
      break;
    case WM_PAINT: {
      if (!CustomPaint()) {
        bool graphic = false;
        for (TControl* c : controls_)
          if (!dynamic_cast<TWinControl*>(c)) graphic = true;
        if (!graphic) return DefaultHandler(M);
      }
      if (M.WParam) { // asked to paint into a given DC
        PaintWindow(reinterpret_cast<HDC>(M.WParam));
        PaintControls(reinterpret_cast<HDC>(M.WParam));
        return;
      }
      classlib::TPaintScope paint(handle_);
      PaintHandler(paint.DC(), paint.Rect());
      return;
    }
    case WM_ERASEBKGND:
      if (double_buffered_) {
        M.Result = 1;
      } else if (CustomPaint() || DefWndProc == DefWindowProcW) {
        RECT r;
        GetClientRect(handle_, &r);
        ::FillRect(reinterpret_cast<HDC>(M.WParam), &r, brush_.Handle());
        M.Result = 1;
      } else {
        DefaultHandler(M);
      }
      return;
    case WM_MOUSEMOVE:
      if (!tracking_leave_) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle_, 0};
        tracking_leave_ = TrackMouseEvent(&t) != FALSE;
        Perform(CM_MOUSEENTER);
      }
      TrackHover(nullptr);
      break;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      TrackHover(nullptr);
      Perform(CM_MOUSELEAVE);
      DefaultHandler(M);
      return;
    case WM_SETCURSOR:
      if (SetCursorFor(M)) return;
      break;
    case WM_CONTEXTMENU:
      if (ShowContextMenu(M)) return;
      break;
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
      if (FrameMessage(M)) return;
      break;
    case WM_WINDOWPOSCHANGING: {
      // The user sizing a window (a form's border): the size rule applies as
      // to any change of size; a refused change is dropped whole, so that a
      // left or top border does not push the window along.
      auto* pos = reinterpret_cast<WINDOWPOS*>(M.LParam);
      if (!sizing_checked_ && !(pos->flags & SWP_NOSIZE) &&
          !(GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) &&
          !ComponentState().Contains(csDestroying)) {
        RECT r;
        GetWindowRect(handle_, &r);
        if (pos->cx != r.right - r.left || pos->cy != r.bottom - r.top) {
          int w = pos->cx, h = pos->cy;
          if (!CheckNewSize(w, h)) {
            pos->flags |= SWP_NOSIZE | SWP_NOMOVE;
          } else {
            pos->cx = w;
            pos->cy = h;
          }
        }
      }
      return DefaultHandler(M);
    }
    case WM_SIZE:
      DefaultHandler(M);
      if (M.WParam != SIZE_MINIMIZED) {
        UpdateBounds();
        Realign();
        Resize();
      }
      return;
    case WM_MOVE:
      DefaultHandler(M);
      UpdateBounds();
      return;
    case WM_SETFOCUS: {
      DefaultHandler(M);
      ApplyImeMode();
      // The form's buttons learn where the focus went (the default look
      // follows a focused button).
      const TLifeToken life = LifeToken();
      classlib::NotifyFocusChanged(this);
      if (life && OnEnter) OnEnter(this);
      return;
    }
    case WM_KILLFOCUS:
      DefaultHandler(M);
      if (OnExit) OnExit(this);
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      bool down = M.Msg == WM_KEYDOWN || M.Msg == WM_SYSKEYDOWN;
      const TKeyEvent& ev = down ? OnKeyDown : OnKeyUp;
      if (ev) {
        WORD key = static_cast<WORD>(M.WParam);
        ev(this, key, classlib::KeyboardShiftState());
        if (key == 0) return;
        M.WParam = key;
      }
      return DefaultHandler(M);
    }
    case WM_CHAR:
      if (OnKeyPress) {
        unsigned char b;
        char c = UnicodeToCp1251(static_cast<char32_t>(M.WParam), b) ? static_cast<char>(b) : '?';
        OnKeyPress(this, c);
        if (c == 0) return;
        M.WParam = Cp1251ToUnicode(static_cast<unsigned char>(c));
      }
      // A character this control does not take may be a control's
      // accelerator; the one that took it may have closed the form.
      if (classlib::DeliverDialogChar(this, M)) return;
      return DefaultHandler(M);
    case WM_SYSCHAR:
      if (classlib::DeliverDialogChar(this, M)) return;
      return DefaultHandler(M);
    case CM_DIALOGCHAR:
      // Offered to the children in turn, until one takes it.
      for (TControl* c : std::vector<TControl*>(controls_))
        if (c->Perform(CM_DIALOGCHAR, M.WParam, M.LParam)) {
          M.Result = 1;
          return;
        }
      return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED: Invalidate(); return;
  }
  TControl::HandleMessage(M);
}

void TWinControl::PaintHandler(HDC paintDC, const RECT& area) {
  // The topmost opaque graphic child that covers the whole area hides all
  // beneath it, the window's own content included: painting starts there.
  // When nothing above it reaches into the area it paints alone, and there is
  // nothing to compose in a buffer (a picture copied to the screen every few
  // milliseconds must not be copied twice).
  TControl* cover = nullptr;
  bool alone = true;
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    auto* g = dynamic_cast<TGraphicControl*>(*it);
    if (!g || !g->Visible() || g->Width() <= 0 || g->Height() <= 0) continue;
    const RECT r{g->Left(), g->Top(), g->Left() + g->Width(), g->Top() + g->Height()};
    if (g->ControlStyle.Contains(csOpaque) && r.left <= area.left && r.top <= area.top &&
        r.right >= area.right && r.bottom >= area.bottom) {
      cover = g;
      break;
    }
    RECT common;
    if (IntersectRect(&common, &r, &area)) alone = false;
  }
  if (!double_buffered_ || (cover && alone)) {
    if (!cover) PaintWindow(paintDC);
    PaintControls(paintDC, cover);
    return;
  }
  // The buffer covers only the area being painted (a small control repainted
  // often on a large window must not cost a window-sized bitmap each time);
  // inside it client coordinates still hold.
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w <= 0 || h <= 0) return;
  // The memory DC and its bitmap go however the painting ends.
  struct Buffer {
    HDC mem;
    HBITMAP bmp;
    HGDIOBJ old;
    ~Buffer() {
      SelectObject(mem, old);
      DeleteObject(bmp);
      DeleteDC(mem);
    }
  };
  HDC mem = CreateCompatibleDC(paintDC);
  HBITMAP bmp = CreateCompatibleBitmap(paintDC, w, h);
  const Buffer buffer{mem, bmp, SelectObject(mem, bmp)};
  SetViewportOrgEx(mem, -area.left, -area.top, nullptr);
  // Hatched brushes stay aligned with the window's own pixels.
  SetBrushOrgEx(mem, ((-area.left) % 8 + 8) % 8, ((-area.top) % 8 + 8) % 8, nullptr);
  IntersectClipRect(mem, area.left, area.top, area.right, area.bottom);
  if (!cover) {
    ::FillRect(mem, &area, brush_.Handle());
    PaintWindow(mem);
  }
  PaintControls(mem, cover);
  BitBlt(paintDC, area.left, area.top, area.right - area.left, area.bottom - area.top, mem,
         area.left, area.top, SRCCOPY);
}

void TWinControl::PaintWindow(HDC dc) {
  // A wrapped window class paints itself into the given DC.
  if (DefWndProc != DefWindowProcW && handle_)
    CallWindowProcW(DefWndProc, handle_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

void TWinControl::PaintControls(HDC dc, TControl* First) {
  std::vector<TControl*> list(controls_);
  auto from = std::find(list.begin(), list.end(), First);
  if (from == list.end()) from = list.begin();
  for (TControl* c : std::vector<TControl*>(from, list.end())) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g || !g->Visible() || g->Width() <= 0 || g->Height() <= 0) continue;
    RECT r{g->Left(), g->Top(), g->Left() + g->Width(), g->Top() + g->Height()};
    if (!RectVisible(dc, &r)) continue;
    int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
    try {
      g->PaintTo(dc);
    } catch (...) {
      RestoreDC(dc, saved);
      throw;
    }
    RestoreDC(dc, saved);
  }
}

bool TWinControl::ForwardMouse(TMessage& M) {
  TPoint p = Point(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
  TControl* target = capture_control_ ? capture_control_ : ControlAtPos(p, false);
  if (M.Msg == WM_MOUSEMOVE) {
    if (!tracking_leave_) {
      TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle_, 0};
      tracking_leave_ = TrackMouseEvent(&t) != FALSE;
      Perform(CM_MOUSEENTER);
    }
    TrackHover(capture_control_
                   ? (capture_control_->BoundsRect().Contains(p) ? capture_control_ : nullptr)
                   : target);
  }
  if (!target) return false;
  TMessage m = M;
  m.LParam = MAKELPARAM(static_cast<WORD>(static_cast<short>(p.X - target->Left())),
                        static_cast<WORD>(static_cast<short>(p.Y - target->Top())));
  const TLifeToken life = LifeToken();
  target->WndProc(m);
  M.Result = m.Result;
  // The child's handler may have freed this window.
  if (!life) return true;
  // Let the window produce WM_CONTEXTMENU for a right click on the child.
  if (M.Msg == WM_RBUTTONUP) DefaultHandler(M);
  return true;
}

void TWinControl::TrackHover(TControl* now) {
  if (now == hover_control_) return;
  TControl* old = hover_control_;
  hover_control_ = now;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (now) now->Perform(CM_MOUSEENTER);
}

bool TWinControl::SetCursorFor(TMessage& M) {
  if (reinterpret_cast<HWND>(M.WParam) != handle_ || LOWORD(M.LParam) != HTCLIENT) return false;
  POINT sp;
  GetCursorPos(&sp);
  ::ScreenToClient(handle_, &sp);
  TControl* c = ControlAtPos(Point(sp.x, sp.y), true);
  if (!c) c = this;
  TCursor cur = classlib::ScreenCursorOverride() != crDefault ? classlib::ScreenCursorOverride()
                                                              : c->Cursor();
  if (cur == crDefault) return false;
  ::SetCursor(classlib::CursorHandleOf(cur));
  M.Result = 1;
  return true;
}

bool TWinControl::ShowContextMenu(TMessage& M) {
  const TPoint sp = Point(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
  const bool keyboard = sp.X == -1 && sp.Y == -1;
  if (!keyboard) {
    // A graphic child under the pointer is asked first.
    if (TControl* g = ControlAtPos(ScreenToClient(sp), false)) {
      const TLifeToken life = LifeToken();
      if (g->ContextPopup(sp, false) || !life) {
        if (life) M.Result = 0;
        return true;
      }
    }
  }
  if (!ContextPopup(sp, keyboard)) return false;
  M.Result = 0;
  return true;
}

bool TControl::ContextPopup(const TPoint& ScreenPos, bool FromKeyboard) {
  if (OnContextPopup) {
    const TLifeToken life = LifeToken();
    bool handled = false;
    OnContextPopup(this, FromKeyboard ? Point(-1, -1) : ScreenToClient(ScreenPos), handled);
    if (handled || !life) return true;
  }
  TPopupMenu* menu = PopupMenu();
  if (!menu || !menu->AutoPopup) return false;
  TPoint at = ScreenPos;
  if (FromKeyboard) { // the control's centre
    const TPoint o = ClientOrigin();
    at = Point(o.X + width_ / 2, o.Y + height_ / 2);
  }
  menu->PopupComponent = this;
  menu->Popup(at.X, at.Y);
  return true;
}

bool TWinControl::ReflectToChild(TMessage& M) {
  HWND child = nullptr;
  switch (M.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: child = reinterpret_cast<HWND>(M.LParam); break;
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(M.LParam)->hwndFrom; break;
    case WM_DRAWITEM: child = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam)->hwndItem; break;
    case WM_MEASUREITEM:
      child = GetDlgItem(handle_,
                         static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam)->CtlID));
      break;
    default: return false;
  }
  if (!child || child == handle_) return false;
  TWinControl* c = FindControl(child);
  if (!c || c == this) return false;
  M.Result = c->Perform(CN_BASE + M.Msg, M.WParam, M.LParam);
  return true;
}

// --- TCustomControl ---------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle += {csAcceptsControls};
}

void TCustomControl::PaintWindow(HDC dc) {
  canvas_.PaintOn(dc, [this] {
    canvas_.Brush()->SetColor(Color());
    Paint();
  });
}

void TCustomControl::Paint() {
  if (OnPaint) OnPaint(this);
}
