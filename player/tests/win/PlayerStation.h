// The player's windows under Wine against the test radio station: the main
// window made as the program makes it (audio library initialised), a station
// of the caller's audio, and waits that keep the window's messages moving.
#pragma once

#include <gtest/gtest.h>
#include "classlib/WinApi.h"

#include <functional>
#include <memory>

#include "classlib/tests/app_pump.h"
#include "player/Unit1.h"
#include "player/tests/win/PlayerTestFolder.h"
#include "tools/station/TestStation.h"

// Turns the application's loop until `cond` holds or `seconds` passed.
inline bool PumpUntil(const std::function<bool()>& cond, double seconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  while (!cond()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return cond();
    Pump(10);
  }
  return true;
}

// A station of `mp3`, served four times faster than real time so that the
// player's buffering wait is short.
inline std::unique_ptr<teststation::TestStation> StartTestStation(std::vector<uint8_t> mp3) {
  teststation::StationConfig cfg;
  cfg.mp3 = std::move(mp3);
  cfg.pace = 4;
  cfg.titles = {"Test - Song"};
  auto st = std::make_unique<teststation::TestStation>(cfg);
  EXPECT_NE(st->Start(), 0);
  return st;
}

// The main window for one test: made, shown and, at the end, closed down
// with the audio library, so that the next test starts it again.
class MainWindowFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Application->Initialize(); }
  void SetUp() override {
    Form1 = New<TForm1>(Application);
    Form1->Show();
    BASS_SetConfig(BASS_CONFIG_NET_TIMEOUT, 1500);
  }
  void TearDown() override {
    BASS_StreamFree(CurrentStream.exchange(0));
    BASS_Free();
    if (Form1) Form1->Free();
    Form1 = nullptr;
    Pump(50);
  }
  // Picks a station of the main list and waits until it plays.
  bool Play(const std::string& Url) {
    Form1->PlayStation(1, TStationEntry{0, "1 Test", Url});
    return PumpUntil(
        [] { return CurrentStream && BASS_ChannelIsActive(CurrentStream) == BASS_ACTIVE_PLAYING; },
        10);
  }
  PlayerTestFolder folder_{"korvalis_display"};
};
