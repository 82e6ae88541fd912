// The alert popup's fades and display time (see AlertFadeCore.h).
#include "components/AlertFadeCore.h"

void components::FadeSequence(bool fadeIn, int alphaEnd, int step,
                              const std::function<bool(int)>& apply) {
  if (fadeIn) {
    if (!apply(0)) return;
    for (int a = 0; a<alphaEnd; a = step> 0 ? a + step : alphaEnd)
      if (!apply(a)) return;
    apply(alphaEnd);
  } else {
    for (int a = alphaEnd; a > 0; a = step > 0 ? a - step : 0)
      if (!apply(a)) return;
    apply(0);
  }
}

AlertFadeController::AlertFadeController(Sink sink, Clock clock)
    : sink_(std::move(sink)), clock_(std::move(clock)) {}

AlertFadeController::~AlertFadeController() { worker_.Stop(); }

void AlertFadeController::SetSettings(const AlertFadeSettings& s) {
  std::lock_guard<std::mutex> lock(settings_mutex_);
  settings_ = s;
}

AlertFadeSettings AlertFadeController::Settings() const {
  std::lock_guard<std::mutex> lock(settings_mutex_);
  return settings_;
}

void AlertFadeController::Apply(int alpha) {
  std::lock_guard<std::mutex> lock(apply_mutex_);
  if (hold_ && alpha != 255) return;
  if (sink_) sink_(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha);
}

void AlertFadeController::StartFade(bool fadeIn) {
  const unsigned generation = ++generation_;
  phase_ = fadeIn ? AlertPhase::FadingIn : AlertPhase::FadingOut;
  counting_ = false;
  worker_.Start(
      [this, fadeIn](TWorkerJob& job) {
        const AlertFadeSettings s = Settings();
        components::FadeSequence(fadeIn, s.AlphaEnd, s.FadeStep, [&](int a) {
          if (job.Stopped() || hold_) return false;
          Apply(a);
          return job.Wait(Settings().FadeTime);
        });
      },
      [this, generation, fadeIn] { FadeDone(generation, fadeIn); });
}

void AlertFadeController::FadeDone(unsigned generation, bool fadeIn) {
  if (generation != generation_) return; // superseded
  if (fadeIn && phase_ == AlertPhase::FadingIn) {
    phase_ = AlertPhase::Shown;
    count_from_ = clock_();
    counting_ = Settings().AutoHide;
  } else if (!fadeIn && phase_ == AlertPhase::FadingOut) {
    phase_ = AlertPhase::Hidden;
    if (OnHide) OnHide();
  }
}

void AlertFadeController::FadeIn() {
  hold_ = false;
  StartFade(true);
}

void AlertFadeController::Restart() {
  switch (phase_) {
    case AlertPhase::FadingOut:
      ++generation_;
      worker_.Stop();
      Apply(Settings().AlphaEnd);
      phase_ = AlertPhase::Shown;
      [[fallthrough]];
    case AlertPhase::Shown:
      count_from_ = clock_();
      counting_ = Settings().AutoHide;
      break;
    default: break; // fading in: the count starts when it ends; held: on release
  }
}

void AlertFadeController::Tick() {
  if (phase_ != AlertPhase::Shown || !counting_) return;
  if (clock_() - count_from_ >= Settings().DisplayTime) StartFade(false);
}

void AlertFadeController::Hold() {
  if (phase_ == AlertPhase::Hidden) return;
  if (phase_ == AlertPhase::Held) {
    Apply(255);
    return;
  }
  ++generation_;
  worker_.Stop();
  hold_ = true;
  Apply(255);
  phase_ = AlertPhase::Held;
  counting_ = false;
}

void AlertFadeController::Release() {
  if (phase_ != AlertPhase::Held) return;
  hold_ = false;
  Apply(Settings().AlphaEnd);
  phase_ = AlertPhase::Shown;
  count_from_ = clock_();
  counting_ = Settings().AutoHide;
}

void AlertFadeController::Hidden() {
  ++generation_;
  worker_.Stop();
  hold_ = false;
  phase_ = AlertPhase::Hidden;
  counting_ = false;
}

void AlertFadeController::SetAutoHide(bool on) {
  {
    std::lock_guard<std::mutex> lock(settings_mutex_);
    settings_.AutoHide = on;
  }
  if (on)
    Restart();
  else
    counting_ = false;
}
