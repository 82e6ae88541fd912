// PNG pictures and the program's resources on Windows: reading an RCDATA
// resource into a TPngImage, and drawing one with its alpha channel.
#pragma once

#include "classlib/WinApi.h"

#include "components/PngImage.h"

namespace components {

// Loads the RCDATA resource `name` of the program; raises EPngError when it
// is missing or not a PNG.
void LoadPngResource(TPngImage& image, const wchar_t* name);

// A w x h DIB section of 32-bit pixels, top row first (the layout of
// TPngImage's pixels); *bits (when asked) receives its memory. nullptr on
// failure.
HBITMAP CreateTopDownDib32(HDC dc, int w, int h, void** bits);

// Draws the picture at (x, y), blended over what is there.
void DrawPng(HDC dc, int x, int y, const TPngImage& image);

} // namespace components
