// The grid's geometry: line widths, regions, row places and cell
// rectangles, and the repaints of parts of it (see DgCustomGridControl.h).
#include <algorithm>

#include "grid/DgCanvas.h"
#include "grid/DgClasses.h"
#include "grid/DgCustomGridControl.h"
#include "grid/DgGridBinding.h"

void TDgCustomGridControl::RecalcLineWidths() {
  line_left_ = line_top_ = line_right_ = line_bottom_ = 0;
  if (options_.Contains(goGrid)) {
    const bool threeD = appearance_options_.Contains(ao3DGridLines);
    if (grid_lines_style_ != lsHorizontalOnly && grid_lines_style_ != lsActiveHorzOnly) {
      line_right_ = 1;
      if (threeD) line_left_ = 1;
    }
    if (grid_lines_style_ != lsVerticalOnly) {
      line_bottom_ = 1;
      if (threeD) line_top_ = 1;
    }
  }
  row_spacing_ = line_top_ + line_bottom_;
}

int TDgCustomGridControl::ClientWidth() const { return host_ ? host_->ClientWidth() : width_; }
int TDgCustomGridControl::ClientHeight() const { return host_ ? host_->ClientHeight() : height_; }

int TDgCustomGridControl::IndicatorWidth() const {
  return options_.Contains(goIndicator) ? TDgColumns::IndicatorWidth : 0;
}

int TDgCustomGridControl::ColumnsWidth() const { return columns_ ? columns_->VisibleWidth() : 0; }

int TDgCustomGridControl::HorzPos() const {
  if (!host_ || grid_style_ != gsReport) return 0;
  return host_->HorzScrollBar().Position();
}

int TDgCustomGridControl::FixedLeft() const { return IndicatorWidth() + columns_->FixedWidth(); }

TRect TDgCustomGridControl::HeaderRect() const {
  if (!options_.Contains(goHeader)) return TRect{0, 0, 0, 0};
  if (grid_style_ == gsSlides) return TRect{0, 0, ClientWidth(), header_size_};
  const int i = IndicatorWidth();
  return TRect{i, 0, i + ColumnsWidth() - HorzPos(), header_size_};
}

TRect TDgCustomGridControl::InputRect() const {
  if (!options_.Contains(goInput) || grid_style_ != gsReport) return TRect{0, 0, 0, 0};
  const int top = options_.Contains(goHeader) ? header_size_ : 0;
  const int i = IndicatorWidth();
  return TRect{i, top, i + ColumnsWidth() - HorzPos(), top + input_size_ + 6 + line_bottom_};
}

TRect TDgCustomGridControl::CellAreaRect() const {
  const int header_bottom = options_.Contains(goHeader) ? header_size_ : 0;
  if (grid_style_ == gsSlides) return TRect{0, header_bottom, ClientWidth(), ClientHeight()};
  const int i = IndicatorWidth();
  int top = header_bottom;
  if (options_.Contains(goInput)) top += input_size_ + 6 + line_bottom_;
  int bottom = ClientHeight();
  if (options_.Contains(goFooter)) bottom -= footer_size_ + 4 + line_bottom_;
  const int right = std::min(i + ColumnsWidth() - HorzPos(), ClientWidth());
  return TRect{i, top, right, std::max(top, bottom)};
}

TRect TDgCustomGridControl::FooterRect() const {
  if (!options_.Contains(goFooter) || grid_style_ != gsReport) return TRect{0, 0, 0, 0};
  const int i = IndicatorWidth();
  return TRect{i, ClientHeight() - footer_size_ - 4 - line_bottom_, i + ColumnsWidth() - HorzPos(),
               ClientHeight()};
}

TRect TDgCustomGridControl::IndicatorRect() const {
  if (!options_.Contains(goIndicator) || grid_style_ != gsReport) return TRect{0, 0, 0, 0};
  return TRect{0, 0, TDgColumns::IndicatorWidth, ClientHeight()};
}

void TDgCustomGridControl::TColumnsBinding::BandSpan(int Kind, int& Top, int& Bottom) const {
  TRect r;
  if (Kind == 0)
    r = grid_.FooterRect();
  else if (Kind == 4)
    r = grid_.InputRect();
  else
    r = TRect{0, 0, 0, grid_.options_.Contains(goHeader) ? grid_.header_size_ : 0};
  Top = r.Top;
  Bottom = r.Bottom;
}

int TDgCustomGridControl::TColumnsBinding::TextWidth(const TDgCustomColumn* Column,
                                                     const WideString& Text) const {
  TDgCanvas* c = grid_.host_ ? grid_.host_->Canvas() : nullptr;
  if (!c) return static_cast<int>(Text.size()) * 6;
  c->SetFont(Column ? *Column->Font() : grid_.font_);
  return TextWidthW(*c, Text);
}

// --- Rows -----------------------------------------------------------------------------------

int TDgCustomGridControl::RowPitch(int ARow) {
  const bool slides = grid_style_ == gsSlides;
  if (ARow >= RowCount()) return (slides ? slide_size_ : row_size_) + row_spacing_;
  // A hidden row takes no room in either style, as painting skips it.
  if (ARow < 0 || !GetRowVisible(ARow)) return 0;
  if (slides) return slide_size_ + row_spacing_;
  const int h = GetRowHeight(ARow);
  return h > 0 ? h + row_spacing_ : 0;
}

int TDgCustomGridControl::RowTop(int ARow) {
  const TRect area = CellAreaRect();
  // Below the line above it (a 3-D line's upper half), as painted.
  int y = area.Top + line_top_;
  if (ARow <= top_row_) return y;
  const int count = RowCount();
  for (int r = top_row_; r < ARow && r < count; ++r) y += RowPitch(r);
  // Rows past the end (the place a new row would take).
  if (ARow > count) y += (ARow - std::max(count, top_row_)) * RowPitch(count);
  return y;
}

int TDgCustomGridControl::FullRowsFromTop() {
  const TRect area = CellAreaRect();
  const int room = area.Bottom - area.Top - (grid_style_ == gsReport ? line_top_ : 0);
  int used = 0, rows = 0;
  const int count = RowCount();
  for (int r = std::max(top_row_, 0); r < count; ++r) {
    const int p = RowPitch(r);
    if (p == 0) continue;
    if (used + p > room) break;
    used += p;
    ++rows;
  }
  return rows;
}

int TDgCustomGridControl::VisibleRowsBefore(int ARow) {
  int n = 0;
  const int end = std::min(ARow, RowCount());
  for (int r = 0; r < end; ++r)
    if (GetRowVisible(r)) ++n;
  return n;
}

void TDgCustomGridControl::GetCellRect(int ACol, int ARow, TRect& Rect) {
  Rect = TRect{0, 0, 0, 0};
  if (!ValidColumn(ACol)) return;
  TDgCustomColumn* c = columns_->Item(ACol);
  const int top = RowTop(ARow);
  if (grid_style_ == gsSlides) {
    const TDgSlideBounds* b = c->SlideBounds();
    Rect = TRect{b->Left(), top + b->Top(), b->Left() + b->Width(), top + b->Top() + b->Height()};
    return;
  }
  Rect.Left = c->VisibleLeft();
  Rect.Right = Rect.Left + c->Width();
  Rect.Top = top;
  Rect.Bottom = top + (ValidRow(ARow) ? GetRowHeight(ARow) : row_size_);
}

// --- Repaints -----------------------------------------------------------------------------

bool TDgCustomGridControl::CanRepaint() const { return host_ && host_->HandleAllocated(); }

void TDgCustomGridControl::InvalidateAll() {
  if (CanRepaint()) host_->Invalidate();
}

void TDgCustomGridControl::InvalidateArea(const TRect& R) {
  if (CanRepaint() && R.Right > R.Left && R.Bottom > R.Top) host_->InvalidateRect(R);
}

void TDgCustomGridControl::RepaintRegion(int Region) {
  if (!CanRepaint()) return;
  switch (Region) {
    case DgRegion::Cells: InvalidateArea(CellAreaRect()); break;
    case DgRegion::Footer:
      if (options_.Contains(goFooter)) InvalidateArea(FooterRect());
      break;
    case DgRegion::Header:
      if (options_.Contains(goHeader)) InvalidateArea(HeaderRect());
      break;
    case DgRegion::Indicator:
      if (options_.Contains(goIndicator)) InvalidateArea(IndicatorRect());
      break;
    case DgRegion::Input:
      if (options_.Contains(goInput)) InvalidateArea(InputRect());
      break;
    default: InvalidateArea(TRect{0, 0, ClientWidth(), ClientHeight()}); break;
  }
}

void TDgCustomGridControl::RepaintCell(int ACol, int ARow) {
  if (!CanRepaint() || update_lock_ > 0 || !ValidColumn(ACol) || !ValidRow(ARow)) return;
  TRect r;
  GetCellRect(ACol, ARow, r);
  r.Bottom += line_bottom_;
  r.Right += line_right_;
  InvalidateArea(r);
}

void TDgCustomGridControl::RepaintRow(int ARow) {
  if (!CanRepaint() || update_lock_ > 0 || !ValidRow(ARow)) return;
  const int top = RowTop(ARow);
  const int h = grid_style_ == gsSlides ? slide_size_ : GetRowHeight(ARow);
  InvalidateArea(TRect{0, top - line_top_, ClientWidth(), top + h + line_bottom_});
}

void TDgCustomGridControl::RepaintIndicatorCell(int ARow) {
  if (!CanRepaint() || update_lock_ > 0 || !ValidRow(ARow)) return;
  if (!options_.Contains(goIndicator) || grid_style_ != gsReport) return;
  const int top = RowTop(ARow);
  InvalidateArea(
      TRect{0, top, TDgColumns::IndicatorWidth, top + GetRowHeight(ARow) + line_bottom_});
}

void TDgCustomGridControl::RepaintSelection() {
  if (update_lock_ > 0) return;
  const int count = RowCount();
  for (int r = 0; r < count; ++r)
    if (GetRowSelected(r)) RepaintRow(r);
}

void TDgCustomGridControl::RepaintColumn(TDgCustomColumn* Column, int Region) {
  if (!Column || !CanRepaint() || update_lock_ > 0) return;
  TRect r;
  switch (Region) {
    case DgRegion::Cells: r = CellAreaRect(); break;
    case DgRegion::Footer: r = FooterRect(); break;
    case DgRegion::Header: r = HeaderRect(); break;
    case DgRegion::Input: r = InputRect(); break;
    case DgRegion::Indicator: r = IndicatorRect(); break;
    default: r = TRect{0, 0, ClientWidth(), ClientHeight()}; break;
  }
  r.Left = Column->VisibleLeft();
  r.Right = r.Left + Column->Width() + line_right_;
  InvalidateArea(r);
}

void TDgCustomGridControl::InvalidateColumn(TDgCustomColumn* Column) { InvalidateAll(); }

void TDgCustomGridControl::UpdateScrollAreas() {
  if (!host_) return;
  const TRect cells = CellAreaRect();
  const TRect horz{FixedLeft(), 0, ClientWidth(), ClientHeight()};
  host_->SetScrollAreas(horz, TRect{0, cells.Top, ClientWidth(), cells.Bottom});
}
