// Gradient bands painted into a class-library bitmap, system colours
// resolved first (see sGradientCore.h for the text and the bands).
#pragma once

#include "classlib/Bitmap.h"
#include "skins/sGradientCore.h"

namespace skins {

void PaintGradient(TBitmap* bitmap, const TRect& r, const TsGradArray& bands);

}  // namespace skins
