// The fade engine against a fake timer and a fake control: the weights of a
// whole fade in and out, a press in mid-fade, and the settings under which
// no timer could ever tick.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "skins/sFadeCore.h"

using skins::TFadeEngine;
using skins::TFadeMode;
using skins::TFadeSettings;

namespace {

struct FakeTimer : skins::IFadeTimer {
  bool enabled = false;
  unsigned interval = 0;
  void SetFadeTimerEnabled(bool e) override { enabled = e; }
  void SetFadeTimerInterval(unsigned ms) override { interval = ms; }
};

struct FakeTarget : skins::IFadeTarget {
  bool alive = true, fail_paint = false;
  int swaps = 0, repaints = 0;
  std::vector<std::pair<TFadeMode, int>> steps;
  bool FadeTargetAlive() override { return alive; }
  void FadeSwapImages() override { ++swaps; }
  void FadeRepaint() override { ++repaints; }
  void FadePaintStep(TFadeMode d, int w) override {
    steps.emplace_back(d, w);
    if (fail_paint) throw std::runtime_error("no device context");
  }
  std::vector<int> Weights() const {
    std::vector<int> w;
    for (auto& s : steps) w.push_back(s.second);
    return w;
  }
};

struct Fixture {
  FakeTimer timer;
  FakeTarget target;
  TFadeEngine engine{target, timer};
  // Ticks until the timer stops (at most `limit`).
  int RunOut(const TFadeSettings& s, int limit = 50) {
    int n = 0;
    while (timer.enabled && n < limit) {
      engine.Tick(s);
      ++n;
    }
    return n;
  }
};

} // namespace

TEST(FadeEngine, FiveStepsInThenOut) {
  Fixture f;
  TFadeSettings s; // 5 iterations, 5 ms each way
  s.IntervalOut = 7;
  f.engine.MouseEnter(s);
  EXPECT_EQ(f.target.swaps, 1);
  EXPECT_EQ(f.engine.Mode(), TFadeMode::In);
  EXPECT_TRUE(f.timer.enabled);
  EXPECT_EQ(f.timer.interval, 5u);
  EXPECT_EQ(f.engine.Counter(), 1);

  EXPECT_EQ(f.RunOut(s), 6);
  // The previous image's share shrinks to nothing; the last tick stops the
  // fade and paints the hot image itself.
  EXPECT_EQ(f.target.Weights(), (std::vector<int>{204, 153, 102, 51, 0}));
  for (auto& st : f.target.steps) EXPECT_EQ(st.first, TFadeMode::In);
  EXPECT_EQ(f.target.repaints, 1);
  EXPECT_EQ(f.engine.Counter(), 5);
  EXPECT_EQ(f.engine.Mode(), TFadeMode::Stopped);

  f.target.steps.clear();
  f.engine.MouseLeave(s);
  EXPECT_EQ(f.target.swaps, 2);
  EXPECT_EQ(f.timer.interval, 7u);
  EXPECT_EQ(f.engine.Mode(), TFadeMode::Out);
  EXPECT_EQ(f.RunOut(s), 7);
  EXPECT_EQ(f.target.Weights(), (std::vector<int>{0, 51, 102, 153, 204, 255}));
  for (auto& st : f.target.steps) EXPECT_EQ(st.first, TFadeMode::Out);
  EXPECT_EQ(f.target.repaints, 2);
  EXPECT_EQ(f.engine.Counter(), 0);
}

TEST(FadeEngine, LeavingMidFadeTurnsRoundWhereItStands) {
  Fixture f;
  TFadeSettings s;
  f.engine.MouseEnter(s);
  f.engine.Tick(s);
  f.engine.Tick(s); // two steps in: counter 3
  f.target.steps.clear();
  f.engine.MouseLeave(s);
  EXPECT_EQ(f.engine.Counter(), 3);
  f.RunOut(s);
  EXPECT_EQ(f.target.Weights(), (std::vector<int>{102, 153, 204, 255}));
}

TEST(FadeEngine, PressStopsTheFadeAtTheHotEnd) {
  Fixture f;
  TFadeSettings s;
  f.engine.MouseEnter(s);
  f.engine.Tick(s);
  f.engine.Stop(s);
  EXPECT_EQ(f.engine.Mode(), TFadeMode::Stopped);
  EXPECT_FALSE(f.timer.enabled);
  EXPECT_EQ(f.engine.Counter(), 4);
  // A late tick already queued changes nothing and paints no step.
  size_t steps = f.target.steps.size();
  f.engine.Tick(s);
  EXPECT_EQ(f.target.steps.size(), steps);
  // Leaving afterwards fades out from near the hot end.
  f.target.steps.clear();
  f.engine.MouseLeave(s);
  f.RunOut(s);
  EXPECT_EQ(f.target.Weights().front(), 51);
}

TEST(FadeEngine, NoIterationsOrNoIntervalSwitchesAtOnce) {
  for (auto [iterations, in, out] : {std::tuple{0, 5, 5}, std::tuple{5, 0, 0}}) {
    SCOPED_TRACE(std::to_string(iterations) + " iterations, interval " + std::to_string(in));
    Fixture f;
    TFadeSettings s;
    s.Iterations = iterations;
    s.IntervalIn = in;
    s.IntervalOut = out;
    f.engine.MouseEnter(s);
    EXPECT_FALSE(f.timer.enabled);
    EXPECT_FALSE(f.engine.Running()); // a button would wait for ever otherwise
    EXPECT_EQ(f.target.repaints, 1);
    f.engine.MouseLeave(s);
    EXPECT_FALSE(f.engine.Running());
    EXPECT_EQ(f.target.repaints, 2);
    EXPECT_TRUE(f.target.steps.empty());
  }
}

TEST(FadeEngine, IterationsDroppedToZeroMidFadeEndsIt) {
  Fixture f;
  TFadeSettings s;
  f.engine.MouseEnter(s);
  f.engine.Tick(s);
  s.Iterations = 0;
  f.engine.Tick(s); // would divide by zero
  EXPECT_FALSE(f.engine.Running());
  EXPECT_EQ(f.target.repaints, 1);
}

TEST(FadeEngine, WeightsStayInRange) {
  EXPECT_EQ(skins::FadeWeight(0, 5), 255);
  EXPECT_EQ(skins::FadeWeight(5, 5), 0);
  EXPECT_EQ(skins::FadeWeight(-1, 5), 255);
  EXPECT_EQ(skins::FadeWeight(9, 5), 0);
  EXPECT_EQ(skins::FadeWeight(3, 0), 0);
  EXPECT_EQ(skins::FadeWeight(1, 3), 170); // integer division: 255 - 85
}

TEST(FadeEngine, FailingPaintStillMovesTheCounter) {
  Fixture f;
  TFadeSettings s;
  f.engine.MouseEnter(s);
  f.target.fail_paint = true;
  EXPECT_THROW(f.engine.Tick(s), std::runtime_error);
  EXPECT_EQ(f.engine.Counter(), 2);
}

TEST(FadeEngine, GoneControlStopsTheTimer) {
  Fixture f;
  TFadeSettings s;
  f.engine.MouseEnter(s);
  f.target.alive = false;
  f.engine.Tick(s);
  EXPECT_FALSE(f.timer.enabled);
  EXPECT_TRUE(f.target.steps.empty());
  EXPECT_EQ(f.target.repaints, 0);
}
