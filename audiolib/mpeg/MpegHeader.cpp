// Finding the first frame of a stream that may start with junk.
#include "audiolib/mpeg/MpegHeader.h"

namespace audiolib {
namespace {

bool SameStream(const FrameHeader& a, const FrameHeader& b) {
  return a.version == b.version && a.layer == b.layer && a.sample_rate == b.sample_rate;
}

} // namespace

long FindFirstFrame(const uint8_t* data, size_t size, bool atEnd, FrameHeader& out) {
  for (size_t i = 0; i + 4 <= size; ++i) {
    FrameHeader h;
    if (!ParseFrameHeader(data + i, size - i, h)) continue;
    size_t next = i + h.frame_bytes;
    FrameHeader h2;
    if (next + 4 <= size) {
      if (!ParseFrameHeader(data + next, size - next, h2) || !SameStream(h, h2)) continue;
    } else if (!atEnd) {
      return -1; // wait for more data to confirm this one
    } else if (next > size) {
      continue;
    }
    out = h;
    return static_cast<long>(i);
  }
  return -1;
}

} // namespace audiolib
