// The grid's mouse presses and releases: selecting cells and rows, starting
// edits, pressing and clicking headers (sorting), starting a column or row
// resize, and ending every mouse state (see DgCustomGrid.h). Moves, hints and
// cursors are in DgGridMouseMove.cpp; column dragging, row moving, the guide
// lines and the geometry behind them in DgGridMouseDrag.cpp.
#include <algorithm>

#include "grid/DgColumnDisplay.h"
#include "grid/DgCustomGrid.h"
#include "grid/DgGridMouseGeometry.h"

namespace {

bool Designing(const TComponent& c) { return c.ComponentState().Contains(csDesigning); }

} // namespace

TColumnPlay* TDgCustomGrid::ActivePlay(TDgCustomColumn* Column, int ARow) {
  if (!Column || !ValidRow(ARow) || ReadOnly()) return nullptr;
  auto* play = dynamic_cast<TColumnPlay*>(Column->Play());
  if (!play) return nullptr;
  const bool reacts = Column->Options().Contains(coEditing) ||
                      (Column->CapabilityFlags() & DgColumnCaps::Extra5) != 0;
  return reacts ? play : nullptr;
}

bool TDgCustomGrid::CanBeginEditAt(TDgCustomColumn* Column, int ARow, const TRect& CellRect) {
  if (!Column) return false;
  bool accept = true;
  // The handler may free the column, or the grid with it.
  const TLifeToken life = LifeToken();
  if (OnBeforeEdit) OnBeforeEdit(this, Column->Index(), ARow, accept);
  if (!life || !accept || columns_->IndexOf(Column) < 0) return false;
  if (auto* play = dynamic_cast<TColumnPlay*>(Column->Play())) {
    play->ColIndex = Column->Index();
    play->RowIndex = ARow;
    play->Canvas = host_ ? host_->Canvas() : nullptr;
    play->CellRect = CellRect;
    play->OnClick = [this](TObject* Sender) {
      auto* p = static_cast<TColumnPlay*>(Sender);
      if (ValidColumn(p->ColIndex)) PlayClicked(columns_->Item(p->ColIndex), p->RowIndex);
    };
    play->OnChange = [this](TObject* Sender) {
      auto* p = static_cast<TColumnPlay*>(Sender);
      if (ValidColumn(p->ColIndex)) PlayValueChanged(columns_->Item(p->ColIndex), p->RowIndex);
    };
    PreparePlay(Column, ARow, play);
  }
  return true;
}

void TDgCustomGrid::RaiseColumnClick(const THeaderClickEvent& Event, int X) {
  if (!Event) return;
  TDgCustomColumn* c = DgColumnAtX(*columns_, X);
  Event(this, c ? c->Index() : -1);
}

// --- Press -------------------------------------------------------------------------------

void TDgCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  CheckThread();
  down_point_ = Point(X, Y);
  down_set_ = true;
  PointToCell(X, Y, down_col_, down_row_);

  if (Shift.Contains(ssDouble)) {
    // Its handlers may free the grid: nothing of it is touched after them.
    down_set_ = false;
    MouseDoubleClick(X, Y);
    return;
  }

  if (!Designing(*this) && host_ && !host_->Focused()) host_->SetFocus();
  if (!columns_ || columns_->Count() == 0 || Button == mbMiddle) return;
  if (host_ && host_->Rolling()) return;

  const int hit = HitTest(X, Y);
  if (Button == mbLeft && hit == DgRegion::Header) {
    if (TDgCustomColumn* c = DgResizeZoneAt(*columns_, X)) {
      BeginColumnResize(c);
      return;
    }
  }
  switch (hit) {
    case DgRegion::Cells: CellPress(Button, Shift, X, Y); break;
    case DgRegion::Header: HeaderPress(Button, Shift, X); break;
    case DgRegion::Indicator: IndicatorPress(X, Y); break;
    case DgRegion::Input: break;
    default: {
      const TLifeToken life = LifeToken();
      ApplyEdit();
      if (life && EndEditSurvived()) OutsideRegionsClick();
      break;
    }
  }
}

void TDgCustomGrid::MouseDoubleClick(int X, int Y) {
  // The zone never holds a column of fixed size: any other sizes to its cells.
  if (hover_resize_ && columns_->IndexOf(hover_resize_) >= 0 &&
      DgResizeZoneAt(*columns_, X) == hover_resize_) {
    AutoSizeColumn(hover_resize_->Index(), 1, true);
    return;
  }
  switch (HitTest(X, Y)) {
    case DgRegion::Cells:
      if (ValidColumn(down_col_) && ValidRow(down_row_) && OnCellDblClick)
        OnCellDblClick(this, down_col_, down_row_);
      break;
    case DgRegion::Header: RaiseColumnClick(OnHeaderDblClick, X); break;
    case DgRegion::Indicator:
      if (Options().Contains(goRowResizing)) {
        const int r = RowResizeZone(X, Y);
        if (r >= 0) FitRowHeight(r);
      }
      break;
    default: break;
  }
}

void TDgCustomGrid::CellPress(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // The edit's, the play's and the selection's handlers may free the grid.
  const TLifeToken life = LifeToken();
  if (CellEditing() || InputEditing()) {
    const bool input = InputEditing();
    ApplyEdit();
    if (life && input) AddInputRow();
    if (!life || !EndEditSurvived()) return;
  }
  if (GridStyle() == gsReport && InputFocused()) SetInputFocus(false);
  if (!life) return;

  focused_cell_click_ = down_col_ == SelectedColumn() && down_row_ == SelectedRow();
  bool clearMulti = Button == mbLeft;
  const TGridOptions o = Options();
  if (o.Contains(goMultiSelect) && o.Contains(goSelectFullRow) && ValidRow(down_row_)) {
    const bool selected = GetRowSelected(down_row_);
    if (Button == mbRight && !selected) {
      clearMulti = true;
      undo_on_cancel_ = true;
    } else if (Button == mbLeft && selected && o.Contains(goRowMoving) && MultiSelecting()) {
      // The press may begin moving the selected rows: keep them until the
      // mouse shows whether it drags.
      clearMulti = false;
      undo_on_cancel_ = true;
    }
  }
  if (down_row_ < 0) return;
  move_source_row_ = down_row_;
  int col = down_col_;
  if (!ValidColumn(col)) col = SelectedColumn();

  if (ValidColumn(col)) {
    TDgCustomColumn* c = columns_->Item(col);
    TRect cell;
    GetCellRect(col, down_row_, cell);
    if (ActivePlay(c, down_row_) && CanBeginEditAt(c, down_row_, cell)) {
      if (TColumnPlay* play = ActivePlay(c, down_row_))
        play->MouseDown(Button == mbLeft    ? 0
                        : Button == mbRight ? 1
                                            : 2,
                        X - cell.Left, Y - cell.Top);
    }
    if (!life) return;
  }
  SelectCell(col, down_row_, clearMulti, Shift);
  if (!life) return;

  if (GridStyle() == gsReport) {
    if (ValidRow(down_row_) && RowTop(down_row_) + GetRowHeight(down_row_) > CellAreaRect().Bottom)
      ScrollToRow(down_row_);
  } else if (ValidRow(down_row_) && RowTop(down_row_) + SlideSize() > CellAreaRect().Bottom) {
    MoveVertBar(1);
  }
}

void TDgCustomGrid::HeaderPress(TMouseButton Button, TShiftState Shift, int X) {
  if (Button != mbLeft || Designing(*this)) return;
  TDgCustomColumn* c = DgColumnAtX(*columns_, X);
  if (!c || !c->Options().Contains(coCanClick)) {
    header_candidate_ = nullptr;
    return;
  }
  header_candidate_ = c;
  pressed_column_ = c;
  header_pressed_ = true;
  RepaintColumn(c, DgRegion::Header);
}

void TDgCustomGrid::IndicatorPress(int X, int Y) {
  if (Options().Contains(goRowResizing)) {
    const int r = RowResizeZone(X, Y);
    if (r >= 0) {
      BeginRowResize(r, Y);
      return;
    }
  }
  int col = -1, row = -1;
  PointToCell(X, Y, col, row);
  SetSelectedRow(row);
}

// --- Release -----------------------------------------------------------------------------

void TDgCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  CheckThread();
  TDgCustomColumn* candidate = header_candidate_;
  header_candidate_ = nullptr;
  down_set_ = false;
  if (!columns_) return;

  // Every step raises handlers that may free the grid: nothing of it is
  // touched after that.
  const TLifeToken life = LifeToken();
  if (row_moving_) {
    FinishRowMove(Y);
  } else if (move_source_row_ >= 0) {
    move_source_row_ = -1;
    // Pressed on a row of a selection, no drag followed: the press's row alone.
    if (undo_on_cancel_ && Button == mbLeft) DragCanceled();
  }
  if (!life) return;
  if (column_resizing_) {
    FinishColumnResize();
    return;
  }
  if (row_resize_row_ >= 0) FinishRowResize();
  if (!life) return;
  if (header_pressed_) {
    TDgCustomColumn* pressed = pressed_column_;
    header_pressed_ = false;
    pressed_column_ = nullptr;
    if (pressed && columns_->IndexOf(pressed) >= 0) {
      // The handler may free the column, or the grid itself.
      if (OnHeaderClick) OnHeaderClick(this, pressed->Index());
      if (!life) return;
      if (columns_->IndexOf(pressed) >= 0) RepaintColumn(pressed, DgRegion::Header);
      if (columns_->IndexOf(candidate) < 0) candidate = nullptr;
    }
  }
  if (Button != mbLeft) {
    EndEdit();
    return;
  }
  switch (HitTest(X, Y)) {
    case DgRegion::Cells:
      if (!Designing(*this)) CellRelease(X, Y);
      break;
    case DgRegion::Footer: RaiseColumnClick(OnFooterClick, X); break;
    case DgRegion::Header:
      if (!Designing(*this)) HeaderRelease(candidate, X);
      break;
    case DgRegion::Input:
      if (!Designing(*this))
        if (TDgCustomColumn* c = DgColumnAtX(*columns_, X)) BeginInputEdit(c, WideString());
      break;
    default:
      if (MultiSelecting()) ClearSelection();
      break;
  }
}

void TDgCustomGrid::CellRelease(int X, int Y) {
  int col = -1, row = -1;
  PointToCell(X, Y, col, row);
  if (ValidColumn(col) && ValidRow(row) && col == down_col_ && row == down_row_ && OnCellClick) {
    // The handler may delete the row or the column, or free the grid: the
    // cell is looked up again and nothing else follows a change.
    const TLifeToken life = LifeToken();
    const int rows = RowCount(), cols = columns_->Count();
    OnCellClick(this, col, row);
    if (!life || rows != RowCount() || cols != columns_->Count()) return;
    PointToCell(X, Y, col, row);
  }
  if (!ValidColumn(col)) return;
  if (!ValidRow(row)) {
    if (MultiSelecting()) ClearSelection();
    return;
  }
  // A press on one cell and a release on another is no click.
  if (col != down_col_ || row != down_row_) return;
  TDgCustomColumn* c = columns_->Item(col);
  TRect cell;
  GetCellRect(col, row, cell);
  if (TColumnPlay* play = ActivePlay(c, row)) {
    // A play's click may free the column, or the grid with it.
    const TLifeToken life = LifeToken();
    play->MouseUp(0, X - cell.Left, Y - cell.Top);
    if (!life || columns_->IndexOf(c) != col) return;
  }
  if (TextRectOf(c, cell).Contains(Point(X, Y)) &&
      (!Options().Contains(goSecondClickEdit) || focused_cell_click_))
    BeginEdit(col, row, WideString());
}

TRect TDgCustomGrid::TextRectOf(TDgCustomColumn* Column, const TRect& Cell) {
  if (auto* d = dynamic_cast<TColumnDisplay*>(Column->Display())) {
    d->CellRect = Cell;
    return d->TextRect();
  }
  return Cell;
}

void TDgCustomGrid::HeaderRelease(TDgCustomColumn* Candidate, int X) {
  TDgCustomColumn* c = DgColumnAtX(*columns_, X);
  if (!c || c != Candidate || !c->Options().Contains(coCanSort)) return;
  if (c->Sorted())
    c->SetSortKind(c->SortKind() == skAscending ? skDescending : skAscending);
  else
    c->SetSorted(true);
}

// --- Ending states -----------------------------------------------------------------------

void TDgCustomGrid::DragCanceled() {
  if (!undo_on_cancel_) return;
  undo_on_cancel_ = false;
  SelectCell(SelectedColumn(), SelectedRow(), true, TShiftState());
}

void TDgCustomGrid::CancelMode() {
  // The drag box holds the mouse while a column is dragged: its own end
  // (drop or cancel) reports back.
  (void)CancelMouseStates(false);
}

void TDgCustomGrid::CancelMouseStates() { (void)CancelMouseStates(true); }

bool TDgCustomGrid::CancelMouseStates(bool WithColumnDrag) {
  header_candidate_ = nullptr;
  down_set_ = false;
  if (column_resizing_) {
    column_resizing_ = false;
    resize_column_ = nullptr;
    resize_delta_ = 0;
    SetGuideLines(DgNoGuide, DgNoGuide);
  }
  if (row_resize_row_ >= 0) {
    row_resize_row_ = -1;
    SetRowGuide(-1);
  }
  if (row_moving_ || move_source_row_ >= 0) {
    const bool moving = row_moving_;
    row_moving_ = false;
    move_source_row_ = -1;
    SetDropRow(-1);
    if (moving && host_) host_->SetCursorShape(crDefault);
    // The selection's handlers may free the grid.
    const TLifeToken life = LifeToken();
    DragCanceled();
    if (!life) return false;
  }
  if (header_pressed_) {
    TDgCustomColumn* pressed = pressed_column_;
    header_pressed_ = false;
    pressed_column_ = nullptr;
    if (pressed && columns_ && columns_->IndexOf(pressed) >= 0)
      RepaintColumn(pressed, DgRegion::Header);
  }
  if (WithColumnDrag && column_dragging_) {
    EndColumnDragState();
    if (host_) host_->EndColumnDrag();
  }
  if (host_ && host_->HasCapture()) host_->SetCaptureMouse(false);
  return true;
}

TDgMouseState TDgCustomGrid::MouseState() const {
  if (column_resizing_) return TDgMouseState::ColumnResizing;
  if (column_dragging_) return TDgMouseState::ColumnDragging;
  if (row_resize_row_ >= 0) return TDgMouseState::RowResizing;
  if (row_moving_) return TDgMouseState::RowMoving;
  if (header_pressed_) return TDgMouseState::HeaderPressed;
  return TDgMouseState::Idle;
}
