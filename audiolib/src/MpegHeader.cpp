// Frame header parsing from the bit layout of the MPEG audio header:
// sync(11) version(2) layer(2) crc(1) bitrate(4) rate(2) pad(1) priv(1) mode(2) ...
#include "audiolib/src/MpegHeader.h"

namespace audiolib {
namespace {

const int kBitrates[2][3][15] = {
    // MPEG 1: layer 1, 2, 3
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
    // MPEG 2 and 2.5: layer 1, 2, 3
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}},
};
const int kRates[3] = {44100, 48000, 32000};

bool SameStream(const FrameHeader& a, const FrameHeader& b) {
  return a.version == b.version && a.layer == b.layer && a.sample_rate == b.sample_rate;
}

}  // namespace

bool ParseFrameHeader(const uint8_t* p, size_t size, FrameHeader& out) {
  if (size < 4 || p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return false;
  int ver = (p[1] >> 3) & 3;  // 0: 2.5, 1: reserved, 2: 2, 3: 1
  int lay = (p[1] >> 1) & 3;  // 1: layer 3, 2: layer 2, 3: layer 1
  int bri = (p[2] >> 4) & 15;
  int sri = (p[2] >> 2) & 3;
  int pad = (p[2] >> 1) & 1;
  int mode = (p[3] >> 6) & 3;
  if (ver == 1 || lay == 0 || bri == 0 || bri == 15 || sri == 3) return false;
  FrameHeader h;
  h.version = ver == 3 ? 1 : ver == 2 ? 2 : 25;
  h.layer = 4 - lay;
  h.bitrate_kbps = kBitrates[h.version == 1 ? 0 : 1][h.layer - 1][bri];
  h.sample_rate = kRates[sri] >> (h.version == 1 ? 0 : h.version == 2 ? 1 : 2);
  h.channels = mode == 3 ? 1 : 2;
  long br = h.bitrate_kbps * 1000L;
  if (h.layer == 1) {
    h.frame_bytes = static_cast<size_t>((12 * br / h.sample_rate + pad) * 4);
  } else {
    long coef = (h.layer == 3 && h.version != 1) ? 72 : 144;
    h.frame_bytes = static_cast<size_t>(coef * br / h.sample_rate + pad);
  }
  out = h;
  return true;
}

long FindFirstFrame(const uint8_t* data, size_t size, bool atEnd, FrameHeader& out) {
  for (size_t i = 0; i + 4 <= size; ++i) {
    FrameHeader h;
    if (!ParseFrameHeader(data + i, size - i, h)) continue;
    size_t next = i + h.frame_bytes;
    FrameHeader h2;
    if (next + 4 <= size) {
      if (!ParseFrameHeader(data + next, size - next, h2) || !SameStream(h, h2)) continue;
    } else if (!atEnd) {
      return -1;  // wait for more data to confirm this one
    } else if (next > size) {
      continue;
    }
    out = h;
    return static_cast<long>(i);
  }
  return -1;
}

}  // namespace audiolib
