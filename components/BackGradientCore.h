// The gradient background's colour table and the shapes of its ten styles,
// free of Windows: DrawGradientShapes lists the fills, polygons, ellipses and
// lines in drawing order, and the control (BackGradient.h) replays them.
#pragma once

#include <array>
#include <vector>

#include "classlib/DrawTypes.h"
#include "classlib/Types.h"

enum TGradDirection { gdDownRight, gdUpLeft };
enum TGradStyle {
  gsCornerTopLeft,
  gsCornerTopRight,
  gsCornerBottomRight,
  gsCornerBottomLeft,
  gsDiagonalRising,
  gsDiagonalFalling,
  gsEllipse,
  gsHorizontal,
  gsPyramid,
  gsVertical
};

namespace components {

using GradientColors = std::array<TColor, 256>;

} // namespace components

// 256 entries from start to end colour (gdUpLeft: the table reversed).
components::GradientColors BuildColors(TColor start, TColor end, TGradDirection direction);

namespace components {

struct GradShape {
  enum class Kind {
    FillRect, // Pts[0]..Pts[1], brush Color
    Polygon,  // Pts, brush Color, no outline
    Ellipse,  // box Pts[0]..Pts[1], brush Color, no outline
    Line      // Pts[0] to Pts[1] (end point excluded), pen Color of PenWidth
  };
  Kind Type = Kind::FillRect;
  TColor Color = 0;
  int PenWidth = 1;
  std::vector<TPoint> Pts;
  // Pts[0]..Pts[1] as a rectangle (FillRect, Ellipse).
  TRect Box() const { return Rect(Pts[0].X, Pts[0].Y, Pts[1].X, Pts[1].Y); }
};

constexpr TColor kGradientSilver = clSilver; // transparent colour of buffered ellipses

// The shapes of one gradient of size W x H. buffered: the ellipse style is
// drawn onto silver so that the corners can be left transparent. Sizes too
// small for a style give no bands rather than a division by zero.
std::vector<GradShape> DrawGradientShapes(TGradStyle style, const GradientColors& colors, int W,
                                          int H, int stepWidth, bool buffered);

} // namespace components
