// The callback gate and the system wait pump.
#include "audiolib/src/CallbackGate.h"

#include <algorithm>
#include <chrono>

#ifdef _WIN32
#include <windows.h>
#endif

namespace audiolib {

void SystemWaitPump(int ms) {
#ifdef _WIN32
  // Returns as soon as a message is sent to this thread; PeekMessage with
  // PM_QS_SENDMESSAGE delivers sent messages and leaves posted ones queued.
  MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ms), QS_SENDMESSAGE);
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
#else
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
#endif
}

bool CallbackGate::Run(const std::function<void()>& fn) {
  {
    std::lock_guard<std::mutex> lk(m_);
    if (closed_) return false;
    running_.push_back(std::this_thread::get_id());
  }
  struct Leave {
    CallbackGate* g;
    ~Leave() {
      std::lock_guard<std::mutex> lk(g->m_);
      auto it = std::find(g->running_.begin(), g->running_.end(), std::this_thread::get_id());
      if (it != g->running_.end()) g->running_.erase(it);
    }
  } leave{this};
  // The user's code must not unwind into the library's thread: that would
  // end the whole program. Its failure stays its own.
  try {
    fn();
  } catch (...) {}
  return true;
}

void CallbackGate::Close(const WaitPump& pump) {
  const auto self = std::this_thread::get_id();
  for (;;) {
    {
      std::lock_guard<std::mutex> lk(m_);
      closed_ = true;
      bool others = std::any_of(running_.begin(), running_.end(),
                                [&](std::thread::id id) { return id != self; });
      if (!others) return;
    }
    if (pump) {
      pump(5);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
}

bool CallbackGate::IsClosed() const {
  std::lock_guard<std::mutex> lk(m_);
  return closed_;
}

} // namespace audiolib
