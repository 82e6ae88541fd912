// Gradient strings: the parser's grouping of words, its failures (which
// change nothing), and the painted bands pixel by pixel; the word helpers.
#include <gtest/gtest.h>

#include <cmath>

#include "classlib/SysUtils.h"
#include "skins/sGradientCore.h"
#include "skins/sUtils.h"
#include "skins/tests/GuardedImage.h"

using namespace skins;
using skins_test::GuardedImage;

namespace {

uint8_t Near(double v) { return static_cast<uint8_t>(std::lround(v)); }

// Expected red channel of a band from 0 to 255 over n steps at step k.
uint8_t Ramp(int from, int to, int n, int k) { return Near(from + k * (to - from) / double(n)); }

}  // namespace

TEST(Words, RunsOfDelimitersAreOne) {
  EXPECT_EQ(WordCount("1;;2", ";"), 2);
  EXPECT_EQ(WordCount(";;;", ";"), 0);
  EXPECT_EQ(WordCount("", ";"), 0);
  EXPECT_EQ(WordCount(" 13, 9 ,27", " ,"), 3);
  EXPECT_EQ(WordPosition(2, ";ab;;cd", ";"), 6);
  EXPECT_EQ(WordPosition(3, ";ab;;cd", ";"), 0);
  EXPECT_EQ(WordPosition(0, "ab", ";"), 0);
  EXPECT_EQ(ExtractWord(2, ";ab;;cd;", ";"), "cd");
  EXPECT_EQ(ExtractWord(3, ";ab;;cd;", ";"), "");
  EXPECT_TRUE(IsWordPresent("13", "9, 13", " ,"));
  EXPECT_FALSE(IsWordPresent("1", "9, 13", " ,"));
  EXPECT_FALSE(IsWordPresent("", "9, 13", " ,"));
  EXPECT_FALSE(IsWordPresent("Ab", "ab", " "));
}

TEST(ParseGradient, GroupsOfFive) {
  EXPECT_TRUE(ParseGradient("").empty());
  const TsGradArray two = ParseGradient("8421504;16777215;99;0;0;16777215;16777215;0;0;0");
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[0].color1, 0x808080);
  EXPECT_EQ(two[0].color2, 0xFFFFFF);
  EXPECT_EQ(two[0].percent, 99);
  EXPECT_EQ(two[1].percent, 0);
  // Nine numbers: one band, the rest ignored (even when not numbers).
  const TsGradArray nine = ParseGradient("1;2;3;4;5;6;7;8;x");
  ASSERT_EQ(nine.size(), 1u);
  EXPECT_EQ(nine[0].direction, 4);
  // An empty field is no word: 1 to 5 with one after the 1 is still one band.
  const TsGradArray gap = ParseGradient("1;;2;3;4;5");
  ASSERT_EQ(gap.size(), 1u);
  EXPECT_EQ(gap[0].color2, 2);
  EXPECT_EQ(gap[0].percent, 3);
  // A percent keeps its low byte.
  EXPECT_EQ(ParseGradient("0;0;300;0;0")[0].percent, 44);
}

TEST(ParseGradient, ABadNumberRaisesAndChangesNothing) {
  TsGradientData data = "0;255;100;1;0";
  TsGradArray bands = ParseGradient(data);
  EXPECT_THROW(SetGradientData("0;255;1x;1;0;5;5;5;5;5", data, bands), EConvertError);
  EXPECT_EQ(data, "0;255;100;1;0");
  ASSERT_EQ(bands.size(), 1u);
  EXPECT_EQ(bands[0].color2, 255);
  SetGradientData("", data, bands);
  EXPECT_TRUE(bands.empty());
  EXPECT_EQ(data, "");
}

TEST(PaintGradient, HorizontalBlackToRedOnEveryRow) {
  GuardedImage img(40, 5);
  img.Fill(TRgb{7, 7, 7});
  // Percent 100 of a rectangle narrower than the picture: the last band
  // still reaches the picture's right edge.
  PaintGradient(img.View(), TRect{0, 1, 20, 4}, ParseGradient("0;255;100;1;0"));
  EXPECT_TRUE(img.GuardsIntact());
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 40; ++x) {
      const uint8_t* p = img.At(x, y);
      if (y == 0 || y == 4) {
        ASSERT_EQ(p[2], 7) << "row outside the rectangle";
        continue;
      }
      ASSERT_EQ(p[0], 0);
      ASSERT_EQ(p[1], 0);
      ASSERT_EQ(p[2], Ramp(0, 255, 39, x)) << x;
    }
}

TEST(PaintGradient, VerticalBandsShareTheirBoundaryRow) {
  GuardedImage img(3, 21);
  img.Fill(TRgb{7, 7, 7});
  // 0 -> 100 over 50 % (10 rows: 0..10), then 200 -> 0 to the bottom.
  PaintGradient(img.View(), TRect{0, 0, 3, 21}, ParseGradient("0;100;50;0;0;200;0;10;5;0"));
  for (int y = 0; y < 21; ++y) {
    const int expect = y < 10 ? Ramp(0, 100, 10, y) : Ramp(200, 0, 10, y - 10);
    for (int x = 0; x < 3; ++x) ASSERT_EQ(img.At(x, y)[2], expect) << y;
  }
  EXPECT_TRUE(img.GuardsIntact());
}

TEST(PaintGradient, LastBandAtPercentZeroReachesTheBottom) {
  GuardedImage img(2, 11);
  img.Fill(TRgb{7, 7, 7});
  PaintGradient(img.View(), TRect{0, 0, 2, 11}, ParseGradient("255;0;0;0;0"));
  EXPECT_EQ(img.At(0, 0)[2], 255);
  EXPECT_EQ(img.At(1, 5)[2], 128);
  EXPECT_EQ(img.At(0, 10)[2], 0);
}

TEST(PaintGradient, ClippedAndNothingForOtherDirectionsOrNoBands) {
  GuardedImage img(10, 10);
  img.Fill(TRgb{7, 7, 7});
  const GuardedImage before = img;
  PaintGradient(img.View(), TRect{0, 0, 10, 10}, ParseGradient("0;255;100;2;0"));
  PaintGradient(img.View(), TRect{0, 0, 10, 10}, TsGradArray{});
  PaintGradient(img.View(), TRect{20, 20, 30, 30}, ParseGradient("0;255;100;0;0"));
  EXPECT_TRUE(img.SamePixels(before));
  // Far outside on every side, percentages past 100: only the picture is painted.
  for (const char* text : {"0;255;250;0;0;255;0;250;0;0", "0;255;250;1;0;255;0;250;1;0"}) {
    PaintGradient(img.View(), TRect{-50, -50, 500, 500}, ParseGradient(text));
    EXPECT_TRUE(img.GuardsIntact()) << text;
  }
}

TEST(PaintGradient, SystemColoursAreResolved) {
  GuardedImage img(1, 3);
  const TColor btn_face = static_cast<TColor>(0xFF00000Fu);
  TsGradArray bands = ParseGradient(IntToStr(btn_face) + ";" + IntToStr(btn_face) + ";0;0;0");
  PaintGradient(img.View(), TRect{0, 0, 1, 3}, bands,
                [](TColor c) -> uint32_t { return c == static_cast<TColor>(0xFF00000Fu) ? 0x336699u : 0u; });
  EXPECT_EQ(img.At(0, 2)[0], 0x33);
  EXPECT_EQ(img.At(0, 2)[1], 0x66);
  EXPECT_EQ(img.At(0, 2)[2], 0x99);
}
