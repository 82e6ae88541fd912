// The alert popup's fades on their worker thread (also run under
// ThreadSanitizer): the opacity sequences, the display time on the clock,
// holding and releasing, a new title during the fade-out, and the
// controller destroyed mid-fade.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "components/AlertFadeCore.h"

namespace {

std::vector<int> Sequence(bool in, int end, int step) {
  std::vector<int> v;
  components::FadeSequence(in, end, step, [&](int a) {
    v.push_back(a);
    return true;
  });
  return v;
}

struct Rig {
  std::mutex m;
  std::vector<int> alphas;
  std::atomic<int64_t> now{1000};
  int hides = 0;
  std::unique_ptr<AlertFadeController> c;

  explicit Rig(int fadeTime = 0) {
    c = std::make_unique<AlertFadeController>(
        [this](int a) {
          std::lock_guard<std::mutex> lock(m);
          alphas.push_back(a);
        },
        [this] { return now.load(); });
    AlertFadeSettings s;
    s.AlphaEnd = 160;
    s.FadeTime = fadeTime;
    c->SetSettings(s);
    c->OnHide = [this] { ++hides; };
  }
  // Runs completions until the phase is reached (or 5 s pass).
  bool WaitFor(AlertPhase p) {
    for (int i = 0; i < 5000; ++i) {
      classlib::RunPostedCompletions();
      if (c->Phase() == p) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }
  std::vector<int> Alphas() {
    std::lock_guard<std::mutex> lock(m);
    return alphas;
  }
  int Last() {
    std::lock_guard<std::mutex> lock(m);
    return alphas.empty() ? -1 : alphas.back();
  }
};

} // namespace

TEST(AlertFade, SequencesReachTheirEndsExactly) {
  std::vector<int> in = Sequence(true, 160, 2);
  ASSERT_EQ(in.size(), 82u);
  EXPECT_EQ(in[0], 0);
  EXPECT_EQ(in[1], 0);
  EXPECT_EQ(in[2], 2);
  EXPECT_EQ(in[80], 158);
  EXPECT_EQ(in[81], 160);
  std::vector<int> out = Sequence(false, 160, 2);
  ASSERT_EQ(out.size(), 81u);
  EXPECT_EQ(out.front(), 160);
  EXPECT_EQ(out[79], 2);
  EXPECT_EQ(out.back(), 0);
  EXPECT_EQ(Sequence(true, 161, 2).back(), 161);
  EXPECT_EQ(Sequence(true, 161, 2).end()[-2], 160);
  EXPECT_EQ(Sequence(false, 161, 2).end()[-2], 1);
  EXPECT_EQ(Sequence(true, 255, 2).back(), 255); // no byte wraps
  EXPECT_EQ(Sequence(true, 160, 0), (std::vector<int>{0, 0, 160}));
  EXPECT_EQ(Sequence(false, 160, 0), (std::vector<int>{160, 0}));
}

TEST(AlertFade, FadeInDisplayOnTheClockThenFadeOutAndHide) {
  Rig r;
  r.c->FadeIn();
  ASSERT_TRUE(r.WaitFor(AlertPhase::Shown));
  EXPECT_EQ(r.Alphas(), Sequence(true, 160, 2));
  r.now += 4990;
  r.c->Tick();
  EXPECT_EQ(r.c->Phase(), AlertPhase::Shown);
  r.now += 10;
  r.c->Tick();
  EXPECT_EQ(r.c->Phase(), AlertPhase::FadingOut);
  ASSERT_TRUE(r.WaitFor(AlertPhase::Hidden));
  EXPECT_EQ(r.hides, 1);
  EXPECT_EQ(r.Last(), 0);
}

TEST(AlertFade, HoldKeepsItOpaqueAndReleaseCountsAnew) {
  Rig r(5); // slow: the mouse arrives during the fade-in
  r.c->FadeIn();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  r.c->Hold();
  EXPECT_EQ(r.c->Phase(), AlertPhase::Held);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  classlib::RunPostedCompletions(); // the stopped fade-in's completion changes nothing
  EXPECT_EQ(r.c->Phase(), AlertPhase::Held);
  EXPECT_EQ(r.Last(), 255);
  r.now += 100000;
  r.c->Tick();
  EXPECT_EQ(r.c->Phase(), AlertPhase::Held);
  r.c->Release();
  EXPECT_EQ(r.Last(), 160);
  r.now += 4999;
  r.c->Tick();
  EXPECT_EQ(r.c->Phase(), AlertPhase::Shown);
  r.now += 1;
  r.c->Tick();
  EXPECT_EQ(r.c->Phase(), AlertPhase::FadingOut);
}

TEST(AlertFade, ANewTitleDuringTheFadeOutKeepsThePopup) {
  Rig r(5);
  r.c->FadeIn();
  ASSERT_TRUE(r.WaitFor(AlertPhase::Shown));
  r.now += 5000;
  r.c->Tick();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  r.c->Restart();
  EXPECT_EQ(r.c->Phase(), AlertPhase::Shown);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  classlib::RunPostedCompletions();
  EXPECT_EQ(r.c->Phase(), AlertPhase::Shown);
  EXPECT_EQ(r.hides, 0);
  EXPECT_EQ(r.Last(), 160);
}

TEST(AlertFade, DestroyedMidFadeJoinsAndDropsItsCompletion) {
  for (int i = 0; i < 20; ++i) {
    Rig r(2);
    r.c->FadeIn();
    std::this_thread::sleep_for(std::chrono::milliseconds(i % 5));
    if (i % 2) r.c->Hold();
    r.c.reset();
    classlib::RunPostedCompletions(); // nothing runs on the freed controller
    EXPECT_EQ(r.hides, 0);
  }
}

TEST(AlertFade, AutoHideOffStopsARunningCountAndOnStartsItAnew) {
  Rig r;
  r.c->FadeIn();
  ASSERT_TRUE(r.WaitFor(AlertPhase::Shown));
  r.now += 3000;
  r.c->Tick();
  r.c->SetAutoHide(false);
  r.now += 100000;
  r.c->Tick();
  EXPECT_EQ(r.c->Phase(), AlertPhase::Shown);
  EXPECT_FALSE(r.c->Settings().AutoHide);
  r.c->SetAutoHide(true); // the whole display time again
  r.now += 4999;
  r.c->Tick();
  EXPECT_EQ(r.c->Phase(), AlertPhase::Shown);
  r.now += 1;
  r.c->Tick();
  EXPECT_EQ(r.c->Phase(), AlertPhase::FadingOut);
  ASSERT_TRUE(r.WaitFor(AlertPhase::Hidden));
  // Off while hidden: the next fade-in ends without a count.
  r.c->SetAutoHide(false);
  r.c->FadeIn();
  ASSERT_TRUE(r.WaitFor(AlertPhase::Shown));
  r.now += 100000;
  r.c->Tick();
  EXPECT_EQ(r.c->Phase(), AlertPhase::Shown);
}

TEST(AlertFade, AppliedOpacitiesAreClampedAndHeldAtFull) {
  Rig r;
  r.c->Apply(300);
  EXPECT_EQ(r.Last(), 255);
  r.c->Apply(-4);
  EXPECT_EQ(r.Last(), 0);
  r.c->FadeIn();
  ASSERT_TRUE(r.WaitFor(AlertPhase::Shown));
  r.c->Hold();
  EXPECT_EQ(r.Last(), 255);
  r.c->Apply(90); // the mouse is over it: stays opaque
  EXPECT_EQ(r.Last(), 255);
  r.c->Release();
  r.c->Apply(90);
  EXPECT_EQ(r.Last(), 90);
}
