// Drag and drop (see DragDock.h): the drag of one control at a time, its
// capture window, the dock rectangle on screen, and the drag members of
// TControl. Docking itself is in Docking.cpp.
#include "classlib/DragDock.h"
#include "classlib/HiddenWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "classlib/Forms.h"

namespace classlib {

namespace {

constexpr UINT kCancelDrag = WM_APP + 0x40;
constexpr int kFrame = 3; // the dock rectangle's line width

LRESULT CALLBACK CaptureWndProc(HWND, UINT, WPARAM, LPARAM);

HWND MakeWindow(const wchar_t* cls, WNDPROC proc, HBRUSH background, DWORD exStyle) {
  return classlib::CreateHiddenWindow(cls, proc, exStyle, nullptr, background);
}

// The hidden window that holds the mouse while a drag runs.
HWND CaptureWindow() {
  static HWND w = MakeWindow(L"Korvalis.DragCapture", CaptureWndProc, nullptr, WS_EX_TOOLWINDOW);
  return w;
}

LRESULT CALLBACK FrameWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  // The mouse (and the search for the control under it) goes through.
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  return DefWindowProcW(h, msg, wp, lp);
}

// The dock rectangle: a hollow frame that takes no mouse and no activation.
HWND FrameWindow() {
  static HWND w = [] {
    HWND h = MakeWindow(L"Korvalis.DockRect", FrameWndProc,
                        static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)),
                        WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED |
                            WS_EX_TRANSPARENT);
    SetLayeredWindowAttributes(h, 0, 255, LWA_ALPHA);
    return h;
  }();
  return w;
}

void ShowFrame(const TRect* r) {
  HWND f = FrameWindow();
  if (!r || r->Width() <= 2 * kFrame || r->Height() <= 2 * kFrame) {
    ShowWindow(f, SW_HIDE);
    return;
  }
  const int w = r->Width(), h = r->Height();
  HRGN outer = CreateRectRgn(0, 0, w, h);
  HRGN inner = CreateRectRgn(kFrame, kFrame, w - kFrame, h - kFrame);
  CombineRgn(outer, outer, inner, RGN_DIFF);
  DeleteObject(inner);
  SetWindowRgn(f, outer, FALSE); // the window owns the region now
  SetWindowPos(f, HWND_TOPMOST, r->Left, r->Top, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// The library control under a screen point: a graphic child when one lies
// there, else the window's control.
TControl* ControlAtScreen(const TPoint& p) {
  // From the window in front down through its children: a tab window
  // answers "transparent" away from its tabs, which would hide it.
  HWND h = WindowFromPoint(POINT{p.X, p.Y});
  if (h) h = GetAncestor(h, GA_ROOT);
  for (HWND child = h; child;) {
    h = child;
    POINT cp{p.X, p.Y};
    ScreenToClient(h, &cp);
    child = ChildWindowFromPointEx(h, cp, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED |
                                              CWP_SKIPTRANSPARENT);
    if (child == h) break;
  }
  TWinControl* w = nullptr;
  for (; h && !w; h = GetParent(h)) w = TWinControl::FindControl(h);
  if (!w) return nullptr;
  TControl* g = w->ControlAtPos(w->ScreenToClient(p), false);
  return g ? g : w;
}

} // namespace

TRect ScreenBounds(TControl* c) {
  if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated()) {
    RECT r;
    GetWindowRect(w->Handle(), &r);
    return Rect(r.left, r.top, r.right, r.bottom);
  }
  if (!c->Parent()) return c->BoundsRect();
  const TPoint o = c->Parent()->ClientToScreen(Point(c->Left(), c->Top()));
  return Bounds(o.X, o.Y, c->Width(), c->Height());
}

// --- The drag --------------------------------------------------------------------------------

class TDragControlSession : public TDragHost {
 public:
  static TDragControlSession* Current;

  static void Start(TControl* source, bool immediate, int threshold, bool captureNow) {
    if (Current) return;
    auto* s = new TDragControlSession(source);
    Current = s;
    POINT p;
    GetCursorPos(&p);
    s->start_rect_ = ScreenBounds(source);
    if (captureNow) s->Capture();
    s->Run([&] { s->core_.Begin(Point(p.x, p.y), immediate, threshold); });
  }

  // Runs a step of the drag; the drag goes once it is over and no step of
  // it is still running.
  template <class F>
  void Run(F&& f) {
    struct Guard {
      TDragControlSession* s;
      ~Guard() {
        if (--s->depth_ == 0 && !s->core_.Active()) s->Close();
      }
    } guard{this};
    ++depth_;
    f();
  }

  static TPoint CursorPoint() {
    POINT p;
    GetCursorPos(&p);
    return Point(p.x, p.y);
  }

  // The source went away: the drag ends without a word to anyone.
  void Abandon() {
    abandoned_ = true;
    Run([&] { core_.End(CursorPoint(), false); });
  }

  TControl* source_;
  TDragSession core_{*this};
  bool captured_ = false;
  // Set while the drag lets the mouse go itself.
  bool releasing_ = false;

 private:
  explicit TDragControlSession(TControl* source)
      : source_(source), kind_(source->DragKind()), own_dock_(source) {
    hook_ = SetWindowsHookExW(WH_KEYBOARD, KeyHook, nullptr, GetCurrentThreadId());
  }
  ~TDragControlSession() = default;

  void Capture() {
    if (captured_) return;
    captured_ = true;
    SetCapture(CaptureWindow());
  }

  void Close() {
    Current = nullptr;
    if (captured_ && GetCapture() == CaptureWindow()) {
      releasing_ = true;
      ReleaseCapture();
    }
    ShowFrame(nullptr);
    if (hook_) UnhookWindowsHookEx(hook_);
    // The window under the mouse is asked for its cursor again.
    POINT p;
    GetCursorPos(&p);
    SetCursorPos(p.x, p.y);
    delete this;
  }

  static LRESULT CALLBACK KeyHook(int code, WPARAM key, LPARAM flags) {
    if (code == HC_ACTION && key == VK_ESCAPE && Current && Current->core_.Dragging()) {
      if (!(flags & 0x80000000)) PostMessageW(CaptureWindow(), kCancelDrag, 0, 0);
      return 1; // the key is the drag's
    }
    return CallNextHookEx(nullptr, code, key, flags);
  }

  TDragDockObject* DockObject() { return user_dock_ ? user_dock_ : &own_dock_; }
  TObject* SourceObject() {
    if (kind_ == dkDock) return DockObject();
    return drag_object_ ? drag_object_ : source_;
  }

  // TDragHost
  TObject* TargetAt(const TPoint& p) override {
    if (abandoned_) return nullptr;
    TControl* c = ControlAtScreen(p);
    if (kind_ == dkDrag) return c;
    auto* own = dynamic_cast<TWinControl*>(source_);
    for (; c; c = c->Parent()) {
      auto* site = dynamic_cast<TWinControl*>(c);
      if (!site || !site->DockSite() || site == source_ || (own && own->ContainsControl(site)))
        continue;
      bool can = true;
      TRect influence = ScreenBounds(site);
      site->GetSiteInfo(source_, influence, p, can);
      if (can && influence.Contains(p)) return site;
    }
    return nullptr;
  }

  void Started() override {
    if (abandoned_) return;
    DragPosSet();
    if (kind_ == dkDrag) {
      TDragObject* obj = nullptr;
      if (source_->OnStartDrag) source_->OnStartDrag(source_, obj);
      drag_object_ = obj;
    } else {
      TDragDockObject* obj = nullptr;
      if (source_->OnStartDock) source_->OnStartDock(source_, obj);
      user_dock_ = obj;
    }
    if (core_.Active()) Capture();
  }

  void DragPosSet() {
    own_dock_.DragPos = core_.StartPoint();
    own_dock_.Floating = source_->Floating();
  }

  bool Over(TObject* target, const TPoint& p, TDragState state) override {
    if (abandoned_) return false;
    bool accept = false;
    if (kind_ == dkDrag) {
      auto* t = static_cast<TControl*>(target);
      const TPoint cp = t->ScreenToClient(p);
      t->DragOver(SourceObject(), cp.X, cp.Y, state, accept);
    } else {
      auto* site = static_cast<TWinControl*>(target);
      const TPoint cp = site->ScreenToClient(p);
      accept = true;
      site->DockOver(DockObject(), cp.X, cp.Y, state, accept);
    }
    return accept;
  }

  void Feedback(TObject* target, bool accepted) override {
    if (abandoned_) return;
    if (kind_ == dkDrag) {
      ::SetCursor(CursorHandleOf(accepted ? source_->DragCursor() : crNoDrop));
      return;
    }
    // Elsewhere a dock drag floats the control: nothing to refuse.
    ::SetCursor(CursorHandleOf(crArrow));
    ShowFrame(accepted && target ? &DockObject()->DockRect : nullptr);
  }

  void Drop(TObject* target, const TPoint& p) override {
    if (abandoned_) return;
    if (kind_ == dkDrag) {
      auto* t = static_cast<TControl*>(target);
      const TPoint cp = t->ScreenToClient(p);
      t->DragDrop(SourceObject(), cp.X, cp.Y);
    } else {
      docked_ = source_->DockVia(static_cast<TWinControl*>(target), *DockObject(), p);
    }
  }

  void Finished(TObject* target, const TPoint& p, TDragEnd how) override {
    if (abandoned_) return;
    const TLifeToken life = source_->LifeToken();
    if (kind_ == dkDock && how == TDragEnd::Refused) source_->ManualFloat(FloatRectAt(p));
    if (!life) return;
    auto* t = dynamic_cast<TControl*>(target);
    const TPoint cp = t ? t->ScreenToClient(p) : source_->ScreenToClient(p);
    if (kind_ == dkDrag) {
      if (source_->OnEndDrag) source_->OnEndDrag(source_, target, cp.X, cp.Y);
    } else if (source_->OnEndDock) {
      source_->OnEndDock(source_, docked_ ? target : nullptr, cp.X, cp.Y);
    }
  }

  // Where a dock drag dropped at p floats the control: a floating window
  // moves as the mouse did; a docked control takes its floating size, the
  // mouse near the middle of its top edge.
  TRect FloatRectAt(const TPoint& p) {
    const TPoint s = core_.StartPoint();
    if (!source_->Parent()) {
      TRect r = start_rect_;
      return Bounds(r.Left + p.X - s.X, r.Top + p.Y - s.Y, r.Width(), r.Height());
    }
    TRect u = source_->undock_rect_;
    const int w = u.Width() > 0 ? u.Width() : source_->Width();
    const int h = u.Height() > 0 ? u.Height() : source_->Height();
    return Bounds(p.X - w / 2, p.Y - GetSystemMetrics(SM_CYCAPTION) / 2, w, h);
  }

  TDragKind kind_;
  TDragDockObject own_dock_;
  TDragDockObject* user_dock_ = nullptr;
  TObject* drag_object_ = nullptr;
  TRect start_rect_{};
  HHOOK hook_ = nullptr;
  int depth_ = 0;
  bool abandoned_ = false, docked_ = false;
};

TDragControlSession* TDragControlSession::Current = nullptr;

namespace {
LRESULT CALLBACK CaptureWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  TDragControlSession* s = TDragControlSession::Current;
  if (!s) return DefWindowProcW(h, msg, wp, lp);
  try {
    switch (msg) {
      case WM_MOUSEMOVE: {
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(h, &p);
        s->Run([&] { s->core_.Move(Point(p.x, p.y)); });
        return 0;
      }
      case WM_LBUTTONUP: {
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(h, &p);
        s->Run([&] { s->core_.End(Point(p.x, p.y), true); });
        return 0;
      }
      case WM_RBUTTONDOWN:
      case kCancelDrag:
        s->Run([&] { s->core_.End(TDragControlSession::CursorPoint(), false); });
        return 0;
      case WM_CAPTURECHANGED:
        // Another window took the mouse: the drag cannot go on.
        if (!s->releasing_)
          s->Run([&] { s->core_.End(TDragControlSession::CursorPoint(), false); });
        return 0;
    }
  } catch (...) {
    // Nothing may unwind into the system's window code.
    try {
      HandleControlException(nullptr);
    } catch (...) {}
    return 0;
  }
  return DefWindowProcW(h, msg, wp, lp);
}
} // namespace

void BeginDragCaptured(TControl* Control, int Threshold) {
  TDragControlSession::Start(Control, false, Threshold, true);
}

} // namespace classlib

using classlib::TDragControlSession;

// --- TControl ---------------------------------------------------------------------------------

void TControl::BeginDrag(bool Immediate, int Threshold) {
  TDragControlSession::Start(this, Immediate, Threshold, false);
}

void TControl::EndDrag(bool Drop) {
  TDragControlSession* s = TDragControlSession::Current;
  if (s && s->source_ == this)
    s->Run([&] { s->core_.End(TDragControlSession::CursorPoint(), Drop); });
}

bool TControl::Dragging() const {
  TDragControlSession* s = TDragControlSession::Current;
  return s && s->source_ == this && s->core_.Dragging();
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  // A control takes drops only when it says so.
  Accept = false;
  if (OnDragOver) {
    Accept = true;
    OnDragOver(this, Source, X, Y, State, Accept);
  }
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::ForgetDragAndDock() {
  if (TDragControlSession* s = TDragControlSession::Current) {
    if (s->source_ == this)
      s->Abandon();
    else
      s->core_.Forget(this);
  }
  if (host_dock_site_) {
    auto& list = host_dock_site_->dock_clients_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    host_dock_site_ = nullptr;
  }
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    for (TControl* c : w->dock_clients_) c->host_dock_site_ = nullptr;
    w->dock_clients_.clear();
  }
}

bool TControl::DockMessage(TMessage& M) {
  TDragControlSession* s = TDragControlSession::Current;
  switch (M.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      // A press waiting to become a drag follows the mouse over any control.
      if (s && s->core_.Pending() && !s->captured_) {
        const TPoint p = ClientToScreen(Point(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam)));
        s->Run([&] {
          if (M.Msg == WM_MOUSEMOVE)
            s->core_.Move(p);
          else
            s->core_.End(p, false);
        });
      }
      return false;
    case WM_LBUTTONDOWN:
      if (drag_mode_ == dmAutomatic && !s) {
        // A press on a graphic child is the child's.
        auto* w = dynamic_cast<TWinControl*>(this);
        if (w && w->ControlAtPos(Point(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam)), false))
          return false;
        BeginDrag(false);
      }
      return false;
    case WM_NCLBUTTONDOWN:
      // A floating dock form is dragged by its caption to dock it.
      if (M.WParam == HTCAPTION && !parent_ && drag_kind_ == dkDock &&
          drag_mode_ == dmAutomatic && !s && dynamic_cast<TCustomForm*>(this)) {
        classlib::BeginDragCaptured(this, -1);
        M.Result = 0;
        return true;
      }
      return false;
  }
  return false;
}
