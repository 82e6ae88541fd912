// The Windows side of TsCommonData: the control's messages offered to it
// first, and its image on the screen.
#pragma once

#include "classlib/WinApi.h"

#include "classlib/Controls.h"
#include "skins/sCommonDataCore.h"

namespace skins {

// Hands a message to the common data first: true when it answered it
// (Result 1 for the style query, 2 for the library's messages), which the
// control then passes on no further. Result and WParam are copied back.
bool OfferToCommonData(TsCommonData* data, TMessage& m);

// Copies rectangle (x, y, w, h) of the common data's image to the same
// place on dc.
void CopyToDC(TsCommonData* data, HDC dc, int x, int y, int w, int h);

}  // namespace skins
