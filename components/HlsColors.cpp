// RGB <-> HLS conversions and the meter's dimmed colours.
#include "components/HlsColors.h"

#include <algorithm>
#include <cmath>

namespace {

// Hue hexagon: vertex k at hue k/6, components in {-1, 1}.
constexpr double kHexagon[6][3] = {
    {1, -1, -1}, // red
    {1, 1, -1},  // yellow
    {-1, 1, -1}, // green
    {-1, 1, 1},  // cyan
    {-1, -1, 1}, // blue
    {1, -1, 1},  // magenta
};

// Components mapped to [-1, 1] closer than this count as equal.
constexpr double kEqual = 1e-8;

void Require(const char* func, const char* what, double v) {
  if (!(v >= 0.0 && v <= 1.0)) // also rejects NaN
    throw EColorConv(std::string(func) + ": 0 <= " + what + " value <= 1 required");
}

double Clamp01(double v) {
  if (!(v > 0.0)) return 0.0; // negative or NaN
  return v > 1.0 ? 1.0 : v;
}

int To255(double v) { return static_cast<int>(std::nearbyint(v * 255.0)); }

} // namespace

components::RgbTriple HLS2RGB(double H, double L, double S) {
  Require("HLS2RGB", "Hue", H);
  Require("HLS2RGB", "Luminance", L);
  Require("HLS2RGB", "Saturation", S);
  const double h6 = 6.0 * H;
  const int k = static_cast<int>(std::trunc(h6)) % 6;
  const double f = h6 - std::trunc(h6);
  const int next = (k + 1) % 6;
  double c[3];
  for (int i = 0; i < 3; ++i) {
    const double v = S * (kHexagon[k][i] + f * (kHexagon[next][i] - kHexagon[k][i]));
    c[i] = Clamp01(L > 0.5 ? L + (1.0 - L) * v : L * (v + 1.0));
  }
  return {c[0], c[1], c[2]};
}

components::HlsTriple RGB2HLS(double R, double G, double B) {
  Require("RGB2HLS", "Red", R);
  Require("RGB2HLS", "Green", G);
  Require("RGB2HLS", "Blue", B);
  const double mx = std::max({R, G, B});
  const double mn = std::min({R, G, B});
  components::HlsTriple out;
  out.L = Clamp01((mx + mn) / 2.0);
  // The tolerance is given on components mapped to [-1, 1] (2X - 1).
  const double d = mx - mn;
  if (2.0 * d <= kEqual) return out; // achromatic: hue and saturation 0
  out.S = Clamp01(out.L > 0.5 ? d / (2.0 - mx - mn) : d / (mx + mn));
  double h;
  if (mx == R)
    h = (G - B) / d;
  else if (mx == G)
    h = 2.0 + (B - R) / d;
  else
    h = 4.0 + (R - G) / d;
  h /= 6.0;
  if (h < 0.0) h += 1.0;
  out.H = Clamp01(h);
  return out;
}

components::ContrastPair ContrastColors(TColor color, double KLight, double KDark) {
  const int r = classlib::ColorRed(color), g = classlib::ColorGreen(color),
            b = classlib::ColorBlue(color);
  auto light = [KLight](int x) {
    return (255 - static_cast<int>(std::nearbyint(KLight * (256 - x)))) & 0xFF;
  };
  components::ContrastPair out;
  out.Light = classlib::RGBColor(light(r), light(g), light(b));
  const components::HlsTriple hls = RGB2HLS(r / 255.0, g / 255.0, b / 255.0);
  const components::RgbTriple dark = HLS2RGB(hls.H, Clamp01(hls.L * KDark), hls.S);
  out.Dark = classlib::RGBColor(To255(dark.R), To255(dark.G), To255(dark.B));
  return out;
}

TColor DimColors(TColor color, int A, int B) {
  return ContrastColors(color, (10 - A) / 10.0, (10 - B) / 10.0).Dark;
}
