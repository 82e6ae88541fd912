// Where the mouse is on the grid (regions, cells, resize zones, drop rows),
// and the three drags: a column edge or a row edge with its inverted guide
// line, a row with its red drop marker, and a column by its header with the
// drag box and drop arrows (the host's windows). Guide lines and the marker
// are drawn over each paint (PaintFeedback), so a repaint never leaves a
// stale one behind and taking them away is a repaint of their strip.
#include <algorithm>

#include "grid/DgCanvas.h"
#include "grid/DgCursors.h"
#include "grid/DgCustomGrid.h"
#include "grid/DgGridMouseGeometry.h"

// --- Where the mouse is ---------------------------------------------------------------

int TDgCustomGrid::HitTest(int X, int Y) {
  TDgRegionRects r;
  const TGridOptions o = Options();
  r.Report = GridStyle() == gsReport;
  r.HasHeader = o.Contains(goHeader);
  r.HasInput = o.Contains(goInput);
  r.HasFooter = o.Contains(goFooter);
  r.HasIndicator = o.Contains(goIndicator);
  r.Header = HeaderRect();
  r.Input = InputRect();
  r.Cells = CellAreaRect();
  r.Footer = FooterRect();
  r.Indicator = IndicatorRect();
  return DgHitTest(r, Point(X, Y));
}

int TDgCustomGrid::RowAtY(int Y) {
  const TRect area = CellAreaRect();
  if (Y < area.Top || Y >= area.Bottom) return -1;
  const int count = RowCount();
  int top = RowTop(TopRow());
  for (int r = std::max(TopRow(), 0); r < count && top < area.Bottom; ++r) {
    const int pitch = RowPitch(r);
    if (pitch == 0) continue;
    const int height = GridStyle() == gsSlides ? SlideSize() : GetRowHeight(r);
    if (top + height + LineTop() >= Y) return r;
    top += pitch;
  }
  return -1;
}

void TDgCustomGrid::PointToCell(int X, int Y, int& ACol, int& ARow) {
  ACol = ARow = -1;
  if (!columns_) return;
  ARow = RowAtY(Y);
  if (GridStyle() == gsReport) {
    if (TDgCustomColumn* c = DgColumnAtX(*columns_, X)) ACol = c->Index();
    return;
  }
  if (ARow < 0) return;
  for (int p = 0; p < columns_->Count(); ++p) {
    TDgCustomColumn* c = columns_->PositionItem(p);
    if (!c->Visible()) continue;
    TRect cell;
    GetCellRect(c->Index(), ARow, cell);
    if (cell.Contains(Point(X, Y))) {
      ACol = c->Index();
      return;
    }
  }
}

int TDgCustomGrid::RowResizeZone(int X, int Y) {
  const TRect area = CellAreaRect();
  if (X > TDgColumns::IndicatorWidth || Y < area.Top) return -1;
  const int count = RowCount();
  int top = RowTop(TopRow());
  for (int r = std::max(TopRow(), 0); r < count && top <= area.Bottom; ++r) {
    const int pitch = RowPitch(r);
    if (pitch == 0) continue;
    const int lower = top + pitch; // the top of the row below
    if (lower >= Y && lower <= Y + 2) return r;
    top = lower;
  }
  return -1;
}

int TDgCustomGrid::DropRowAt(int Y) {
  const TRect area = CellAreaRect();
  if (Y < area.Top) return -1;
  const int count = RowCount();
  int top = RowTop(TopRow());
  int last = std::max(TopRow(), 0);
  for (int r = last; r < count; ++r) {
    const int pitch = RowPitch(r);
    if (pitch == 0) continue;
    if (Y < top + pitch) return Y >= top + pitch / 2 ? r + 1 : r;
    top += pitch;
    last = r + 1;
  }
  return std::min(last, count);
}

// --- Guide lines and the row marker ---------------------------------------------------------

void TDgCustomGrid::SetGuideLines(int Left, int Right) {
  const int h = ClientHeight();
  for (int x : guide_x_)
    if (x != DgNoGuide) InvalidateArea(TRect{x, 0, x + 1, h});
  guide_x_[0] = Left;
  guide_x_[1] = Right;
  for (int x : guide_x_)
    if (x != DgNoGuide) InvalidateArea(TRect{x, 0, x + 1, h});
}

void TDgCustomGrid::SetRowGuide(int Y) {
  const int w = ClientWidth();
  if (row_guide_y_ >= 0) InvalidateArea(TRect{0, row_guide_y_, w, row_guide_y_ + 1});
  row_guide_y_ = Y;
  if (row_guide_y_ >= 0) InvalidateArea(TRect{0, row_guide_y_, w, row_guide_y_ + 1});
}

int TDgCustomGrid::MarkerY(int DropRow) {
  return std::max(RowTop(DropRow) - 1, CellAreaRect().Top);
}

void TDgCustomGrid::SetDropRow(int DropRow) {
  if (DropRow == drop_row_) return;
  const int w = ClientWidth();
  if (marker_y_ >= 0) InvalidateArea(TRect{0, marker_y_ - 4, w, marker_y_ + 5});
  drop_row_ = DropRow;
  marker_y_ = DropRow >= 0 ? MarkerY(DropRow) : -1;
  if (marker_y_ >= 0) InvalidateArea(TRect{0, marker_y_ - 4, w, marker_y_ + 5});
}

void TDgCustomGrid::PaintFeedback(TDgCanvas& Canvas) {
  const int w = ClientWidth(), h = ClientHeight();
  for (int x : guide_x_)
    if (x != DgNoGuide) Canvas.InvertRect(TRect{x, 0, x + 1, h});
  if (row_guide_y_ >= 0) Canvas.InvertRect(TRect{0, row_guide_y_, w, row_guide_y_ + 1});
  if (row_moving_ && marker_y_ >= 0) {
    const int y = marker_y_, left = 8, right = CellAreaRect().Right - 8;
    const TColor red = 0x0000FF;
    Canvas.Line(left, y, right, y, red);
    Canvas.Polygon({Point(left, y - 4), Point(left + 4, y), Point(left, y + 4)}, red, red);
    Canvas.Polygon({Point(right, y - 4), Point(right - 4, y), Point(right, y + 4)}, red, red);
  }
}

// --- Column resizing --------------------------------------------------------------------

void TDgCustomGrid::BeginColumnResize(TDgCustomColumn* Column) {
  resize_column_ = Column;
  column_resizing_ = true;
  resize_delta_ = 0;
  const int left = Column->VisibleLeft();
  SetGuideLines(Column->VisibleIndex() == 0 ? left : left - 1, left + Column->Width() - 1);
  if (host_) host_->SetCaptureMouse(true);
}

void TDgCustomGrid::MoveColumnResize(int X) {
  if (!resize_column_ || columns_->IndexOf(resize_column_) < 0) return;
  resize_delta_ = DgResizeDelta(*resize_column_, X);
  SetGuideLines(guide_x_[0],
                resize_column_->VisibleLeft() + resize_column_->Width() + resize_delta_ - 1);
}

void TDgCustomGrid::FinishColumnResize() {
  TDgCustomColumn* c = resize_column_;
  const int delta = resize_delta_;
  column_resizing_ = false;
  resize_column_ = nullptr;
  resize_delta_ = 0;
  SetGuideLines(DgNoGuide, DgNoGuide);
  if (c && columns_->IndexOf(c) >= 0 && delta != 0)
    c->SetWidth(std::max(c->Width() + delta, DgResizeFloor(*c)));
}

// --- Row resizing -------------------------------------------------------------------------

void TDgCustomGrid::BeginRowResize(int ARow, int Y) {
  row_resize_row_ = ARow;
  SetRowGuide(Y);
  if (host_) host_->SetCaptureMouse(true);
}

void TDgCustomGrid::MoveRowResize(int Y) { SetRowGuide(std::max(Y, RowTop(row_resize_row_) + 8)); }

void TDgCustomGrid::FinishRowResize() {
  const int row = row_resize_row_, y = row_guide_y_;
  row_resize_row_ = -1;
  SetRowGuide(-1);
  if (ValidRow(row) && y >= 0) SetRowHeight(row, y - RowTop(row));
}

// --- Row moving --------------------------------------------------------------------------

void TDgCustomGrid::TrackRowMove(int Y) {
  const int drop = DropRowAt(Y);
  if (drop == drop_row_) return;
  SetDropRow(drop);
  if (drop < 0) return;
  // Near the ends of the shown rows the rows scroll towards the mouse.
  int lastFull = TopRow() - 1;
  for (int r = std::max(TopRow(), 0), n = FullRowsFromTop(); r < RowCount() && n > 0; ++r)
    if (RowPitch(r) > 0) {
      lastFull = r;
      --n;
    }
  if (drop == TopRow() && TopRow() > 0) {
    MoveVertBar(-1);
    SetDropRow(-1);
    SetDropRow(drop);
  } else if (drop == lastFull + 1 && drop < RowCount()) {
    MoveVertBar(1);
    SetDropRow(-1);
    SetDropRow(drop);
  }
}

void TDgCustomGrid::FinishRowMove(int Y) {
  const int source = move_source_row_;
  const int drop = DropRowAt(Y);
  row_moving_ = false;
  move_source_row_ = -1;
  SetDropRow(-1);
  SetMouseCursor(crDefault);
  if (drop < 0 || !ValidRow(source)) {
    DragCanceled();
    return;
  }
  const int target = std::min(source < drop ? drop - 1 : drop, RowCount() - 1);
  bool accept = true;
  // The handlers may change the rows or free the grid.
  const TLifeToken life = LifeToken();
  const int rows = RowCount();
  if (OnRowMove) OnRowMove(this, source, target, accept);
  if (!life) return;
  if (!accept || rows != RowCount()) {
    DragCanceled();
    return;
  }
  undo_on_cancel_ = false;
  MoveRow(source, target);
  if (!life) return;
  if (OnAfterRowMove) OnAfterRowMove(this, source, target);
  if (life && ValidRow(target)) SetSelectedRow(target);
}

// --- Column dragging ---------------------------------------------------------------------

void TDgCustomGrid::StartColumnDrag(TDgCustomColumn* Column, int X, int Y) {
  // A drag is not a click: the header no longer shows pressed.
  if (header_pressed_) {
    header_pressed_ = false;
    pressed_column_ = nullptr;
    RepaintColumn(Column, DgRegion::Header);
  }
  header_candidate_ = nullptr;
  SetHotColumn(nullptr);
  HideGridHint();
  drag_column_ = Column;
  column_dragging_ = true;
  arrows_shown_ = false;
  if (!host_) return;
  const TPoint origin = host_->ClientToScreen(Point(0, 0));
  const int left = Column->VisibleLeft();
  const TRect box{origin.X + left, origin.Y, origin.X + left + Column->Width(),
                  origin.Y + HeaderSize()};
  host_->StartColumnDrag(Column, box, host_->ClientToScreen(Point(X, Y)));
}

TPoint TDgCustomGrid::ScreenToGrid(int X, int Y) {
  const TPoint origin = host_ ? host_->ClientToScreen(Point(0, 0)) : Point(0, 0);
  return Point(X - origin.X, Y - origin.Y);
}

bool TDgCustomGrid::InDropBand(const TPoint& P) {
  return DgHeaderDropBand(*columns_, ClientWidth(), CellAreaRect().Top).Contains(P);
}

bool TDgCustomGrid::DragTargetAt(int ScreenX, int ScreenY, int& Target) {
  if (!drag_column_ || !columns_ || columns_->IndexOf(drag_column_) < 0) return false;
  const TPoint p = ScreenToGrid(ScreenX, ScreenY);
  if (!InDropBand(p)) return false;
  Target = DgDropTarget(*columns_, *drag_column_, p.X);
  return DgMoveAllowed(*columns_, *drag_column_, Target, Options().Contains(goLockFixedCols));
}

void TDgCustomGrid::ColumnDragMove(int X, int Y) {
  CheckThread();
  if (!column_dragging_ || !host_) return;
  int target = -1, x = 0;
  if (DragTargetAt(X, Y, target)) {
    host_->SetColumnDragCursor(crDefault);
    drop_target_ = target;
    if (DgDropArrowX(*columns_, *drag_column_, target, x)) {
      const TPoint at = host_->ClientToScreen(Point(x, 0));
      host_->ShowDropArrows(true, Point(at.X - 4, at.Y - 12),
                            Point(at.X - 4, at.Y + HeaderSize() - 1));
      arrows_shown_ = true;
    } else if (arrows_shown_) {
      host_->ShowDropArrows(false, TPoint{}, TPoint{});
      arrows_shown_ = false;
    }
    return;
  }
  drop_target_ = -1;
  if (arrows_shown_) host_->ShowDropArrows(false, TPoint{}, TPoint{});
  arrows_shown_ = false;
  host_->SetColumnDragCursor(DgCursor::ColumnNoDrag);
}

void TDgCustomGrid::ColumnDragDrop(int X, int Y) {
  CheckThread();
  if (!column_dragging_) return;
  TDgCustomColumn* c = drag_column_;
  int target = -1;
  const bool alive = columns_ && c && columns_->IndexOf(c) >= 0;
  const bool inBand = alive && InDropBand(ScreenToGrid(X, Y));
  const bool allowed = inBand && DragTargetAt(X, Y, target);
  EndColumnDragState();
  if (!alive) return;
  if (allowed) {
    columns_->Move(columns_->PositionOf(c), target);
  } else if (!inBand && Options().Contains(goCanHideColumn) && columns_->VisibleCount() > 1) {
    // The last visible column stays: a grid without one could never get
    // a header back to drag.
    c->SetVisible(false);
  }
}

void TDgCustomGrid::ColumnDragCancelled() {
  CheckThread();
  EndColumnDragState();
}

void TDgCustomGrid::EndColumnDragState() {
  if (!column_dragging_) return;
  column_dragging_ = false;
  drag_column_ = nullptr;
  drop_target_ = -1;
  if (host_) {
    host_->SetColumnDragCursor(crDefault);
    if (arrows_shown_) host_->ShowDropArrows(false, TPoint{}, TPoint{});
    host_->SetCursorShape(crDefault);
  }
  arrows_shown_ = false;
}
