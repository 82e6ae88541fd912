// The grid library's wide-text measures: a text's extent, height and width
// in a canvas's current font, and the width the text-drawing call lays out.
// The grid's measurements go through these, so that a hint, an automatic
// column width and a text-fit test all see the text as it is drawn. The
// hint-window helpers are the Windows side's (DgClassesWin.h); the point
// and integer helpers are in DgSharedDraw.h.
#pragma once

#include "classlib/Types.h"
#include "grid/DgTypes.h"

class TDgCanvas;

// The size of one line of Text in the canvas font.
TSize TextExtentW(TDgCanvas& Canvas, const WideString& Text);
int TextHeightW(TDgCanvas& Canvas, const WideString& Text);
int TextWidthW(TDgCanvas& Canvas, const WideString& Text);
// The width the text-drawing call gives Text laid out from an empty
// rectangle (prefix characters and line breaks as it treats them).
int TextWidthCalc(TDgCanvas& Canvas, const WideString& Text);
