// The recording clock, the blink counters and the reconnect watchdog.
#include <gtest/gtest.h>

#include "player/RecordTimersCore.h"

namespace {

TEST(RecordTimers, ClockCarriesIntoSecondsMinutesAndHours) {
  TRecordingClockCounter c;
  for (int i = 0; i < 99; ++i) c.Tick();
  EXPECT_EQ(c.Text(), "00:00:00:99");
  c.Tick();
  EXPECT_EQ(c.Text(), "00:00:01:00");
  c.Seconds = 59;
  c.Minutes = 59;
  c.Hundredths = 99;
  c.Tick();
  EXPECT_EQ(c.Text(), "01:00:00:00");
  c.Hours = 123;
  EXPECT_EQ(c.Text(), "123:00:00:00");
  c.Hundredths = 42;
  c.ResetHms();
  EXPECT_EQ(c.Text(), "00:00:00:42");
}

TEST(RecordTimers, BlinkIsOnAtTheSecondTickAndOffAtTheFourth) {
  using S = TBlinkCounter::TStep;
  TBlinkCounter b;
  std::vector<S> steps;
  for (int i = 0; i < 8; ++i) steps.push_back(b.Tick());
  EXPECT_EQ(steps,
            (std::vector<S>{S::None, S::On, S::None, S::Off, S::None, S::On, S::None, S::Off}));
}

TEST(RecordTimers, WatchdogReopensAfterSixInactiveOrElevenSilentTicks) {
  TReconnectWatchdog w;
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(w.Tick(true, false, 50, true));
  EXPECT_TRUE(w.Tick(true, false, 50, true));
  EXPECT_EQ(w.InactiveTicks, 0);
  EXPECT_FALSE(w.Tick(true, true, 50, true));

  TReconnectWatchdog q;
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(q.Tick(true, true, 4, false));
  EXPECT_TRUE(q.Tick(true, true, 4, false));
  EXPECT_EQ(q.QuietTicks, 0);
  EXPECT_FALSE(q.Tick(true, true, 5, false));

  // Without an entry playing the inactive count stands still.
  TReconnectWatchdog n;
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(n.Tick(false, false, 50, true));
  EXPECT_EQ(n.InactiveTicks, 0);
}

TEST(RecordTimers, AQuietPassageOfAStationThatStillSendsIsNoReason) {
  TReconnectWatchdog q;
  for (int i = 0; i < 60; ++i) EXPECT_FALSE(q.Tick(true, true, 0, true)) << i;
  EXPECT_EQ(q.QuietTicks, 0);
  // Bytes that stop arriving start the count; one that arrives ends it.
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(q.Tick(true, true, 0, false));
  EXPECT_FALSE(q.Tick(true, true, 0, true));
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(q.Tick(true, true, 0, false));
  EXPECT_TRUE(q.Tick(true, true, 0, false));
}

} // namespace
