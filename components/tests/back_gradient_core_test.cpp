// The gradient's colour table and the bands of all ten styles.
#include <gtest/gtest.h>

#include <set>

#include "components/BackGradientCore.h"

using namespace components;

namespace {

const TColor kBlack = classlib::RGBColor(0, 0, 0), kWhite = classlib::RGBColor(255, 255, 255);

GradientColors Ramp() { return BuildColors(kBlack, kWhite, gdDownRight); }

std::vector<GradShape> Shapes(TGradStyle s, int W, int H, int step = 1, bool buffered = true) {
  return DrawGradientShapes(s, Ramp(), W, H, step, buffered);
}

} // namespace

TEST(BuildColors, RampFromStartToEnd) {
  const GradientColors c = Ramp();
  EXPECT_EQ(c[0], kBlack);
  EXPECT_EQ(c[128], classlib::RGBColor(128, 128, 128));
  EXPECT_EQ(c[255], kWhite);
  const GradientColors r = BuildColors(kBlack, kWhite, gdUpLeft);
  EXPECT_EQ(r[0], kWhite);
  EXPECT_EQ(r[255], kBlack);
  EXPECT_EQ(r[127], classlib::RGBColor(128, 128, 128));
  // Falling channels and halves to even: blue 255 -> red 0 at entry 1 is
  // 255 - 1 = 254; a channel 0 -> 1 reaches 1 at i = 128 (127.5/255 rounds to 0).
  const GradientColors d =
      BuildColors(classlib::RGBColor(0, 0, 255), classlib::RGBColor(1, 0, 0), gdDownRight);
  EXPECT_EQ(classlib::ColorBlue(d[1]), 254);
  EXPECT_EQ(classlib::ColorRed(d[127]), 0);
  EXPECT_EQ(classlib::ColorRed(d[128]), 1);
}

TEST(BuildColors, EqualColoursGiveOneColour) {
  const TColor c = classlib::RGBColor(12, 34, 56);
  for (TColor v : BuildColors(c, c, gdUpLeft)) EXPECT_EQ(v, c);
  for (const GradShape& s :
       DrawGradientShapes(gsVertical, BuildColors(c, c, gdDownRight), 300, 200, 1, true))
    EXPECT_EQ(s.Color, c);
}

TEST(GradientShapes, VerticalBandsStartOneStepApart) {
  const auto s = Shapes(gsVertical, 506, 263);
  ASSERT_EQ(s.size(), 256u);
  // FY = 263 / 255 = 1.0314, so SH = 2.
  EXPECT_EQ(s[0].Pts[0], (TPoint{0, 0}));
  EXPECT_EQ(s[0].Pts[1], (TPoint{506, 2}));
  EXPECT_EQ(s[1].Pts[0].Y, 0);     // bands 0 and 1 both start at 0
  EXPECT_EQ(s[2].Pts[0].Y, 1);     // trunc(1 x 1.0314)
  EXPECT_EQ(s[33].Pts[0].Y, 33);   // trunc(32 x 1.0314) = trunc(33.004)
  EXPECT_EQ(s[255].Pts[0].Y, 261); // trunc(254 x 1.0314) = trunc(261.97)
  EXPECT_EQ(s[255].Pts[1], (TPoint{506, 263}));
  EXPECT_EQ(s[255].Color, kWhite);
  for (const auto& b : s) EXPECT_EQ(b.Type, GradShape::Kind::FillRect);
}

TEST(GradientShapes, HorizontalBandsCoverTheWidth) {
  const auto s = Shapes(gsHorizontal, 100, 80);
  ASSERT_EQ(s.size(), 256u);
  EXPECT_EQ(s[0].Pts[1], (TPoint{1, 80})); // SW = trunc(100/255 + 1) = 1
  int maxRight = 0;
  for (const auto& b : s) maxRight = std::max(maxRight, b.Pts[1].X);
  // The last band starts at trunc(254 x 100/255) = trunc(99.61) = 99.
  EXPECT_EQ(maxRight, 100);
  EXPECT_EQ(s[128].Pts[0].X, 49); // trunc(127 x 0.39216) = trunc(49.80)
}

TEST(GradientShapes, CornerStylesAreSixPointPolygons) {
  for (TGradStyle st :
       {gsCornerTopLeft, gsCornerTopRight, gsCornerBottomRight, gsCornerBottomLeft}) {
    const auto s = Shapes(st, 510, 255);
    ASSERT_EQ(s.size(), 256u);
    for (const auto& p : s) {
      ASSERT_EQ(p.Type, GradShape::Kind::Polygon);
      ASSERT_EQ(p.Pts.size(), 6u);
    }
  }
  // Top-left: band 0 (start colour) is the outermost L at X = 2 * 255.
  const auto tl = Shapes(gsCornerTopLeft, 510, 255);
  EXPECT_EQ(tl[0].Pts[1], (TPoint{510, 255}));
  EXPECT_EQ(tl[255].Pts[1], (TPoint{0, 0}));
  const auto br = Shapes(gsCornerBottomRight, 510, 255);
  EXPECT_EQ(br[0].Pts[4], (TPoint{0, 0}));
  EXPECT_EQ(br[255].Pts[4], (TPoint{510, 255})); // the corner itself
}

TEST(GradientShapes, DiagonalsRunEdgeToEdge) {
  const auto f = Shapes(gsDiagonalFalling, 254, 127); // FX 2, FY 1: SW 3, SH 2
  ASSERT_EQ(f.size(), 256u);
  EXPECT_EQ(f[0].Pts, (std::vector<TPoint>{{0, 0}, {3, 0}, {0, 2}, {0, 0}}));
  EXPECT_EQ(f[127].Pts[0], (TPoint{254, 0}));
  EXPECT_EQ(f[128].Pts, (std::vector<TPoint>{{254, 0}, {254, 2}, {3, 127}, {0, 127}}));
  const auto r = Shapes(gsDiagonalRising, 254, 127);
  EXPECT_EQ(r[0].Pts, (std::vector<TPoint>{{0, 127}, {3, 127}, {0, 127}, {0, 129}}));
  EXPECT_EQ(r[128 + 127].Pts[3], (TPoint{254, 0}));
  EXPECT_EQ(r[255].Color, kWhite);
}

TEST(GradientShapes, EllipsesShrinkTowardTheCentre) {
  const auto s = Shapes(gsEllipse, 100, 80, 1, true);
  ASSERT_GT(s.size(), 1u);
  EXPECT_EQ(s[0].Type, GradShape::Kind::FillRect);
  EXPECT_EQ(s[0].Color, kGradientSilver);
  // Half = 48, G = 2..47.
  ASSERT_EQ(s.size(), 1u + 46u);
  EXPECT_EQ(s[1].Pts[0], (TPoint{1, 1}));
  EXPECT_EQ(s[1].Pts[1], (TPoint{99, 79}));
  EXPECT_EQ(s[2].Pts[0], (TPoint{2, 1}));                // Y = trunc(2 * 0.8)
  EXPECT_EQ(s[1].Color, classlib::RGBColor(10, 10, 10)); // entry trunc(2 x 255/48) = trunc(10.625)
  EXPECT_EQ(s.back().Color, classlib::RGBColor(249, 249, 249)); // trunc(47 x 5.3125) = 249
  EXPECT_EQ(s.back().Pts[0], (TPoint{46, 36}));                 // X = 46, Y = trunc(46 x 0.8) = 36
  const auto unbuffered = Shapes(gsEllipse, 100, 80, 1, false);
  EXPECT_EQ(unbuffered.size(), 46u);
  EXPECT_EQ(Shapes(gsEllipse, 100, 80, 5, false).size(), 10u); // G = 2, 7, ... 47
}

TEST(GradientShapes, PyramidLinesMeetInTheCentre) {
  const auto s = Shapes(gsPyramid, 40, 20, 2);
  // M = 0, 2, .. 40 (21 values) and 0, 2, .. 20 (11 values), two lines each.
  ASSERT_EQ(s.size(), 2u * (21 + 11));
  EXPECT_EQ(s[0].Pts[1], (TPoint{20, 10}));
  EXPECT_EQ(s[0].PenWidth, 2);
  EXPECT_EQ(s[1].Pts[1], (TPoint{0, 20}));
  EXPECT_EQ(s.back().Pts[1], (TPoint{-1, 20}));
  // A = 255 / 60 = 4.25: the last top line (M = 40) runs on in entry
  // trunc(60 x 4.25) = 255; the first line of the sides (M = 0 from the right
  // edge) in trunc(40 x 4.25) = 170.
  EXPECT_EQ(s[41].Color, kWhite);
  EXPECT_EQ(s[42].Color, classlib::RGBColor(170, 170, 170));
  EXPECT_EQ(s[42].Pts[0], (TPoint{40, 0}));
  EXPECT_EQ(s[2].Color, classlib::RGBColor(8, 8, 8)); // M = 2: trunc(2 x 4.25) = 8
}

TEST(GradientShapes, TinySizesDrawNothingInsteadOfDividingByZero) {
  for (int w : {0, 1, 4, 6}) {
    EXPECT_EQ(Shapes(gsEllipse, w, 0, 1, false).size(), 0u) << w;
    EXPECT_EQ(Shapes(gsEllipse, w, 10, 1, true).size(), 1u) << w; // the silver fill only
  }
  EXPECT_TRUE(Shapes(gsPyramid, 0, 0).empty());
  EXPECT_EQ(Shapes(gsPyramid, 0, 1).size(), 2u + 4u);
  for (int st = gsCornerTopLeft; st <= gsVertical; ++st) {
    for (const auto& shape : Shapes(static_cast<TGradStyle>(st), 0, 0))
      for (const auto& p : shape.Pts) {
        EXPECT_GE(p.X, -1);
        EXPECT_LE(p.X, 2);
      }
  }
}

TEST(GradientShapes, StepWidthBelowOneIsTreatedAsOne) {
  EXPECT_EQ(Shapes(gsPyramid, 10, 10, 0).size(), Shapes(gsPyramid, 10, 10, 1).size());
}
