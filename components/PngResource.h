// PNG pictures and the program's resources on Windows: reading an RCDATA
// resource into a TPngImage, and drawing one with its alpha channel.
#pragma once

#include "classlib/WinApi.h"

#include "components/PngImage.h"

namespace components {

// Loads the RCDATA resource `name` of the program; raises EPngError when it
// is missing or not a PNG.
void LoadPngResource(TPngImage& image, const wchar_t* name);

// Draws the picture at (x, y), blended over what is there.
void DrawPng(HDC dc, int x, int y, const TPngImage& image);

} // namespace components
