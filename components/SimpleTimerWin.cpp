// The Windows timer host: one hidden message-only window whose WM_TIMER
// ticks reach the live TSimpleTimerHandler.
#include <windows.h>

#include "classlib/HiddenWindow.h"
#include "components/SimpleTimer.h"

namespace {

const wchar_t kClassName[] = L"KorvalisSimpleTimerWindow";

LRESULT CALLBACK TimerWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) {
    // The id is looked up among the live timers, never cast to an object.
    try {
      if (TSimpleTimerHandler* h = TSimpleTimerHandler::Instance())
        h->Dispatch(static_cast<std::uintptr_t>(wp));
      else
        ::KillTimer(wnd, wp);
    } catch (...) {
      // Nothing may unwind into the system's window code.
      try {
        if (TSimpleTimerHandler::ExceptionHandler) TSimpleTimerHandler::ExceptionHandler();
      } catch (...) {
      }
    }
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

class WindowTimerHost : public TimerHost {
 public:
  WindowTimerHost() {
    wnd_ = CreateHiddenWindow(kClassName, TimerWndProc, 0, HWND_MESSAGE);
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

}  // namespace

std::unique_ptr<TimerHost> CreateWindowTimerHost(TSimpleTimerHandler&) {
  return std::make_unique<WindowTimerHost>();
}
