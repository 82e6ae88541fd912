// The portable half of the skinned label: the text it measures and draws,
// its draw-text flags, where its text goes for each layout, and its bounds
// after sizing itself to the text.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/DrawTypes.h"
#include "classlib/Types.h"

namespace skins {

// The DT_* bits used here (the core needs no Windows header).
constexpr uint32_t kDtCenter = 0x1, kDtRight = 0x2, kDtWordBreak = 0x10, kDtExpandTabs = 0x40,
                   kDtCalcRect = 0x400, kDtNoPrefix = 0x800, kDtRtlReading = 0x20000;

// The text handed to the system: measuring an empty caption, or a lone "&"
// while it marks an access key, measures a blank instead of nothing.
std::string LabelDrawnText(const std::string& caption, bool showAccelChar, bool calcRect);
// The flags of the paint: tabs expanded, word wrap, the alignment.
uint32_t LabelTextFlags(TAlignment alignment, bool wordWrap);
// The flags of measuring for AutoSize.
inline uint32_t LabelMeasureFlags(bool wordWrap) {
  return kDtCalcRect | kDtExpandTabs | (wordWrap ? kDtWordBreak : 0);
}
// The alignment as drawn in a right-to-left reading label.
TAlignment LabelDrawnAlignment(TAlignment alignment, bool rightToLeft);
// Draw-text flags as a right-to-left reading control draws them: left and
// right alignment swapped (centre kept) and the text read right to left.
// Unchanged for left-to-right reading.
uint32_t RightToLeftTextFlags(uint32_t flags, bool rightToLeft);

enum class TLabelLayout { tlTop, tlCenter, tlBottom };
// How far down the text moves in a label of Height whose measured text ends
// at MeasuredBottom.
int LabelLayoutOffset(TLabelLayout layout, int height, int measuredBottom);
// The bounds after sizing to a measured Width × Height; a right-aligned label
// keeps its right edge, any other its left.
TRect LabelAutoSizeBounds(const TRect& bounds, int width, int height, bool rightAligned);

} // namespace skins
