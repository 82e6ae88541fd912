// The skinned push button's geometry, free of Windows: where the glyph and
// the caption go, and the size AutoSize gives the button.
//
// The caption is measured (word-wrapped) in a rectangle no wider than the
// button less its margins; the caption rectangle centres that text (with a
// pixel to spare on the left and two on the right) and moves one pixel
// right and down while the button is down. A glyph from an image list sits
// before the caption, the pair centred as one.
#pragma once

#include "classlib/Types.h"

namespace skins {

struct TButtonGeometry {
  int Width = 84, Height = 22;
  int Margin = 0, BevelWidth = 2, Spacing = 3;
  bool Down = false;
  TSize Glyph{};      // 0 x 0 without a glyph
  int Alignment = 2;  // 0 left, 1 right, 2 centre
  int DropDownWidth = 0;
};

// How wide a rectangle the caption is measured in (DT_CALCRECT | DT_WORDBREAK).
int CaptionMeasureWidth(const TButtonGeometry& g, int captionWidth);
// The caption rectangle for a caption measured at `caption`.
TRect CaptionRect(const TButtonGeometry& g, TSize caption);
// The glyph's top-left corner (meaningful only with a glyph).
TPoint GlyphPos(const TButtonGeometry& g, TSize caption);
// The size AutoSize gives: `caption` as measured (0 x 0 without a caption),
// `lineHeight` the height of one line of text ("W").
TSize ButtonAutoSize(const TButtonGeometry& g, TSize caption, int lineHeight, bool showCaption);

} // namespace skins
