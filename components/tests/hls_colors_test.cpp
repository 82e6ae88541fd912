// HLS <-> RGB conversions and the meter's dimmed colours.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "components/HlsColors.h"

using namespace components;

namespace {

void ExpectRgb(const RgbTriple& c, double r, double g, double b) {
  EXPECT_NEAR(c.R, r, 1e-12);
  EXPECT_NEAR(c.G, g, 1e-12);
  EXPECT_NEAR(c.B, b, 1e-12);
}

std::string MessageOf(void (*f)()) {
  try {
    f();
  } catch (const EColorConv& e) { return e.what(); }
  return "no exception";
}

} // namespace

TEST(HlsColors, Hls2RgbOnTheHueHexagon) {
  ExpectRgb(HLS2RGB(0, 0.3, 1), 0.6, 0, 0);
  ExpectRgb(HLS2RGB(1, 0.5, 1), 1, 0, 0); // hue 1 wraps to red
  ExpectRgb(HLS2RGB(1.0 / 3, 0.5, 1), 0, 1, 0);
  ExpectRgb(HLS2RGB(4.0 / 6, 0.5, 1), 0, 0, 1);
  ExpectRgb(HLS2RGB(0.5 / 6, 0.5, 1), 1, 0.5, 0); // halfway red -> yellow
  ExpectRgb(HLS2RGB(0.2, 0.75, 0), 0.75, 0.75, 0.75);
  ExpectRgb(HLS2RGB(0, 1, 1), 1, 1, 1);
  ExpectRgb(HLS2RGB(0, 0, 1), 0, 0, 0);
}

TEST(HlsColors, Rgb2HlsInvertsHls2Rgb) {
  for (double h = 0; h < 1; h += 1.0 / 37)
    for (double l = 0.05; l < 1; l += 0.1)
      for (double s = 0.05; s <= 1; s += 0.15) {
        const RgbTriple c = HLS2RGB(h, l, s);
        const HlsTriple back = RGB2HLS(c.R, c.G, c.B);
        const RgbTriple again = HLS2RGB(back.H, back.L, back.S);
        EXPECT_NEAR(again.R, c.R, 1e-9);
        EXPECT_NEAR(again.G, c.G, 1e-9);
        EXPECT_NEAR(again.B, c.B, 1e-9);
        EXPECT_NEAR(back.L, l, 1e-9);
      }
}

TEST(HlsColors, Rgb2HlsOfGreysAndPrimaries) {
  HlsTriple grey = RGB2HLS(0.5, 0.5, 0.5);
  EXPECT_EQ(grey.H, 0);
  EXPECT_EQ(grey.S, 0);
  EXPECT_DOUBLE_EQ(grey.L, 0.5);
  grey = RGB2HLS(0.5, 0.5 + 1e-10, 0.5); // within the tolerance: still grey
  EXPECT_EQ(grey.S, 0);
  const HlsTriple yellow = RGB2HLS(1, 1, 0);
  EXPECT_NEAR(yellow.H, 1.0 / 6, 1e-12);
  EXPECT_NEAR(yellow.S, 1, 1e-12);
  const HlsTriple magenta = RGB2HLS(1, 0, 1);
  EXPECT_NEAR(magenta.H, 5.0 / 6, 1e-12);
  const HlsTriple black = RGB2HLS(0, 0, 0);
  EXPECT_EQ(black.L, 0);
}

TEST(HlsColors, OutOfRangeComponentsRaiseNamedErrors) {
  EXPECT_EQ(MessageOf([] { RGB2HLS(1.2, 0, 0); }), "RGB2HLS: 0 <= Red value <= 1 required");
  EXPECT_EQ(MessageOf([] { RGB2HLS(0, -0.1, 0); }), "RGB2HLS: 0 <= Green value <= 1 required");
  EXPECT_EQ(MessageOf([] { RGB2HLS(0, 0, std::nan("")); }),
            "RGB2HLS: 0 <= Blue value <= 1 required");
  EXPECT_EQ(MessageOf([] { HLS2RGB(1.5, 0, 0); }), "HLS2RGB: 0 <= Hue value <= 1 required");
  EXPECT_EQ(MessageOf([] { HLS2RGB(0, 2, 0); }), "HLS2RGB: 0 <= Luminance value <= 1 required");
  EXPECT_EQ(MessageOf([] { HLS2RGB(0, 0, std::numeric_limits<double>::infinity()); }),
            "HLS2RGB: 0 <= Saturation value <= 1 required");
  // The library's error box shows it like any other failure.
  EXPECT_THROW(RGB2HLS(2, 0, 0), Exception);
}

TEST(HlsColors, DimmingWithContrastFour) {
  EXPECT_EQ(DimColors(classlib::RGBColor(0, 255, 0), 5, 4), classlib::RGBColor(0, 153, 0));
  EXPECT_EQ(DimColors(classlib::RGBColor(255, 255, 0), 5, 4), classlib::RGBColor(153, 153, 0));
  EXPECT_EQ(DimColors(classlib::RGBColor(255, 0, 0), 5, 4), classlib::RGBColor(153, 0, 0));
  // Contrast 9 leaves a tenth of the luminance, 0 keeps the colour.
  EXPECT_EQ(DimColors(classlib::RGBColor(255, 0, 0), 9, 9), classlib::RGBColor(26, 0, 0));
  EXPECT_EQ(DimColors(classlib::RGBColor(12, 200, 77), 0, 0), classlib::RGBColor(12, 200, 77));
  EXPECT_EQ(DimColors(0, 6, 6), 0u);
}

TEST(HlsColors, LightTintWrapsModulo256) {
  // KLight 1: 255 - (256 - X) = X - 1, and 0 wraps to 255.
  const ContrastPair p = ContrastColors(classlib::RGBColor(0, 128, 255), 1.0, 1.0);
  EXPECT_EQ(p.Light, classlib::RGBColor(255, 127, 254));
  EXPECT_EQ(ContrastColors(classlib::RGBColor(0, 0, 0), 0.5, 1).Light,
            classlib::RGBColor(127, 127, 127));
}

TEST(HlsColors, EightBitColoursSurviveTheRoundTrip) {
  // Every 5th level of each channel: RGB -> HLS -> RGB gives the same bytes.
  for (int r = 0; r < 256; r += 5)
    for (int g = 0; g < 256; g += 5)
      for (int b = 0; b < 256; b += 5) {
        const HlsTriple h = RGB2HLS(r / 255.0, g / 255.0, b / 255.0);
        const RgbTriple c = HLS2RGB(h.H, h.L, h.S);
        ASSERT_EQ(static_cast<int>(std::nearbyint(c.R * 255)), r) << r << "," << g << "," << b;
        ASSERT_EQ(static_cast<int>(std::nearbyint(c.G * 255)), g) << r << "," << g << "," << b;
        ASSERT_EQ(static_cast<int>(std::nearbyint(c.B * 255)), b) << r << "," << g << "," << b;
      }
}
