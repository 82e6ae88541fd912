// The wide-text measures (see DgClasses.h). Every system the programs run
// on is of the NT family, where text is measured with the wide calls.
#include "grid/DgClasses.h"

#include "grid/DgCanvas.h"

TSize TextExtentW(TDgCanvas& Canvas, const WideString& Text) { return Canvas.TextExtent(Text); }

int TextHeightW(TDgCanvas& Canvas, const WideString& Text) { return TextExtentW(Canvas, Text).cy; }

int TextWidthW(TDgCanvas& Canvas, const WideString& Text) { return TextExtentW(Canvas, Text).cx; }

int TextWidthCalc(TDgCanvas& Canvas, const WideString& Text) {
  TRect r{0, 0, 0, 0};
  Canvas.DrawText(Text, r, DgText::CalcRect);
  return r.Right - r.Left;
}
