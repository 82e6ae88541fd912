// The grid's rows in report style: cells with their colours, state and grid
// lines, the fillers below the last row, the indicator cells and the focus
// rectangle (see DgGridPaint.cpp for the order of the regions).
#include "grid/DgClasses.h"
#include "grid/DgColumnDisplay.h"
#include "grid/DgCustomGridControl.h"
#include "grid/DgSharedDraw.h"

namespace {
// The colour of a sorted column: each channel darker by Step, held at 0.
TColor Darker(TColor c, int Step) {
  const TColor rgb = DgResolveColor(c);
  auto ch = [&](int shift) {
    const int v = int((rgb >> shift) & 0xFF) - Step;
    return TColor(v < 0 ? 0 : v) << shift;
  };
  return ch(0) | ch(8) | ch(16);
}
constexpr TColor kBlack = 0;
constexpr TColor kWhite = 0xFFFFFF;
// A highlighted cell of an alpha-blended selection keeps this much of its
// own colour (of 255) under the system highlight.
constexpr int kSelectionAlpha = 64;
} // namespace

// --- Colours and state ----------------------------------------------------------------

bool TDgCustomGridControl::GridFocused() { return host_ && host_->Focused(); }

bool TDgCustomGridControl::IsCellSelected(int ACol, int ARow) {
  const TAppearanceOptions a = AppearanceOptions();
  if (GridStyle() == gsSlides && !a.Contains(aoHighlightSlideCells)) return false;
  if (InputFocused() || !ValidColumn(ACol) || !ValidRow(ARow)) return false;
  if (columns_->Item(ACol)->Options().Contains(coDontHighlight)) return false;
  if (!GridFocused() && a.Contains(aoHideSelection)) return false;
  const bool edited = CellEditing() && EditCol() == ACol && EditRow() == ARow;
  const bool focusedCell = ACol == SelectedColumn() && ARow == SelectedRow();
  if (Options().Contains(goSelectFullRow)) {
    if (!GetRowSelected(ARow) || edited) return false;
    return !(focusedCell && a.Contains(aoIndicateSelectedCell));
  }
  return focusedCell && !edited;
}

TCellState TDgCustomGridControl::CellStateOf(int ACol, int ARow) {
  TCellState s;
  if (IsCellSelected(ACol, ARow)) {
    s.Include(csSelected);
    if (AppearanceOptions().Contains(aoBoldTextSelection)) s.Include(csBoldTextSelection);
  }
  if (GridFocused() && !AppearanceOptions().Contains(aoHideFocus)) s.Include(csFocused);
  return s;
}

TColor TDgCustomGridControl::GetCellBackColor(int ACol, int ARow) {
  TColor c = GetCellColor(ACol, ARow);
  if (ValidColumn(ACol) && columns_->Item(ACol)->Sorted() &&
      AppearanceOptions().Contains(aoIndicateSortedColumn))
    c = Darker(c, 10);
  if (!IsCellSelected(ACol, ARow)) return c;
  if (!GridFocused()) return InactiveSelectionColor();
  if (AppearanceOptions().Contains(aoAlphaBlendedSelection))
    return BlendColor(c, clHighlight, kSelectionAlpha);
  return SelectionColor();
}

TColor TDgCustomGridControl::GetCellTextColor(int ACol, int ARow) {
  if (IsCellSelected(ACol, ARow) && GridFocused()) return HighlightedTextColor();
  return ValidColumn(ACol) ? columns_->Item(ACol)->Font()->Color() : font_.Color();
}

bool TDgCustomGridControl::DrawCellText(int ACol, int ARow, TCellState CellState) {
  if (!canvas_ || !ValidColumn(ACol)) return false;
  PrepareCellFont(ACol, ARow, CellState);
  return false;
}

void TDgCustomGridControl::PrepareCellFont(int ACol, int ARow, TCellState CellState) {
  if (!ValidColumn(ACol)) return;
  cell_font_.Assign(columns_->Item(ACol)->Font());
  cell_font_.SetColor(Enabled() ? GetCellTextColor(ACol, ARow) : clGrayText);
  if (CellState.Contains(csBoldTextSelection)) {
    TFontStyles st = cell_font_.Style();
    st.Include(fsBold);
    cell_font_.SetStyle(st);
  }
  if (canvas_) canvas_->SetFont(cell_font_);
}

int TDgCustomGridControl::CellTextWidth(const WideString& Text) {
  TDgCanvas* c = canvas_ ? canvas_ : host_ ? host_->Canvas() : nullptr;
  if (!c) return static_cast<int>(Text.size()) * 6;
  c->SetFont(cell_font_);
  return TextWidthW(*c, Text);
}

void TDgCustomGridControl::ApplyCellFont(TColor TextColor, TFontStyles Style) {
  cell_font_.SetColor(TextColor);
  cell_font_.SetStyle(Style);
  if (canvas_) canvas_->SetFont(cell_font_);
}

// --- Rows ---------------------------------------------------------------------------------

void TDgCustomGridControl::DrawRows() {
  const TRect cells = CellAreaRect();
  const int rows = RowCount();
  const bool indicator = Options().Contains(goIndicator);
  // The columns to draw, in display order.
  std::vector<int> shown;
  for (int pos = 0; columns_ && pos < columns_->Count(); ++pos) {
    TDgCustomColumn* col = columns_->PositionItem(pos);
    int left = 0, right = 0;
    if (ColumnSpan(col, left, right)) shown.push_back(col->Index());
  }
  // The cells' handlers may free the grid: the paint stops there.
  const TLifeToken life = LifeToken();
  int y = cells.Top;
  for (int r = TopRow(); y < cells.Bottom; ++r) {
    paint_row_ = r;
    if (r < rows) {
      if (!GetRowVisible(r)) continue;
      const int h = GetRowHeight(r);
      if (h <= 0) continue;
      const bool cut = SkipPartialRows() && y + LineTop() + h > cells.Bottom;
      for (int c : shown) {
        cut ? DrawFillerCell(c, r) : DrawCell(c, r);
        if (!life) return;
      }
      if (indicator) {
        const bool current = r == SelectedRow() && !InputFocused();
        DrawIndicatorCell(r, current, !InputFocused() && (GetRowSelected(r) || current));
      }
      y += h + RowSpacing();
    } else {
      for (int c : shown) {
        DrawFillerCell(c, r);
        if (!life) return;
      }
      if (indicator) DrawIndicatorCell(r, false, false);
      y += RowSize() + RowSpacing();
    }
  }
  if (Options().Contains(goSelectFullRow)) DrawFocusRectangle();
}

void TDgCustomGridControl::DrawCellLines(const TRect& R, TColor GridColor, bool BlackBottom,
                                         bool BlackRight) {
  TDgCanvas& c = *canvas_;
  if (LineBottom() > 0)
    c.Line(R.Left, R.Bottom, R.Right + 1, R.Bottom, BlackBottom ? kBlack : GridColor);
  if (LineTop() > 0) c.Line(R.Left, R.Top - 1, R.Right + 1, R.Top - 1, clBtnHighlight);
  if (LineLeft() > 0) c.Line(R.Left, R.Top - 1, R.Left, R.Bottom + 1, clBtnHighlight);
  if (LineRight() > 0)
    c.Line(R.Right - 1, R.Top - 1, R.Right - 1, R.Bottom + 1, BlackRight ? kBlack : GridColor);
}

TDgCustomColumn* TDgCustomGridControl::CellToDraw(int ACol, int ARow, TRect& R) {
  if (!canvas_ || !ValidColumn(ACol)) return nullptr;
  TDgCustomColumn* col = columns_->Item(ACol);
  if (!col->Visible()) return nullptr;
  GetCellRect(ACol, ARow, R);
  // With its grid lines above and below.
  TRect outer{R.Left, R.Top - LineTop(), R.Right, R.Bottom + LineBottom()}, meet;
  return IntersectRect(meet, outer, canvas_->ClipBox()) ? col : nullptr;
}

void TDgCustomGridControl::ClipCell(TDgCustomColumn* Column, const TRect& R) {
  const TRect cells = CellAreaRect();
  TRect area{R.Left, R.Top - LineTop(), R.Right, R.Bottom + LineBottom()};
  if (GridStyle() == gsReport && area.Bottom > cells.Bottom) area.Bottom = cells.Bottom;
  ClipToArea(Column, area);
}

void TDgCustomGridControl::DrawCell(int ACol, int ARow) {
  TRect r;
  TDgCustomColumn* col = CellToDraw(ACol, ARow, r);
  if (!col) return;
  const TAppearanceOptions a = AppearanceOptions();
  TDgCanvas& c = *canvas_;
  c.SetFont(*col->Font());
  TColor back = GetCellBackColor(ACol, ARow);
  TColor gridColor = GridLinesColor();
  const TCellState state = CellStateOf(ACol, ARow);
  const bool highlighted = state.Contains(csSelected);
  auto* display = dynamic_cast<TColumnDisplay*>(col->Display());
  if (display) display->Highlighted = highlighted;
  // Each handler may free the grid (its columns and their displays too):
  // nothing more is drawn then.
  const TLifeToken life = LifeToken();
  if (OnCellColoring) OnCellColoring(this, ACol, ARow, back, gridColor, state);
  if (!life) return;
  if (col->Sorted() && !highlighted) {
    if (SortedStyle() == soDarker)
      back = Darker(back, 10);
    else if (SortedStyle() == soWhite)
      back = kWhite;
  }
  ClipCell(col, r);
  if (Options().Contains(goGrid) && GridStyle() == gsReport) {
    const bool framed = GridLinesStyle() == lsFramed;
    const bool realRow = ValidRow(ARow);
    DrawCellLines(r, gridColor, framed && realRow && ARow == LastVisibleRow(),
                  framed && realRow && col == columns_->LastVisible());
  }
  r.Left += LineLeft();
  r.Right -= LineRight();
  bool defaultDrawing = !a.Contains(aoDontFillCells) && col->DrawingOptions() != doCustomOnly;
  if (OnDrawCellBackground) OnDrawCellBackground(this, ACol, ARow, r, state, defaultDrawing);
  if (!life) return;
  if (display) {
    display->Canvas = canvas_;
    display->CellRect = r;
    display->BackColor = back;
  }
  PrepareCellDisplay(ACol, ARow, col->Display());
  if (defaultDrawing) c.FillRect(r, back);
  const TDrawingOptions drawing = col->DrawingOptions();
  if ((drawing == doNormal || drawing == doCustom) && !IsCellEmpty(ACol, ARow) &&
      DrawCellText(ACol, ARow, state)) {
    CellFormatting(ACol, ARow, state);
    if (!life) return;
    if (display) display->PaintContent();
  }
  if (a.Contains(aoHintMarks) && display) {
    WideString hint;
    GetCellHint(ACol, ARow, hint);
    if (!life) return;
    if (!hint.empty()) display->DrawHintCorner();
  }
  if (drawing != doNormal && OnCustomDrawCell) OnCustomDrawCell(this, ACol, ARow, r, state);
  if (!life) return;
  if (!Options().Contains(goSelectFullRow) && ACol == SelectedColumn() && ARow == SelectedRow())
    DrawFocusRectangle();
  if (display) display->Highlighted = false;
  RestoreClip();
}

void TDgCustomGridControl::DrawFillerCell(int ACol, int ARow) {
  TRect r;
  TDgCustomColumn* col = CellToDraw(ACol, ARow, r);
  if (!col) return;
  const TAppearanceOptions a = AppearanceOptions();
  TColor back = Color();
  if (col->Sorted() && a.Contains(aoIndicateSortedColumn)) back = Darker(back, 10);
  const TGridLinesStyle ls = GridLinesStyle();
  TColor gridColor = ls == lsActiveRows || ls == lsActiveHorzOnly ? back : GridLinesColor();
  TCellState state;
  state.Include(csEmpty);
  ClipCell(col, r);
  const TLifeToken life = LifeToken();
  if (OnCellColoring) OnCellColoring(this, ACol, ARow, back, gridColor, state);
  if (!life) return;
  if (Options().Contains(goGrid) && GridStyle() == gsReport)
    DrawCellLines(r, gridColor, false, false);
  r.Left += LineLeft();
  r.Right -= LineRight();
  bool defaultDrawing = !a.Contains(aoDontFillCells) && col->DrawingOptions() != doCustomOnly;
  if (OnDrawCellBackground) OnDrawCellBackground(this, ACol, ARow, r, state, defaultDrawing);
  if (!life) return;
  if (defaultDrawing) canvas_->FillRect(r, back);
  RestoreClip();
}

void TDgCustomGridControl::DrawIndicatorCell(int ARow, bool Current, bool Selected) {
  if (!canvas_) return;
  const int top = RowTop(ARow);
  const int h = ValidRow(ARow) ? GetRowHeight(ARow) : RowSize();
  const TRect r{0, top - LineTop(), IndicatorWidth(), top + h + LineBottom()};
  TRect meet;
  if (!IntersectRect(meet, r, canvas_->ClipBox())) return;
  display_->DrawIndicator(r, ARow, Selected, Current);
  display_->DrawRowPointer(r, Current, Selected);
}

void TDgCustomGridControl::DrawFocusRectangle() {
  const int row = SelectedRow();
  if (!canvas_ || InputFocused() || RowCount() == 0 || !ValidRow(row) || row < TopRow()) return;
  if (!GetRowVisible(row) || !GridFocused() || AppearanceOptions().Contains(aoHideFocus)) return;
  const TRect cells = CellAreaRect();
  TRect r;
  if (Options().Contains(goSelectFullRow)) {
    const int top = RowTop(row);
    r = TRect{cells.Left - HorzPos() + LineLeft(), top,
              cells.Left - HorzPos() + ColumnsWidth() - LineRight(), top + GetRowHeight(row)};
    if (r.Left < cells.Left) r.Left = cells.Left;
  } else {
    if (!ValidColumn(SelectedColumn())) return;
    TDgCustomColumn* col = columns_->Item(SelectedColumn());
    if (!col->Visible()) return;
    GetCellRect(SelectedColumn(), row, r);
    r.Left += LineLeft();
    r.Right -= LineRight();
    if (!col->IsFixed() && r.Left < FixedLeft()) r.Left = FixedLeft();
  }
  TRect meet;
  if (!IntersectRect(meet, r, cells)) return;
  ClipToArea(nullptr, cells);
  DrawFocusFrame(*canvas_, r, AppearanceOptions().Contains(aoAlphaBlendedSelection));
  RestoreClip();
}
