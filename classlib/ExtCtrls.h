// TTimer: a window timer on a hidden window of the library. Ticks arrive
// through the message loop; while one waits to be handled no second one
// queues up (a slow handler delays the next tick, never doubles it).
#pragma once

#include "classlib/Component.h"

namespace classlib {
struct TimerHost;
} // namespace classlib

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  // Milliseconds; 0 stops the timer.
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned v);
  // Raised on each tick (the timer runs whether or not it is set).
  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();

 private:
  friend struct classlib::TimerHost;
  void UpdateTimer();
  bool enabled_ = true;
  unsigned interval_ = 1000;
  bool running_ = false;
};
