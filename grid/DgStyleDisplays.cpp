// The seven header styles (see DgDisplays.h).
#include "grid/DgDisplays.h"
#include "grid/DgSharedDraw.h"

namespace {
constexpr TColor kVistaFace = 0xF0F0F0;       // RGB(240, 240, 240)
constexpr TColor kVistaSorted = 0xF0DCAF;     // RGB(175, 220, 240)
constexpr TColor kOffice2010Arrow = 0xB5ADA5; // RGB(165, 173, 181)
constexpr int kShadeWeights[3] = {50, 100, 150};

bool IsFirst(TDgColumnPlace p) { return p == TDgColumnPlace::First; }
bool IsLast(TDgColumnPlace p) { return p == TDgColumnPlace::Last; }
bool IsOnly(TDgColumnPlace p) { return p == TDgColumnPlace::Only; }
} // namespace

// --- Default ------------------------------------------------------------------------

unsigned TDefaultStyleDisplay::Capabilities() {
  return Themed ? DgStyleCaps::HotHeaders : DgStyleCaps::InvertPressed;
}

void TDefaultStyleDisplay::DrawHeaderBackground(const TDgColumnLook& Column, const TRect& Rect) {
  if (Themed)
    PaintThemedHeaderBackground(Column, Rect);
  else
    PaintHeaderBackground(Column, Rect);
}

void TDefaultStyleDisplay::PaintThemedHeaderBackground(const TDgColumnLook& Column,
                                                       const TRect& Rect) {
  const int state = Column.Pressed ? DgHeaderTheme::Pressed
                    : Column.Hot   ? DgHeaderTheme::Hot
                                   : DgHeaderTheme::Normal;
  DrawThemed(DgHeaderTheme::ItemPart, state, Rect);
}

void TDefaultStyleDisplay::PaintHeaderBackground(const TDgColumnLook& Column, const TRect& R) {
  TDgCanvas& c = *Canvas;
  const TColor face = Column.Header.Color;
  c.FillRect(ResizeRect(R, 1, 1, -1, -1), face);
  if (IsOnly(Column.Place)) {
    Frame3D(c, R, clBtnHighlight, clBtnShadow);
    return;
  }
  c.Line(R.Left, R.Top, R.Right, R.Top, clBtnHighlight);
  if (IsFirst(Column.Place)) {
    c.Line(R.Left, R.Top + 1, R.Left, R.Bottom - 1, clBtnHighlight);
  } else {
    c.Line(R.Left, R.Top + 2, R.Left, R.Bottom - 2, clBtnHighlight);
    c.SetPixel(R.Left, R.Top + 1, face);
    c.SetPixel(R.Left, R.Bottom - 2, face);
  }
  c.Line(R.Left, R.Bottom - 1, R.Right, R.Bottom - 1, clBtnShadow);
  if (IsLast(Column.Place)) {
    c.Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1, clBtnShadow);
  } else {
    c.Line(R.Right - 1, R.Top + 2, R.Right - 1, R.Bottom - 2, clBtnShadow);
    c.SetPixel(R.Right - 1, R.Top + 1, face);
    c.SetPixel(R.Right - 1, R.Bottom - 2, face);
  }
}

void TDefaultStyleDisplay::DrawIndicatorHeader(const TRect& Rect, int Kind) {
  if (Kind == 1)
    FooterIndicatorBox(Rect);
  else if (Themed)
    DrawThemed(DgHeaderTheme::ItemPart, DgHeaderTheme::Normal, Rect);
  else
    RaisedBox(Rect, clBtnFace, clBtnHighlight, clBtnShadow);
}

void TDefaultStyleDisplay::DrawHeaderRest(const TRect& Rect) {
  if (Themed)
    DrawThemed(DgHeaderTheme::ItemRightPart, DgHeaderTheme::Normal, Rect);
  else
    TStyleDisplay::DrawHeaderRest(Rect);
}

// --- Flat ---------------------------------------------------------------------------

namespace {
void FlatBox(TDgCanvas& c, const TRect& R, TColor face) {
  c.FillRect(R, face);
  c.Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom, clGrayText);
  c.Line(R.Left, R.Bottom - 1, R.Right, R.Bottom - 1, clGrayText);
}
} // namespace

void TFlatStyleDisplay::DrawBand(const TRect& Rect) { Canvas->FillRect(Rect, clBtnFace); }

void TFlatStyleDisplay::DrawIndicatorHeader(const TRect& Rect, int Kind) {
  FlatBox(*Canvas, Rect, clBtnFace);
}

void TFlatStyleDisplay::DrawIndicator(const TRect& Rect, int, bool, bool) {
  FlatBox(*Canvas, Rect, clBtnFace);
}

void TFlatStyleDisplay::PaintHeaderBackground(const TDgColumnLook& Column, const TRect& Rect) {
  FlatBox(*Canvas, Rect, Column.Header.Color);
}

// --- Office 2007 and 2010 -------------------------------------------------------------

void TOffice2007StyleDisplay::DrawBand(const TRect& Rect) {
  Canvas->FillRect(Rect, SchemeEntry(11));
}

void TOffice2007StyleDisplay::DrawIndicatorHeader(const TRect& R, int Kind) {
  DrawVertRamp(*Canvas, R, RampTop(), RampBottom());
  Canvas->Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom, SchemeEntry(2));
  Canvas->Line(R.Left, R.Bottom - 1, R.Right, R.Bottom - 1, SchemeEntry(2));
}

void TOffice2007StyleDisplay::PaintHeaderBackground(const TDgColumnLook& Column, const TRect& R) {
  TDgCanvas& c = *Canvas;
  if (Column.Pressed)
    DrawVertRamp(c, R, RampBottom(), RampTop());
  else
    DrawVertRamp(c, R, RampTop(), RampBottom());
  if (IsLast(Column.Place) || IsOnly(Column.Place))
    c.Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1, SchemeEntry(2));
  else
    c.Line(R.Right - 1, R.Top + 2, R.Right - 1, R.Bottom - 3, SchemeEntry(10));
  c.Line(R.Left, R.Bottom - 1, R.Right, R.Bottom - 1, SchemeEntry(2));
}

void TOffice2010StyleDisplay::DrawSortArrow(int x, int y, bool Ascending) {
  if (Ascending)
    Canvas->Polygon({{x, y + 4}, {x + 4, y}, {x + 8, y + 4}}, clBlack, kOffice2010Arrow);
  else
    Canvas->Polygon({{x, y}, {x + 4, y + 4}, {x + 8, y}}, clBlack, kOffice2010Arrow);
}

// --- Old style ------------------------------------------------------------------------

void TOldStyleDisplay::DrawIndicatorHeader(const TRect& Rect, int Kind) {
  RaisedBox(Rect, clBtnFace, clBtnHighlight, clWindowFrame);
}

// --- Outlook --------------------------------------------------------------------------

void TOutlookStyleDisplay::BottomShade(const TRect& R, TColor Toward) {
  for (int i = 0; i < 3; ++i)
    Canvas->Line(R.Left, R.Bottom - 3 + i, R.Right, R.Bottom - 3 + i,
                 BlendColor(clBtnShadow, Toward, kShadeWeights[i]));
}

void TOutlookStyleDisplay::DrawBand(const TRect& Rect) {
  RaisedBox(Rect, clBtnFace, clBtnHighlight, clBtnShadow);
}

void TOutlookStyleDisplay::DrawIndicatorHeader(const TRect& R, int Kind) {
  Canvas->FillRect(TRect{R.Left, R.Top, R.Right, R.Bottom - 3}, clBtnFace);
  Canvas->Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom, clBtnShadow);
  BottomShade(R, clBtnFace);
}

void TOutlookStyleDisplay::PaintHeaderBackground(const TDgColumnLook& Column, const TRect& R) {
  TDgCanvas& c = *Canvas;
  const TDgColumnPlace p = Column.Place;
  c.FillRect(TRect{R.Left, R.Top, R.Right, R.Bottom - 3}, Column.Header.Color);
  if (IsFirst(p) || IsOnly(p))
    c.Line(R.Left, R.Top, R.Left, R.Bottom - 3, clBtnHighlight);
  else
    c.Line(R.Left, R.Top + 2, R.Left, R.Bottom - 4, clBtnHighlight);
  if (IsLast(p) || IsOnly(p))
    c.Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1, clBtnShadow);
  else
    c.Line(R.Right - 1, R.Top + 2, R.Right - 1, R.Bottom - 4, clBtnShadow);
  BottomShade(R, Column.Header.Color);
}

// --- Vista ----------------------------------------------------------------------------

void TVistaStyleDisplay::PaintHeaderBackground(const TDgColumnLook& Column, const TRect& R) {
  TDgCanvas& c = *Canvas;
  c.Line(R.Left, R.Top, R.Left, R.Bottom, clWhite);
  c.Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom, clBtnFace);
  const TRect inner{R.Left + 1, R.Top, R.Right - 1, R.Bottom};
  if (!Column.Sorted) {
    c.FillRect(inner, kVistaFace);
    return;
  }
  const int rampBottom = R.Top + 6 < R.Bottom ? R.Top + 6 : R.Bottom;
  DrawVertRamp(c, TRect{inner.Left, R.Top, inner.Right, rampBottom}, kVistaSorted, clWhite);
  c.FillRect(TRect{inner.Left, rampBottom, inner.Right, R.Bottom}, clWhite);
  const int x = (R.Left + R.Right) / 2 - 3;
  if (Column.Ascending)
    c.Polygon({{x + 3, 0}, {x + 6, 3}, {x, 3}}, clWhite, clWhite);
  else
    c.Polygon({{x, 0}, {x + 3, 3}, {x + 6, 0}}, clWhite, clWhite);
}

void TVistaStyleDisplay::DrawIndicator(const TRect& R, int, bool, bool) {
  TDgCanvas& c = *Canvas;
  c.FillRect(TRect{R.Left + 1, R.Top, R.Right - 1, R.Bottom}, kVistaFace);
  c.Line(R.Left, R.Top, R.Left, R.Bottom, clWhite);
  c.Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom, clBtnFace);
}

TStyleDisplay* CreateStyleDisplay(THeaderStyle Style, TObject* Grid) {
  switch (Style) {
    case hsFlatBorders: return new TFlatStyleDisplay(Grid);
    case hsOffice2007: return new TOffice2007StyleDisplay(Grid);
    case hsOffice2010: return new TOffice2010StyleDisplay(Grid);
    case hsOldStyle: return new TOldStyleDisplay(Grid);
    case hsOutlook: return new TOutlookStyleDisplay(Grid);
    case hsVista: return new TVistaStyleDisplay(Grid);
    default: return new TDefaultStyleDisplay(Grid);
  }
}
