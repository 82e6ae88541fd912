// What the skinned controls' portable core paints on: the rows of a 24-bit
// picture (top-down, blue-green-red, `stride` bytes from one row to the next)
// and colours as plain RGB. A class-library TBitmap is exactly such a picture
// (ScanLine(0), RowBytes()), so the Windows side wraps bitmaps without copying;
// tests wrap plain byte vectors. System colours never reach the core: the
// Windows side resolves them (ColorToRGB) first.
#pragma once

#include <cstddef>
#include <cstdint>

namespace skins {

struct TPixels {
  int width = 0, height = 0;
  int stride = 0;  // bytes from the start of one row to the next
  uint8_t* bits = nullptr;

  bool Empty() const { return bits == nullptr || width <= 0 || height <= 0; }
  uint8_t* Row(int y) const { return bits + static_cast<std::ptrdiff_t>(y) * stride; }
  // Blue, green, red of pixel (x, y); the caller keeps x and y inside.
  uint8_t* At(int x, int y) const { return Row(y) + x * 3; }
};

struct TRgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const TRgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const TRgb& o) const { return !(*this == o); }
};

// 0x00BBGGRR (a TColor without the system-colour flag) to RGB and back.
inline TRgb RgbOf(uint32_t color) {
  return TRgb{static_cast<uint8_t>(color), static_cast<uint8_t>(color >> 8),
              static_cast<uint8_t>(color >> 16)};
}
inline uint32_t ColorOf(TRgb c) { return c.r | (c.g << 8) | (static_cast<uint32_t>(c.b) << 16); }

}  // namespace skins
