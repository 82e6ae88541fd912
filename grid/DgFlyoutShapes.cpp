// Outlines of the popup windows (see DgFlyoutShapes.h).
#include "grid/DgFlyoutShapes.h"

std::vector<TPoint> DragArrowPolygon(TDgArrowKind Kind) {
  switch (Kind) {
    case TDgArrowKind::Up:
      return {{-1, 5}, {4, -1}, {9, 5}, {6, 5}, {6, 9}, {3, 9}, {3, 4}, {0, 5}};
    case TDgArrowKind::Down:
      return {{5, 0}, {3, 0}, {3, 4}, {0, 4}, {4, 9}, {9, 4}, {6, 4}, {6, 0}};
    default: return std::vector<TPoint>(8, TPoint{0, 0});
  }
}

std::vector<TPoint> RollUpArrowPolygon() { return {{-1, 7}, {7, -1}, {8, 0}, {14, 7}, {0, 6}}; }

std::vector<TPoint> RollDownArrowPolygon() {
  return {{-1, 15}, {14, 15}, {6, 22}, {6, 22}, {-1, 14}};
}

TRect RollDotEllipse() { return TRect{5, 9, 10, 14}; }

TRect RollShadowBounds(const TPoint& Anchor) { return Bounds(Anchor.X - 7, Anchor.Y - 11, 32, 32); }

TRect DragBoxPlacement(const TPoint& Screen, int ClientWidth, int ClientHeight) {
  return Bounds(Screen.X - ClientWidth / 2, Screen.Y - ClientHeight + 4, ClientWidth, ClientHeight);
}
