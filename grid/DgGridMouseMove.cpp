// The grid's mouse moves: dragging a resize guide, hovering headers (hot
// header, header hints, the start of a column drag), footers, cells (plays,
// the start of a row move, text-fit and cell hints) and the indicator, and
// the cursor that announces each (see DgCustomGrid.h).
#include <algorithm>
#include <cstdlib>

#include "grid/DgCanvas.h"
#include "grid/DgColumnDisplay.h"
#include "grid/DgCursors.h"
#include "grid/DgCustomGrid.h"
#include "grid/DgGridMouseGeometry.h"

namespace {

// Hint kinds: which region's hint is showing.
namespace HintKind {
constexpr int None = 0, Footer = 1, Header = 2, TextFit = 3, Cell = 4;
}

bool BeyondFromDown(const TPoint& Down, int X, int Y, int Pixels) {
  return std::abs(X - Down.X) > Pixels || std::abs(Y - Down.Y) > Pixels;
}

} // namespace

void TDgCustomGrid::SetMouseCursor(TCursor Cursor) {
  if (host_) host_->SetCursorShape(Cursor);
}

void TDgCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  CheckThread();
  if (!columns_ || columns_->Count() == 0) return;
  if (host_ && host_->Rolling()) return;
  if (column_resizing_) {
    MoveColumnResize(X);
    return;
  }
  if (row_resize_row_ >= 0) {
    MoveRowResize(Y);
    return;
  }
  if (row_moving_) {
    // The drop place follows the mouse wherever it goes (above the cells it
    // is "nowhere").
    TrackRowMove(Y);
    return;
  }
  const int hit = HitTest(X, Y);
  if ((hint_kind_ == HintKind::Header && hit != DgRegion::Header) ||
      (hint_kind_ == HintKind::Footer && hit != DgRegion::Footer) ||
      ((hint_kind_ == HintKind::TextFit || hint_kind_ == HintKind::Cell) && hit != DgRegion::Cells))
    HideGridHint();
  if (hit != DgRegion::Header) SetHotColumn(nullptr);
  if (hit != DgRegion::Header) header_hint_column_ = nullptr;
  if (hit != DgRegion::Footer) footer_hint_column_ = nullptr;
  if (hit != DgRegion::Cells && !LeaveHoveredCell()) return;
  switch (hit) {
    case DgRegion::Header: HeaderHover(Shift, X, Y); break;
    case DgRegion::Footer: FooterHover(X); break;
    case DgRegion::Cells: CellHover(Shift, X, Y); break;
    case DgRegion::Indicator: IndicatorHover(X, Y); break;
    default:
      HideGridHint();
      SetMouseCursor(crDefault);
      break;
  }
}

void TDgCustomGrid::HeaderHover(TShiftState Shift, int X, int Y) {
  hover_resize_ = DgResizeZoneAt(*columns_, X);
  SetMouseCursor(hover_resize_ ? DgCursor::HorzSplit : crDefault);
  TDgCustomColumn* c = header_candidate_;
  const bool movable = c && columns_->IndexOf(c) >= 0 && !c->Options().Contains(coDisableMoving) &&
                       !Options().Contains(goDisableColumnMoving);
  if (movable && Shift.Contains(ssLeft) && down_set_) {
    if (BeyondFromDown(down_point_, X, Y, 3)) StartColumnDrag(c, X, Y);
    return;
  }
  TDgCustomColumn* hot = DgColumnAtX(*columns_, X);
  SetHotColumn(hot);
  if (hot && hot != header_hint_column_) {
    header_hint_column_ = hot;
    const WideString& hint = hot->Header()->Hint();
    if (!hint.empty()) {
      const int left = hot->VisibleLeft();
      ShowGridHint(HintKind::Header, hint,
                   TRect{left, HeaderSize() + 2, left + ClientWidth(), HeaderSize() + 22});
    }
  }
}

void TDgCustomGrid::SetHotColumn(TDgCustomColumn* Column) {
  if (Column == hot_column_) return;
  TDgCustomColumn* old = hot_column_;
  hot_column_ = Column;
  if (display_ && (display_->Capabilities() & DgStyleCaps::HotHeaders)) {
    if (old && columns_->IndexOf(old) >= 0) RepaintColumn(old, DgRegion::Header);
    if (Column) RepaintColumn(Column, DgRegion::Header);
  }
}

void TDgCustomGrid::FooterHover(int X) {
  SetMouseCursor(crDefault);
  TDgCustomColumn* c = DgColumnAtX(*columns_, X);
  if (!c || c == footer_hint_column_) return;
  footer_hint_column_ = c;
  const WideString& hint = c->Footer()->Hint();
  if (hint.empty()) return;
  const int left = c->VisibleLeft(), top = ClientHeight() + 2;
  ShowGridHint(HintKind::Footer, hint, TRect{left, top, left + ClientWidth(), top + 20});
}

void TDgCustomGrid::IndicatorHover(int X, int Y) {
  HideGridHint();
  if (Options().Contains(goRowResizing) && RowResizeZone(X, Y) >= 0) {
    SetMouseCursor(DgCursor::VertSplit);
    return;
  }
  int col = -1, row = -1;
  PointToCell(X, Y, col, row);
  SetMouseCursor(row >= 0 ? DgCursor::IndicatorSelect : crDefault);
}

bool TDgCustomGrid::LeaveHoveredCell() {
  if (hover_col_ < 0 && hover_row_ < 0) return true;
  if (ValidColumn(hover_col_) && ValidRow(hover_row_))
    if (TColumnPlay* play = ActivePlay(columns_->Item(hover_col_), hover_row_)) {
      const TLifeToken life = LifeToken();
      play->MouseLeave();
      if (!life) return false;
    }
  prev_hover_col_ = hover_col_;
  prev_hover_row_ = hover_row_;
  hover_col_ = hover_row_ = -1;
  return true;
}

void TDgCustomGrid::CellHover(TShiftState Shift, int X, int Y) {
  int col = -1, row = -1;
  PointToCell(X, Y, col, row);
  const bool changed = col != hover_col_ || row != hover_row_;
  // The play's and the hint's handlers may free the grid: nothing of it is
  // touched after that.
  const TLifeToken life = LifeToken();
  if (changed) {
    if (!LeaveHoveredCell()) return;
    hover_col_ = col;
    hover_row_ = row;
    if (hint_kind_ == HintKind::TextFit || hint_kind_ == HintKind::Cell) HideGridHint();
  }
  const bool cell = ValidColumn(col) && ValidRow(row);
  TRect rect;
  if (cell) GetCellRect(col, row, rect);
  if (cell)
    if (TColumnPlay* play = ActivePlay(columns_->Item(col), row)) {
      play->MouseMove(X - rect.Left, Y - rect.Top);
      if (!life) return;
    }

  if (move_source_row_ >= 0 && Options().Contains(goRowMoving) && Shift.Contains(ssLeft) &&
      down_set_ && BeyondFromDown(down_point_, X, Y, 5)) {
    row_moving_ = true;
    SetMouseCursor(crDrag);
    TrackRowMove(Y);
    return;
  }
  if (!cell) return;
  if (CellEditing() && col == EditCol() && row == EditRow()) {
    HideGridHint();
    return;
  }
  TDgCustomColumn* c = columns_->Item(col);
  SetMouseCursor(c->Cursor());
  if (!changed) return;

  if (c->Options().Contains(coShowTextFitHint)) {
    WideString text;
    GetDisplayText(col, row, text);
    DoApplyCell(col, row, text);
    if (!life) return;
    // Measured in the font the cell is drawn in: what the formatting
    // handler makes of it (bold included).
    const TCellState state = CellStateOf(col, row);
    PrepareCellFont(col, row, state);
    CellFormatting(col, row, state);
    if (!life || columns_->IndexOf(c) != col) return;
    if (CellTextWidth(text) + 5 > c->Width()) {
      WideString full;
      GetHintText(col, row, full);
      DoApplyCell(col, row, full);
      if (!life) return;
      ShowGridHint(HintKind::TextFit, full,
                   TRect{rect.Left, rect.Top, rect.Left + ClientWidth(), rect.Bottom});
      return;
    }
  }
  WideString hint;
  GetCellHint(col, row, hint);
  if (!life || columns_->IndexOf(c) != col) return;
  if (!hint.empty()) {
    const int left = rect.Left + c->Width(), top = rect.Top - 20;
    ShowGridHint(HintKind::Cell, hint, TRect{left, top, left + 250, top + 20});
  }
}

void TDgCustomGrid::ShowGridHint(int Kind, const WideString& Text, const TRect& Place) {
  if (!host_ || !host_->FormActive()) return;
  if (Kind != HintKind::TextFit && !host_->ApplicationShowHint()) return;
  host_->ShowHint(Text, Place);
  hint_kind_ = Kind;
}

void TDgCustomGrid::HideGridHint() {
  if (hint_kind_ == HintKind::None) return;
  hint_kind_ = HintKind::None;
  if (host_) host_->HideHint();
}

void TDgCustomGrid::DblClick() {}

void TDgCustomGrid::MouseEnter() {
  CheckThread();
  if (OnMouseEnter) OnMouseEnter(this);
}

void TDgCustomGrid::MouseLeave() {
  CheckThread();
  // The row-move marker goes with the mouse; it comes back where the mouse
  // does.
  SetDropRow(-1);
  HideGridHint();
  if (columns_) {
    SetHotColumn(nullptr);
    if (!LeaveHoveredCell()) return;
  }
  header_hint_column_ = footer_hint_column_ = nullptr;
  hover_resize_ = nullptr;
  if (OnMouseLeave) OnMouseLeave(this);
}

// The hint window is the host's (it shows and hides it on request).
void TDgCustomGrid::CreateHintWindow() {}
