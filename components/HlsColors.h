// Colour-space conversions between RGB and the double-hexcone HLS model, and
// the dimmed/lightened tints the LED meter draws its unlit segments with.
// Portable: colours are TColor values already resolved to RGB (no system
// colours).
#pragma once

#include <string>

#include "classlib/DrawTypes.h"
#include "classlib/SysUtils.h"

// Raised when a component handed to a conversion lies outside [0, 1].
class EColorConv : public Exception {
 public:
  using Exception::Exception;
};

namespace components {

struct RgbTriple {
  double R = 0, G = 0, B = 0;
};
struct HlsTriple {
  double H = 0, L = 0, S = 0;
};

} // namespace components

// Hue, luminance and saturation in [0, 1] (hue 1 wraps to red) to RGB in [0, 1].
components::RgbTriple HLS2RGB(double H, double L, double S);
// RGB in [0, 1] to the HLS values that HLS2RGB maps back to the same colour.
components::HlsTriple RGB2HLS(double R, double G, double B);

namespace components {

struct ContrastPair {
  TColor Light = 0;
  TColor Dark = 0;
};

} // namespace components

// Dark: the colour with its luminance scaled by KDark. Light: a lighter tint.
components::ContrastPair ContrastColors(TColor color, double KLight, double KDark);
// The meter's dimmed colour: contrast steps A and B (0..9) become the factors
// (10 - A) / 10 and (10 - B) / 10; the dark colour is returned.
TColor DimColors(TColor color, int A, int B);
