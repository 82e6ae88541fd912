// The alert popup's rules: scroller, layout, auto size, position text,
// disabled grey, colour styles, themes and the five window positions.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "components/AlertPopupCore.h"

TEST(AlertPopupCore, ScrollerBoundsAndMoves) {
  TMsgScroller s;
  s.SetMin(1); // refused: Max 0 < 1
  EXPECT_EQ(s.Min(), 0);
  s.SetMax(3);
  s.SetMin(1);
  s.SetPosition(1);
  EXPECT_FALSE(s.CanGoPrev());
  EXPECT_TRUE(s.CanGoNext());
  s.SetMax(0); // refused: below Min
  EXPECT_EQ(s.Max(), 3);
  s.SetPosition(3);
  EXPECT_TRUE(s.CanGoPrev());
  EXPECT_FALSE(s.CanGoNext());
}

TEST(AlertPopupCore, PositionTextReplacesOnlyNumbers) {
  EXPECT_EQ(components::PositionText("%d of %d", 2, 3), "2 of 3");
  EXPECT_EQ(components::PositionText("%s %n %d%% %", 1, 2), "%s %n 1%% %");
  EXPECT_EQ(components::PositionText("%d %d %d", 1, 2), "1 2 %d");
}

TEST(AlertPopupCore, LayoutOfOneAndThreeMessages) {
  AlertLayout one = components::LayoutAlert(300, 100, 40, false, true, 0, false, 4, 1);
  EXPECT_EQ(one.Caption, Rect(1, 1, 299, 7));
  EXPECT_EQ(one.Close, Rect(279, 8, 299, 28));
  EXPECT_EQ(one.Delete, Rect(140, 74, 160, 99));
  EXPECT_EQ(one.Popup, Rect(165, 74, 185, 99));
  EXPECT_EQ(one.Text, Rect(4, 21, 276, 74)); // the player's text area
  AlertLayout three = components::LayoutAlert(300, 100, 48, true, true, 16, true, 4, 1);
  EXPECT_EQ(three.Prev, Rect(106, 74, 126, 99));
  EXPECT_EQ(three.Next, Rect(174, 74, 194, 99));
  EXPECT_EQ(three.Delete, Rect(194, 74, 214, 99));
  EXPECT_EQ(three.Text.Left, 16 + 5 + 4);
  AlertLayout noDelete = components::LayoutAlert(300, 100, 48, true, false, 0, false, 4, 1);
  EXPECT_EQ(noDelete.Popup.Left, 199);
}

TEST(AlertPopupCore, AutoSizeWithAndWithoutImagesAndCaps) {
  AlertAutoSizeInput in;
  in.TextWidth = 100;
  in.TextHeight = 13;
  TSize s = AlertAutoSize(in);
  EXPECT_EQ(s.cx, 100 + 8 + 20 + 16);
  EXPECT_EQ(s.cy, 13 + 20 + 2 + 16);
  in.ScrollerVisible = in.ShowDelete = in.ShowPopup = true;
  in.HasImages = true;
  in.ImagesWidth = in.ImagesHeight = 32;
  s = AlertAutoSize(in);
  EXPECT_EQ(s.cx, 100 + 37 + 8 + 20 + 16 + 50);
  EXPECT_EQ(s.cy, 13 + 37 + 2 + 25 + 16);
  in.MaxWidth = 120;
  in.MaxHeight = 60;
  s = AlertAutoSize(in);
  EXPECT_EQ(s.cx, 120);
  EXPECT_EQ(s.cy, 60);
}

TEST(AlertPopupCore, GreyStylesThemesAndPositions) {
  EXPECT_EQ(components::DisabledGrey(255, 255, 255), 255);
  EXPECT_EQ(components::DisabledGrey(0, 0, 0), 128);
  EXPECT_EQ(components::DisabledGrey(90, 30, 0), 148);
  AlertColors c;
  ASSERT_TRUE(AlertColorStyle(0, c));
  EXPECT_EQ(c.WindowColor, 0xFADAC4);
  EXPECT_EQ(c.BorderColor, 0x962D00);
  ASSERT_TRUE(AlertColorStyle(3, c));
  EXPECT_EQ(c.BorderColor, static_cast<int32_t>(0xFF000002u));
  EXPECT_FALSE(AlertColorStyle(4, c));
  EXPECT_EQ(AlertThemeStyle(L"HomeStead"), 2);
  EXPECT_EQ(AlertThemeStyle(L"metallic"), 3);
  const TRect work = Rect(0, 0, 1024, 738);
  EXPECT_EQ(AlertTarget(wpRightBottom, work, 300, 100, 0, 0, 0, 0), Point(722, 638));
  EXPECT_EQ(AlertTarget(wpLeftTop, work, 300, 100, 5, 6, 0, 0), Point(7, 6));
  EXPECT_EQ(AlertTarget(wpRightTop, work, 300, 100, 5, 6, 0, 0), Point(717, 6));
  EXPECT_EQ(AlertTarget(wpLeftBottom, work, 300, 100, 5, 6, 0, 0), Point(7, 632));
  EXPECT_EQ(AlertTarget(wpPreset, work, 300, 100, 5, 6, 40, 50), Point(40, 50));
}

TEST(AlertPopupCore, DisabledRowGreysEachPixelFromAnyWidthOfPixel) {
  // Blue, green, red order: (B 0, G 30, R 90) and white, from 3-byte pixels
  // into 4-byte ones whose unused byte was dirty.
  const uint8_t src[6] = {0, 30, 90, 255, 255, 255};
  uint8_t dst[8];
  std::fill(std::begin(dst), std::end(dst), 7);
  components::DisabledRow(src, 3, dst, 4, 2);
  const uint8_t want[8] = {148, 148, 148, 0, 255, 255, 255, 0};
  EXPECT_TRUE(std::equal(std::begin(dst), std::end(dst), std::begin(want)));
  // 4-byte source pixels: the fourth byte is not a colour.
  const uint8_t src4[4] = {0, 0, 0, 200};
  uint8_t dst3[3] = {};
  components::DisabledRow(src4, 4, dst3, 3, 1);
  EXPECT_EQ(dst3[0], 128);
  EXPECT_EQ(dst3[2], 128);
}
