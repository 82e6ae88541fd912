// The skinned controls' outlines on class-library bitmaps: the masked border
// laid around a control's off-screen image, with the mask's transparent
// pixels cut from the control's window region, and the three-frame painter
// of glyph strips. The pixel work is the portable core's (sBordersCore.h);
// this side wraps the bitmaps, resolves colours and makes the region.
#pragma once

#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "classlib/WinApi.h"
#include "skins/sBordersCore.h"

namespace skins {

// The bitmap's pixels as the core sees them (no copy); empty for an empty
// bitmap.
TPixels BitmapPixels(TBitmap* bitmap);

// Lays state `state` (0 normal, 1 hot, 2 pressed) of `mask` around `image`
// and removes the pixels of the transparent colour from `region`, which the
// caller made as (0, 0, width, height) and applies to the window afterwards.
// `region` may be null (only the picture is painted).
void PaintMaskedBorder(TBitmap* image, TBitmap* mask, int state, bool fill_centre,
                       TColor transparent, HRGN region);

// Removes the rectangles from the region in one step.
void CutFromRegion(HRGN region, const std::vector<TRect>& cut);

// Blends frame `frame` of a three-frame strip at `pos` of the image.
void PaintThreeFrames(TBitmap* image, TBitmap* mask, TPoint pos, TColor transparent, int frame);

// The disabled look of a control's image (after the control drew it): grey
// with dkGrayed, then with dkBlended half-way to the parent's picture under
// the control (`background`, the record the style got from its parent) or,
// without one, to the parent's colour. `position`: the control's Left, Top.
void PaintDisabled(TBitmap* image, TsDisabledKind kind, TControl* parent, TPoint position,
                   const TParentBackground& background);

}  // namespace skins
