// The Windows timer host: one hidden message-only window whose WM_TIMER
// ticks reach the live TSimpleTimerHandler.
#include "classlib/WinApi.h"

#include "classlib/HiddenWindow.h"
#include "components/SimpleTimer.h"

namespace {

const wchar_t kClassName[] = L"KorvalisSimpleTimerWindow";

// One handler lives at a time, so one tick function serves the window class.
bool (*g_tick)(std::uintptr_t) = nullptr;

LRESULT CALLBACK TimerWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) {
    if (!g_tick || !g_tick(static_cast<std::uintptr_t>(wp))) ::KillTimer(wnd, wp);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

class WindowTimerHost : public components::TimerHost {
 public:
  WindowTimerHost() {
    wnd_ = classlib::CreateHiddenWindow(kClassName, TimerWndProc, 0, HWND_MESSAGE);
  }
  ~WindowTimerHost() override {
    if (wnd_) DestroyWindow(wnd_);
  }
  bool SetTimer(std::uintptr_t id, std::uint32_t ms) override {
    return wnd_ && ::SetTimer(wnd_, static_cast<UINT_PTR>(id), ms, nullptr) != 0;
  }
  bool KillTimer(std::uintptr_t id) override {
    return wnd_ && ::KillTimer(wnd_, static_cast<UINT_PTR>(id)) != 0;
  }

 private:
  HWND wnd_ = nullptr;
};

} // namespace

namespace components {

std::unique_ptr<TimerHost> CreateWindowTimerHost(bool (*tick)(std::uintptr_t id)) {
  g_tick = tick;
  return std::make_unique<WindowTimerHost>();
}

} // namespace components
