// The fade engine of the skinned controls (see sFadeCore.h).
#include "skins/sFadeCore.h"

namespace skins {

int FadeWeight(int counter, int iterations) {
  if (iterations <= 0) return 0;
  const int w = 255 - counter * 255 / iterations;
  return w < 0 ? 0 : w > 255 ? 255 : w;
}

void TFadeEngine::SetMode(TFadeMode m) {
  mode_ = m;
  timer_.SetFadeTimerEnabled(m != TFadeMode::Stopped);
}

bool TFadeEngine::CanFade(const TFadeSettings& s, int interval) const {
  return s.Iterations > 0 && interval > 0;
}

void TFadeEngine::MouseEnter(const TFadeSettings& s) {
  if (!CanFade(s, s.IntervalIn)) {
    // Nothing would ever tick: show the hot image at once.
    SetMode(TFadeMode::Stopped);
    counter_ = s.Iterations > 0 ? s.Iterations : 0;
    target_.FadeRepaint();
    return;
  }
  target_.FadeSwapImages();
  counter_ = 1;
  timer_.SetFadeTimerEnabled(false);
  timer_.SetFadeTimerInterval(static_cast<unsigned>(s.IntervalIn));
  SetMode(TFadeMode::In);
}

void TFadeEngine::MouseLeave(const TFadeSettings& s) {
  if (!CanFade(s, s.IntervalOut)) {
    SetMode(TFadeMode::Stopped);
    counter_ = 0;
    target_.FadeRepaint();
    return;
  }
  target_.FadeSwapImages();
  timer_.SetFadeTimerEnabled(false);
  timer_.SetFadeTimerInterval(static_cast<unsigned>(s.IntervalOut));
  SetMode(TFadeMode::Out);
  // The counter keeps its value: a fade-out begun mid-way starts from there.
}

void TFadeEngine::Stop(const TFadeSettings& s) {
  SetMode(TFadeMode::Stopped);
  counter_ = s.Iterations > 0 ? s.Iterations - 1 : 0;
}

void TFadeEngine::Tick(const TFadeSettings& s) {
  if (!target_.FadeTargetAlive()) {
    SetMode(TFadeMode::Stopped);
    return;
  }
  if (s.Iterations <= 0) {
    // Fading was switched off in mid-fade: show where it was going.
    SetMode(TFadeMode::Stopped);
    counter_ = 0;
    target_.FadeRepaint();
    return;
  }
  if (counter_ > s.Iterations) {
    --counter_;
    SetMode(TFadeMode::Stopped);
    target_.FadeRepaint();
  } else if (counter_ < 0) {
    ++counter_;
    SetMode(TFadeMode::Stopped);
    target_.FadeRepaint();
  }
  switch (mode_) {
    case TFadeMode::Stopped: timer_.SetFadeTimerEnabled(false); break;
    case TFadeMode::In:
    case TFadeMode::Out: Step(mode_, s.Iterations); break;
  }
}

void TFadeEngine::Step(TFadeMode direction, int iterations) {
  // The counter moves even when painting fails, so a failing paint cannot
  // hold the fade at one step for ever.
  struct Advance {
    int& counter;
    int by;
    ~Advance() { counter += by; }
  } advance{counter_, direction == TFadeMode::In ? 1 : -1};
  target_.FadePaintStep(direction, FadeWeight(counter_, iterations));
}

} // namespace skins
