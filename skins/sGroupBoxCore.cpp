// Panel and group box geometry and the group box's bevel edges (see
// sGroupBoxCore.h).
#include "skins/sGroupBoxCore.h"

#include <algorithm>

namespace skins {

int PanelFrameWidth(int border_width, int bevel_width, bool outer_bevel, bool inner_bevel) {
  return border_width + (outer_bevel ? bevel_width : 0) + (inner_bevel ? bevel_width : 0);
}

TRect GroupCaptionRect(TsGroupCaptionLayout layout, int width, int frame_width, int text_height,
                       int caption_width, int bevel_width) {
  TRect r;
  r.Top = 0;
  r.Bottom = std::max(frame_width, text_height) + 6;
  switch (layout) {
    case TsGroupCaptionLayout::clTopLeft: r.Left = 6; break;
    case TsGroupCaptionLayout::clTopCenter: r.Left = (width - caption_width - 12) / 2; break;
    case TsGroupCaptionLayout::clTopRight: r.Left = width - caption_width - 18; break;
  }
  r.Left = std::max(r.Left, 0);
  r.Right = std::min(r.Left + caption_width + 12, width);
  if (r.Right - r.Left < 2 * bevel_width) {
    r.Left -= bevel_width;
    r.Right += bevel_width;
  }
  return r;
}

TRect GroupClientRect(int width, int height, int caption_height) {
  return Rect(0, caption_height, width, std::max(height, caption_height));
}

std::vector<TsEdgeStrip> GroupOuterStrips(int width, int height, const TRect& c, int b) {
  const int h = c.Bottom;
  return {
      {Rect(0, h, b, height), TsEdge::Left},
      {Rect(0, h, c.Left, h + b), TsEdge::Top},
      {Rect(c.Left, 0, c.Left + b, h), TsEdge::Left},
      {Rect(c.Left, 0, c.Right, b), TsEdge::Top},
      {Rect(c.Right, h, width, h + b), TsEdge::Top},
      {Rect(c.Right - b - 1, 0, c.Right, h), TsEdge::Right},
      {Rect(0, height - b - 1, width, height), TsEdge::Bottom},
      {Rect(width - b - 1, h, width, height), TsEdge::Right},
  };
}

std::vector<TsEdgeStrip> GroupInnerStrips(const TRect& in, int caption_height, int b) {
  const int top = caption_height + in.Top;
  return {
      {Rect(in.Left, top, in.Left + b, in.Bottom), TsEdge::Left},
      {Rect(in.Left, top, in.Right, top + b), TsEdge::Top},
      {Rect(in.Right - b, top, in.Right, in.Bottom), TsEdge::Right},
      {Rect(in.Left, in.Bottom - b, in.Right, in.Bottom), TsEdge::Bottom},
  };
}

void PaintBevelEdge(const TPixels& bitmap, const TRect& r, TsEdge edge, bool soft,
                    TsControlBevel kind) {
  if (kind == TsControlBevel::cbNone || bitmap.Empty()) return;
  const bool lowered = kind == TsControlBevel::cbLoweredSoft || kind == TsControlBevel::cbLoweredHard;
  const bool rising = kind == TsControlBevel::cbRaisedSoft || kind == TsControlBevel::cbLoweredSoft;
  // The greys the painted styles' bevels lean to: left, top, right, bottom.
  static const int raised[4] = {240, 255, 25, 0}, sunk[4] = {25, 0, 240, 255};
  const int g = (lowered ? sunk : raised)[static_cast<int>(edge)];
  const int l = std::max(r.Left, 0), t = std::max(r.Top, 0);
  const int rr = std::min(r.Right, bitmap.width), bb = std::min(r.Bottom, bitmap.height);
  if (rr <= l || bb <= t) return;
  const bool vertical = edge == TsEdge::Left || edge == TsEdge::Right;
  const int thickness = std::max(1, vertical ? r.Right - r.Left : r.Bottom - r.Top);
  const int step = 255 / thickness;
  for (int y = t; y < bb; ++y) {
    uint8_t* p = bitmap.At(l, y);
    for (int x = l; x < rr; ++x, p += 3) {
      // Distance from the edge's outer side.
      int i = 0;
      switch (edge) {
        case TsEdge::Left: i = x - r.Left; break;
        case TsEdge::Top: i = y - r.Top; break;
        case TsEdge::Right: i = r.Right - 1 - x; break;
        case TsEdge::Bottom: i = r.Bottom - 1 - y; break;
      }
      const int w = !soft ? 127 : rising ? i * step : 255 - i * step;
      for (int k = 0; k < 3; ++k) p[k] = static_cast<uint8_t>((g * (256 - w) + p[k] * w) >> 8);
    }
  }
}

}  // namespace skins
