// How the grid paints itself: the order of the regions, the headers,
// footers and input line through the current style display, the strip
// right of the columns, the caption of a grid without rows, and the border
// the window draws. Cells and rows are in DgGridPaintCells.cpp, the slides
// style in DgGridPaintSlides.cpp.
#include "grid/DgColumnLook.h"
#include "grid/DgCustomGridControl.h"
#include "grid/DgSharedDraw.h"

void TDgCustomGridControl::Paint(TDgCanvas& Canvas, const TRect& Clip) {
  CheckThread();
  const TRect client{0, 0, ClientWidth(), ClientHeight()};
  TRect clip;
  if (!IntersectRect(clip, Clip, client)) return;
  // Whatever a handler raises, the grid forgets the canvas of this paint,
  // unless a handler freed the grid: then nothing more of it is touched.
  const TLifeToken life = LifeToken();
  struct CanvasScope {
    TDgCustomGridControl& g;
    const TLifeToken& life;
    ~CanvasScope() {
      if (!life) return;
      g.canvas_ = nullptr;
      for (auto& d : g.displays_)
        if (d) d->Canvas = nullptr;
    }
  } scope{*this, life};
  canvas_ = &Canvas;
  paint_clip_ = clip;
  Canvas.SetClipRect(clip);
  PrepareDisplay();

  const TRect cells = CellAreaRect();
  const bool themedRest = display_->Themed && HeaderStyle() == hsAuto;
  if (GridStyle() == gsReport) {
    if (host_)
      host_->SetScrollAreas(TRect{FixedLeft(), 0, client.Right, client.Bottom},
                            TRect{0, cells.Top, client.Right, cells.Bottom});
    DrawReport();
    if (!life) return;
    const int columnsEnd = IndicatorWidth() + ColumnsWidth() - HorzPos();
    if (columnsEnd < client.Right) {
      if (themedRest && Options().Contains(goHeader)) {
        display_->DrawHeaderRest(TRect{columnsEnd, 0, client.Right, HeaderSize()});
        const int inputTop = Options().Contains(goHeader) ? HeaderSize() : 0;
        Canvas.FillRect(TRect{columnsEnd, inputTop, client.Right, client.Bottom}, Color());
      } else {
        Canvas.FillRect(TRect{columnsEnd, 0, client.Right, client.Bottom}, Color());
      }
    }
  } else {
    if (Options().Contains(goHeader) && themedRest) {
      const int columnsEnd = IndicatorWidth() + ColumnsWidth();
      if (columnsEnd < client.Right)
        display_->DrawHeaderRest(TRect{columnsEnd, 0, client.Right, HeaderSize()});
    }
    if (host_) host_->SetScrollAreas(client, TRect{0, cells.Top, client.Right, client.Bottom});
    DrawSlides();
    if (!life) return;
  }
  if (VisibleRowCount() == 0) DrawEmptyCaption();
  Canvas.SetClipRect(clip);
  PaintFeedback(Canvas);
  Canvas.SetClipRect(clip);
  if (OnPostDraw) OnPostDraw(this);
}

void TDgCustomGridControl::PrepareDisplay() {
  const bool themesOn = host_ && host_->Themes() && host_->Themes()->Active();
  const bool rtl = UseRightToLeftReading();
  if (canvas_) canvas_->SetRightToLeft(rtl);
  for (auto& d : displays_) {
    if (!d) continue;
    d->RightToLeft = rtl;
    d->Canvas = canvas_;
    d->Theme = themesOn ? host_->Themes() : nullptr;
    d->Themed = themesOn && EnableVisualStyles();
    d->GridColor = Color();
    d->Grid = this;
  }
}

void TDgCustomGridControl::DrawReport() {
  const TLifeToken life = LifeToken();
  DrawRows(); // the cells' handlers may free the grid
  if (life) DrawHeaderFooter();
}

bool TDgCustomGridControl::ColumnSpan(TDgCustomColumn* Column, int& Left, int& Right) {
  if (!Column || !Column->Visible()) return false;
  const bool fixed = Column->IsFixed();
  Left = Column->Left() - (fixed || GridStyle() != gsReport ? 0 : HorzPos());
  Right = Left + Column->Width();
  // Entirely under the fixed columns, right of the window or left of it.
  if (!fixed && Right <= FixedLeft()) return false;
  return Left < ClientWidth() && Right > 0;
}

void TDgCustomGridControl::ClipToArea(TDgCustomColumn* Column, const TRect& Bounds) {
  TRect r = Bounds;
  if (Column && !Column->IsFixed() && GridStyle() == gsReport && r.Left < FixedLeft())
    r.Left = FixedLeft();
  TRect clip;
  if (!IntersectRect(clip, r, paint_clip_))
    clip = TRect{paint_clip_.Left, paint_clip_.Top, paint_clip_.Left, paint_clip_.Top};
  canvas_->SetClipRect(clip);
}

void TDgCustomGridControl::RestoreClip() { canvas_->SetClipRect(paint_clip_); }

void TDgCustomGridControl::DrawHeaderFooter() {
  const TGridOptions o = Options();
  const bool header = o.Contains(goHeader), input = o.Contains(goInput),
             footer = o.Contains(goFooter), lines = o.Contains(goGrid);
  if (!header && !input && !footer) return;
  const TRect cells = CellAreaRect();
  const TRect inputRect = InputRect(), footerRect = FooterRect();
  const int client = ClientHeight();
  const bool focused = GridFocused();
  TDgCanvas& c = *canvas_;
  for (int pos = 0; columns_ && pos < columns_->Count(); ++pos) {
    TDgCustomColumn* col = columns_->PositionItem(pos);
    int left = 0, right = 0;
    if (!ColumnSpan(col, left, right)) continue;
    TRect meet;
    if (!IntersectRect(meet, TRect{left, 0, right, client}, paint_clip_)) continue;
    ClipToArea(col, TRect{left, 0, right, client});
    c.SetFont(font_);
    TDgColumnLook look = LookOf(*col);
    look.Current = col->Index() == SelectedColumn();
    if (header) display_->DrawHeader(look, TRect{left, 0, right, HeaderSize()});
    if (input)
      display_->DrawInputCell(look, TRect{left, inputRect.Top, right, inputRect.Top + InputSize()},
                              focused, InputFocused(), lines);
    if (footer)
      display_->DrawFooter(look, TRect{left, footerRect.Top + 4, right, footerRect.Bottom}, lines);
    RestoreClip();
  }
  const int bandsLeft = cells.Left - HorzPos();
  const int columnsRight = IndicatorWidth() + ColumnsWidth() - HorzPos();
  if (input) {
    ClipToArea(nullptr, TRect{cells.Left, 0, ClientWidth(), client});
    // The band takes the line below the input cells too.
    display_->DrawBand(
        TRect{bandsLeft, inputRect.Top + InputSize(), columnsRight, inputRect.Bottom});
    RestoreClip();
  }
  if (footer) {
    ClipToArea(nullptr, TRect{cells.Left, 0, ClientWidth(), client});
    display_->DrawBand(TRect{bandsLeft, footerRect.Top, columnsRight, footerRect.Top + 4});
    RestoreClip();
  }
  if (o.Contains(goIndicator)) {
    const int w = IndicatorWidth();
    if (input) display_->DrawIndicatorHeader(TRect{0, inputRect.Top, w, inputRect.Bottom}, 0);
    if (footer) display_->DrawIndicatorHeader(TRect{0, footerRect.Top, w, client}, 1);
    if (header) display_->DrawIndicatorHeader(TRect{0, 0, w, HeaderSize()}, 0);
  }
}

void TDgCustomGridControl::DrawEmptyCaption() {
  if (caption_.empty()) return;
  TDgFont f;
  f.Assign(&font_);
  if (!Enabled()) f.SetColor(clGrayText);
  canvas_->SetFont(f);
  const TRect cells = CellAreaRect();
  const int h = canvas_->TextExtent(u"Wg").cy;
  const int top = cells.Top + 4;
  DrawTextAligned(*canvas_, TRect{cells.Left - HorzPos(), top, ClientWidth() - HorzPos(), top + h},
                  taCenter, caption_, false);
}

TDgCustomGridControl::TBorderLook TDgCustomGridControl::BorderLook(bool ThemesActive) const {
  TBorderLook look;
  if (BorderStyle() == bsNone) return look;
  if (HeaderStyle() == hsOffice2007 || HeaderStyle() == hsOffice2010) {
    look.Kind = TBorderKind::Frame;
    look.Color = SchemeColor(2, display_ ? display_->Scheme : 0);
  } else if (ThemesActive && EnableVisualStyles()) {
    look.Kind = TBorderKind::Themed;
  }
  return look;
}
