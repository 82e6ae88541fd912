// JPEG pictures decoded to 24-bit rows, on libjpeg.
//
// Contract: decoding never ends the process and never prints: libjpeg's
// errors come back as false with a message, its warnings are dropped. A
// truncated file decodes as far as its data goes (libjpeg fills the rest),
// a file that is not a JPEG or has no readable header fails. Pictures of
// more than kMaxJpegPixels pixels are refused rather than allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "skins/Pixels.h"

namespace skins {

constexpr long long kMaxJpegPixels = 64LL * 1024 * 1024;

struct TJpegPixels {
  int width = 0, height = 0;
  std::vector<uint8_t> bits;  // top-down rows of width * 3 bytes, blue-green-red

  TPixels View() { return TPixels{width, height, width * 3, bits.data()}; }
};

// Decodes `size` bytes into `out` (grey: decoded as grey scale, all three
// channels equal). False, with `error` set, when the data cannot be decoded;
// `out` is then empty.
bool DecodeJpeg(const uint8_t* data, size_t size, bool grey, TJpegPixels& out, std::string& error);

}  // namespace skins
