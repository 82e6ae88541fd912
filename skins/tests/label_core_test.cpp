// The skinned label's measured text, flags, layout offsets and sized bounds.
#include <gtest/gtest.h>

#include "skins/sCustomLabelCore.h"

namespace skins {
namespace {

TEST(LabelText, AnEmptyOrAccelOnlyCaptionMeasuresAsOneBlank) {
  EXPECT_EQ(LabelDrawnText("&", true, true), "& "); // the "&" marks the blank
  EXPECT_EQ(LabelDrawnText("&", false, true), "&"); // a shown "&" measures itself
  EXPECT_EQ(LabelDrawnText("", false, true), " ");
  EXPECT_EQ(LabelDrawnText("", true, false), ""); // painting draws nothing
  EXPECT_EQ(LabelDrawnText("&", true, false), "&");
  EXPECT_EQ(LabelDrawnText("&&", true, true), "&&");
}

TEST(LabelText, FlagsFollowAlignmentAndWrap) {
  EXPECT_EQ(LabelTextFlags(taLeftJustify, false), kDtExpandTabs);
  EXPECT_EQ(LabelTextFlags(taRightJustify, true), kDtExpandTabs | kDtWordBreak | kDtRight);
  EXPECT_EQ(LabelTextFlags(taCenter, false), kDtExpandTabs | kDtCenter);
  EXPECT_EQ(LabelMeasureFlags(false), 0x440u);
  EXPECT_EQ(LabelMeasureFlags(true), 0x450u);
  EXPECT_EQ(LabelDrawnAlignment(taLeftJustify, true), taRightJustify);
  EXPECT_EQ(LabelDrawnAlignment(taRightJustify, true), taLeftJustify);
  EXPECT_EQ(LabelDrawnAlignment(taCenter, true), taCenter);
  EXPECT_EQ(LabelDrawnAlignment(taRightJustify, false), taRightJustify);
  // Right-to-left reading swaps left and right and reads right to left.
  EXPECT_EQ(RightToLeftTextFlags(kDtExpandTabs, true), kDtExpandTabs | kDtRight | kDtRtlReading);
  EXPECT_EQ(RightToLeftTextFlags(kDtRight | kDtWordBreak, true), kDtWordBreak | kDtRtlReading);
  EXPECT_EQ(RightToLeftTextFlags(kDtCenter, true), kDtCenter | kDtRtlReading);
  EXPECT_EQ(RightToLeftTextFlags(kDtRight, false), kDtRight);
}

TEST(LabelLayout, CentreAndBottomMoveTheTextDown) {
  EXPECT_EQ(LabelLayoutOffset(TLabelLayout::tlTop, 40, 13), 0);
  EXPECT_EQ(LabelLayoutOffset(TLabelLayout::tlCenter, 40, 13), 13); // 27 / 2
  EXPECT_EQ(LabelLayoutOffset(TLabelLayout::tlBottom, 40, 13), 27);
  // A text taller than the label moves up, halving towards zero.
  EXPECT_EQ(LabelLayoutOffset(TLabelLayout::tlCenter, 10, 13), -1);
  EXPECT_EQ(LabelLayoutOffset(TLabelLayout::tlBottom, 10, 13), -3);
}

TEST(LabelLayout, SizingKeepsTheAlignedEdge) {
  const TRect b = Bounds(100, 20, 65, 17);
  EXPECT_EQ(LabelAutoSizeBounds(b, 40, 13, false), Bounds(100, 20, 40, 13));
  EXPECT_EQ(LabelAutoSizeBounds(b, 40, 13, true), Bounds(125, 20, 40, 13));
  EXPECT_EQ(LabelAutoSizeBounds(b, 90, 13, true).Right, 165);
}

} // namespace
} // namespace skins
