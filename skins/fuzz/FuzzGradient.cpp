// libFuzzer target: gradient strings. For any text the parser either raises
// the conversion error or returns one band per complete group of five
// words, and painting those bands (both directions, rectangles inside,
// across and outside the picture) writes nothing outside the picture.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "classlib/SysUtils.h"
#include "skins/sGradientCore.h"
#include "skins/sUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  skins::TsGradArray bands;
  try {
    bands = skins::ParseGradient(text);
  } catch (const EConvertError&) {
    return 0;
  }
  if (bands.size() != static_cast<size_t>(skins::WordCount(text, ";") / 5)) std::abort();
  constexpr int kW = 13, kH = 11, kGuard = 16;
  std::vector<uint8_t> bytes(kW * 3 * kH + 2 * kGuard, 0xA5);
  skins::TPixels pixels{kW, kH, kW * 3, bytes.data() + kGuard};
  for (int dir = 0; dir < 2; ++dir) {
    if (!bands.empty()) bands[0].direction = dir;
    for (const TRect& r : {TRect{0, 0, kW, kH}, TRect{-5, 3, 7, 40}, TRect{20, 20, 30, 30},
                           TRect{4, -9, 4, 5}})
      skins::PaintGradient(pixels, r, bands);
  }
  for (int i = 0; i < kGuard; ++i)
    if (bytes[i] != 0xA5 || bytes[bytes.size() - 1 - i] != 0xA5) std::abort();
  return 0;
}
