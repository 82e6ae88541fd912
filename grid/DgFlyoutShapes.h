// The outlines of the grid's small popup windows, as plain geometry: the
// roll indicator (two arrows and a dot), the column-drop arrows, and where
// the column drag box hangs under the mouse. The Windows side turns them into
// window regions (DgFlyoutControlWin.cpp, DgColumnDragBoxWin.cpp).
#pragma once

#include <vector>

#include "classlib/Types.h"

// Drop arrow kinds: 0 none (an empty shape), 1 pointing up, 2 pointing down.
enum class TDgArrowKind { None = 0, Up = 1, Down = 2 };
constexpr int DgArrowSize = 9;
std::vector<TPoint> DragArrowPolygon(TDgArrowKind Kind);

// The roll indicator: an upward and a downward arrow (winding fill) and the
// ellipse between them, in a 32 x 32 window placed at (P.X - 7, P.Y - 11).
std::vector<TPoint> RollUpArrowPolygon();
std::vector<TPoint> RollDownArrowPolygon();
TRect RollDotEllipse();
TRect RollShadowBounds(const TPoint& Anchor);

// The drag box's window for the mouse at Screen: centred on it, its bottom
// 4 pixels below it.
TRect DragBoxPlacement(const TPoint& Screen, int ClientWidth, int ClientHeight);
