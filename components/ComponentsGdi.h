// GDI drawing shared by the components' controls: LED meter segments and
// bevels, gradient shapes, and the LED switch's transparent bitmaps. Each
// takes a device context, so the controls draw through their canvas' handle
// and tests can draw into plain windows or memory bitmaps.
#pragma once

#include "classlib/WinApi.h"

#include <vector>

#include "components/BackGradientCore.h"
#include "components/LedMeterCore.h"

namespace gdi {

// The meter's segments (brush: segment colour, pen: separator) and bevel.
void DrawMeter(HDC dc, const std::vector<MeterSegment>& segments, TColor separator,
               MeterBevel bevel, int width, int height);

// Replays a gradient's shapes.
void DrawGradient(HDC dc, const std::vector<GradShape>& shapes);

// Copies a bitmap with one colour left transparent.
void DrawTransparent(HDC dc, int x, int y, HBITMAP bitmap, COLORREF transparent);

// Loads a bitmap resource of the program by name; null when missing.
HBITMAP LoadBitmapResource(const wchar_t* name);

// System colours of the bevel.
inline COLORREF BtnShadow() { return GetSysColor(COLOR_BTNSHADOW); }
inline COLORREF BtnHighlight() { return GetSysColor(COLOR_BTNHIGHLIGHT); }

} // namespace gdi
