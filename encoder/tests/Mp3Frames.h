// Walks the frame headers of an MPEG-1 Layer III file, for tests that check
// what an encoder wrote.
#pragma once

#include <cstdint>
#include <vector>

struct TMp3Frame {
  int bitrate = 0;     // kbit/s
  int sampleRate = 0;  // Hz
  int mode = 0;        // 0 stereo, 1 joint stereo, 2 dual channel, 3 mono
  size_t offset = 0;
};

// The frames from the start of `data`, stopping at the first byte that is not
// a frame header; an ID3v2 tag at the start is skipped.
inline std::vector<TMp3Frame> Mp3Frames(const std::vector<uint8_t>& data) {
  static const int kRates[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
  static const int kFreqs[4] = {44100, 48000, 32000, 0};
  std::vector<TMp3Frame> frames;
  size_t at = 0;
  if (data.size() > 10 && data[0] == 'I' && data[1] == 'D' && data[2] == '3')
    at = 10 + ((data[6] & 0x7F) << 21 | (data[7] & 0x7F) << 14 | (data[8] & 0x7F) << 7 | (data[9] & 0x7F));
  while (at + 4 <= data.size()) {
    const uint8_t* h = &data[at];
    if (h[0] != 0xFF || (h[1] & 0xFE) != 0xFA) break;  // MPEG-1, Layer III
    TMp3Frame f;
    f.bitrate = kRates[h[2] >> 4];
    f.sampleRate = kFreqs[(h[2] >> 2) & 3];
    f.mode = h[3] >> 6;
    f.offset = at;
    if (f.bitrate == 0 || f.sampleRate == 0) break;
    frames.push_back(f);
    at += 144 * f.bitrate * 1000 / f.sampleRate + ((h[2] >> 1) & 1);
  }
  return frames;
}
