// Where the mouse is on the grid, as plain geometry over the grid's regions
// and its columns: which region a point lies in, the column under an x, the
// column whose right edge a press would drag, how far a dragged edge may go,
// and where a column dragged by its header would land and its drop arrows
// stand. Coordinates are the grid's client coordinates unless said; columns
// give their screen x through VisibleLeft (scrolled unless fixed).
#pragma once

#include "classlib/Types.h"
#include "grid/DgColumns.h"

// What a point hits; the numbers are also the grid's region numbers.
namespace DgHit {
constexpr int None = 0, Cells = 1, Footer = 2, Header = 3, Indicator = 4, Input = 5;
}

// The mouse states of the grid: at most one at a time.
enum class TDgMouseState {
  Idle,
  ColumnResizing,
  ColumnDragging,
  RowResizing,
  RowMoving,
  HeaderPressed
};

// No guide line shown (any x a line could take is far above it).
constexpr int DgNoGuide = -1000000;

// The grid's regions as laid out for one moment; a region that its option
// leaves out is not Has*.
struct TDgRegionRects {
  bool Report = true;
  bool HasHeader = false, HasInput = false, HasFooter = false, HasIndicator = false;
  TRect Header, Input, Cells, Footer, Indicator;
};

// First match in report style: header, input line, cell area, footer,
// indicator. In slides style the header or else the cells.
int DgHitTest(const TDgRegionRects& R, const TPoint& P);

// The first visible column in display order whose span [left, left + width]
// holds X; null when none does.
TDgCustomColumn* DgColumnAtX(const TDgColumns& Columns, int X);

// The column whose right edge a press at X would drag: the first visible
// column without coFixedSize whose right edge lies within X - 2 .. X + 3,
// leaving out a scrolled column whose edge is under the fixed area.
TDgCustomColumn* DgResizeZoneAt(const TDgColumns& Columns, int X);

// Right edge of the fixed area (where the scrolled columns start).
int DgFixedAreaRight(const TDgColumns& Columns);

// The narrowest a drag may make a column: its MinWidth, and never less than
// one pixel (a column of no width could not be found or grabbed again).
int DgResizeFloor(const TDgCustomColumn& Column);
// The width change of dragging the column's right edge to X.
int DgResizeDelta(const TDgCustomColumn& Column, int X);

// The display position the dragged column would take when dropped at X
// (client x). Over the dragged column itself, over a scrolled column hidden
// under the fixed area, or over no column it keeps its place.
int DgDropTarget(const TDgColumns& Columns, const TDgCustomColumn& Dragged, int X);

// The client x of the drop arrows for a target position: the target
// column's right edge when the column moves right, else its left edge. False
// when no arrow shows (the column stays where it is, or the column at the
// target is hidden).
bool DgDropArrowX(const TDgColumns& Columns, const TDgCustomColumn& Dragged, int Target, int& X);

// Whether moving the dragged column to Target may happen: with locked fixed
// columns neither end may lie among them.
bool DgMoveAllowed(const TDgColumns& Columns, const TDgCustomColumn& Dragged, int Target,
                   bool LockFixedCols);

// The band in which a dragged header may be dropped: from x 0 to the columns'
// right edge (at most the client width), from y 0 to the cell area's top.
TRect DgHeaderDropBand(const TDgColumns& Columns, int ClientWidth, int CellsTop);
