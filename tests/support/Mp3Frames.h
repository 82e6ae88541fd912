// Walks the frame headers of an MPEG-1 Layer III file, for tests that check
// what an encoder wrote.
#pragma once

#include <cstdint>
#include <vector>

#include "audiolib/mpeg/MpegHeader.h"

struct TMp3Frame {
  int bitrate = 0;    // kbit/s
  int sampleRate = 0; // Hz
  int mode = 0;       // 0 stereo, 1 joint stereo, 2 dual channel, 3 mono
  size_t offset = 0;
};

// The frames from the start of `data`, stopping at the first byte that is not
// an MPEG-1 Layer III frame header; an ID3v2 tag at the start is skipped.
inline std::vector<TMp3Frame> Mp3Frames(const std::vector<uint8_t>& data) {
  std::vector<TMp3Frame> frames;
  size_t at = audiolib::Id3v2TagSize(data.data(), data.size());
  audiolib::FrameHeader h;
  while (at + 4 <= data.size() && audiolib::ParseFrameHeader(&data[at], data.size() - at, h) &&
         h.version == 1 && h.layer == 3) {
    TMp3Frame f;
    f.bitrate = h.bitrate_kbps;
    f.sampleRate = h.sample_rate;
    f.mode = h.mode;
    f.offset = at;
    frames.push_back(f);
    at += h.frame_bytes;
  }
  return frames;
}
