// The grid library's shared colour and drawing routines: blending and mixing
// of colours, clipping, vertical colour ramps, 32-bit alpha pictures, button
// faces, focus frames, aligned and vertical text, and rectangle arithmetic.
// All draw through TDgCanvas. TCalcProvider, TGraphicsProvider and
// TMaskProvider (DgSharedCommon.h) are the same routines under class names.
#pragma once

#include "classlib/SysUtils.h"
#include "grid/DgCanvas.h"

// Refused colour arguments (an alpha outside 0..255); the message names the
// unit whose routine refused: "Assertion failure (DgSharedDraw)".
class EDgAssertion : public Exception {
 public:
  using Exception::Exception;
};

// A system colour (negative value) as the system draws it now, asked of the
// system at every call on Windows (a fixed classic table natively); other
// colours as they are.
TColor DgResolveColor(TColor c);

// (A × Alpha + B × (255 − Alpha)) div 256 per channel; Alpha outside 0..255
// raises EDgAssertion naming this unit.
TColor BlendColor(TColor A, TColor B, int Alpha);
// The same, its refusal naming Unit (the class-method face of the routine).
TColor DgBlendColorOf(const char* Unit, TColor A, TColor B, int Alpha);
// round(B × Ratio + A × (1 − Ratio)) per channel, halves to even; Ratio is
// held to 0..1.
TColor MixColors(TColor A, TColor B, double Ratio);

// The canvas's clip becomes exactly Rect.
void SetClipRect(TDgCanvas& Canvas, const TRect& Rect);
// One line per row from From at the top toward To at the bottom.
void DrawVertRamp(TDgCanvas& Canvas, const TRect& Rect, TColor From, TColor To);
// Each pixel of the picture blended over what the canvas holds by the
// picture's alpha.
void DrawAlphaBitmap(TDgCanvas& Canvas, int X, int Y, const TDgPixmap& Bitmap);
// The per-pixel rule of DrawAlphaBitmap: src's alpha weighs src over bg;
// the result keeps src's alpha byte.
void BlendPixels(const uint32_t* src, const uint32_t* bg, uint32_t* out, size_t count);
// A 32-bit picture through DrawAlphaBitmap, anything else as it is.
void DrawGraphic(TDgCanvas& Canvas, int X, int Y, const TDgPixmap& Graphic);

// Filled in button face with a 1-pixel 3-D frame inside.
void DrawButtonFace(TDgCanvas& Canvas, const TRect& Rect, bool Pressed);
// A frame from TopLeft (top and left edges) and BottomRight colours.
void Frame3D(TDgCanvas& Canvas, const TRect& Rect, TColor TopLeft, TColor BottomRight);
// Solid: a highlight frame; else the dotted focus frame, the canvas's brush
// and text colours given back afterwards.
void DrawFocusFrame(TDgCanvas& Canvas, const TRect& Rect, bool Solid);
// Single-line text with an ellipsis, vertically centred, by Alignment.
void DrawTextAligned(TDgCanvas& Canvas, const TRect& Rect, TAlignment Alignment,
                     const WideString& Text, bool RightToLeft);
// Text in the canvas font turned 90 degrees counter-clockwise, standing on
// the bottom of Rect.
void DrawVerticalText(TDgCanvas& Canvas, const TRect& Rect, const WideString& Text);

// Rectangle arithmetic.
bool RectsTouch(const TRect& A, const TRect& B);
enum class TDgHorzAlign { Left = 0, Right = 1, Center = 2 };
TPoint AlignInRect(int W, int H, TDgHorzAlign Horz, TVerticalAlignment Vert, const TRect& Rect,
                   int Margin);
TRect ResizeRect(const TRect& Rect, int DLeft, int DTop, int DRight, int DBottom);
bool PointsDiffer(const TPoint& P, const TPoint& Q, int Tolerance);
inline bool IsPointUnset(const TPoint& P) { return P.X == -1 || P.Y == -1; }
inline void SwapInts(int& A, int& B) {
  int t = A;
  A = B;
  B = t;
}
