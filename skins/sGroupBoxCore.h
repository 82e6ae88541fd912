// The geometry and frame of the skinned panels and group box, portable: the
// width a panel's frame takes, the group box's caption tab (where it sits on
// the top edge, how high it is), its client area below the caption, and the
// eight bevel strips that run around the box and up over the tab.
#pragma once

#include <vector>

#include "classlib/Types.h"
#include "skins/Pixels.h"
#include "skins/sConst.h"

namespace skins {

// Where a group box's caption sits on its top edge (named apart from the
// editors' caption layout, whose values it does not share).
enum class TsGroupCaptionLayout { clTopLeft, clTopCenter, clTopRight };

// The frame of a skinned panel: its border plus one bevel width for each
// bevel that is drawn.
int PanelFrameWidth(int border_width, int bevel_width, bool outer_bevel, bool inner_bevel);

// The caption tab of a group box `width` wide: top 0, height the larger of
// the frame width and the text height of "W", plus 6; the tab is the
// caption's width plus 12, placed by the layout and kept inside the box.
TRect GroupCaptionRect(TsGroupCaptionLayout layout, int width, int frame_width, int text_height,
                       int caption_width, int bevel_width);

// The group box's client area: from the caption's bottom to the bottom.
TRect GroupClientRect(int width, int height, int caption_height);

enum class TsEdge { Left, Top, Right, Bottom };
struct TsEdgeStrip {
  TRect r;
  TsEdge edge;
};

// The outer frame around a box with a caption tab: left, top (left of the
// tab), the tab's left, top and right edges, top (right of the tab), bottom
// and right; b is the bevel width, caption the tab's rectangle.
std::vector<TsEdgeStrip> GroupOuterStrips(int width, int height, const TRect& caption, int b);
// The inner frame: rectangle `inner` (the box shrunk by border and bevel
// width) with its strips starting at y = caption height + inner.Top.
std::vector<TsEdgeStrip> GroupInnerStrips(const TRect& inner, int caption_height, int b);

// One edge of a bevel shaded into strip r of the bitmap: across its
// thickness the pixels lean towards the edge's grey (light on the lit
// edges of a raised bevel, dark on the others; swapped when lowered), soft
// kinds fading in from the outer side, hard ones strongest outside.
void PaintBevelEdge(const TPixels& bitmap, const TRect& r, TsEdge edge, bool soft,
                    TsControlBevel kind);

}  // namespace skins
