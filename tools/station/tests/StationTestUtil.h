// Shared helpers of the station's tests: a small test MP3 made once, and a
// station configuration that serves it unpaced.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/station/TestStation.h"

namespace teststation {

// Two seconds of 440 Hz at 128 kbit/s, 44100 Hz stereo (made once).
inline const std::vector<uint8_t>& TestMp3() {
  static const std::vector<uint8_t> mp3 = MakeSineMp3(2.0, 128);
  return mp3;
}

inline StationConfig FastConfig() {
  StationConfig cfg;
  cfg.mp3 = TestMp3();
  cfg.pace = 0;
  return cfg;
}

// True when audio[i] == mp3[(start + i) % mp3.size()] for every i.
inline bool IsLoopedMp3(const std::vector<uint8_t>& audio, const std::vector<uint8_t>& mp3,
                        size_t start = 0) {
  for (size_t i = 0; i < audio.size(); ++i) {
    if (audio[i] != mp3[(start + i) % mp3.size()]) return false;
  }
  return !mp3.empty();
}

} // namespace teststation
