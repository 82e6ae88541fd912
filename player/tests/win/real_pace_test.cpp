// The player against a station served at the pace of a real one (the test
// station at real time, the sound going to an output that takes it at real
// time too): for a whole minute it keeps playing, with the meters above zero
// and the spectrum showing bars in every second, on its first connection.
// A player that ran ahead of the station, or an output that stopped taking
// samples, stalls within seconds here.
#include <gtest/gtest.h>
#include "classlib/WinApi.h"

#include <algorithm>
#include <cstdio>

#include "player/SpectrumCore.h"
#include "player/tests/win/PlayerStation.h"

namespace {

using RealPace = MainWindowFixture;

TEST_F(RealPace, PlaysAMinuteWithLiveMetersAndSpectrum) {
  teststation::StationConfig cfg;
  cfg.mp3 = teststation::MakeMelodyMp3(20.0, 128);
  cfg.pace = 1;
  cfg.titles = {"Test - Real time"};
  teststation::TestStation station(cfg);
  ASSERT_NE(station.Start(), 0);
  ASSERT_TRUE(Play(station.Url()));
  const HSTREAM stream = CurrentStream;

  // Sampled every 50 ms; each second must hold sound in both meters and
  // bars in the spectrum, and the stream must play at every sample.
  int seconds_ok = 0;
  for (int second = 0; second < 60; ++second) {
    int left = 0, right = 0, not_playing = 0;
    bool bars = false;
    for (int i = 0; i < 20; ++i) {
      Pump(50);
      if (BASS_ChannelIsActive(CurrentStream) != BASS_ACTIVE_PLAYING) ++not_playing;
      left = std::max(left, Form1->LEDMeter1->Position());
      right = std::max(right, Form1->LEDMeter2->Position());
      bars = bars || SpectrumRaised(CapHeights, BarHeights);
    }
    EXPECT_EQ(not_playing, 0) << "second " << second;
    EXPECT_GT(left, 0) << "second " << second;
    EXPECT_GT(right, 0) << "second " << second;
    EXPECT_TRUE(bars) << "second " << second;
    if (not_playing == 0 && left > 0 && right > 0 && bars) ++seconds_ok;
    if (second % 10 == 9) {
      std::printf("[pace] %d s: %d seconds alive, connections %d\n", second + 1, seconds_ok,
                  station.connections());
      std::fflush(stdout);
    }
  }
  EXPECT_EQ(seconds_ok, 60);
  EXPECT_EQ(CurrentStream.load(), stream);
  EXPECT_EQ(station.connections(), 1);
}

} // namespace
