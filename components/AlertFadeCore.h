// The alert popup's life on screen, free of Windows: fading in, the display
// time, holding under the mouse, fading out, hidden again.
//
// One fade runs at a time on the component's worker; a new one supersedes
// it, and each completion carries the number of the fade it ends, so a
// late completion of a superseded fade changes nothing. The display time is
// counted on a monotonic clock from the end of the fade-in; the 10 ms tick
// only looks at it. The worker only applies opacity (through the sink,
// which must not wait for the GUI thread); everything else runs on the GUI
// thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

#include "classlib/Worker.h"

enum class AlertPhase { Hidden, FadingIn, Shown, Held, FadingOut };

struct AlertFadeSettings {
  int AlphaEnd = 180;
  int FadeStep = 2;
  int FadeTime = 0; // milliseconds after each step
  int DisplayTime = 5000;
  bool AutoHide = true;
};

namespace components {

// The opacities of one fade, in order: in = 0, 0, s, 2s, ... below End, End;
// out = End, End - s, ... above 0, 0. A step of 0 goes to the end at once.
void FadeSequence(bool fadeIn, int alphaEnd, int step, const std::function<bool(int)>& apply);

} // namespace components

class AlertFadeController {
 public:
  using Clock = std::function<int64_t()>; // milliseconds, monotonic
  using Sink = std::function<void(int alpha)>;

  AlertFadeController(Sink sink, Clock clock);
  ~AlertFadeController();

  // Read by the worker at every step.
  void SetSettings(const AlertFadeSettings& s);
  AlertFadeSettings Settings() const;
  AlertPhase Phase() const { return phase_; }

  // The popup was just shown: fade it in from 0.
  void FadeIn();
  // A new message while the popup is up: restart the display time; a
  // fade-out is stopped and the popup is back at its full opacity.
  void Restart();
  // Every 10 ms from the GUI thread's timer.
  void Tick();
  // The mouse is over the popup (fully opaque, no fade, no count) / left it.
  void Hold();
  void Release();
  // The popup was hidden by other means (its close button).
  void Hidden();
  // AutoHide changed. On: the display time starts anew (a fade-out is
  // stopped as by Restart). Off: a count already running stops, and the
  // popup stays until it is closed.
  void SetAutoHide(bool on);
  // Applies an opacity (clamped to 0..255) through the sink, as the fades
  // do; while the mouse holds the popup only 255 gets through. Worker or GUI
  // thread.
  void Apply(int alpha);

  // GUI thread: the fade-out ended, hide the popup.
  std::function<void()> OnHide;

 private:
  void StartFade(bool fadeIn);
  void FadeDone(unsigned generation, bool fadeIn);
  Sink sink_;
  Clock clock_;
  mutable std::mutex settings_mutex_;
  AlertFadeSettings settings_;
  std::mutex apply_mutex_;
  std::atomic<bool> hold_{false};
  AlertPhase phase_ = AlertPhase::Hidden;
  unsigned generation_ = 0;
  int64_t count_from_ = 0;
  bool counting_ = false;
  TWorker worker_;
};
