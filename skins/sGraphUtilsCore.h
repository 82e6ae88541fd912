// The skinned controls' graphics kernel, portable half: pixel arithmetic on
// 24-bit rows (blends, masks, tinting, grey), the masked border painter with
// its nine-cell layout, soft-shadow masks, the bevel of painted styles, and
// the small integer and rectangle helpers every control paints with.
//
// Contract: nothing here keeps state. Every routine clips every read and
// every write against every picture it is given, so any rectangle, position
// or size (negative, past the edge, empty) is safe; a routine asked for
// pictures of different sizes where it needs equal ones does nothing.
// Colours arrive as RGB (TRgb, or 0x00BBGGRR): the Windows side resolves
// system colours before it calls in. Mask images hold the picture in their
// upper half and per-channel weights at the same place in the lower half;
// weight 255 keeps what is under the mask, 0 shows the mask's picture.
#pragma once

#include <cstdint>

#include "classlib/Types.h"
#include "skins/Pixels.h"
#include "skins/sConst.h"

namespace skins {

// The picture a control's parent painted under it: the control's pixel
// (x, y) lies at (x + this.x, y + this.y) of `bitmap`. Only a valid record
// lends pixels; kNoParentBackground is passed where none are wanted.
struct TParentBackground {
  TPixels bitmap;
  int x = 0, y = 0;
  bool valid = false;
};
inline const TParentBackground kNoParentBackground{};

// Magenta: in a mask picture the parent shows through it.
inline constexpr TRgb kMaskMagenta{255, 0, 255};
// A transparent colour that matches no pixel (tests nothing).
inline constexpr uint32_t kNoTransparentColor = 0xFFFFFFFFu;

// --- Helpers ----------------------------------------------------------------

template <class T>
T IfThen(bool condition, T when_true, T when_false) {
  return condition ? when_true : when_false;
}
inline bool Between(int a, int min, int max) { return min <= a && a <= max; }
// Two transparencies in percent laid over each other.
int SumTransparency(int a, int b);
inline int WidthOf(const TRect& r) { return r.Right - r.Left; }
inline int HeightOf(const TRect& r) { return r.Bottom - r.Top; }
// Exchanges r.Left with value.
void SwapLeft(TRect& r, int& value);
// The part of `pixels` inside r (clipped), sharing its memory.
TPixels SubPixels(const TPixels& pixels, const TRect& r);
// The colour a pixel holds.
inline TRgb PixelRgb(const uint8_t* p) { return TRgb{p[2], p[1], p[0]}; }
inline bool SameRgb(const uint8_t* p, TRgb c) { return p[2] == c.r && p[1] == c.g && p[0] == c.b; }

// --- Blends and pixel operations ----------------------------------------------

// A := round(B + (A - B) * w / 256) per channel, w = weight's low byte:
// 0 gives B, 255 almost A. Nothing when the sizes differ.
void BlendBitmaps(const TPixels& a, const TPixels& b, uint32_t weight);
// A := (c * (255 - m) + a * m) >> 8 per channel, m the mask's byte of that
// channel: a white mask keeps A, a black one paints c. Equal sizes only.
void BlendColorByMask(const TPixels& a, const TPixels& mask, TRgb c);
// Draws the mask picture's rectangle `src` over `dst` of `target`, through
// the weights half a mask lower. With a valid parent record, magenta
// picture pixels take the parent's pixel instead (where it has one). The
// piece is min(src, dst) in size, clipped against target, the mask's
// picture half and (for parent pixels) the parent.
void MaskedDraw(const TRect& dst, const TRect& src, const TPixels& target,
                const TParentBackground& parent, const TPixels& mask);
// The nine-cell border of state `state` (0 normal, 1 hot, 2 pressed) of a
// mask 9 cells wide and 6 high, painted into r; the corners show the parent
// through magenta; with fill_centre the centre cell is tiled inside.
// Narrower or lower than two cells, the corners share the size (the right
// and bottom ones taking the odd pixel). Nothing below 2 x 2 pixels, for a
// mask smaller than 9 x 6 or a state it has no cells for.
void DrawBorderCells(const TPixels& target, const TPixels& mask, int state,
                     const TParentBackground& parent, bool fill_centre, const TRect& r);
// One cell of the mask repeated over r, rightward in steps of the cell's
// width (H) or downward in steps of mask height div 6 (V); the last piece is
// cut to fit. No parent pixels.
void TileCellsH(const TPixels& target, const TPixels& mask, const TRect& cell, const TRect& r);
void TileCellsV(const TPixels& target, const TPixels& mask, const TRect& cell, const TRect& r);
// The cell at `cell_origin` (state 0's column) moved right by 3 cells per
// state, (mask width div 9) x (mask height div 6), drawn at r's corner.
void DrawCell(const TPixels& target, const TPixels& mask, int state, const TRect& r,
              TPoint cell_origin);
// Copies source into target with its corner at (x, y), leaving out pixels of
// the transparent colour (0x00BBGGRR; kNoTransparentColor leaves none out).
void CopyExceptColor(const TPixels& target, const TPixels& source, int x, int y,
                     uint32_t transparent);
// For each pixel t of rectangle r of `target` (clipped) whose colour is not
// `transparent` (a value above 0xFEFFFFFF tests nothing), the graphic's pixel
// s at (X + x - r.Left, Y + y - r.Top) becomes t - factor * (t - s) per
// channel (held to 0..255): factor 0 copies the target in, 1 keeps the
// graphic. Only the graphic is written.
void BlendGraphic(const TPixels& graphic, int X, int Y, uint32_t transparent, double factor,
                  const TRect& r, const TPixels& target);
// Every pixel not of colour `transparent`: channel := factor * (channel - c) + c
// (held to 0..255).
void TintBitmap(const TPixels& bitmap, TRgb c, uint32_t transparent, double factor);
// The source's rectangle r blended onto target with its corner at `point`:
// t := s + (t - s) * f, f = (sum of weight's three bytes) / 768; clipped on
// both pictures, rows and columns.
void BlendOffset(const TPixels& target, const TPixels& source, uint32_t weight, TPoint point,
                 const TRect& r);
// Per channel a - factor * (a - b), held to 0..255 (0x00BBGGRR in and out).
uint32_t MixColors(uint32_t a, uint32_t b, double factor);
// Every pixel to (b + g + r) div 3; MakeGrayExcept keeps pixels of colour c.
void MakeGray(const TPixels& bitmap);
void MakeGrayExcept(const TPixels& bitmap, TRgb c);

// --- Soft shadows ---------------------------------------------------------------

enum class TShadowShape { RoundRect = 0, Ellipse = 1 };

// The grey mask of a soft shadow over the whole of `mask`: white outside,
// rings growing darker inward from the edge (blur + 1 of them, blur at least
// 0 and at most half the smaller side), the core transparency * 255 div 100
// (transparency held to 0..100). RoundRect corners are radius + blur wide.
void PaintShadowMask(const TPixels& mask, TShadowShape shape, int radius, int blur,
                     int transparency);
// The soft shadow laid over `pixels` in place: the mask above, then the
// colour blended in by it. A transparency of 60 leaves about 60 % of the
// pixels' own colour in the core.
void ShadowPixels(const TPixels& pixels, TShadowShape shape, int radius, int blur, TRgb color,
                  int transparency);
// The rounded-rectangle soft shadow drawn inside rectangle r of the bitmap.
void RoundMaskBlend(const TPixels& bitmap, const TRect& r, int base_percent, int radius, int blur,
                    TRgb color);

// --- Bevels -----------------------------------------------------------------------

// One side of a bevel line ring: left runs up from the bottom-left corner,
// top right from the top-left, right down one pixel inside the right edge,
// bottom left one pixel above the bottom edge; each end pixel is left to the
// next side (as a pen draws them one after another).
enum class TBevelSide { Left, Top, Right, Bottom };
// The pixels of ring `line` (0 outermost) of r on one side, in drawing
// order: calls put(x, y) for each (unclipped).
template <class Put>
void ForEachBevelPixel(const TRect& r, int line, TBevelSide side, Put put) {
  const int l = r.Left + line, t = r.Top + line, rr = r.Right - 1 - line, b = r.Bottom - 1 - line;
  if (rr < l || b < t) return;
  switch (side) {
    case TBevelSide::Left:
      for (int y = b; y > t; --y) put(l, y);
      break;
    case TBevelSide::Top:
      for (int x = l; x < rr; ++x) put(x, t);
      break;
    case TBevelSide::Right:
      for (int y = t; y < b; ++y) put(rr, y);
      break;
    case TBevelSide::Bottom:
      for (int x = rr; x > l; --x) put(x, b);
      break;
  }
}
// The colour of bevel line `line` on `side` (first and second are RGB
// values 0x00BBGGRR; kind 0..3 as the bevel lines' kinds).
uint32_t BevelLineColor(uint32_t first, uint32_t second, bool soft, int kind, int width, int line,
                        TBevelSide side);
// The bevel lines drawn into pixels (the same pixels a pen draws).
void DrawBevelLinesPixels(const TPixels& bitmap, uint32_t first, uint32_t second, bool soft,
                          int kind, int width, const TRect& r);
// The bevel of the painted styles in r: width 1 a white and black line
// frame, width 2 and more shaded edge strips; cbNone nothing.
void PaintControlBevel(const TPixels& bitmap, const TRect& r, int width, bool soft,
                       TsControlBevel kind);

}  // namespace skins
