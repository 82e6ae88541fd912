// The skinned label's text, flags and layout (see sCustomLabelCore.h).
#include "skins/sCustomLabelCore.h"

namespace skins {

std::string LabelDrawnText(const std::string& caption, bool showAccelChar, bool calcRect) {
  if (calcRect && (caption.empty() || (showAccelChar && caption == "&"))) return caption + " ";
  return caption;
}

uint32_t LabelTextFlags(TAlignment alignment, bool wordWrap) {
  uint32_t f = kDtExpandTabs;
  if (wordWrap) f |= kDtWordBreak;
  if (alignment == taRightJustify) f |= kDtRight;
  if (alignment == taCenter) f |= kDtCenter;
  return f;
}

TAlignment LabelDrawnAlignment(TAlignment alignment, bool rightToLeft) {
  if (!rightToLeft) return alignment;
  if (alignment == taLeftJustify) return taRightJustify;
  if (alignment == taRightJustify) return taLeftJustify;
  return alignment;
}

uint32_t RightToLeftTextFlags(uint32_t flags, bool rightToLeft) {
  if (!rightToLeft) return flags;
  if (!(flags & kDtCenter)) flags ^= kDtRight;
  return flags | kDtRtlReading;
}

int LabelLayoutOffset(TLabelLayout layout, int height, int measuredBottom) {
  switch (layout) {
    case TLabelLayout::tlTop: return 0;
    case TLabelLayout::tlCenter: return (height - measuredBottom) / 2;
    case TLabelLayout::tlBottom: return height - measuredBottom;
  }
  return 0;
}

TRect LabelAutoSizeBounds(const TRect& b, int width, int height, bool rightAligned) {
  const int left = rightAligned ? b.Right - width : b.Left;
  return Bounds(left, b.Top, width, height);
}

} // namespace skins
