// Painting of the grid (report and slides styles) through TDgCanvas.
// Placeholder bodies until the painting lands: the grid draws nothing.
#include "grid/DgCanvas.h"
#include "grid/DgCustomGridControl.h"

void TDgCustomGridControl::Paint(TDgCanvas& Canvas, const TRect& Clip) {
  CheckThread();
  canvas_ = &Canvas;
  paint_clip_ = Clip;
  if (display_) display_->Canvas = &Canvas;
  if (grid_style_ == gsReport) DrawReport();
  else DrawSlides();
  PaintFeedback(Canvas);
  canvas_ = nullptr;
}

bool TDgCustomGridControl::DrawCellText(int ACol, int ARow, TCellState CellState) { return false; }
void TDgCustomGridControl::DrawCell(int ACol, int ARow) {}
void TDgCustomGridControl::DrawIndicatorCell(int ARow, bool Current, bool Selected) {}
void TDgCustomGridControl::DrawReport() {}
void TDgCustomGridControl::DrawHeaderFooter() {}
void TDgCustomGridControl::DrawRows() {}
void TDgCustomGridControl::DrawSlides() {}
void TDgCustomGridControl::DrawSlidesHeader() {}
void TDgCustomGridControl::DrawSlideRows() {}
TColor TDgCustomGridControl::GetCellBackColor(int ACol, int ARow) { return GetCellColor(ACol, ARow); }
TColor TDgCustomGridControl::GetCellTextColor(int ACol, int ARow) { return clWindowText; }
