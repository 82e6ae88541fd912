// A light timer driven by window messages: every TSimpleTimer ticks through
// one shared hidden window (TSimpleTimerHandler), which lives from the first
// timer's creation to the last one's destruction. The message window sits
// behind TimerHost, so the counting and dispatch run natively in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>

class TSimpleTimer;

namespace components {

// Sets and kills the system timers of the handler. On Windows: a hidden
// window whose WM_TIMER calls TSimpleTimerHandler::Dispatch.
class TimerHost {
 public:
  virtual ~TimerHost() = default;
  virtual bool SetTimer(std::uintptr_t id, std::uint32_t intervalMs) = 0;
  virtual bool KillTimer(std::uintptr_t id) = 0;
};

} // namespace components

class TSimpleTimerHandler {
 public:
  using HostFactory = std::function<std::unique_ptr<components::TimerHost>(TSimpleTimerHandler&)>;

  // The live handler, or null while no timer exists.
  static TSimpleTimerHandler* Instance();
  // The host that the next handler creates (default: the platform's own).
  static void SetHostFactory(HostFactory factory);

  int RefCount() const { return static_cast<int>(timers_.size()); }
  int ActiveCount() const { return active_count_; }
  components::TimerHost& Host() { return *host_; }

  // A tick for this id arrived. Ids of timers already gone are ignored.
  void Dispatch(std::uintptr_t id);
  // A tick from the system for the live handler: false when none lives (the
  // caller then kills the id). An exception a handler lets out goes to
  // ExceptionHandler: nothing may unwind into the system's window code.
  static bool DeliverTick(std::uintptr_t id);
  // Called inside a catch block for an exception that a timer's handler let
  // out of the window's tick; none set: the exception is dropped.
  static void (*ExceptionHandler)();

 private:
  friend class TSimpleTimer;
  TSimpleTimerHandler();
  static std::uintptr_t Register(TSimpleTimer* timer);
  static void Unregister(std::uintptr_t id);

  std::unique_ptr<components::TimerHost> host_;
  std::unordered_map<std::uintptr_t, TSimpleTimer*> timers_;
  int active_count_ = 0;
};

class TSimpleTimer {
 public:
  using TimerEvent = std::function<void(TSimpleTimer* sender)>;

  TSimpleTimer();                                           // 1000 ms, no handler
  TSimpleTimer(std::uint32_t interval, TimerEvent onTimer); // CreateEx
  ~TSimpleTimer();
  TSimpleTimer(const TSimpleTimer&) = delete;
  TSimpleTimer& operator=(const TSimpleTimer&) = delete;

  // The timer's id with the handler: unique for the process' lifetime, so a
  // late tick never reaches another timer.
  std::uintptr_t Id() const { return id_; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t v);
  const TimerEvent& OnTimer() const { return on_timer_; }
  void SetOnTimer(TimerEvent v);

  // Stop at the first tick.
  bool AutoDisable = false;

  // False for interval 0 or when the system refuses the timer.
  bool Start();
  // Disable: also clear Enabled.
  bool Stop(bool disable);

 private:
  friend class TSimpleTimerHandler;
  void Tick();

  std::uintptr_t id_ = 0;
  bool enabled_ = false;
  bool running_ = false;
  std::uint32_t interval_ = 1000;
  TimerEvent on_timer_;
};
