// The alert popup's fade threads, display countdown and hold (see
// AlertFadeCore.h).
#include "components/AlertFadeCore.h"

#include <chrono>

std::atomic<bool> AlertFader::StopRequest{false};

namespace {

int ClampAlpha(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

} // namespace

// --- The fade thread ------------------------------------------------------------------------

TFadeThread::TFadeThread(AlertFader* owner, unsigned generation)
    : owner_(owner), generation_(generation) {
  FreeOnTerminate = true;
}

bool TFadeThread::Step(int alpha) { return owner_->FadeStepFor(generation_, alpha); }

void TFadeThread::Wait() {
  const int ms = owner_->FadeTime.load();
  if (ms <= 0) return;
  const auto from = std::chrono::steady_clock::now();
  while (!Terminated() && std::chrono::steady_clock::now() - from < std::chrono::milliseconds(ms))
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void TFadeThread::Execute() {
  AlertFader& o = *owner_;
  std::atomic<bool>& stop = AlertFader::StopRequest;
  if (o.fading_in_) {
    if (!Step(0)) return;
    for (int a = 0; a < o.AlphaEnd && !Terminated() && !o.hold_;) {
      if (stop.exchange(false)) {
        if (!Step(o.AlphaEnd)) return;
        break;
      }
      if (!Step(a)) return;
      Wait();
      const int step = o.FadeStep;
      // A step of 0 would never advance, leaving the popup invisible for
      // good: it ends the fade instead.
      if (step <= 0) break;
      a += step;
    }
    if (!o.hold_ && !Terminated() && !Step(o.AlphaEnd)) return;
  }
  if (o.fading_in_) return;
  for (int a = o.AlphaEnd; a > 0 && !Terminated() && !o.hold_;) {
    if (!Step(a)) return;
    if (stop) {
      if (!Step(o.AlphaEnd)) return;
      break;
    }
    Wait();
    const int step = o.FadeStep;
    if (step <= 0) break; // as above: straight to 0
    a -= step;
  }
  if (!o.hold_ && !Terminated() && !stop && !Step(0)) return;
  stop = false;
}

// --- The component's side -------------------------------------------------------------------

AlertFader::AlertFader() = default;

AlertFader::~AlertFader() { StopFades(); }

void AlertFader::ApplyLocked(int v) {
  // While the mouse holds the popup it stays fully opaque.
  if (hold_ && v != 255) return;
  if (ApplyOpacity) ApplyOpacity(v);
}

void AlertFader::SetAlphaStart(int v) {
  std::lock_guard<std::mutex> lock(apply_mutex_);
  alpha_start_ = ClampAlpha(v);
  ApplyLocked(alpha_start_);
}

bool AlertFader::FadeStepFor(unsigned generation, int alpha) {
  std::lock_guard<std::mutex> lock(apply_mutex_);
  if (generation != generation_) return false;
  alpha_start_ = ClampAlpha(alpha);
  ApplyLocked(alpha_start_);
  return true;
}

AlertPhase AlertFader::Phase() const {
  if (!HasPopup || !HasPopup() || !PopupVisible || !PopupVisible()) return AlertPhase::Hidden;
  if (hold_) return AlertPhase::Held;
  if (fade_running_ && fading_in_) return AlertPhase::FadingIn;
  if (fading_out_) return AlertPhase::FadingOut;
  return AlertPhase::Shown;
}

void AlertFader::SetAutoHide(bool v) {
  auto_hide_ = v;
  Arm(v);
}

void AlertFader::Arm(bool v) {
  if (v && auto_hide_) {
    display_count_ = 0;
    if (EnableTimer) EnableTimer(true);
  } else if (EnableTimer) {
    EnableTimer(false);
  }
}

void AlertFader::BeginShow() {
  std::lock_guard<std::mutex> lock(apply_mutex_);
  alpha_start_ = 1;
  ApplyLocked(1);
  fading_in_ = true;
}

TFadeThread* AlertFader::NewFade() {
  unsigned generation;
  {
    // From here no step of an older fade lands.
    std::lock_guard<std::mutex> lock(apply_mutex_);
    generation = ++generation_;
  }
  for (TFadeThread* t : live_) t->Terminate();
  auto* t = new TFadeThread(this, generation);
  t->OnTerminate = [this](TObject* Sender) { FadeThreadDone(Sender); };
  live_.insert(t);
  return t;
}

void AlertFader::StartFadeIn() {
  fade_running_ = true;
  fading_out_ = false;
  fade_thread_ = NewFade();
  fade_thread_->Start();
}

void AlertFader::StartFadeOut() {
  if (HasPopup && !HasPopup()) return;
  fading_in_ = false;
  fading_out_ = true;
  NewFade()->Start();
}

void AlertFader::FadeThreadDone(TObject* Sender) {
  auto* t = static_cast<TFadeThread*>(Sender);
  live_.erase(t);
  if (t == fade_thread_) {
    fade_thread_ = nullptr;
    fade_running_ = false;
  }
  if (t->Generation() != generation_) return; // a newer fade took over
  fade_thread_ = nullptr;
  fade_running_ = false;
  fading_out_ = false;
  if (hold_) return;
  if (fading_in_) {
    Arm(true); // the display time counts from the end of the fade-in
  } else if (HidePopup) {
    HidePopup();
  }
}

void AlertFader::Tick() {
  display_count_ += 10;
  if (display_count_ < DisplayTime) return;
  display_count_ = 0;
  StartFadeOut();
  if (EnableTimer) EnableTimer(false);
}

void AlertFader::PopupHold() {
  SetAlphaStart(255);
  if (hold_) return;
  hold_ = true;
  if (fade_thread_) fade_thread_->Terminate();
  {
    // No step of a fade lands between: once this ends, only 255 does.
    std::lock_guard<std::mutex> lock(apply_mutex_);
    hold_ = false;
    alpha_start_ = 255;
    ApplyLocked(255);
    hold_ = true;
  }
  Arm(false);
}

void AlertFader::PopupRelease() {
  if (!hold_) return;
  hold_ = false;
  {
    std::lock_guard<std::mutex> lock(apply_mutex_);
    alpha_start_ = ClampAlpha(AlphaEnd);
    ApplyLocked(alpha_start_);
  }
  Arm(true);
}

void AlertFader::StopFades() {
  for (TFadeThread* t : live_) {
    t->OnTerminate = nullptr; // it still frees itself, telling no one
    t->Terminate();
    t->WaitFor();
  }
  live_.clear();
  fade_thread_ = nullptr;
  fade_running_ = false;
  fading_out_ = false;
  hold_ = false;
}
