// A station's stream for the recording tests: MPEG-1 layer III frames of 384
// bytes (128 kbit/s at 48 kHz, no padding) with bodies that never hold 0xFF,
// so nothing but a header looks like one. Every byte is a function of its
// position in the stream, so the bytes of a saved file show where they came
// from; a connection begins at any byte of a frame and ends at any byte.
#pragma once

#include <cstdint>
#include <vector>

namespace rectest {

constexpr size_t kFrame = 384;

inline uint64_t Mix(uint64_t X) {
  X += 0x9E3779B97F4A7C15ull;
  X = (X ^ (X >> 30)) * 0xBF58476D1CE4E5B9ull;
  X = (X ^ (X >> 27)) * 0x94D049BB133111EBull;
  return X ^ (X >> 31);
}

inline uint8_t StreamByte(uint64_t Pos) {
  switch (Pos % kFrame) {
    case 0: return 0xFF;
    case 1: return 0xFB;
    case 2: return 0x94;
    default: break;
  }
  // The fourth header byte (mode bits) and the body: any value, the body
  // without 0xFF.
  const uint8_t b = static_cast<uint8_t>(Mix(Pos));
  return Pos % kFrame == 3 ? b : b & 0x7F;
}

// The stream bytes [From, To).
inline std::vector<uint8_t> StreamBytes(uint64_t From, uint64_t To) {
  std::vector<uint8_t> v;
  v.reserve(To - From);
  for (uint64_t p = From; p < To; ++p) v.push_back(StreamByte(p));
  return v;
}

// The first frame start at or after `Pos`.
inline uint64_t NextFrame(uint64_t Pos) { return (Pos + kFrame - 1) / kFrame * kFrame; }
// The last frame start at or before `Pos`.
inline uint64_t FrameBefore(uint64_t Pos) { return Pos / kFrame * kFrame; }

} // namespace rectest
