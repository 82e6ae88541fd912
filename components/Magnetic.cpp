// The Windows side of window snapping: the subclass procedure and the
// window queries and moves that the snapping rules ask for.
#include "components/Magnetic.h"

#include <commctrl.h>

namespace {

// Subclass id of the snapping procedure.
constexpr UINT_PTR kMagneticSubclass = 0x4D41474E; // "MAGN"

HWND H(components::WindowId w) { return reinterpret_cast<HWND>(w); }
components::WindowId W(HWND h) { return reinterpret_cast<components::WindowId>(h); }

class Win32Windows : public components::IWindowSystem {
 public:
  bool IsWindow(components::WindowId w) const override { return w != 0 && ::IsWindow(H(w)); }
  bool IsVisible(components::WindowId w) const override { return ::IsWindowVisible(H(w)) != FALSE; }
  bool IsMaximized(components::WindowId w) const override { return ::IsZoomed(H(w)) != FALSE; }
  TRect WindowRect(components::WindowId w) const override {
    RECT r{};
    ::GetWindowRect(H(w), &r);
    return {r.left, r.top, r.right, r.bottom};
  }
  TRect WorkArea() const override {
    RECT r{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return {r.left, r.top, r.right, r.bottom};
  }
  TPoint CursorPos() const override {
    POINT p{};
    ::GetCursorPos(&p);
    return {p.x, p.y};
  }
  void MoveWindows(const std::vector<components::WindowMove>& moves) override {
    HDWP batch = ::BeginDeferWindowPos(static_cast<int>(moves.size()));
    for (const components::WindowMove& m : moves) {
      if (!batch) break;
      batch = ::DeferWindowPos(batch, H(m.Wnd), nullptr, m.X, m.Y, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch) ::EndDeferWindowPos(batch);
  }
};

} // namespace

TMagnetic* MagneticInstance = new TMagnetic();

TMagnetic::TMagnetic() : windows_(new Win32Windows()), core_(*windows_) {}

TMagnetic::~TMagnetic() {
  if (MagneticInstance == this) MagneticInstance = nullptr;
}

int TMagnetic::IndexOfWindow(HWND Wnd) const { return core_.IndexOfWindow(W(Wnd)); }

bool TMagnetic::AddWindow(HWND Wnd, HWND GlueParent) {
  if (!core_.AddWindow(W(Wnd), W(GlueParent))) return false;
  if (!SetWindowSubclass(Wnd, MagneticWndProc, kMagneticSubclass, 0)) {
    core_.RemoveWindow(W(Wnd));
    return false;
  }
  return true;
}

bool TMagnetic::RemoveWindow(HWND Wnd) {
  if (!core_.RemoveWindow(W(Wnd))) return false;
  RemoveWindowSubclass(Wnd, MagneticWndProc, kMagneticSubclass);
  return true;
}

void TMagnetic::HandleMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(LParam);
      if (pos && (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) core_.RefreshGlue();
      break;
    }
    case WM_COMMAND:
    case WM_EXITSIZEMOVE: core_.RefreshGlue(); break;
    case WM_SYSCOMMAND:
      if (WParam == SC_MINIMIZE || WParam == SC_RESTORE) core_.RefreshGlue();
      break;
    case WM_ENTERSIZEMOVE: core_.EnterSizeMove(W(Wnd)); break;
    case WM_SIZING:
    case WM_MOVING: {
      auto* r = reinterpret_cast<RECT*>(LParam);
      if (!r) break;
      TRect m{r->left, r->top, r->right, r->bottom};
      if (Msg == WM_SIZING)
        core_.SnapSizing(W(Wnd), m, static_cast<components::SizingEdge>(WParam));
      else
        core_.SnapMoving(W(Wnd), m);
      *r = RECT{m.Left, m.Top, m.Right, m.Bottom};
      break;
    }
    default: break;
  }
}

LRESULT CALLBACK MagneticWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, UINT_PTR,
                                 DWORD_PTR) {
  TMagnetic* m = MagneticInstance;
  if (!m) return DefSubclassProc(Wnd, Msg, WParam, LParam);
  switch (Msg) {
    case WM_DESTROY: m->RemoveWindow(Wnd); return DefSubclassProc(Wnd, Msg, WParam, LParam);
    case WM_WINDOWPOSCHANGED:
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE: {
      const LRESULT r = DefSubclassProc(Wnd, Msg, WParam, LParam);
      // The window may have been destroyed by its own handling (a command
      // that closes it): then it is no longer registered.
      if (m->IndexOfWindow(Wnd) > 0) m->HandleMessage(Wnd, Msg, WParam, LParam);
      return r;
    }
    case WM_SIZING:
    case WM_MOVING: m->HandleMessage(Wnd, Msg, WParam, LParam); return TRUE;
    default: return DefSubclassProc(Wnd, Msg, WParam, LParam);
  }
}
