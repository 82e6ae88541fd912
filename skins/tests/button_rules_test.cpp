// The skinned button's caption rectangle and AutoSize sums, and the checked
// controls' rules: the radio filter, the press and the state byte.
#include <gtest/gtest.h>

#include <vector>

#include "skins/sButtonControlCore.h"
#include "skins/sCheckedControlCore.h"

using namespace skins;

TEST(ButtonCaption, CentredWithItsSparePixels) {
  TButtonGeometry g; // 84 x 22, no margin
  EXPECT_EQ(CaptionMeasureWidth(g, 40), 40);
  EXPECT_EQ(CaptionRect(g, TSize{40, 13}), Rect(22 - 1, 4, 62 + 2, 18));
  g.Down = true;
  EXPECT_EQ(CaptionRect(g, TSize{40, 13}), Rect(22, 5, 65, 19));
  // An odd spare width: halving truncates, the right side keeps the pixel.
  g = TButtonGeometry{};
  g.Width = 75;
  g.Height = 25;
  g.Margin = 4;
  EXPECT_EQ(CaptionMeasureWidth(g, 200), 67); // wraps inside the margins
  EXPECT_EQ(CaptionRect(g, TSize{30, 13}), Rect(22 - 1, 6, 53 + 2, 19));
}

TEST(ButtonCaption, AlignmentsAndGlyph) {
  TButtonGeometry g;
  g.Alignment = 0;
  EXPECT_EQ(CaptionRect(g, TSize{40, 13}), Rect(-1, 4, 84 - 44 + 2, 18));
  g.Alignment = 1;
  EXPECT_EQ(CaptionRect(g, TSize{40, 13}), Rect(44 - 1, 4, 84 + 2, 18));
  // A 16 x 16 glyph and its spacing centred with the caption.
  g.Alignment = 2;
  g.Glyph = TSize{16, 16};
  const int half = (84 - 40 - 19) / 2; // 12
  EXPECT_EQ(GlyphPos(g, TSize{40, 13}), Point(half, 3));
  EXPECT_EQ(CaptionRect(g, TSize{40, 13}).Left, half + 19 - 1);
}

TEST(ButtonAutoSize, SumsOfGlyphBevelsCaptionAndMargins) {
  TButtonGeometry g;
  g.Margin = 3; // bevel 2, spacing 3
  // Caption only.
  EXPECT_EQ(ButtonAutoSize(g, TSize{50, 13}, 13, true).cx, 4 + 50 + 6);
  EXPECT_EQ(ButtonAutoSize(g, TSize{50, 13}, 13, true).cy, 13 + 6);
  // Glyph and caption side by side.
  g.Glyph = TSize{16, 16};
  TSize s = ButtonAutoSize(g, TSize{50, 13}, 13, true);
  EXPECT_EQ(s.cx, 16 + 4 + 3 + 50 + 6);
  EXPECT_EQ(s.cy, 16 + 4 + 6);
  // Glyph without caption.
  s = ButtonAutoSize(g, TSize{50, 13}, 13, false);
  EXPECT_EQ(s.cx, 16 + 4 + 6);
  EXPECT_EQ(s.cy, 16 + 4 + 6);
}

TEST(RadioFilter, ChecksExclusivelyAndRefusesUnchecking) {
  int cleared = 0;
  auto clear = [&] { ++cleared; };
  EXPECT_TRUE(RadioCheckedFilter(true, false, clear)); // stays checked
  EXPECT_EQ(cleared, 0);
  EXPECT_TRUE(RadioCheckedFilter(false, true, clear));
  EXPECT_EQ(cleared, 1);
  EXPECT_FALSE(RadioCheckedFilter(false, false, clear));
  EXPECT_EQ(cleared, 1);
}

TEST(CheckPress, CompletesOnReleaseWhereverThePointerIs) {
  TCheckPress p;
  EXPECT_FALSE(p.MouseDown(false, true)); // right button
  EXPECT_TRUE(p.MouseDown(true, true));
  EXPECT_FALSE(p.MouseDown(true, true)); // already pressed
  EXPECT_FALSE(p.SpaceDown(true));
  EXPECT_EQ(p.MouseUp(true, true, false), TPressResult::Toggle);
  EXPECT_FALSE(p.Pressed());
  EXPECT_EQ(p.MouseUp(true, true, false), TPressResult::None); // no press
  EXPECT_TRUE(p.SpaceDown(true));
  EXPECT_EQ(p.SpaceUp(false), TPressResult::Toggle);
}

TEST(CheckPress, ReadOnlyAndDisabledChangeNothing) {
  TCheckPress p;
  EXPECT_FALSE(p.MouseDown(true, false));
  EXPECT_FALSE(p.SpaceDown(false));
  EXPECT_TRUE(p.MouseDown(true, true));
  EXPECT_EQ(p.MouseUp(true, true, true), TPressResult::None);
  EXPECT_TRUE(p.Pressed()); // held until the focus leaves
  EXPECT_EQ(p.SpaceUp(true), TPressResult::None);
  p.FocusLeft();
  EXPECT_FALSE(p.Pressed());
  EXPECT_TRUE(p.MouseDown(true, true));
  EXPECT_EQ(p.MouseUp(true, false, false), TPressResult::None); // disabled meanwhile
}

TEST(CheckState, KeptInStepWithChecked) {
  EXPECT_EQ(ToggledState(TCheckState::Checked), TCheckState::Unchecked);
  EXPECT_EQ(ToggledState(TCheckState::Grayed), TCheckState::Checked);
  EXPECT_EQ(StateFor(true, TCheckState::Unchecked), TCheckState::Checked);
  EXPECT_EQ(StateFor(false, TCheckState::Checked), TCheckState::Unchecked);
  EXPECT_EQ(StateFor(false, TCheckState::Grayed), TCheckState::Grayed);
}
