// Mouse geometry of the grid (see DgGridMouseGeometry.h).
#include "grid/DgGridMouseGeometry.h"

#include <algorithm>

namespace {

int RightEdge(const TDgCustomColumn& c) { return c.VisibleLeft() + c.Width(); }

// The previous visible column before display position Pos, or null.
TDgCustomColumn* PreviousVisible(const TDgColumns& cols, int Pos) {
  for (int p = Pos - 1; p >= 0; --p) {
    TDgCustomColumn* c = cols.PositionItem(p);
    if (c && c->Visible()) return c;
  }
  return nullptr;
}

} // namespace

int DgHitTest(const TDgRegionRects& R, const TPoint& P) {
  if (!R.Report) {
    if (R.HasHeader && R.Header.Contains(P)) return DgHit::Header;
    return DgHit::Cells;
  }
  if (R.HasHeader && R.Header.Contains(P)) return DgHit::Header;
  if (R.HasInput && R.Input.Contains(P)) return DgHit::Input;
  if (R.Cells.Contains(P)) return DgHit::Cells;
  if (R.HasFooter && R.Footer.Contains(P)) return DgHit::Footer;
  if (R.HasIndicator && R.Indicator.Contains(P)) return DgHit::Indicator;
  return DgHit::None;
}

TDgCustomColumn* DgColumnAtX(const TDgColumns& Columns, int X) {
  for (int p = 0; p < Columns.Count(); ++p) {
    TDgCustomColumn* c = Columns.PositionItem(p);
    if (!c || !c->Visible()) continue;
    const int left = c->VisibleLeft();
    if (X >= left && X <= left + c->Width()) return c;
  }
  return nullptr;
}

int DgFixedAreaRight(const TDgColumns& Columns) {
  const int origin = Columns.Host() ? Columns.Host()->ColumnsOrigin() : 0;
  return origin + Columns.FixedWidth();
}

TDgCustomColumn* DgResizeZoneAt(const TDgColumns& Columns, int X) {
  const int fixedRight = DgFixedAreaRight(Columns);
  for (int p = 0; p < Columns.Count(); ++p) {
    TDgCustomColumn* c = Columns.PositionItem(p);
    if (!c || !c->Visible() || c->Options().Contains(coFixedSize)) continue;
    const int right = RightEdge(*c);
    if (right < X - 2 || right > X + 3) continue;
    if (!c->IsFixed() && right <= fixedRight) continue;
    return c;
  }
  return nullptr;
}

int DgResizeFloor(const TDgCustomColumn& Column) { return std::max(Column.MinWidth(), 1); }

int DgResizeDelta(const TDgCustomColumn& Column, int X) {
  const int delta = X - RightEdge(Column);
  return std::max(delta, DgResizeFloor(Column) - Column.Width());
}

int DgDropTarget(const TDgColumns& Columns, const TDgCustomColumn& Dragged, int X) {
  const int own = Columns.PositionOf(&Dragged);
  const int fixedRight = DgFixedAreaRight(Columns);
  for (int p = 0; p < Columns.Count(); ++p) {
    TDgCustomColumn* c = Columns.PositionItem(p);
    if (!c || (!c->Visible() && c != &Dragged)) continue;
    const int left = c->VisibleLeft();
    if (X < left || X > left + c->Width()) continue;
    if (c == &Dragged) return own;
    if (!c->IsFixed() && X < fixedRight) return own;
    const bool rightHalf = X >= left + c->Width() / 2;
    if (rightHalf) return own >= p ? p + 1 : p;
    if (p < own) return p;
    TDgCustomColumn* prev = PreviousVisible(Columns, p);
    return prev ? Columns.PositionOf(prev) : p;
  }
  return own;
}

bool DgDropArrowX(const TDgColumns& Columns, const TDgCustomColumn& Dragged, int Target, int& X) {
  const int own = Columns.PositionOf(&Dragged);
  if (Target == own || Target < 0 || Target >= Columns.Count()) return false;
  TDgCustomColumn* c = Columns.PositionItem(Target);
  if (!c || !c->Visible()) return false;
  X = Target > own ? RightEdge(*c) : c->VisibleLeft();
  return true;
}

bool DgMoveAllowed(const TDgColumns& Columns, const TDgCustomColumn& Dragged, int Target,
                   bool LockFixedCols) {
  if (!LockFixedCols) return true;
  const int fixed = Columns.FixedCols();
  return Target >= fixed && Columns.PositionOf(&Dragged) >= fixed;
}

TRect DgHeaderDropBand(const TDgColumns& Columns, int ClientWidth, int CellsTop) {
  const TDgCustomColumn* last = Columns.LastVisible();
  const int right = last ? RightEdge(*last) : 0;
  return TRect{0, 0, std::min(right, ClientWidth), CellsTop};
}
