// The alert popup's fades on their own threads (also run under
// ThreadSanitizer): the opacity steps, the countdown in timer ticks,
// holding and releasing, AutoHide arming the timer, a new fade started
// while an old one still runs, and the owner destroyed mid-fade.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "components/AlertFadeCore.h"

namespace {

// A popup that is only a flag, a timer that is only a switch.
struct Rig : AlertFader {
  std::mutex m;
  std::vector<int> alphas;
  bool visible = false, timer = false;
  int hides = 0;

  explicit Rig(int fadeTime = 0) {
    AlphaEnd = 160;
    FadeTime = fadeTime;
    ApplyOpacity = [this](int a) {
      std::lock_guard<std::mutex> lock(m);
      alphas.push_back(a);
    };
    EnableTimer = [this](bool on) { timer = on; };
    HidePopup = [this] {
      visible = false;
      ++hides;
    };
    HasPopup = [] { return true; };
    PopupVisible = [this] { return visible; };
  }
  // The threads go before what they write into.
  ~Rig() override { StopFades(); }
  using AlertFader::Arm;
  using AlertFader::BeginShow;
  using AlertFader::FadeRunning;
  using AlertFader::PopupHold;
  using AlertFader::PopupRelease;
  using AlertFader::StartFadeIn;
  using AlertFader::StopFades;
  using AlertFader::Tick;
  // What the component's Show does for a hidden popup.
  void ShowHidden() {
    Arm(false);
    Arm(true);
    BeginShow();
    visible = true;
    StartFadeIn();
  }
  // Runs the threads' ends until done() (or 5 s pass).
  bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 5000; ++i) {
      CheckSynchronize();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }
  bool WaitFor(AlertPhase p) {
    return WaitFor([&] { return Phase() == p; });
  }
  // Ticks until the fade-out starts; how many it took.
  int TicksToFadeOut() {
    int n = 0;
    while (timer && Phase() != AlertPhase::FadingOut && n < 100000) {
      Tick();
      ++n;
    }
    return n;
  }
  std::vector<int> Alphas() {
    std::lock_guard<std::mutex> lock(m);
    return alphas;
  }
  int Last() {
    std::lock_guard<std::mutex> lock(m);
    return alphas.empty() ? -1 : alphas.back();
  }
  void Forget() {
    std::lock_guard<std::mutex> lock(m);
    alphas.clear();
  }
};

} // namespace

TEST(AlertFade, FadeInStepsCountdownInTicksFadeOutAndHide) {
  Rig r;
  r.ShowHidden();
  EXPECT_EQ(r.Phase(), AlertPhase::FadingIn);
  ASSERT_TRUE(r.WaitFor(AlertPhase::Shown));
  // 1 before the show, then 0, 0, 2, ... 158 and exactly AlphaEnd.
  std::vector<int> in = r.Alphas();
  ASSERT_EQ(in.size(), 83u);
  EXPECT_EQ(in[0], 1);
  EXPECT_EQ(in[1], 0);
  EXPECT_EQ(in[3], 2);
  EXPECT_EQ(in[81], 158);
  EXPECT_EQ(in[82], 160);
  EXPECT_EQ(r.AlphaStart(), 160);
  ASSERT_TRUE(r.timer);
  r.Forget(); // ticks apply nothing: what follows is the fade-out's
  // 5000 ms are 500 ticks of 10, however long they really took.
  EXPECT_EQ(r.TicksToFadeOut(), 500);
  EXPECT_FALSE(r.timer);
  ASSERT_TRUE(r.WaitFor(AlertPhase::Hidden));
  EXPECT_EQ(r.hides, 1);
  std::vector<int> out = r.Alphas();
  ASSERT_EQ(out.size(), 81u);
  EXPECT_EQ(out.front(), 160);
  EXPECT_EQ(out[79], 2);
  EXPECT_EQ(out.back(), 0);
  EXPECT_FALSE(r.FadeRunning());
}

TEST(AlertFade, SettingsAreReadAtEveryStepAndTick) {
  Rig r;
  r.AlphaEnd = 161; // not a multiple of the step: one more step to exactly 161
  r.ShowHidden();
  ASSERT_TRUE(r.WaitFor(AlertPhase::Shown));
  EXPECT_EQ(r.Alphas().end()[-2], 160);
  EXPECT_EQ(r.Last(), 161);
  r.DisplayTime = 30; // read at each tick
  r.Forget();
  EXPECT_EQ(r.TicksToFadeOut(), 3);
  ASSERT_TRUE(r.WaitFor(AlertPhase::Hidden));
  EXPECT_EQ(r.Alphas().end()[-2], 1); // the smallest positive value, then 0
  EXPECT_EQ(r.Last(), 0);
  // A step of 0 ends the fade at once instead of never advancing.
  r.FadeStep = 0;
  r.Forget();
  r.ShowHidden();
  ASSERT_TRUE(r.WaitFor(AlertPhase::Shown));
  EXPECT_EQ(r.Alphas(), (std::vector<int>{1, 0, 0, 161}));
}

TEST(AlertFade, AutoHideTrueAtAnyTimeStartsTheCountdown) {
  Rig r;
  r.SetAutoHide(false);
  r.ShowHidden();
  ASSERT_TRUE(r.WaitFor(AlertPhase::Shown));
  EXPECT_FALSE(r.timer); // stays until it is closed
  r.SetAutoHide(true);
  ASSERT_TRUE(r.timer);
  for (int i = 0; i < 200; ++i) r.Tick();
  r.SetAutoHide(true); // again: the whole display time anew
  EXPECT_EQ(r.DisplayCount(), 0);
  EXPECT_EQ(r.TicksToFadeOut(), 500);
  r.SetAutoHide(false);
  EXPECT_FALSE(r.timer);
}

TEST(AlertFade, HoldKeepsItOpaqueAndReleaseCountsAnew) {
  Rig r(3); // slow: the mouse arrives during the fade-in
  r.ShowHidden();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  r.PopupHold();
  EXPECT_EQ(r.Phase(), AlertPhase::Held);
  EXPECT_FALSE(r.timer);
  ASSERT_TRUE(r.WaitFor([&] { return !r.FadeRunning(); }));
  EXPECT_EQ(r.Last(), 255);
  r.SetAlphaStart(90); // held: only full opacity gets through
  EXPECT_EQ(r.Last(), 255);
  r.PopupRelease();
  EXPECT_EQ(r.Last(), 160);
  EXPECT_EQ(r.Phase(), AlertPhase::Shown);
  ASSERT_TRUE(r.timer);
  EXPECT_EQ(r.TicksToFadeOut(), 500);
  // Held during the fade-out: it stops, and the popup stays.
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  r.PopupHold();
  ASSERT_TRUE(r.WaitFor([&] { return r.Phase() == AlertPhase::Held && r.Last() == 255; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  CheckSynchronize();
  EXPECT_TRUE(r.visible);
  EXPECT_EQ(r.hides, 0);
  EXPECT_EQ(r.Last(), 255);
}

TEST(AlertFade, ANewFadeInOverAnOldFadeOutEndsAtAlphaEnd) {
  for (int round = 0; round < 4; ++round) {
    Rig r(1);
    r.ShowHidden();
    ASSERT_TRUE(r.WaitFor(AlertPhase::Shown));
    r.TicksToFadeOut();
    std::this_thread::sleep_for(std::chrono::milliseconds(3 * round));
    // Closed with its button as the fade-out begins, then shown again with
    // a lower end: the new fade-in is far shorter than what the old
    // fade-out has left.
    r.visible = false;
    r.AlphaEnd = 40;
    r.ShowHidden();
    ASSERT_TRUE(r.WaitFor(AlertPhase::Shown));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    CheckSynchronize();
    EXPECT_EQ(r.Last(), 40);
    EXPECT_EQ(r.AlphaStart(), 40);
    EXPECT_EQ(r.Phase(), AlertPhase::Shown);
    EXPECT_TRUE(r.timer); // the old end neither hid it nor stopped the count
    EXPECT_EQ(r.hides, 0);
  }
}

TEST(AlertFade, TheStopRequestSendsARunningFadeToAlphaEnd) {
  Rig r(2);
  r.ShowHidden();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  AlertFader::StopRequest = true;
  ASSERT_TRUE(r.WaitFor(AlertPhase::Shown));
  EXPECT_EQ(r.Last(), 160);
  EXPECT_LT(r.Alphas().size(), 60u); // it did not go through every step
  EXPECT_FALSE(AlertFader::StopRequest);
}

TEST(AlertFade, DestroyedMidFadeJoinsAndTellsNoEnd) {
  for (int i = 0; i < 20; ++i) {
    auto r = std::make_unique<Rig>(2);
    r->ShowHidden();
    std::this_thread::sleep_for(std::chrono::milliseconds(i % 5));
    if (i % 2) r->PopupHold();
    r.reset();
    CheckSynchronize(); // the threads free themselves; nothing reaches the rig
  }
}
