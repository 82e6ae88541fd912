// Routines of the skinned containers: whether a control is ready to paint,
// its form, the draw-text flags of a caption, and what a container does for
// its children after it painted (draw their shadows into its image, tell
// them its image changed, make them repaint).
#pragma once

#include "classlib/WinApi.h"

#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "skins/Pixels.h"

namespace skins {

// Not null, with a parent, not loading and not being destroyed.
bool ControlReady(TControl* c);
// The first form up the parent chain; null when there is none.
TCustomForm* GetParentForm(TControl* c);
// DrawText flags of a caption: the alignment's, plus DT_VCENTER and
// DT_EXPANDTABS, mirrored for right-to-left reading.
UINT CaptionFlags(TAlignment alignment, bool right_to_left = false);
// Draws the shadows of the container's visible skinned children that have
// one into its image (offset 0, 0).
void PaintChildrenIntoImage(TWinControl* container, const TPixels& image);
// After the container painted: each ready child repaints as its kind
// needs, told whether the container's image changed.
void RepaintChildren(TWinControl* container, bool image_was_out_of_date);
// Tells a control its parent's image changed (true) or not.
void SendParentImageChanged(TControl* c, bool changed);
// Repaints the ready skinned labels among the children.
void RefreshLabels(TWinControl* container);
// Repaints a window from its image without marking the image out of date.
void RepaintWindow(TControl* c);

}  // namespace skins
