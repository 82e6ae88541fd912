// TSimpleTimer's start/stop counting and dispatch, and the tray icon's
// click state machine, tooltip and icon-index rules.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "components/tests/FakeTimerHost.h"
#include "components/TrayCore.h"

TEST(SimpleTimer, HandlerLivesFromFirstToLastTimer) {
  FakeTimerScope fake;
  EXPECT_EQ(TSimpleTimerHandler::Instance(), nullptr);
  {
    TSimpleTimer a;
    auto b = std::make_unique<TSimpleTimer>(250, nullptr);
    ASSERT_NE(TSimpleTimerHandler::Instance(), nullptr);
    EXPECT_EQ(TSimpleTimerHandler::Instance()->RefCount(), 2);
    EXPECT_NE(a.Id(), b->Id());
    EXPECT_EQ(a.Interval(), 1000u);
    EXPECT_EQ(b->Interval(), 250u);
    EXPECT_FALSE(a.Enabled());
    b.reset();
    EXPECT_EQ(TSimpleTimerHandler::Instance()->RefCount(), 1);
  }
  EXPECT_EQ(TSimpleTimerHandler::Instance(), nullptr);
}

TEST(SimpleTimer, StartAndStopKeepTheActiveCountExact) {
  FakeTimerScope fake;
  TSimpleTimer a, b;
  auto* h = TSimpleTimerHandler::Instance();
  EXPECT_TRUE(a.Start());
  EXPECT_TRUE(a.Start()); // restart: stopped first
  EXPECT_EQ(h->ActiveCount(), 1);
  b.SetEnabled(true);
  EXPECT_EQ(h->ActiveCount(), 2);
  EXPECT_TRUE(a.Stop(true));
  EXPECT_FALSE(a.Stop(true)); // not running: nothing to count
  EXPECT_EQ(h->ActiveCount(), 1);
  b.SetEnabled(false);
  b.SetEnabled(false);
  EXPECT_EQ(h->ActiveCount(), 0);
  EXPECT_TRUE(fake.Host().running.empty());
}

TEST(SimpleTimer, IntervalZeroAndRefusalsDoNotStart) {
  FakeTimerScope fake;
  TSimpleTimer t(0, nullptr);
  EXPECT_FALSE(t.Start());
  EXPECT_FALSE(t.Enabled());
  t.SetInterval(100);
  fake.Host().refuse = true;
  EXPECT_FALSE(t.Start());
  EXPECT_FALSE(t.Enabled());
  EXPECT_EQ(TSimpleTimerHandler::Instance()->ActiveCount(), 0);
}

TEST(SimpleTimer, IntervalChangesRestartAnEnabledTimer) {
  FakeTimerScope fake;
  TSimpleTimer t(100, nullptr);
  t.SetEnabled(true);
  t.SetInterval(40);
  EXPECT_EQ(fake.Host().running.at(t.Id()), 40u);
  t.SetInterval(0); // stops but stays enabled
  EXPECT_TRUE(fake.Host().running.empty());
  EXPECT_TRUE(t.Enabled());
  EXPECT_EQ(TSimpleTimerHandler::Instance()->ActiveCount(), 0);
  t.SetInterval(70);
  EXPECT_EQ(fake.Host().running.at(t.Id()), 70u);
  EXPECT_EQ(TSimpleTimerHandler::Instance()->ActiveCount(), 1);
  const int sets = fake.Host().sets;
  t.SetInterval(70); // unchanged: nothing
  EXPECT_EQ(fake.Host().sets, sets);
}

TEST(SimpleTimer, TicksReachOnlyLiveTimers) {
  FakeTimerScope fake;
  int ticks = 0;
  TSimpleTimer keep(10, [&](TSimpleTimer*) { ++ticks; });
  auto gone = std::make_unique<TSimpleTimer>(10, [&](TSimpleTimer*) { ticks += 100; });
  keep.SetEnabled(true);
  gone->SetEnabled(true);
  const std::uintptr_t goneId = gone->Id();
  gone.reset();
  fake.Fire(goneId); // a tick still queued for a freed timer
  EXPECT_EQ(ticks, 0);
  fake.Fire(keep.Id());
  EXPECT_EQ(ticks, 1);
}

TEST(SimpleTimer, AutoDisableStopsBeforeTheHandlerAndHandlersMayFree) {
  FakeTimerScope fake;
  TSimpleTimer anchor; // keeps the handler alive
  bool enabledInHandler = true;
  auto t = std::make_unique<TSimpleTimer>(10, nullptr);
  t->SetOnTimer([&](TSimpleTimer* s) {
    enabledInHandler = s->Enabled();
    t.reset(); // the handler frees its own timer
  });
  t->AutoDisable = true;
  t->SetEnabled(true);
  fake.Fire(t->Id());
  EXPECT_FALSE(enabledInHandler);
  EXPECT_EQ(t, nullptr);
  EXPECT_EQ(TSimpleTimerHandler::Instance()->ActiveCount(), 0);
}

TEST(SimpleTimer, ClearingTheHandlerStopsTheTimer) {
  FakeTimerScope fake;
  TSimpleTimer t(10, [](TSimpleTimer*) {});
  t.SetEnabled(true);
  t.SetOnTimer(nullptr);
  EXPECT_TRUE(fake.Host().running.empty());
}

namespace {
int g_escaped = 0;
void CountEscaped() {
  ++g_escaped;
  throw 1; // the handler of last resort failing too must not unwind either
}
} // namespace

TEST(SimpleTimer, SystemTicksNeverUnwindAndOnlyReachALiveHandler) {
  EXPECT_FALSE(TSimpleTimerHandler::DeliverTick(0x4B01)); // no handler: kill the id
  FakeTimerScope fake;
  int ticks = 0;
  TSimpleTimer t(10, [&](TSimpleTimer*) {
    ++ticks;
    throw std::runtime_error("handler fault");
  });
  t.SetEnabled(true);
  g_escaped = 0;
  TSimpleTimerHandler::ExceptionHandler = CountEscaped;
  EXPECT_TRUE(TSimpleTimerHandler::DeliverTick(t.Id()));
  TSimpleTimerHandler::ExceptionHandler = nullptr;
  EXPECT_TRUE(TSimpleTimerHandler::DeliverTick(t.Id())); // dropped without a handler
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(g_escaped, 1);
  EXPECT_TRUE(TSimpleTimerHandler::DeliverTick(t.Id() + 1000)); // unknown id: killed
  EXPECT_EQ(fake.Host().kills, 1);
}

namespace {

struct ClickRig {
  FakeTimerScope fake;
  TSimpleTimer timer;
  bool haveDbl = false;
  int clicks = 0, dbls = 0;
  components::TrayClickLogic logic{timer, [this] { return haveDbl; }, [this] { ++clicks; },
                                   [this] { ++dbls; }};
  ClickRig() {
    timer.SetOnTimer([this](TSimpleTimer*) { logic.ClickTick(); });
  }
  void Tick() { fake.Fire(timer.Id()); }
};

} // namespace

TEST(TrayClick, WithoutDoubleClickHandlerClickComesOnRelease) {
  ClickRig r;
  r.logic.LButtonDown(500);
  EXPECT_EQ(r.clicks, 0);
  EXPECT_FALSE(r.timer.Enabled());
  r.logic.LButtonUp();
  EXPECT_EQ(r.clicks, 1);
  r.logic.LButtonUp(); // a stray release clicks nothing
  EXPECT_EQ(r.clicks, 1);
}

TEST(TrayClick, WithDoubleClickHandlerClickWaitsOneDoubleClickTime) {
  ClickRig r;
  r.haveDbl = true;
  r.logic.LButtonDown(432);
  EXPECT_TRUE(r.timer.Enabled());
  EXPECT_EQ(r.fake.Host().running.at(r.timer.Id()), 432u);
  r.logic.LButtonUp();
  EXPECT_EQ(r.clicks, 0);
  r.Tick();
  EXPECT_EQ(r.clicks, 1);
  EXPECT_FALSE(r.timer.Enabled());
  r.Tick(); // late tick: nothing more
  EXPECT_EQ(r.clicks, 1);
}

TEST(TrayClick, DoubleClickRaisesOnlyDblClick) {
  ClickRig r;
  r.haveDbl = true;
  r.logic.LButtonDown(500);
  r.logic.LButtonUp();
  r.logic.LButtonDblClk();
  r.logic.LButtonUp();
  r.Tick();
  EXPECT_EQ(r.dbls, 1);
  EXPECT_EQ(r.clicks, 0);
  EXPECT_FALSE(r.logic.IsDblClick());
  // The next single click works again.
  r.logic.LButtonDown(500);
  r.logic.LButtonUp();
  r.Tick();
  EXPECT_EQ(r.clicks, 1);
}

TEST(TrayCore, TooltipIsCutTo127Characters) {
  const std::string longHint(200, 'x');
  EXPECT_EQ(components::TrayTooltip(longHint, true).size(), 127u);
  EXPECT_EQ(components::TrayTooltip(std::string(127, 'y'), true).size(), 127u);
  EXPECT_EQ(components::TrayTooltip("Korvalis 7.1", true), "Korvalis 7.1");
  EXPECT_EQ(components::TrayTooltip("Korvalis 7.1", false), "");
  EXPECT_EQ(components::TrayTooltip("", true), "");
}

TEST(TrayCore, IconIndexStaysInsideTheList) {
  EXPECT_EQ(components::ClampIconIndex(10, 3), 2);
  EXPECT_EQ(components::ClampIconIndex(3, 3), 2);
  EXPECT_EQ(components::ClampIconIndex(1, 3), 1);
  EXPECT_EQ(components::ClampIconIndex(-4, 3), 0);
  EXPECT_EQ(components::ClampIconIndex(5, 0), 0);
  EXPECT_EQ(components::NextCycleIndex(1, 3), 2);
  EXPECT_EQ(components::NextCycleIndex(2, 3), 0);
  EXPECT_EQ(components::NextCycleIndex(0, 0), 0);
}

TEST(TrayCore, OnlyCommonControlsNewerThan470TellOfARestartedShell) {
  EXPECT_FALSE(components::ShellSendsTaskbarCreated(4, 0));
  EXPECT_FALSE(components::ShellSendsTaskbarCreated(4, 70));
  EXPECT_TRUE(components::ShellSendsTaskbarCreated(4, 71));
  EXPECT_TRUE(components::ShellSendsTaskbarCreated(5, 0));
  EXPECT_TRUE(components::ShellSendsTaskbarCreated(6, 10));
  EXPECT_FALSE(components::ShellSendsTaskbarCreated(3, 99));
}
