// The Windows side of TsCommonData: its image on the screen.
#pragma once

#include "classlib/WinApi.h"

#include "skins/sCommonDataCore.h"

namespace skins {

// Copies rectangle (x, y, w, h) of the common data's image to the same
// place on dc.
void CopyToDC(TsCommonData* data, HDC dc, int x, int y, int w, int h);

}  // namespace skins
