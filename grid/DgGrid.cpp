// TDataGrid: the store's binding, cells, row properties and what the
// painting and the plays ask of a cell (see DgGrid.h).
#include "grid/DgGrid.h"

#include <algorithm>

#include "grid/DgCanvas.h"
#include "grid/DgCellClasses.h"
#include "grid/DgColumnDisplay.h"
#include "grid/DgRowBook.h"

TDataGrid::TDataGrid(TComponent* AOwner, IDgGridHost* Host) : TDgCustomGrid(AOwner, Host) {
  cells_ = new TCells(Columns());
  cells_->DefaultRowHeight = RowSize();
  cells_->OnCellChange = [this](TCells*, int ACol, int ARow) { StoreCellChanged(ACol, ARow); };
  cells_->OnCompare = [this](TCells*, TCell* Cell1, TCell* Cell2, int& Compare) {
    if (OnCompare) OnCompare(this, Cell1, Cell2, Compare);
  };
  cells_->OnCellBackColor = [this](int ACol, int ARow) { return GetCellBackColor(ACol, ARow); };
  cells_->OnCellTextColor = [this](int ACol, int ARow) { return GetCellTextColor(ACol, ARow); };
}

TDataGrid::~TDataGrid() {
  // The core frees the columns after this; their changes no longer reach a store.
  delete cells_;
  cells_ = nullptr;
}

// --- Cells ---------------------------------------------------------------------------------

TCell* TDataGrid::Cell(int ACol, int ARow) {
  CheckThread();
  return cells_->Cell(ACol, ARow);
}

// The texts test the place themselves: one message names both indices,
// whichever is wrong.
TCell* TDataGrid::CellInBounds(int ACol, int ARow) {
  CheckThread();
  if (!ValidRow(ARow) || !ValidColumn(ACol))
    throw Exception(Format("Cell out of bounds (%d, %d)", {ACol, ARow}));
  return cells_->Cell(ACol, ARow);
}

WideString TDataGrid::Cells(int ACol, int ARow) { return CellInBounds(ACol, ARow)->AsString(); }

void TDataGrid::SetCells(int ACol, int ARow, const WideString& Value) {
  CellInBounds(ACol, ARow)->SetAsString(Value);
}

void TDataGrid::StoreCellChanged(int ACol, int ARow) {
  // A footer's handlers, and OnChange, may free the grid.
  const TLifeToken life = LifeToken();
  FootersChanged();
  if (!life || UpdateLock() > 0) return;
  RepaintCell(ACol, ARow);
  DoChange(ACol, ARow);
}

bool TDataGrid::IsCellEmpty(int ACol, int ARow) {
  if (!ValidColumn(ACol) || !ValidRow(ARow)) return false;
  return (cells_->Cell(ACol, ARow)->Flags & TCell::kEmptyFlag) != 0;
}

TColor TDataGrid::GetCellColor(int ACol, int ARow) {
  if (!ValidColumn(ACol) || !ValidRow(ARow) || Columns()->Item(ACol)->ParentCellColor())
    return TDgCustomGrid::GetCellColor(ACol, ARow);
  return cells_->Cell(ACol, ARow)->Color();
}

void TDataGrid::ColumnsChanged(int Kind, int Index) {
  const TLifeToken life = LifeToken();
  TDgCustomGrid::ColumnsChanged(Kind, Index); // OnEditExit may free the grid
  if (!life) return;
  const int had = RowCount();
  if (cells_) cells_->ColumnsChanged(Kind, Index, -1);
  // Rows without any column go with the last one: the selection, anchor
  // and top row must not stay on them.
  if (had > 0 && RowCount() == 0) ClearRows();
}

// --- Row properties --------------------------------------------------------------------------

int TDataGrid::RowCount() const { return cells_ ? cells_->RowCount() : 0; }

int TDataGrid::VisibleRowCount() { return cells_->VisibleCount(); }

int TDataGrid::GetRowHeight(int ARow) {
  if (!ValidRow(ARow)) return RowSize();
  int h = cells_->Row(ARow)->Height;
  DoMeasuringRowHeight(ARow, h);
  return h;
}

int TDataGrid::GetRowLevel(int ARow) { return ValidRow(ARow) ? cells_->Row(ARow)->Level : 0; }

bool TDataGrid::GetRowVisible(int ARow) { return ValidRow(ARow) && cells_->Row(ARow)->Drawn(); }

bool TDataGrid::GetRowSelected(int ARow) { return ValidRow(ARow) && cells_->Row(ARow)->Selected; }

int TDataGrid::StyleRowHeight(int ARow) {
  return GridStyle() == gsSlides ? SlideSize() : GetRowHeight(ARow);
}

void TDataGrid::SetRowHeight(int ARow, int Height) {
  CheckThread();
  // A negative height would pull the rows below over this one.
  if (!ValidRow(ARow) || Height < 0) return;
  int old = GetRowHeight(ARow);
  if (old == Height) return;
  cells_->Row(ARow)->Height = Height;
  const TLifeToken life = LifeToken();
  TDgCustomGrid::SetRowHeight(ARow, Height); // OnChangeRowHeight may free the grid
  if (!life || UpdateLock() > 0 || !CanRepaint()) return;
  RepaintRow(ARow);
  int top;
  if (GridStyle() == gsReport && GetRowVisible(ARow) && TopOnScreen(ARow, top)) {
    TRect area = CellAreaRect();
    TRect below{0, top + std::min(old, Height) + LineBottom(), ClientWidth(), area.Bottom};
    if (below.Bottom > below.Top) Host()->ScrollPixels(0, Height - old, below);
  }
  UpdateVertScrollBar();
}

void TDataGrid::SetRowVisible(int ARow, bool Visible) {
  CheckThread();
  // The row's own flag is compared, not whether it is drawn: a row that only
  // a collapsed parent hides still stores the change, and comes back (or
  // stays away) by it when the parent expands.
  if (!ValidRow(ARow) || cells_->Row(ARow)->Visible == Visible) return;
  bool was = GetRowVisible(ARow);
  cells_->SetVisible(ARow, Visible);
  if (GetRowVisible(ARow) == was) return;
  if (UpdateLock() == 0) RowSpaceChanged(ARow, StyleRowHeight(ARow), Visible);
  RecountVisibleRows();
  if (UpdateLock() == 0) UpdateVertScrollBar();
}

void TDataGrid::SetRowSelected(int ARow, bool Selected) {
  CheckThread();
  if (!ValidRow(ARow) || cells_->Row(ARow)->Selected == Selected) return;
  cells_->Row(ARow)->Selected = Selected;
  RepaintRow(ARow);
}

void TDataGrid::SelectRowRange(int FromRow, int ToRow, bool Selected) {
  CheckThread();
  if (!ValidRow(FromRow) || !ValidRow(ToRow)) return;
  if (FromRow > ToRow) std::swap(FromRow, ToRow);
  for (int r = FromRow; r <= ToRow; ++r) cells_->Row(r)->Selected = Selected;
  InvalidateRowsFrom(FromRow, ToRow, true);
}

void TDataGrid::SetRowSize(int Value) {
  TDgCustomGrid::SetRowSize(Value);
  // Rows made from now on take it; rows that exist keep their heights.
  if (Value > 0) cells_->DefaultRowHeight = RowSize();
}

void TDataGrid::RecountVisibleRows() {
  int first = DgRows::FirstDrawnFrom(*cells_, 0);
  int last = DgRows::LastDrawnUpTo(*cells_, RowCount() - 1);
  first_visible_row_ = std::max(first, 0);
  last_visible_row_ = std::max(last, 0);
}

bool TDataGrid::TopOnScreen(int ARow, int& Top) {
  TRect area = CellAreaRect();
  if (GridStyle() == gsSlides) {
    Top = RowTop(ARow);
    return true;
  }
  if (ARow < TopRow()) return false;
  // Walked from the top row, no further than the bottom of the cell area, so
  // that a row far below costs no more than one screen of rows.
  int y = area.Top + LineTop();
  int count = RowCount();
  for (int r = TopRow(); r < ARow; ++r) {
    y += r < count ? RowPitch(r) : RowSize() + RowSpacing();
    if (y >= area.Bottom) return false;
  }
  Top = y;
  return y < area.Bottom;
}

void TDataGrid::InvalidateRowsFrom(int FromRow, int ToRow, bool WithBottomLine) {
  if (!CanRepaint() || UpdateLock() > 0) return;
  int top;
  if (GridStyle() == gsSlides || FromRow < TopRow()) {
    InvalidateArea(CellAreaRect());
    return;
  }
  if (!TopOnScreen(FromRow, top)) return;
  TRect area = CellAreaRect();
  int bottom = top;
  for (int r = FromRow; r <= ToRow && bottom < area.Bottom; ++r) bottom += RowPitch(r);
  if (WithBottomLine) bottom += LineBottom();
  InvalidateArea(TRect{0, top - LineTop(), ClientWidth(), std::min(bottom, area.Bottom)});
}

// --- What painting and the plays ask ---------------------------------------------------------

void TDataGrid::GetCellInfo(int ACol, int ARow, TDgCellValue& Value) {
  if (!ValidColumn(ACol) || !ValidRow(ARow)) return;
  TCell* c = cells_->Cell(ACol, ARow);
  switch (Columns()->Item(ACol)->CellKind()) {
    case DgCellKind::Increment: Value.Integer = ARow; break;
    case DgCellKind::Boolean: Value.Boolean = c->AsBoolean(); break;
    case DgCellKind::DateTime: Value.DateTime = c->AsDateTime(); break;
    case DgCellKind::Float: Value.Float = c->AsFloat(); break;
    case DgCellKind::Value: Value.Value = c->Value; break;
    case DgCellKind::Guid:
    case DgCellKind::Text:
    case DgCellKind::Virtual: Value.Text = c->AsString(); break;
    case DgCellKind::Integer: Value.Integer = c->AsInteger(); break;
    default: break;
  }
}

void TDataGrid::GetDisplayText(int ACol, int ARow, WideString& Text) {
  if (!ValidColumn(ACol) || !ValidRow(ARow)) return;
  TDgCellValue v;
  GetCellInfo(ACol, ARow, v);
  Text = Columns()->Item(ACol)->DisplayText(v);
}

void TDataGrid::GetHintText(int ACol, int ARow, WideString& Text) {
  if (!ValidColumn(ACol) || !ValidRow(ARow)) return;
  TDgCellValue v;
  GetCellInfo(ACol, ARow, v);
  Text = Columns()->Item(ACol)->DisplayTextCopy(v);
}

void TDataGrid::GetCellHint(int ACol, int ARow, WideString& Value) {
  if (ValidColumn(ACol) && ValidRow(ARow)) Value = cells_->Cell(ACol, ARow)->Hint;
  TDgCustomGrid::GetCellHint(ACol, ARow, Value);
}

bool TDataGrid::DrawCellText(int ACol, int ARow, TCellState CellState) {
  TDgCustomGrid::DrawCellText(ACol, ARow, CellState);
  if (!ValidColumn(ACol) || !ValidRow(ARow)) return true;
  TDgCustomColumn* col = Columns()->Item(ACol);
  if (TVirtualColElement* d = col->Display()) {
    d->Value = TDgCellValue();
    GetCellInfo(ACol, ARow, d->Value);
  }
  return true;
}

void TDataGrid::PrepareCellDisplay(int ACol, int ARow, TVirtualColElement* Display) {
  // Only a tree column's display takes the row's place in the tree; the
  // library has no tree column class, so every display goes without.
}

void TDataGrid::PreparePlay(TDgCustomColumn* Column, int ARow, TVirtualColElement* Play) {
  if (!Column || !Play || !ValidRow(ARow)) return;
  int col = Column->Index();
  if (!ValidColumn(col)) return;
  if (auto* p = dynamic_cast<TColumnPlay*>(Play)) p->RowLevel = GetRowLevel(ARow);
  TCell* c = cells_->Cell(col, ARow);
  switch (Column->CellKind()) {
    case DgCellKind::Boolean: Play->Value.Boolean = c->AsBoolean(); break;
    case DgCellKind::Integer: Play->Value.Integer = c->AsInteger(); break;
    case DgCellKind::Text: GetDisplayText(col, ARow, Play->Value.Text); break;
    default: break;
  }
}

void TDataGrid::PlayValueChanged(TDgCustomColumn* Column, int ARow) {
  if (!Column || !ValidRow(ARow) || !ValidColumn(Column->Index())) return;
  TVirtualColElement* play = Column->Play();
  if (!play) return;
  int col = Column->Index();
  uint8_t kind = Column->CellKind();
  if (kind != DgCellKind::Boolean && kind != DgCellKind::Integer) return;
  WideString text = kind == DgCellKind::Boolean ? DgCellText::BooleanText(play->Value.Boolean)
                                                : DgCellText::Widen(IntToStr(play->Value.Integer));
  bool accept = true;
  const TLifeToken life = LifeToken();
  if (OnEditAccept) OnEditAccept(this, col, ARow, text, accept);
  if (!life || !accept || !ValidRow(ARow)) return;
  TCell* c = cells_->Cell(col, ARow);
  const TRow* row = cells_->Row(ARow);
  if (kind == DgCellKind::Boolean)
    c->SetAsBoolean(play->Value.Boolean);
  else
    c->SetAsInteger(play->Value.Integer);
  // OnChange may free the grid, or change its rows or columns under the cell.
  if (!life || !ValidRow(ARow) || cells_->Row(ARow) != row || Columns()->IndexOf(Column) != col)
    return;
  if (OnAfterEdit) OnAfterEdit(this, col, ARow, c->AsString());
}

void TDataGrid::PlayClicked(TDgCustomColumn* Column, int ARow) {
  if (ValidRow(ARow)) SetExpanded(ARow, !Expanded(ARow));
}

void TDataGrid::CellFormatting(int ACol, int ARow, TCellState CellState) {
  TFontStyles style;
  if (ValidColumn(ACol) && ValidRow(ARow)) style = cells_->Cell(ACol, ARow)->FontStyle;
  if (CellState.Contains(csBoldTextSelection)) style.Include(fsBold);
  // The colour the core prepared the cell's font with (DrawCellText).
  TColor color = CellFontColor();
  const TLifeToken life = LifeToken();
  if (OnCellFormating) OnCellFormating(this, ACol, ARow, color, style, CellState);
  if (life) ApplyCellFont(color, style);
}
