// TTimer (see ExtCtrls.h).
#include "classlib/ExtCtrls.h"

#include "classlib/WinApi.h"

#include <set>

#include "classlib/Controls.h"
#include "classlib/HiddenWindow.h"

namespace classlib {

struct TimerHost {
  static HWND Window() {
    static HWND w = nullptr;
    if (!w || !IsWindow(w)) w = classlib::CreateHiddenWindow(L"Korvalis.TimerWindow", Proc);
    return w;
  }
  static std::set<TTimer*>& Live() {
    static std::set<TTimer*> live;
    return live;
  }
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_TIMER) return DefWindowProcW(h, msg, wp, lp);
    // The id is the timer object; one freed meanwhile is ignored.
    auto* t = reinterpret_cast<TTimer*>(wp);
    if (!Live().count(t)) return 0;
    try {
      t->Timer();
    } catch (...) {
      try {
        classlib::HandleControlException(t);
      } catch (...) {}
    }
    return 0;
  }
};

} // namespace classlib

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  classlib::TimerHost::Live().insert(this);
  UpdateTimer();
}

TTimer::~TTimer() {
  classlib::TimerHost::Live().erase(this);
  if (running_) KillTimer(classlib::TimerHost::Window(), reinterpret_cast<UINT_PTR>(this));
}

void TTimer::UpdateTimer() {
  HWND w = classlib::TimerHost::Window();
  UINT_PTR id = reinterpret_cast<UINT_PTR>(this);
  if (running_) KillTimer(w, id);
  running_ = false;
  if (enabled_ && interval_ > 0) {
    if (!SetTimer(w, id, interval_, nullptr)) throw EOutOfResources("Not enough timers available");
    running_ = true;
  }
}

void TTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned v) {
  if (v == interval_) return;
  interval_ = v;
  UpdateTimer();
}

void TTimer::Timer() {
  if (OnTimer) {
    TNotifyEvent handler = OnTimer; // the handler may free or rebind the timer
    handler(this);
  }
}
