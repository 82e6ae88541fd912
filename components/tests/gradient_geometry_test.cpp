// The gradient's colour table and the bands of all ten styles.
#include <gtest/gtest.h>

#include <set>

#include "components/GradientGeometry.h"

namespace {

const RgbColor kBlack = MakeRgb(0, 0, 0), kWhite = MakeRgb(255, 255, 255);

GradientColors Ramp() { return BuildColors(kBlack, kWhite, gdDownRight); }

std::vector<GradShape> Shapes(TGradStyle s, int W, int H, int step = 1, bool buffered = true) {
  return DrawGradientShapes(s, Ramp(), W, H, step, buffered);
}

}  // namespace

TEST(BuildColors, RampFromStartToEnd) {
  const GradientColors c = Ramp();
  EXPECT_EQ(c[0], kBlack);
  EXPECT_EQ(c[128], MakeRgb(128, 128, 128));
  EXPECT_EQ(c[255], kWhite);
  const GradientColors r = BuildColors(kBlack, kWhite, gdUpLeft);
  EXPECT_EQ(r[0], kWhite);
  EXPECT_EQ(r[255], kBlack);
  EXPECT_EQ(r[127], MakeRgb(128, 128, 128));
  // Falling channels and halves to even: blue 255 -> red 0 at entry 1 is
  // 255 - 1 = 254; a channel 0 -> 1 reaches 1 at i = 128 (127.5/255 rounds to 0).
  const GradientColors d = BuildColors(MakeRgb(0, 0, 255), MakeRgb(1, 0, 0), gdDownRight);
  EXPECT_EQ(RgbBlue(d[1]), 254);
  EXPECT_EQ(RgbRed(d[127]), 0);
  EXPECT_EQ(RgbRed(d[128]), 1);
}

TEST(BuildColors, EqualColoursGiveOneColour) {
  const RgbColor c = MakeRgb(12, 34, 56);
  for (RgbColor v : BuildColors(c, c, gdUpLeft)) EXPECT_EQ(v, c);
  for (const GradShape& s : DrawGradientShapes(gsVertical, BuildColors(c, c, gdDownRight), 300,
                                               200, 1, true))
    EXPECT_EQ(s.Color, c);
}

TEST(GradientShapes, VerticalBandsStartOneStepApart) {
  const auto s = Shapes(gsVertical, 506, 263);
  ASSERT_EQ(s.size(), 256u);
  const float FY = 263 / 255.0f;  // SH = 2
  EXPECT_EQ(s[0].Pts[0], (GradPoint{0, 0}));
  EXPECT_EQ(s[0].Pts[1], (GradPoint{506, 2}));
  EXPECT_EQ(s[1].Pts[0].y, 0);  // bands 0 and 1 both start at 0
  EXPECT_EQ(s[2].Pts[0].y, static_cast<int>(1 * FY));
  EXPECT_EQ(s[255].Pts[0].y, static_cast<int>(254 * FY));
  EXPECT_EQ(s[255].Color, kWhite);
  for (const auto& b : s) EXPECT_EQ(b.Type, GradShape::FillRect);
}

TEST(GradientShapes, HorizontalBandsCoverTheWidth) {
  const auto s = Shapes(gsHorizontal, 100, 80);
  ASSERT_EQ(s.size(), 256u);
  EXPECT_EQ(s[0].Pts[1], (GradPoint{1, 80}));  // SW = trunc(100/255 + 1) = 1
  int maxRight = 0;
  for (const auto& b : s) maxRight = std::max(maxRight, b.Pts[1].x);
  EXPECT_EQ(maxRight, static_cast<int>(254 * (100 / 255.0f)) + 1);
}

TEST(GradientShapes, CornerStylesAreSixPointPolygons) {
  for (TGradStyle st : {gsCornerTopLeft, gsCornerTopRight, gsCornerBottomRight, gsCornerBottomLeft}) {
    const auto s = Shapes(st, 510, 255);
    ASSERT_EQ(s.size(), 256u);
    for (const auto& p : s) {
      ASSERT_EQ(p.Type, GradShape::Polygon);
      ASSERT_EQ(p.Pts.size(), 6u);
    }
  }
  // Top-left: band 0 (start colour) is the outermost L at X = 2 * 255.
  const auto tl = Shapes(gsCornerTopLeft, 510, 255);
  EXPECT_EQ(tl[0].Pts[1], (GradPoint{510, 255}));
  EXPECT_EQ(tl[255].Pts[1], (GradPoint{0, 0}));
  const auto br = Shapes(gsCornerBottomRight, 510, 255);
  EXPECT_EQ(br[0].Pts[4], (GradPoint{0, 0}));
  EXPECT_EQ(br[255].Pts[4], (GradPoint{510, 255}));  // the corner itself
}

TEST(GradientShapes, DiagonalsRunEdgeToEdge) {
  const auto f = Shapes(gsDiagonalFalling, 254, 127);  // FX 2, FY 1: SW 3, SH 2
  ASSERT_EQ(f.size(), 256u);
  EXPECT_EQ(f[0].Pts, (std::vector<GradPoint>{{0, 0}, {3, 0}, {0, 2}, {0, 0}}));
  EXPECT_EQ(f[127].Pts[0], (GradPoint{254, 0}));
  EXPECT_EQ(f[128].Pts, (std::vector<GradPoint>{{254, 0}, {254, 2}, {3, 127}, {0, 127}}));
  const auto r = Shapes(gsDiagonalRising, 254, 127);
  EXPECT_EQ(r[0].Pts, (std::vector<GradPoint>{{0, 127}, {3, 127}, {0, 127}, {0, 129}}));
  EXPECT_EQ(r[128 + 127].Pts[3], (GradPoint{254, 0}));
  EXPECT_EQ(r[255].Color, kWhite);
}

TEST(GradientShapes, EllipsesShrinkTowardTheCentre) {
  const auto s = Shapes(gsEllipse, 100, 80, 1, true);
  ASSERT_GT(s.size(), 1u);
  EXPECT_EQ(s[0].Type, GradShape::FillRect);
  EXPECT_EQ(s[0].Color, kGradientSilver);
  // Half = 48, G = 2..47.
  ASSERT_EQ(s.size(), 1u + 46u);
  EXPECT_EQ(s[1].Pts[0], (GradPoint{1, 1}));
  EXPECT_EQ(s[1].Pts[1], (GradPoint{99, 79}));
  EXPECT_EQ(s[2].Pts[0], (GradPoint{2, 1}));  // Y = trunc(2 * 0.8)
  EXPECT_EQ(s[1].Color, Ramp()[static_cast<int>(2 * (255.0f / 48))]);
  const auto unbuffered = Shapes(gsEllipse, 100, 80, 1, false);
  EXPECT_EQ(unbuffered.size(), 46u);
  EXPECT_EQ(Shapes(gsEllipse, 100, 80, 5, false).size(), 10u);  // G = 2, 7, ... 47
}

TEST(GradientShapes, PyramidLinesMeetInTheCentre) {
  const auto s = Shapes(gsPyramid, 40, 20, 2);
  // M = 0, 2, .. 40 (21 values) and 0, 2, .. 20 (11 values), two lines each.
  ASSERT_EQ(s.size(), 2u * (21 + 11));
  EXPECT_EQ(s[0].Pts[1], (GradPoint{20, 10}));
  EXPECT_EQ(s[0].PenWidth, 2);
  EXPECT_EQ(s[1].Pts[1], (GradPoint{0, 20}));
  EXPECT_EQ(s.back().Pts[1], (GradPoint{-1, 20}));
  EXPECT_EQ(s[41].Color, Ramp()[static_cast<int>((40 + 20) * (255.0f / 60))]);
}

TEST(GradientShapes, TinySizesDrawNothingInsteadOfDividingByZero) {
  for (int w : {0, 1, 4, 6}) {
    EXPECT_EQ(Shapes(gsEllipse, w, 0, 1, false).size(), 0u) << w;
    EXPECT_EQ(Shapes(gsEllipse, w, 10, 1, true).size(), 1u) << w;  // the silver fill only
  }
  EXPECT_TRUE(Shapes(gsPyramid, 0, 0).empty());
  EXPECT_EQ(Shapes(gsPyramid, 0, 1).size(), 2u + 4u);
  for (int st = gsCornerTopLeft; st <= gsVertical; ++st) {
    for (const auto& shape : Shapes(static_cast<TGradStyle>(st), 0, 0))
      for (const auto& p : shape.Pts) {
        EXPECT_GE(p.x, -1);
        EXPECT_LE(p.x, 2);
      }
  }
}

TEST(GradientShapes, StepWidthBelowOneIsTreatedAsOne) {
  EXPECT_EQ(Shapes(gsPyramid, 10, 10, 0).size(), Shapes(gsPyramid, 10, 10, 1).size());
}
