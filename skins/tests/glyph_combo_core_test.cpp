// The glyph mode's rules, the glyph tint, and the skinned combo box's glyph
// rectangle, face and glyph look in each state.
#include <gtest/gtest.h>

#include <vector>

#include "skins/sCustomComboBoxCore.h"
#include "skins/sGraphUtilsCore.h"
#include "skins/sGlyphUtilsCore.h"

namespace skins {
namespace {

struct Mode : TGlyphModeCore {
  using TGlyphModeCore::GlyphAssigned;
};

TEST(GlyphMode, BlendIsClampedAndEveryChangeRefreshesOnce) {
  Mode m;
  int refreshed = 0, lookups = 0;
  m.OnChange = [&] { ++refreshed; };
  m.OnDefaultGlyph = [&] { ++lookups; };
  m.SetBlend(150);
  EXPECT_EQ(m.Blend(), 100);
  m.SetBlend(-5);
  EXPECT_EQ(m.Blend(), 0);
  m.SetBlend(0); // unchanged
  EXPECT_EQ(refreshed, 2);
  m.SetGrayed(true);
  EXPECT_TRUE(m.Grayed());
  EXPECT_EQ(refreshed, 3);
  EXPECT_TRUE(m.UseDefaultGlyph());
  m.GlyphAssigned();
  EXPECT_FALSE(m.UseDefaultGlyph());
  EXPECT_EQ(lookups, 0);
  m.SetUseDefaultGlyph(true);
  EXPECT_EQ(lookups, 1);
  m.SetUseDefaultGlyph(true);
  EXPECT_EQ(lookups, 1);
  EXPECT_EQ(refreshed, 5);
}

TEST(GlyphMode, BlendTintsTowardsTheEditorColourByItsShare) {
  // channel := x (channel - c) + c; a glyph channel 200 over an editor 100.
  auto tinted = [](int blend) { return GlyphTintFactor(blend) * (200 - 100) + 100; };
  EXPECT_DOUBLE_EQ(tinted(0), 200);
  EXPECT_DOUBLE_EQ(tinted(50), 150);
  EXPECT_DOUBLE_EQ(tinted(100), 100);
  EXPECT_DOUBLE_EQ(tinted(1), 199); // Blend 1 barely changes the glyph

  // Through the kernel's tint, on a glyph pixel and a background pixel left
  // in the editor colour: the background never changes.
  const TRgb editor{100, 100, 100};
  for (auto [blend, want] : {std::pair{0, 200}, {50, 150}, {100, 100}}) {
    std::vector<uint8_t> bits = {200, 200, 200, 100, 100, 100};
    TPixels p{2, 1, 6, bits.data()};
    TintBitmap(p, editor, ColorOf(editor), GlyphTintFactor(blend));
    EXPECT_EQ(bits[0], want) << blend;
    EXPECT_EQ(bits[3], 100) << blend;
  }
}

TEST(GlyphMode, BuiltInGlyphsAndTheirFrames) {
  EXPECT_EQ(DefaultGlyphResource("BTN_OPENFILE"), "SF");
  EXPECT_EQ(DefaultGlyphResource("BTN_CALC"), "SC");
  EXPECT_EQ(DefaultGlyphResource("SCO1"), "");
  EXPECT_EQ(DefaultGlyphResource("btn_date"), "");
  EXPECT_EQ(GlyphFrameWidth(57), 19);
  EXPECT_EQ(GlyphFrameHeight(34), 17);
  EXPECT_EQ(GlyphSpace(57), 19);
  EXPECT_EQ(GlyphSpace(0), 16);
}

TEST(ComboGeometry, GlyphRectangleHalvesTowardsZero) {
  TComboGeometry g{121, 21, 19, 17};
  EXPECT_EQ(g.Glyph(), Rect(99, 2, 118, 19));
  g.Height = 20; // an odd space: the extra pixel goes below
  EXPECT_EQ(g.Glyph(), Rect(99, 1, 118, 19));
  g.Height = 12; // taller glyph than the combo: (12 - 17) / 2 = -2
  EXPECT_EQ(g.Glyph(), Rect(99, -2, 118, 14));
  EXPECT_EQ(g.GlyphClip(), Rect(100, 0, 121, 12));
}

TEST(ComboGeometry, FaceTextAndFocusMark) {
  TComboGeometry g{121, 21, 19, 17};
  EXPECT_EQ(g.Client(), Rect(4, 4, 117, 17));
  EXPECT_EQ(g.FocusedFace(), Rect(2, 2, 99, 18));
  EXPECT_EQ(g.Highlight(), Rect(3, 3, 98, 19));
  EXPECT_EQ(g.FocusRect(), Rect(2, 2, 98, 19));
  EXPECT_EQ(g.TextOrigin(true), Point(4, 4));
  EXPECT_EQ(g.TextOrigin(false), Point(4, 3));
  EXPECT_EQ(g.TextRect(), Rect(3, 3, 98, 17));
}

TEST(ComboGeometry, GlyphLookPerState) {
  auto look = ComboGlyphLook(true, false, false, false, 0);
  EXPECT_EQ(look.Frame, 0);
  EXPECT_FALSE(look.Gray);
  EXPECT_DOUBLE_EQ(look.Tint, 1.0);
  EXPECT_EQ(ComboGlyphLook(true, true, false, true, 50).Frame, 1);
  EXPECT_EQ(ComboGlyphLook(true, true, true, false, 0).Frame, 2);
  // Hot: neither grey nor blended.
  look = ComboGlyphLook(true, true, false, true, 50);
  EXPECT_FALSE(look.Gray);
  EXPECT_DOUBLE_EQ(look.Tint, 1.0);
  look = ComboGlyphLook(true, false, false, true, 30);
  EXPECT_TRUE(look.Gray);
  EXPECT_DOUBLE_EQ(look.Tint, 0.7);
  // Disabled: a quarter of the way to the editor colour, whatever the mode.
  look = ComboGlyphLook(false, false, false, true, 30);
  EXPECT_FALSE(look.Gray);
  EXPECT_DOUBLE_EQ(look.Tint, 0.75);
  EXPECT_EQ(ComboGlyphLook(false, false, true, false, 0).Frame, 2);
}

} // namespace
} // namespace skins
