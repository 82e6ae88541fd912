// Scrolling: the vertical bar counts visible rows (its position is the
// number of visible rows above TopRow), the horizontal one pixels.
#include <algorithm>

#include "grid/DgCustomGridControl.h"
#include "grid/DgScrollBar.h"

int TDgCustomGridControl::HorzScrollMax() {
  const int w = ColumnsWidth() + IndicatorWidth() - ClientWidth();
  return w > 0 ? w : 0;
}

int TDgCustomGridControl::HorzScrollDelta(int OldPos, int NewPos) { return OldPos - NewPos; }

int TDgCustomGridControl::VertScrollDelta(int OldPos, int NewPos) {
  const int count = RowCount();
  int steps = NewPos - OldPos;
  int pixels = 0;
  while (steps > 0) {
    int next = top_row_ + 1;
    while (next < count && !GetRowVisible(next)) ++next;
    if (next >= count) break;
    pixels -= RowPitch(top_row_);
    top_row_ = next;
    --steps;
  }
  while (steps < 0) {
    int prior = top_row_ - 1;
    while (prior >= 0 && !GetRowVisible(prior)) --prior;
    if (prior < 0) break;
    top_row_ = prior;
    pixels += RowPitch(prior);
    ++steps;
  }
  // Rows of different heights: a position near the end may leave room
  // below the last row; rows above come back into it.
  int back_rows = 0, back_pixels = 0;
  FillRoomAtBottom(back_rows, back_pixels);
  pixels += back_pixels;
  // The bar asked for more rows than there are (or fewer fit): it stays on
  // the top row.
  if ((steps != 0 || back_rows != 0) && host_) {
    TDgScrollBar& bar = host_->VertScrollBar();
    bar.BeginUpdate();
    bar.SetPosition(NewPos - steps - back_rows);
    bar.EndUpdate();
  }
  return pixels;
}

void TDgCustomGridControl::FillRoomAtBottom(int& Rows, int& Pixels) {
  Rows = Pixels = 0;
  const int count = RowCount();
  const TRect area = CellAreaRect();
  const int room = area.Bottom - area.Top - (grid_style_ == gsReport ? line_top_ : 0);
  while (top_row_ > 0 && top_row_ < count) {
    int prior = top_row_ - 1;
    while (prior >= 0 && !GetRowVisible(prior)) --prior;
    if (prior < 0) break;
    int used = 0;
    for (int r = top_row_; r < count && used <= room; ++r) used += RowPitch(r);
    const int p = RowPitch(prior);
    if (used + p > room) break;
    top_row_ = prior;
    ++Rows;
    Pixels += p;
  }
}

void TDgCustomGridControl::UpdateVertScrollBar() {
  if (!host_ || update_lock_ > 0) return;
  const int count = RowCount();
  // A top row the rows no longer reach (deleted, hidden) moves to a shown one.
  if (top_row_ >= count) top_row_ = std::max(0, count - 1);
  if (count > 0 && !GetRowVisible(top_row_)) {
    int r = top_row_;
    while (r < count && !GetRowVisible(r)) ++r;
    if (r >= count) {
      r = top_row_;
      while (r > 0 && !GetRowVisible(r)) --r;
    }
    top_row_ = r;
  }
  const int v = count == 1 ? 0 : VisibleRowCount();
  // Room left below the last row while rows above the top are hidden by
  // the scroll: come back up until the rows fill the area.
  int back_rows = 0, back_pixels = 0;
  FillRoomAtBottom(back_rows, back_pixels);
  const int f = FullRowsFromTop();
  TDgScrollBar& bar = host_->VertScrollBar();
  bar.BeginUpdate();
  if (f < v) {
    bar.SetMax(v);
    bar.SetPageSize(f + 1);
    bar.LargeChange = bar.PageSize();
  } else {
    bar.SetMax(0);
  }
  bar.SetPosition(VisibleRowsBefore(top_row_));
  bar.EndUpdate();
}

void TDgCustomGridControl::UpdateHorzScrollBar() {
  if (!host_) return;
  TDgScrollBar& bar = host_->HorzScrollBar();
  if (grid_style_ != gsReport) {
    bar.BeginUpdate();
    bar.SetPosition(0);
    bar.EndUpdate();
    bar.SetVisible(false);
    return;
  }
  const int max = ColumnsWidth() + IndicatorWidth();
  const int page = ClientWidth() + 1;
  bar.SetMax(max);
  bar.SetPageSize(page);
  // A client narrower than ten pixels still pages by a pixel.
  bar.LargeChange = std::max(1, page - 10);
  bar.SetVisible(page < max);
  const int limit = std::max(0, max - page + 1);
  if (bar.Position() > limit) bar.SetPosition(limit);
  UpdateScrollAreas();
}

void TDgCustomGridControl::MoveVertBar(int Rows) {
  if (!host_ || Rows == 0) return;
  TDgScrollBar& bar = host_->VertScrollBar();
  const int before = bar.Position();
  const int last = std::max(0, bar.Max() - bar.PageSize() + 1);
  bar.SetPosition(std::max(0, std::min(last, before + Rows)));
  AfterScrollRows(bar.Position() - before);
}

void TDgCustomGridControl::ScrollToRow(int ARow) {
  CheckThread();
  if (!ValidRow(ARow) || !host_) return;
  const int f = FullRowsFromTop();
  if (ARow < top_row_) {
    int rows = 0;
    for (int r = ARow; r < top_row_; ++r)
      if (GetRowVisible(r)) ++rows;
    MoveVertBar(-rows);
    return;
  }
  // The last fully shown row, counting visible rows only.
  int last = top_row_, seen = 0;
  const int count = RowCount();
  for (int r = top_row_; r < count && seen < f; ++r)
    if (GetRowVisible(r) && RowPitch(r) > 0) {
      last = r;
      ++seen;
    }
  if (seen > 0 && ARow <= last) return;
  int rows = 0;
  for (int r = last + (seen > 0 ? 1 : 0); r <= ARow; ++r)
    if (GetRowVisible(r)) ++rows;
  if (seen == 0 && rows > 0) --rows; // nothing fits: ARow becomes the top row
  MoveVertBar(rows);
}

void TDgCustomGridControl::ScrollToColumn(TDgCustomColumn* Column) {
  CheckThread();
  if (!Column || !host_ || Column->IsFixed() || grid_style_ != gsReport) return;
  TDgScrollBar& bar = host_->HorzScrollBar();
  const int left = Column->VisibleLeft();
  const int right = left + Column->Width();
  if (left < FixedLeft())
    bar.MoveBy(left - FixedLeft());
  else if (right > ClientWidth())
    bar.MoveBy(std::min(right - ClientWidth(), left - FixedLeft()));
  RepositionEditor();
}
