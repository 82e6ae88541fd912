// Colour-space conversions between RGB and the double-hexcone HLS model, and
// the dimmed/lightened tints the LED meter draws its unlit segments with.
// Portable: colours are plain 0x00BBGGRR values already resolved to RGB.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/SysUtils.h"

// A colour value 0x00BBGGRR (red in the low byte).
using RgbColor = std::uint32_t;

constexpr RgbColor MakeRgb(int r, int g, int b) {
  return static_cast<RgbColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RgbRed(RgbColor c) { return static_cast<int>(c & 0xFF); }
constexpr int RgbGreen(RgbColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int RgbBlue(RgbColor c) { return static_cast<int>((c >> 16) & 0xFF); }

// Raised when a component handed to a conversion lies outside [0, 1].
class EColorConv : public Exception {
 public:
  using Exception::Exception;
};

struct RgbTriple {
  double R = 0, G = 0, B = 0;
};
struct HlsTriple {
  double H = 0, L = 0, S = 0;
};

// Hue, luminance and saturation in [0, 1] (hue 1 wraps to red) to RGB in [0, 1].
RgbTriple HLS2RGB(double H, double L, double S);
// RGB in [0, 1] to the HLS values that HLS2RGB maps back to the same colour.
HlsTriple RGB2HLS(double R, double G, double B);

struct ContrastPair {
  RgbColor Light = 0;
  RgbColor Dark = 0;
};
// Dark: the colour with its luminance scaled by KDark. Light: a lighter tint.
ContrastPair ContrastColors(RgbColor color, double KLight, double KDark);
// The meter's dimmed colour: contrast steps A and B (0..9) become the factors
// (10 - A) / 10 and (10 - B) / 10; the dark colour is returned.
RgbColor DimColors(RgbColor color, int A, int B);
