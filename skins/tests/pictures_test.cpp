// The library's built-in pictures as kept in the source tree: each at the
// size the controls cut it by, the masks' weight halves matching their
// picture halves (magenta over weight 255, weights grey), and the plain
// glyphs with magenta, their transparent colour, at the bottom-left.
#include <gtest/gtest.h>

#include "skins/sBordersCore.h"
#include "skins/tests/GuardedImage.h"

using skins_test::BmpFile;
using skins_test::ReadBmp;

namespace {

const skins::TRgb kMagenta{255, 0, 255};

BmpFile Load(const std::string& name) {
  std::string file = name;
  for (char& c : file) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ReadBmp(std::string(KORVALIS_SKINS_RES) + "/" + file + ".bmp");
}

// Every weight is grey, magenta lies over weight 255, and the picture has
// both magenta (rounded corners) and opaque outline pixels.
void CheckWeightHalf(const BmpFile& bmp) {
  const int half = bmp.height / 2;
  int magenta = 0, opaque = 0;
  for (int y = 0; y < half; ++y)
    for (int x = 0; x < bmp.width; ++x) {
      const skins::TRgb c = bmp.Pixel(x, y), a = bmp.Pixel(x, y + half);
      ASSERT_TRUE(a.r == a.g && a.g == a.b) << x << "," << y + half;
      if (c == kMagenta) {
        ++magenta;
        ASSERT_EQ(a.r, 255) << x << "," << y;
      }
      if (a.r == 0) ++opaque;
    }
  EXPECT_GT(magenta, 0);
  EXPECT_GT(opaque, 0);
}

}  // namespace

TEST(Pictures, BorderMasksHaveTheirSizesAndWeightHalves) {
  for (const skins::TsPredefinedBorder& b : skins::kPredefinedBorders) {
    SCOPED_TRACE(b.resource);
    const BmpFile bmp = Load(b.resource);
    ASSERT_EQ(bmp.width, b.width);
    ASSERT_EQ(bmp.height, b.height);
    CheckWeightHalf(bmp);
    // Each state's corners are rounded: its top-left pixel is magenta.
    for (int state = 0; state < 3; ++state)
      EXPECT_EQ(bmp.Pixel(state * 3 * (b.width / 9), 0), kMagenta);
  }
}

TEST(Pictures, GlyphStripsHaveTheirSizesAndWeightHalves) {
  const struct { const char* name; int w, h; } strips[] = {
      {"SF", 60, 34}, {"SR", 60, 34}, {"SD", 48, 34}, {"SE", 54, 34}, {"SC", 57, 34},
      {"COMBO", 57, 34}};
  for (const auto& s : strips) {
    SCOPED_TRACE(s.name);
    const BmpFile bmp = Load(s.name);
    ASSERT_EQ(bmp.width, s.w);
    ASSERT_EQ(bmp.height, s.h);
    CheckWeightHalf(bmp);
    // Three frames that differ (normal, hot, pressed).
    const int fw = s.w / 3;
    bool differ = false;
    for (int y = 0; y < s.h / 2; ++y)
      for (int x = 0; x < fw; ++x)
        differ = differ || bmp.Pixel(x, y) != bmp.Pixel(x + fw, y) ||
                 bmp.Pixel(x, y) != bmp.Pixel(x + 2 * fw, y);
    EXPECT_TRUE(differ);
  }
}

TEST(Pictures, CheckAndRadioGlyphsHaveTheirSizesAndMagentaBottomLeft) {
  for (const char* name : {"RCC", "RUC", "RCH", "RUH"}) {
    const BmpFile bmp = Load(name);
    EXPECT_EQ(bmp.width, 14) << name;
    EXPECT_EQ(bmp.height, 14) << name;
    if (bmp.width) {
      EXPECT_EQ(bmp.Pixel(0, bmp.height - 1), kMagenta) << name;
    }
  }
  for (const char* name : {"CCC", "CUC", "CCH", "CUH"}) {
    const BmpFile bmp = Load(name);
    EXPECT_EQ(bmp.width, 16) << name;
    EXPECT_EQ(bmp.height, 16) << name;
    if (bmp.width) {
      EXPECT_EQ(bmp.Pixel(0, bmp.height - 1), kMagenta) << name;
    }
  }
  // Checked and unchecked differ; so do normal and hot.
  EXPECT_NE(Load("RCC").rgb, Load("RUC").rgb);
  EXPECT_NE(Load("RCC").rgb, Load("RCH").rgb);
  EXPECT_NE(Load("CCC").rgb, Load("CUC").rgb);
  EXPECT_NE(Load("CUC").rgb, Load("CUH").rgb);
}
