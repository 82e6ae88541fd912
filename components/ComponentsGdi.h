// Drawing shared by the components' controls: LED meter segments and bevels,
// gradient shapes, and the LED switch's transparent pictures. Each draws on a
// canvas, so the controls draw on their own Canvas() and tests and benchmarks
// on a plain TCanvas over a memory bitmap's device context.
#pragma once

#include "classlib/WinApi.h"

#include <vector>

#include "classlib/Graphics.h"
#include "components/BackGradientCore.h"
#include "components/LedMeterCore.h"

namespace gdi {

// The meter's segments (brush: segment colour, pen: separator) and its bevel
// around the whole width x height. The canvas's pen and brush are kept.
void DrawMeter(TCanvas& canvas, const std::vector<components::MeterSegment>& segments,
               TColor separator, TBevelCut bevel, int width, int height);

// Replays a gradient's shapes. The canvas's pen and brush are kept.
void DrawGradient(TCanvas& canvas, const std::vector<components::GradShape>& shapes);

// Draws the bitmap resource `name` at (x, y) with one colour left
// transparent; nothing when the resource is missing.
void DrawResourceBitmap(TCanvas& canvas, int x, int y, const wchar_t* name, TColor transparent);

} // namespace gdi
