// MPEG audio frame headers (MPEG 1, 2, 2.5; layers 1-3): the audio library
// recognises a stream as MPEG audio by them and sizes its download buffer from
// the bitrate; the encoder's tests walk the frames a program wrote, past an
// ID3v2 tag at the start, and the test station skips that tag in the files it
// loops.
//
// The parser and the tag's size are inline so that the tests of any program,
// and the test station, can read frames without linking the audio library.
#pragma once
#include <cstddef>
#include <cstdint>

namespace audiolib {

struct FrameHeader {
  int version = 0; // 1 = MPEG 1, 2 = MPEG 2, 25 = MPEG 2.5
  int layer = 0;   // 1..3
  int bitrate_kbps = 0;
  int sample_rate = 0;
  int channels = 0;
  int mode = 0; // 0 stereo, 1 joint stereo, 2 dual channel, 3 mono
  size_t frame_bytes = 0;
};

namespace mpeg_tables {

inline constexpr int kBitrates[2][3][15] = {
    // MPEG 1: layer 1, 2, 3
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
    // MPEG 2 and 2.5: layer 1, 2, 3
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}},
};
inline constexpr int kRates[3] = {44100, 48000, 32000};

} // namespace mpeg_tables

// From the bit layout of the header:
// sync(11) version(2) layer(2) crc(1) bitrate(4) rate(2) pad(1) priv(1) mode(2) ...
// false for anything that is not a valid header (free-format frames included).
inline bool ParseFrameHeader(const uint8_t* p, size_t size, FrameHeader& out) {
  if (size < 4 || p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return false;
  int ver = (p[1] >> 3) & 3; // 0: 2.5, 1: reserved, 2: 2, 3: 1
  int lay = (p[1] >> 1) & 3; // 1: layer 3, 2: layer 2, 3: layer 1
  int bri = (p[2] >> 4) & 15;
  int sri = (p[2] >> 2) & 3;
  int pad = (p[2] >> 1) & 1;
  int mode = (p[3] >> 6) & 3;
  if (ver == 1 || lay == 0 || bri == 0 || bri == 15 || sri == 3) return false;
  FrameHeader h;
  h.version = ver == 3 ? 1 : ver == 2 ? 2 : 25;
  h.layer = 4 - lay;
  h.bitrate_kbps = mpeg_tables::kBitrates[h.version == 1 ? 0 : 1][h.layer - 1][bri];
  h.sample_rate = mpeg_tables::kRates[sri] >> (h.version == 1 ? 0 : h.version == 2 ? 1 : 2);
  h.mode = mode;
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

// Bytes an ID3v2 tag takes at the start of `data` (header, body and footer),
// 0 when `data` does not begin with one. A cut-off tag claims more than `size`.
inline size_t Id3v2TagSize(const uint8_t* data, size_t size) {
  if (size < 10 || data[0] != 'I' || data[1] != 'D' || data[2] != '3') return 0;
  // The body's size: four 7-bit bytes, most significant first.
  size_t body = (size_t(data[6] & 0x7F) << 21) | (size_t(data[7] & 0x7F) << 14) |
                (size_t(data[8] & 0x7F) << 7) | size_t(data[9] & 0x7F);
  const bool footer = (data[5] & 0x10) != 0;
  return 10 + body + (footer ? 10 : 0);
}

// Offset of the first frame whose header is followed by a second matching
// header (or by the end of the data when `atEnd`), or -1 if there is none yet.
long FindFirstFrame(const uint8_t* data, size_t size, bool atEnd, FrameHeader& out);

} // namespace audiolib
