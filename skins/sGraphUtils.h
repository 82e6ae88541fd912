// The graphics kernel's drawing on device contexts and canvases: solid
// fills, soft shadows and copies between DCs, three-dimensional frames, bevel
// lines and the painted styles' bevel, the dotted focus mark, tiling a
// picture, text with a disabled look, a font's text height, and loading a
// picture file by its extension (BMP and JPEG).
//
// Contract: every routine restores the DC state it changes (objects, modes,
// colours); colours may be system colours (resolved here before the pixel
// core sees them); temporary bitmaps live only inside one call. Pixel work is
// the portable core's (sGraphUtilsCore.h), on the bitmaps' rows.
#pragma once

#include "classlib/WinApi.h"

#include <string>

#include "classlib/Bitmap.h"
#include "classlib/Graphics.h"
#include "skins/sGraphUtilsCore.h"

namespace skins {

// A colour as the pixel core takes it (system colours resolved).
inline uint32_t RgbValue(TColor c) { return static_cast<uint32_t>(ColorToRGB(c)) & 0xFFFFFFu; }
inline TRgb RgbOfColor(TColor c) { return RgbOf(RgbValue(c)); }

// FillRect of r with a solid brush of the colour.
void FillColor(HDC dc, const TRect& r, TColor color);

// The soft shadow of rectangle r of `source`, drawn into `target` with its
// corner at `at`: transparency 0 fills the area with the colour, 100 copies
// r unchanged, anything between lays rings of the colour over a copy of r
// (see PaintShadowMask). Blur is held to 0 .. half the smaller side.
void ShadowRect(TCanvas* source, const TRect& r, HDC target, int radius, TShadowShape shape,
                int blur, TColor color, int transparency, TPoint at);
// ShadowRect without corner radius; with transparency 100 a plain copy, the
// way controls take their parent's pixels.
void CopyArea(TCanvas* source, const TRect& r, HDC target, TShadowShape shape, int blur,
              TColor color, int transparency, TPoint at);

// `count` nested frames inside r (each one pixel further in): top and left
// edges in `light`, bottom and right in `dark` (which owns the top-right and
// bottom-left corners). The count is consumed (0 afterwards).
void Draw3DFrame(HDC dc, const TRect& r, TColor light, int& count, TColor dark);
// `width` lines a side inside r, drawn left (upward), top, right (one pixel
// inside the right edge, downward), bottom (one pixel above the bottom edge,
// leftward), each further line one pixel further in. kind 0: left and top in
// `first`, right and bottom in `second`; 1 exchanged; 2 all `first`; 3 all
// `second`. Soft lines fade from white (sides in `first`) or black (sides in
// `second`) towards the other colour; a width below 2 draws one line a side.
void DrawBevelLines(HDC dc, TColor first, TColor second, bool soft, int kind, int width,
                    const TRect& r);
// The bevel of the painted styles, into the bitmap's pixels.
void PaintControlBevel(TBitmap* bitmap, const TRect& r, int width, bool soft, TsControlBevel kind);
// The focus mark: every third pixel of each edge black, a white one up and
// left of it.
void DrawDottedFrame(TCanvas* canvas, const TRect& r);
// Tiles the graphic over r from its top-left corner, the last row and column
// cut at r's edges; nothing for an empty graphic.
void TileGraphic(TCanvas* canvas, const TRect& r, TGraphic* graphic);

// Text in the canvas's font into r, nothing behind it. Unless the format has
// DT_WORDBREAK, the text is placed by its extent (DT_CENTER: centred both
// ways; DT_RIGHT: right and vertically centred; else left and vertically
// centred) and r becomes that text rectangle grown by one pixel on every side
// (where callers draw a focus mark). Disabled text is engraved. No text: r
// stays and nothing is drawn.
void WriteText(TCanvas* canvas, const std::string& text, bool enabled, UINT format, TRect& r);
// WriteText for controls that may take outline colours from a loaded skin
// section; no skin is ever loaded, so the text is WriteText's.
void WriteTextEx(TCanvas* canvas, const std::string& text, bool enabled, bool hot,
                 int skin_index, UINT format, TRect& r);
// The font's text-metric height on the screen, plus 6.
int TextHeight(HFONT font);

// Loads a picture by the file's extension: .jpg/.jpeg as a JPEG (decoded in
// grey when `grey`), .bmp as a 24-bit bitmap (made grey when `grey`); any
// other extension leaves the picture as it is; a missing file empties it.
// A file that cannot be read leaves the picture as it is. True when a
// picture was loaded.
bool LoadPictureFile(TPicture* picture, const std::string& file_name, bool grey);

}  // namespace skins
