// The skinned push button's geometry (see sButtonControlCore.h).
#include "skins/sButtonControlCore.h"

#include <algorithm>

namespace skins {

namespace {
bool HasGlyph(const TButtonGeometry& g) { return g.Glyph.cx > 0 && g.Glyph.cy > 0; }
// Room taken by the glyph and its spacing before the caption.
int GlyphRoom(const TButtonGeometry& g) { return HasGlyph(g) ? g.Glyph.cx + g.Spacing : 0; }
int Half(const TButtonGeometry& g, TSize caption) {
  return (g.Width - caption.cx - GlyphRoom(g)) / 2 - g.Margin;
}
} // namespace

int CaptionMeasureWidth(const TButtonGeometry& g, int captionWidth) {
  return std::max(0, std::min(captionWidth, g.Width - 2 * g.Margin));
}

TRect CaptionRect(const TButtonGeometry& g, TSize caption) {
  const int half = Half(g, caption);
  int left, right;
  switch (g.Alignment) {
    case 0:
      left = GlyphRoom(g) + g.Margin;
      right = g.Width - g.Margin - 2 * half;
      break;
    case 1:
      left = GlyphRoom(g) + 2 * half + g.Margin;
      right = g.Width - g.Margin;
      break;
    default:
      left = g.Margin + half + GlyphRoom(g);
      right = g.Width - g.Margin - half;
      break;
  }
  const int top = (g.Height - caption.cy) / 2;
  TRect r = Rect(left - 1, top, right + 2, g.Height - top);
  if (g.Down) r.Offset(1, 1);
  return r;
}

TPoint GlyphPos(const TButtonGeometry& g, TSize caption) {
  const int half = Half(g, caption);
  int left = g.Margin + (g.Alignment == 0 ? 0 : g.Alignment == 1 ? 2 * half : half);
  TPoint p = Point(left, (g.Height - g.Glyph.cy) / 2);
  if (g.Down) {
    ++p.X;
    ++p.Y;
  }
  return p;
}

TSize ButtonAutoSize(const TButtonGeometry& g, TSize caption, int lineHeight, bool showCaption) {
  const bool glyph = HasGlyph(g);
  const int gw = glyph ? g.Glyph.cx : 0, gh = glyph ? g.Glyph.cy : 0;
  const int bevels = 2 * g.BevelWidth, margins = 2 * g.Margin;
  TSize s;
  if (showCaption) {
    s.cy = std::max(gh + bevels, lineHeight) + margins;
    s.cx = gw + bevels + (glyph ? g.Spacing : 0) + caption.cx + margins;
  } else {
    s.cy = gh + bevels + margins;
    s.cx = gw + bevels + margins;
  }
  s.cx += g.DropDownWidth;
  return s;
}

} // namespace skins
