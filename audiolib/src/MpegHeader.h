// MPEG audio frame headers (MPEG 1, 2, 2.5; layers 1-3): used to recognise a
// stream as MPEG audio before playing it, and to size the download buffer
// from the bitrate when the server does not announce one.
#pragma once
#include <cstddef>
#include <cstdint>

namespace audiolib {

struct FrameHeader {
  int version = 0;  // 1 = MPEG 1, 2 = MPEG 2, 25 = MPEG 2.5
  int layer = 0;    // 1..3
  int bitrate_kbps = 0;
  int sample_rate = 0;
  int channels = 0;
  size_t frame_bytes = 0;
};

// false for anything that is not a valid header (free-format frames included).
bool ParseFrameHeader(const uint8_t* p, size_t size, FrameHeader& out);

// Offset of the first frame whose header is followed by a second matching
// header (or by the end of the data when `atEnd`), or -1 if there is none yet.
long FindFirstFrame(const uint8_t* data, size_t size, bool atEnd, FrameHeader& out);

}  // namespace audiolib
