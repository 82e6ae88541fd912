// The skinned controls' outlines, on plain pixels: the table of predefined
// border masks, the masked-border painter that lays a mask's nine cells
// around a control's image and says which pixels leave the window, the
// three-frame painter of glyph strips, and a rectangle's blend towards a
// colour.
//
// A mask holds colours in its upper half and, one half lower at the same
// place, their weights (per channel: 255 keeps the image's pixel, 0 shows the
// mask's colour). Border masks are nine cells across (three states of a
// 3 x 3 frame: normal, hot, pressed) and six down. Mask pixels of the
// transparent colour leave the image as it is and are cut out of the
// window's region, which the core gives back as a list of one-row
// rectangles; the Windows side turns them into one region. Every read and
// write is clipped to both pictures, whatever sizes and positions come in.
#pragma once

#include <vector>

#include "classlib/Types.h"
#include "skins/Pixels.h"
#include "skins/sConst.h"
#include "skins/sGraphUtilsCore.h"

namespace skins {

struct TsPredefinedBorder {
  TsPredefinedBorders kind;
  const char* resource;  // bitmap resource of the program
  int width, height;     // the picture's size
};

// pdBorder1..pdBorder6 in order.
extern const TsPredefinedBorder kPredefinedBorders[6];

// The resource a predefined kind draws with; pdCustom falls back to "BORD1"
// (used when the style's own mask has no width).
const char* PredefinedBorderResource(TsPredefinedBorders kind);

// The pixel default transparent colour of masks (magenta).
constexpr TRgb kMaskTransparent{255, 0, 255};

// Lays the nine cells of state `state` (0 normal, 1 hot, 2 pressed) of `mask`
// around the whole of `image`. Transparent mask pixels leave the image and
// are appended to `cut` as one-row rectangles in the image's coordinates
// (the caller subtracts them from the region (0, 0, width, height)). With
// `fill_centre` the centre cell is tiled over the inside with MaskedDraw
// (no parent pixels, no region change). Nothing for an empty mask or an
// image of 2 pixels or less in either direction.
void PaintMaskedBorder(const TPixels& image, const TPixels& mask, int state, bool fill_centre,
                       TRgb transparent, std::vector<TRect>* cut);

// One piece of a masked border: the mask rectangle at (mask_x, mask_y) of
// width x height onto the image at (x, y), clipped to both pictures; the
// weights are half the mask's height lower. Transparent pixels are appended
// to `cut` (when given).
void PaintMaskPiece(const TPixels& image, int x, int y, const TPixels& mask, int mask_x,
                    int mask_y, int width, int height, TRgb transparent, std::vector<TRect>* cut);

// Blends frame `frame` of a strip of three (frame width = mask width div 3,
// upper half colours, lower half weights) at (x, y) of the image; pixels of
// the transparent colour stay. Nothing when the image is narrower than a
// frame or lower than half the mask.
void PaintThreeFrames(const TPixels& image, const TPixels& mask, int x, int y,
                      TRgb transparent, int frame);

// The disabled look of a control's image at `position` of its parent: with
// dkGrayed first grey; then with dkBlended half-way to what lies under it,
// the parent's picture when the record holds one (pixels the parent's
// picture does not cover stay as they are), else the parent's colour.
void PaintDisabled(const TPixels& image, TsDisabledKind kind, const TParentBackground& parent,
                   TPoint position, TRgb parent_color);

// Every pixel of the rectangle (right and bottom inclusive, clipped to the
// image) keeps `percent` (held to 0..100) of itself and takes the rest from
// the colour, rounded.
void BlendRectToColor(const TPixels& image, TRect inclusive, int percent, TRgb color);

}  // namespace skins
