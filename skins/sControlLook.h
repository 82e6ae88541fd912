// What the skinned track bar, buttons and checked controls share when they
// paint their images: the disabled look laid over a finished image.
//
// With dkGrayed the image turns grey; with dkBlended it is then blended
// half-way to what lies under the control: the parent's image at the
// control's place when the parent lends one (pixels it does not cover stay
// as they are), else the parent's colour.
#pragma once

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "skins/sConst.h"
#include "skins/sGraphUtilsCore.h"

namespace skins {

void PaintDisabledLook(TBitmap* image, TsDisabledKind kind, TControl* parent, TPoint position,
                       const TParentBackground& background);

}  // namespace skins
