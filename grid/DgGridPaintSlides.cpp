// The slides style: each row a slide across the whole width holding its
// columns' cells at their slide bounds, with captions, the selection's
// colour and frame, and the headers side by side above.
#include "classlib/Cp1251.h"
#include "grid/DgColumnLook.h"
#include "grid/DgCustomGridControl.h"
#include "grid/DgSharedDraw.h"

void TDgCustomGridControl::DrawSlides() {
  DrawSlidesHeader();
  DrawSlideRows();
}

void TDgCustomGridControl::DrawSlidesHeader() {
  if (!canvas_ || !Options().Contains(goHeader)) return;
  const TRect cells = CellAreaRect();
  int x = cells.Left;
  canvas_->SetFont(font_);
  for (int pos = 0; columns_ && pos < columns_->Count(); ++pos) {
    TDgCustomColumn* col = columns_->PositionItem(pos);
    if (!col->Visible()) continue;
    TDgColumnLook look = LookOf(*col);
    display_->DrawHeader(look, TRect{x, 0, x + col->Width(), HeaderSize()});
    x += col->Width();
  }
  // The themed default style has painted the rest of the band already.
  const bool themedRest = display_->Themed && HeaderStyle() == hsAuto;
  if (x < ClientWidth() && !themedRest)
    canvas_->FillRect(TRect{x, 0, ClientWidth(), HeaderSize()}, Color());
  if (Options().Contains(goIndicator))
    display_->DrawIndicatorHeader(TRect{0, 0, IndicatorWidth(), HeaderSize()}, 0);
}

void TDgCustomGridControl::DrawSlideRows() {
  if (!canvas_) return;
  TDgCanvas& c = *canvas_;
  const TRect cells = CellAreaRect();
  const int width = ClientWidth(), bottom = ClientHeight();
  const bool focused = GridFocused();
  const TSlideOptions so = SlidesOptions();
  // The slides' and the cells' handlers may free the grid: the paint stops.
  const TLifeToken life = LifeToken();
  int y = cells.Top;
  for (int r = TopRow(); r < RowCount() && y < bottom; ++r) {
    paint_row_ = r;
    if (!GetRowVisible(r)) continue;
    y += LineTop();
    const TRect slide{0, y, width, y + SlideSize() + LineBottom()};
    if (AppearanceOptions().Contains(ao3DGridLines)) c.Line(0, y - 1, width, y - 1, Color());
    TColor colour = Color();
    if (GetRowSelected(r) && !so.Contains(soHideSelection))
      colour = focused ? SlideSelectionColor() : clBtnFace;
    TColor gridColor = GridLinesColor();
    TSlideState state;
    if (r == SelectedRow()) {
      state.Include(stSelected);
      if (so.Contains(soFrame)) state.Include(stFocused);
    }
    if (OnSlideColoring) OnSlideColoring(this, r, colour, gridColor, state);
    if (!life) return;
    c.FillRect(slide, colour);
    for (int pos = 0; columns_ && pos < columns_->Count(); ++pos) {
      TDgCustomColumn* col = columns_->PositionItem(pos);
      if (!col->Visible()) continue;
      DrawCell(col->Index(), r);
      if (!life) return;
      DrawSlideCaption(col->Index(), r);
    }
    if (state.Contains(stFocused)) {
      const TColor frame = focused ? SelectionColor() : InactiveSelectionColor();
      c.FrameRect(ResizeRect(slide, 2, 1, -2, -1), frame);
      c.FrameRect(ResizeRect(slide, 3, 2, -3, -2), frame);
    }
    y += SlideSize() + LineBottom();
    if (Options().Contains(goGrid)) c.Line(0, y - 1, width, y - 1, gridColor);
  }
  if (y < bottom) c.FillRect(TRect{0, y, width, bottom}, Color());
}

void TDgCustomGridControl::DrawSlideCaption(int ACol, int ARow) {
  TDgCustomColumn* col = columns_->Item(ACol);
  if (col->SlideCaption().empty()) return;
  const WideString text = Cp1251ToUtf16(col->SlideCaption());
  TDgFont f;
  f.Assign(col->Font());
  f.SetStyle(TFontStyles());
  f.SetColor(clGrayText);
  canvas_->SetFont(f);
  const TSize size = canvas_->TextExtent(text);
  TRect bounds;
  GetCellRect(ACol, ARow, bounds);
  TRect r;
  if (col->SlideCaptionLocation() == clLeft)
    r = TRect{bounds.Left - 2 - size.cx, bounds.Top, bounds.Left - 2, bounds.Bottom};
  else
    r = TRect{bounds.Left + 2, bounds.Top - 2 - size.cy, bounds.Left + 2 + size.cx, bounds.Top - 2};
  canvas_->SetBrushClear(true);
  canvas_->DrawText(text, r, DgText::SingleLine | DgText::NoPrefix | DgText::NoClip);
  canvas_->SetBrushClear(false);
}
