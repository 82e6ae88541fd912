// Painting a section of a skin filled by hand: nothing without an active
// skin; the colour, the picture and the gradient by their percents; the
// parent's pixels by the section's transparency, clipped where the parent
// record ends; the border mask laid around the rectangle.
#include <gtest/gtest.h>

#include <random>

#include "skins/sBordersCore.h"
#include "skins/sSkinDataCore.h"
#include "skins/tests/GuardedImage.h"

using skins_test::GuardedImage;

namespace {

const skins::TRgb kColor{30, 140, 220};

class SkinPaint : public testing::Test {
 protected:
  skins::TsSkinData& skin = skins::SkinData();
  void SetUp() override {
    skin.Active = true;
    skins::TsSkinSection s;
    s.name = "TSPANEL";
    s.normal.color = kColor;
    s.hot.color = skins::TRgb{200, 0, 0};
    skin.Sections.push_back(s);
  }
  void TearDown() override {
    skin.Clear();
    skin.Active = false;
  }
  skins::TsSectionLook& Look(bool hot = false) {
    return hot ? skin.Sections[0].hot : skin.Sections[0].normal;
  }
  // Every pixel of r in `image` is `c`, every other as in `before`.
  static void ExpectOnly(GuardedImage& image, const std::vector<uint8_t>& before, const TRect& r,
                         skins::TRgb c) {
    const std::vector<uint8_t> got = image.Pixels();
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x) {
        const size_t i = (static_cast<size_t>(y) * image.Width() + x) * 3;
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) {
          ASSERT_EQ(skins::TRgb(skins::TRgb{got[i + 2], got[i + 1], got[i]}), c) << x << "," << y;
        } else {
          ASSERT_EQ(got[i], before[i]) << x << "," << y;
        }
      }
    EXPECT_TRUE(image.GuardsIntact());
  }
};

}  // namespace

TEST_F(SkinPaint, NothingWithoutAnActiveSkinOrAValidSection) {
  GuardedImage image(20, 10);
  const std::vector<uint8_t> before = image.Pixels();
  skin.Active = false;
  skins::PaintSection(0, "TsPanel", skins::kNoParentBackground, image.View(), TPoint{},
                      TRect{0, 0, 20, 10}, false);
  skin.Active = true;
  skins::PaintSection(1, "TsPanel", skins::kNoParentBackground, image.View(), TPoint{},
                      TRect{0, 0, 20, 10}, false);
  skins::PaintSectionWithBorders(-1, "TsPanel", skins::kNoParentBackground, image.View(),
                                 TPoint{}, TRect{0, 0, 20, 10}, false, 0, true);
  EXPECT_EQ(image.Pixels(), before);
}

TEST_F(SkinPaint, PlainColourClippedToTheBitmap) {
  for (bool hot : {false, true}) {
    GuardedImage image(20, 10);
    const std::vector<uint8_t> before = image.Pixels();
    skins::PaintSection(0, "tspanel", skins::kNoParentBackground, image.View(), TPoint{},
                        TRect{-5, 3, 50, 50}, hot);
    ExpectOnly(image, before, TRect{0, 3, 20, 10}, Look(hot).color);
  }
}

TEST_F(SkinPaint, ThePictureTiledAndTheColourMixedByTheirPercents) {
  skins::TsPatternData p;
  p.section = "TSPANEL";
  p.property = skins::kImageFile;
  p.bitmap = skins::TsSkinBitmap(3, 2);
  for (size_t i = 0; i < p.bitmap.bits.size(); ++i) p.bitmap.bits[i] = static_cast<uint8_t>(i * 20);
  skin.PatternData.push_back(p);
  for (int percent : {100, 40}) {
    Look().image_percent = percent;
    GuardedImage image(8, 5);
    skins::PaintSection(0, "TsPanel", skins::kNoParentBackground, image.View(), TPoint{},
                        TRect{0, 0, 8, 5}, false);
    const skins::TPixels tile = p.bitmap.View();
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 8; ++x)
        for (int k = 0; k < 3; ++k) {
          const int s = tile.At(x % 3, y % 2)[k];
          const int c = k == 0 ? kColor.b : k == 1 ? kColor.g : kColor.r;
          ASSERT_EQ(image.At(x, y)[k], (s * percent + c * (100 - percent) + 50) / 100)
              << percent << "% at " << x << "," << y;
        }
    EXPECT_TRUE(image.GuardsIntact());
  }
  // The hot state has no picture of its own: its colour alone.
  Look(true).image_percent = 100;
  GuardedImage image(8, 5);
  const std::vector<uint8_t> before = image.Pixels();
  skins::PaintSection(0, "TsPanel", skins::kNoParentBackground, image.View(), TPoint{},
                      TRect{0, 0, 8, 5}, true);
  ExpectOnly(image, before, TRect{0, 0, 8, 5}, Look(true).color);
}

TEST_F(SkinPaint, ParentPixelsByTransparencyClippedWhereTheRecordEnds) {
  std::mt19937 rng(29);
  GuardedImage parent(30, 20);
  parent.Randomize(rng);
  skins::TParentBackground record;
  record.bitmap = parent.View();
  record.valid = true;
  record.x = 20;
  record.y = 12;
  for (int t : {100, 50, 0}) {
    Look().transparency = t;
    GuardedImage image(16, 12);
    // Offset (1, 2) and the record's (20, 12): bitmap pixel (x, y) lies over
    // parent pixel (x + 21, y + 14); only 9 x 6 of them are covered.
    skins::PaintSection(0, "TsPanel", record, image.View(), TPoint{1, 2}, TRect{0, 0, 16, 12},
                        false);
    SCOPED_TRACE(testing::Message() << "transparency " << t);
    const int c[3] = {kColor.b, kColor.g, kColor.r};
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 16; ++x)
        for (int k = 0; k < 3; ++k) {
          const int px = x + 21, py = y + 14;
          const bool covered = px < 30 && py < 20;
          const int got = image.At(x, y)[k];
          if (t == 0 || !covered) {
            // No parent pixel there: the own look alone.
            ASSERT_EQ(got, c[k]) << x << "," << y;
          } else if (t == 100) {
            ASSERT_EQ(got, parent.At(px, py)[k]) << x << "," << y;
          } else {
            ASSERT_LE(std::abs(2 * got - (parent.At(px, py)[k] + c[k])), 3) << x << "," << y;
          }
        }
    EXPECT_TRUE(image.GuardsIntact());
    EXPECT_TRUE(parent.GuardsIntact());
  }
}

TEST_F(SkinPaint, TheBorderMaskAroundTheRectangle) {
  std::mt19937 rng(31);
  skins::TsMaskData m;
  m.section = "TSPANEL";
  m.property = skins::kBordersMask;
  m.bitmap = skins::TsSkinBitmap(18, 12);  // cells of 2 x 2
  for (uint8_t& b : m.bitmap.bits) b = static_cast<uint8_t>(rng());
  skin.MaskData.push_back(m);
  GuardedImage image(20, 10), want(20, 10);
  skins::PaintSectionWithBorders(0, "TsPanel", skins::kNoParentBackground, image.View(), TPoint{},
                                 TRect{2, 1, 30, 8}, false, 1, true);
  // The same as the colour, then the kernel's nine cells on the clipped rectangle.
  want.Fill(kColor);
  const std::vector<uint8_t> untouched = GuardedImage(20, 10).Pixels();
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x)
      if (x < 2 || y < 1 || y >= 8)
        std::copy(&untouched[(y * 20 + x) * 3], &untouched[(y * 20 + x) * 3] + 3, want.At(x, y));
  skins::DrawBorderCells(want.View(), m.bitmap.View(), 1, skins::kNoParentBackground, true,
                         TRect{2, 1, 20, 8});
  EXPECT_EQ(image.Pixels(), want.Pixels());
  EXPECT_TRUE(image.GuardsIntact());
}
