// Shared set-up of the tests that drive the C interface against the test
// radio station: the library initialised with a short network time-out and
// (natively) an output that plays faster than real time; helpers that wait
// for a condition with a bound instead of sleeping blindly.
#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "tools/station/TestStation.h"
#include "audiolib/bass.h"

namespace audiotest {

// Polls `cond` every 10 ms for at most `seconds`; true when it held.
inline bool WaitUntil(const std::function<bool()>& cond, double seconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (cond()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return cond();
}

// The player's estimate: (end position / 125, rounded) div 5.
inline unsigned EstimateBitrate(HSTREAM s) {
  uint32_t end = static_cast<uint32_t>(BASS_StreamGetFilePosition(s, BASS_FILEPOS_END));
  return static_cast<unsigned>((end + 62) / 125) / 5;
}

inline std::vector<uint8_t>& Sine128() {
  static std::vector<uint8_t> mp3 = teststation::MakeSineMp3(3.0, 128);
  return mp3;
}

inline std::unique_ptr<teststation::TestStation> StartStation(teststation::StationConfig cfg) {
  if (cfg.mp3.empty()) cfg.mp3 = Sine128();
  auto st = std::make_unique<teststation::TestStation>(cfg);
  EXPECT_NE(st->Start(), 0);
  return st;
}

} // namespace audiotest
