// The alert popup's fades and display time, free of Windows: the part of
// TAlertNotifier that its fade threads and its 10 ms timer see.
//
// A fade runs on a TFadeThread of its own that frees itself when it ends;
// its end (FadeThreadDone) is told on the GUI thread. Only the fade-in
// thread is recorded; a fade-out thread is not. The thread reads the fade
// settings anew at every step and applies each opacity through the
// AlphaStart setter. The display time counts 10 for every timer tick.
//
// Starting a fade makes every older fade stale: a stale thread's steps are
// refused (under the same lock that applies the new fade's first value), so
// none of them lands after the new fade began, and its end changes nothing.
//
// What the owner supplies: how an opacity reaches the popup (any thread,
// must not wait for the GUI thread), the timer's switch and the popup's
// hiding (GUI thread).
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <set>

#include "classlib/Thread.h"

enum class AlertPhase { Hidden, FadingIn, Shown, Held, FadingOut };

class AlertFader;

// One fade: in (from 0 to AlphaEnd) when the owner's direction says so at
// its start, then out (from AlphaEnd to 0) if the direction says so by then.
class TFadeThread : public TThread {
 public:
  // Suspended: the owner attaches FadeThreadDone, then starts it.
  TFadeThread(AlertFader* owner, unsigned generation);
  unsigned Generation() const { return generation_; }

 protected:
  void Execute() override;

 private:
  friend class AlertFader;
  bool Step(int alpha); // false: the fade is stale
  void Wait();
  AlertFader* owner_;
  unsigned generation_;
};

class AlertFader {
 public:
  AlertFader();
  virtual ~AlertFader();
  AlertFader(const AlertFader&) = delete;
  AlertFader& operator=(const AlertFader&) = delete;

  // Read by the fade threads at every step.
  std::atomic<int> AlphaEnd{180};
  std::atomic<int> FadeStep{2};
  std::atomic<int> FadeTime{0}; // milliseconds waited after each step
  // Read at every timer tick.
  int DisplayTime = 5000;
  bool AutoHide() const { return auto_hide_; }
  // Stores, then arms the timer: True starts the display countdown anew.
  void SetAutoHide(bool v);
  // The opacity last applied (0..255).
  int AlphaStart() const { return alpha_start_.load(); }
  // Stores and applies; while the mouse holds the popup only 255 is applied.
  void SetAlphaStart(int v);
  AlertPhase Phase() const;
  // The display counter in milliseconds (10 a tick).
  int DisplayCount() const { return display_count_; }

  // Set on every instance's first fade of a Show that found the popup up:
  // the running fade jumps to AlphaEnd and ends.
  static std::atomic<bool> StopRequest;

 protected:
  // GUI thread, from the component's Show:
  void ResetCount() { display_count_ = 0; }
  bool FadeRunning() const { return fade_running_; }
  // Value true and AutoHide: enable the timer, count from 0; else disable it.
  void Arm(bool v);
  // The popup is about to be shown: older fades go stale, opacity 1, fading in.
  void BeginShow();
  // The popup was shown: fade it in on a recorded thread.
  void StartFadeIn();
  // The 10 ms timer.
  void Tick();
  // The mouse is over the popup / has left it.
  void PopupHold();
  void PopupRelease();
  // Every fade thread ends and is forgotten; no end is told afterwards.
  void StopFades();

  // Supplied by the owner.
  std::function<void(int alpha)> ApplyOpacity; // any thread
  std::function<void(bool on)> EnableTimer;     // GUI thread
  std::function<void()> HidePopup;              // GUI thread
  std::function<bool()> HasPopup;               // GUI thread
  std::function<bool()> PopupVisible;           // GUI thread

 private:
  friend class TFadeThread;
  void StartFadeOut();
  void FadeThreadDone(TObject* Sender);
  TFadeThread* NewFade();
  void ApplyLocked(int v);
  bool FadeStepFor(unsigned generation, int alpha);

  std::mutex apply_mutex_;
  std::atomic<unsigned> generation_{0};
  std::atomic<int> alpha_start_{0};
  std::atomic<bool> fading_in_{true};
  std::atomic<bool> hold_{false};
  bool auto_hide_ = true;
  bool fade_running_ = false;
  bool fading_out_ = false; // a current fade-out thread runs
  int display_count_ = 0;
  TFadeThread* fade_thread_ = nullptr; // the fade-in thread
  std::set<TFadeThread*> live_;        // every thread not yet ended
};
