// The cross-fade between a skinned control's normal and hot images, free of
// Windows: one engine serves the track bar's and the button's fade timers.
//
// The control keeps two images: the previous one (what was on screen when
// the pointer crossed the edge) and the current one (rebuilt in the new
// state). Entering sets the counter to 1 and fades in, one step per tick,
// towards the current image; leaving fades back, the counter counting down
// from wherever it stands, so a leave in mid-fade turns round smoothly. The
// counter runs 0..Iterations; a step's weight is how much of the previous
// image is left: 255 - counter * 255 / Iterations, clamped to 0..255 (a
// counter that overshoots while Iterations changes mid-fade gives an end
// image, never a failed step).
//
// A fade that cannot run (Iterations 0, or an interval of 0, which a window
// timer never ticks) switches at once: the engine repaints the new image
// and leaves its timer stopped, so nothing waits for a tick that never
// comes. The timer and the painting are behind small interfaces; tests
// fake them.
#pragma once

#include <cstdint>

namespace skins {

enum class TFadeMode : uint8_t { Stopped = 0, In = 1, Out = 2 };

// The fade settings as the style reports them (read at every call).
struct TFadeSettings {
  bool Enabled = true;
  int Iterations = 5;
  int IntervalIn = 5;  // milliseconds between steps towards the hot image
  int IntervalOut = 5; // ... and back
};

// The timer that drives the steps.
class IFadeTimer {
 public:
  virtual ~IFadeTimer() = default;
  virtual void SetFadeTimerEnabled(bool enabled) = 0;
  virtual void SetFadeTimerInterval(unsigned ms) = 0;
};

// The control being faded.
class IFadeTarget {
 public:
  virtual ~IFadeTarget() = default;
  // False once the control is being destroyed or the application ends.
  virtual bool FadeTargetAlive() = 0;
  // The current image becomes the previous one; then the current one is
  // rebuilt for the state the control is in now.
  virtual void FadeSwapImages() = 0;
  // The cached image is out of date: rebuild and repaint it.
  virtual void FadeRepaint() = 0;
  // One step onto the screen: towards the current image (in) or back
  // towards the previous one (out), `weight` 0..255 of the previous image
  // (in) or of the current one (out) left in the blend.
  virtual void FadePaintStep(TFadeMode direction, int weight) = 0;
};

// 255 - counter * 255 div iterations, clamped to 0..255; 0 for iterations <= 0.
int FadeWeight(int counter, int iterations);

class TFadeEngine {
 public:
  TFadeEngine(IFadeTarget& target, IFadeTimer& timer) : target_(target), timer_(timer) {}

  TFadeMode Mode() const { return mode_; }
  // Stores the mode; the timer runs exactly while it is not Stopped.
  void SetMode(TFadeMode m);
  int Counter() const { return counter_; }
  bool Running() const { return mode_ != TFadeMode::Stopped; }

  // The pointer entered / left the control (called only with fading enabled).
  void MouseEnter(const TFadeSettings& s);
  void MouseLeave(const TFadeSettings& s);
  // A mouse button went down or up: the fade stops at the hot end; the
  // control renders its pressed image anew at its next paint.
  void Stop(const TFadeSettings& s);
  // One timer tick.
  void Tick(const TFadeSettings& s);

 private:
  bool CanFade(const TFadeSettings& s, int interval) const;
  void Step(TFadeMode direction, int iterations);
  IFadeTarget& target_;
  IFadeTimer& timer_;
  TFadeMode mode_ = TFadeMode::Stopped;
  int counter_ = 0;
};

} // namespace skins
