// The LED meter's setter rules, lit and band counts and segment layout.
#include <gtest/gtest.h>

#include "components/LedMeterCore.h"

using namespace components;

namespace {

// The player's meters: 60 segments, thresholds 60 and 85, no bevel.
LedMeterCore PlayerMeter() {
  LedMeterCore m;
  m.SetNumDigits(60);
  m.SetStartColor2(60);
  m.SetStartColor3(85);
  m.SetLEDContrast(6);
  m.SetBevelStyle(bvNone);
  return m;
}

} // namespace

TEST(LedMeterCore, DefaultsDimWithContrastFour) {
  LedMeterCore m;
  EXPECT_EQ(m.LEDContrast(), 6);
  EXPECT_EQ(m.NumDigits(), 20);
  EXPECT_EQ(m.StartColor2(), 75);
  EXPECT_EQ(m.StartColor3(), 90);
  EXPECT_EQ(m.DimColor(0), classlib::RGBColor(0, 153, 0));
  EXPECT_EQ(m.DimColor(1), classlib::RGBColor(153, 153, 0));
  EXPECT_EQ(m.DimColor(2), classlib::RGBColor(153, 0, 0));
  // Setting the contrast to its current value keeps the 0.6 dimming.
  EXPECT_EQ(m.SetLEDContrast(6), MeterEffect::None);
  EXPECT_EQ(m.DimColor(0), classlib::RGBColor(0, 153, 0));
  EXPECT_EQ(m.SetLEDContrast(5), MeterEffect::Invalidate);
  EXPECT_EQ(m.DimColor(0), classlib::RGBColor(0, 128, 0));
}

TEST(LedMeterCore, ContrastAboveNineIsIgnored) {
  LedMeterCore m;
  EXPECT_EQ(m.SetLEDContrast(12), MeterEffect::None);
  EXPECT_EQ(m.LEDContrast(), 6);
  EXPECT_EQ(m.SetLEDContrast(-1), MeterEffect::None);
}

TEST(LedMeterCore, LitAndBandCounts) {
  LedMeterCore m = PlayerMeter();
  m.SetPosition(50);
  EXPECT_EQ(m.LitCount(), 30);
  EXPECT_EQ(m.Band2Count(), 36);
  EXPECT_EQ(m.Band3Count(), 51);
  m.SetPosition(100);
  EXPECT_EQ(m.LitCount(), 60);
  m.SetPosition(0);
  EXPECT_EQ(m.LitCount(), 0);
  // Halves round to even: 20 segments, position 2.5 % of 100 -> 0.5 -> 0.
  LedMeterCore h;
  h.SetNumDigits(10);
  h.SetPosition(25); // 2.5 segments -> 2
  EXPECT_EQ(h.LitCount(), 2);
  h.SetPosition(35); // 3.5 -> 4
  EXPECT_EQ(h.LitCount(), 4);
}

TEST(LedMeterCore, PositionIsClampedAfterTheEqualityTest) {
  LedMeterCore m;
  EXPECT_EQ(m.SetPosition(0), MeterEffect::None);
  EXPECT_EQ(m.SetPosition(-5), MeterEffect::Repaint); // stood at 0 already
  EXPECT_EQ(m.Position(), 0);
  EXPECT_EQ(m.SetPosition(150), MeterEffect::Repaint);
  EXPECT_EQ(m.Position(), 100);
  EXPECT_EQ(m.SetPosition(150), MeterEffect::Repaint); // 150 != 100 stored
  EXPECT_EQ(m.SetPosition(100), MeterEffect::None);
}

TEST(LedMeterCore, ColourThresholdsStayOrderedAndInRange) {
  LedMeterCore m;
  m.SetStartColor2(95); // above StartColor3 (90)
  EXPECT_EQ(m.StartColor2(), 90);
  m.SetStartColor3(10); // below StartColor2
  EXPECT_EQ(m.StartColor3(), 90);
  m.SetStartColor3(500);
  EXPECT_EQ(m.StartColor3(), 100);
  m.SetMax(50);
  EXPECT_EQ(m.StartColor2(), 50);
  EXPECT_EQ(m.StartColor3(), 50);
  m.SetMin(70);
  EXPECT_EQ(m.StartColor2(), 70);
  EXPECT_EQ(m.StartColor3(), 70);
}

TEST(LedMeterCore, EmptyRangesLightNothing) {
  LedMeterCore m;
  m.SetPosition(50);
  m.SetMax(0); // range 0
  EXPECT_EQ(m.LitCount(), 0);
  m.SetMax(-10);
  EXPECT_EQ(m.LitCount(), 0);
}

TEST(LedMeterCore, SegmentsOfThePlayerMeter) {
  LedMeterCore m = PlayerMeter();
  m.SetPosition(50);
  const auto segs = m.Segments(485, 5);
  ASSERT_EQ(segs.size(), 60u);
  // 485 / 60 = 8 pixels a segment; neighbours share the separator column.
  EXPECT_EQ(segs[0].Box.Left, 0);
  EXPECT_EQ(segs[0].Box.Right, 9);
  EXPECT_EQ(segs[1].Box.Left, 8);
  EXPECT_EQ(segs[0].Box.Top, 0);
  EXPECT_EQ(segs[0].Box.Bottom, 5);
  EXPECT_TRUE(segs[29].Lit);
  EXPECT_FALSE(segs[30].Lit);
  EXPECT_EQ(segs[29].Color, classlib::RGBColor(0, 255, 0));
  EXPECT_EQ(segs[30].Color, classlib::RGBColor(0, 153, 0));
  EXPECT_EQ(segs[35].Band, 0);
  EXPECT_EQ(segs[36].Band, 1);
  EXPECT_EQ(segs[50].Band, 1);
  EXPECT_EQ(segs[51].Band, 2);
  EXPECT_EQ(segs[59].Color, classlib::RGBColor(153, 0, 0));
}

TEST(LedMeterCore, SegmentPlacementForEachDirection) {
  LedMeterCore m; // bevel: border 1
  m.SetNumDigits(10);
  m.SetDirection(mdLeft);
  auto s = m.Segments(102, 12);
  EXPECT_EQ(s[0].Box.Left, 102 - 1 - 10 - 1);
  EXPECT_EQ(s[0].Box.Top, 1);
  EXPECT_EQ(s[0].Box.Bottom, 11);
  m.SetDirection(mdUp);
  s = m.Segments(12, 102);
  EXPECT_EQ(s[0].Box.Top, 102 - 1 - 10);
  EXPECT_EQ(s[0].Box.Left, 1);
  EXPECT_EQ(s[0].Box.Right, 1 + 9 + 1); // W = 12 - 2 - 1
  EXPECT_EQ(s[9].Box.Top, 1);
  m.SetDirection(mdDown);
  s = m.Segments(12, 102);
  EXPECT_EQ(s[0].Box.Top, 1);
  EXPECT_EQ(s[9].Box.Top, 91);
}

TEST(LedMeterCore, SingleLedLightsOnlyTheTopSegment) {
  LedMeterCore m;
  m.SetNumDigits(10);
  m.SetSingleLED(true);
  m.SetPosition(50);
  const auto s = m.Segments(100, 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(s[i].Lit, i == 4) << i;
}

TEST(LedMeterCore, NoSegmentsWithoutDigitsOrRoom) {
  LedMeterCore m;
  m.SetNumDigits(0);
  EXPECT_TRUE(m.Segments(143, 16).empty());
  m.SetNumDigits(-3);
  EXPECT_TRUE(m.Segments(143, 16).empty());
  m.SetNumDigits(20);
  EXPECT_TRUE(m.Segments(10, 16).empty()); // narrower than the segments
  EXPECT_TRUE(m.Segments(143, 2).empty());
}

TEST(LedMeterCore, BevelCutsAndTheBorderTheyTake) {
  LedMeterCore m;
  EXPECT_EQ(m.BevelStyle(), bvLowered);
  // A blank cut is no meter frame: ignored, nothing repainted.
  EXPECT_EQ(m.SetBevelStyle(bvSpace), MeterEffect::None);
  EXPECT_EQ(m.BevelStyle(), bvLowered);
  EXPECT_EQ(m.SetBevelStyle(bvRaised), MeterEffect::Repaint);
  EXPECT_EQ(m.Border(), 1);
  EXPECT_EQ(m.SetBevelStyle(bvNone), MeterEffect::Repaint);
  EXPECT_EQ(m.Border(), 0);
  m.SetNumDigits(10);
  EXPECT_EQ(m.Segments(100, 12)[0].Box, Rect(0, 0, 11, 12));
}
