// Shared handler and start/stop counting of the message-window timers.
#include "components/SimpleTimer.h"

#include <utility>

#ifdef _WIN32
namespace components {
// The hidden window of the Windows side; its WM_TIMER calls tick.
std::unique_ptr<TimerHost> CreateWindowTimerHost(bool (*tick)(std::uintptr_t id));
} // namespace components
#endif

namespace {

using components::TimerHost;

// Without a window system nothing ticks; tests install their own host.
class NullTimerHost : public TimerHost {
 public:
  bool SetTimer(std::uintptr_t, std::uint32_t) override { return true; }
  bool KillTimer(std::uintptr_t) override { return true; }
};

std::unique_ptr<TimerHost> DefaultHost(TSimpleTimerHandler& handler) {
#ifdef _WIN32
  (void)handler;
  return components::CreateWindowTimerHost(&TSimpleTimerHandler::DeliverTick);
#else
  (void)handler;
  return std::make_unique<NullTimerHost>();
#endif
}

std::unique_ptr<TSimpleTimerHandler>& Live() {
  static std::unique_ptr<TSimpleTimerHandler> handler;
  return handler;
}

TSimpleTimerHandler::HostFactory& Factory() {
  static TSimpleTimerHandler::HostFactory factory = DefaultHost;
  return factory;
}

std::uintptr_t NextId() {
  static std::uintptr_t next = 0x4B00; // away from small ids others use
  return ++next;
}

} // namespace

TSimpleTimerHandler::TSimpleTimerHandler() = default;

TSimpleTimerHandler* TSimpleTimerHandler::Instance() { return Live().get(); }

void TSimpleTimerHandler::SetHostFactory(HostFactory factory) {
  Factory() = factory ? std::move(factory) : HostFactory(DefaultHost);
}

std::uintptr_t TSimpleTimerHandler::Register(TSimpleTimer* timer) {
  auto& live = Live();
  if (!live) {
    live.reset(new TSimpleTimerHandler());
    live->host_ = Factory()(*live);
  }
  const std::uintptr_t id = NextId();
  live->timers_[id] = timer;
  return id;
}

void TSimpleTimerHandler::Unregister(std::uintptr_t id) {
  auto& live = Live();
  if (!live) return;
  live->timers_.erase(id);
  if (live->timers_.empty()) live.reset();
}

void (*TSimpleTimerHandler::ExceptionHandler)() = nullptr;

bool TSimpleTimerHandler::DeliverTick(std::uintptr_t id) {
  // The id is looked up among the live timers, never cast to an object.
  try {
    TSimpleTimerHandler* h = Instance();
    if (!h) return false;
    h->Dispatch(id);
  } catch (...) {
    try {
      if (ExceptionHandler) ExceptionHandler();
    } catch (...) {}
  }
  return true;
}

void TSimpleTimerHandler::Dispatch(std::uintptr_t id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) {
    host_->KillTimer(id); // a timer that is gone: stop its ticks for good
    return;
  }
  it->second->Tick();
}

TSimpleTimer::TSimpleTimer() { id_ = TSimpleTimerHandler::Register(this); }

TSimpleTimer::TSimpleTimer(std::uint32_t interval, TimerEvent onTimer)
    : interval_(interval), on_timer_(std::move(onTimer)) {
  id_ = TSimpleTimerHandler::Register(this);
}

TSimpleTimer::~TSimpleTimer() {
  if (enabled_ || running_) Stop(true);
  TSimpleTimerHandler::Unregister(id_);
}

bool TSimpleTimer::Start() {
  if (interval_ == 0) return false;
  if (running_) Stop(false);
  TSimpleTimerHandler* h = TSimpleTimerHandler::Instance();
  if (!h || !h->Host().SetTimer(id_, interval_)) return false;
  enabled_ = true;
  running_ = true;
  ++h->active_count_;
  return true;
}

bool TSimpleTimer::Stop(bool disable) {
  if (disable) enabled_ = false;
  TSimpleTimerHandler* h = TSimpleTimerHandler::Instance();
  // Only a running timer is killed, so the active count stays exact.
  if (!h || !running_ || !h->Host().KillTimer(id_)) return false;
  running_ = false;
  if (h->active_count_ > 0) --h->active_count_;
  return true;
}

void TSimpleTimer::SetEnabled(bool v) {
  if (v)
    Start();
  else
    Stop(true);
}

void TSimpleTimer::SetInterval(std::uint32_t v) {
  if (v == interval_) return;
  interval_ = v;
  if (!enabled_) return;
  if (v != 0)
    Start();
  else
    Stop(false);
}

void TSimpleTimer::SetOnTimer(TimerEvent v) {
  on_timer_ = std::move(v);
  if (!on_timer_ && enabled_) Stop(false);
}

void TSimpleTimer::Tick() {
  if (AutoDisable) Stop(true);
  if (on_timer_) {
    TimerEvent handler = on_timer_; // the handler may replace or free the timer
    handler(this);
  }
}
