// The base style display: header content, footer, input cell, indicator and
// sort arrow (see DgDisplays.h).
#include "grid/DgDisplays.h"

#include "grid/DgFormatMask.h"
#include "grid/DgSharedDraw.h"

namespace {

const TDgFont& FontOf(const TDgColumnLook& c) {
  static const TDgFont plain;
  return c.Font ? *c.Font : plain;
}

// The glyph's transparent colour: its bottom-left pixel.
TColor GlyphKey(const TDgPixmap& g) { return TColor(g.At(0, g.Height - 1) & 0xFFFFFF); }

} // namespace

TStyleDisplay::TStyleDisplay(TObject* AGrid) : Grid(AGrid) {}

int TStyleDisplay::HeaderIndent(const TDgColumnLook& Column) {
  if (!SortArrows || !HeaderBackground) return 0;
  if (Themed && Column.Header.DisplayMode == dmTextOnly) return 11;
  return 2;
}

void TStyleDisplay::DrawThemed(int Part, int State, const TRect& Rect) {
  if (Theme && Canvas) Theme->DrawBackground(*Canvas, L"header", Part, State, Rect);
}

void TStyleDisplay::RaisedBox(const TRect& R, TColor Face, TColor TopLeft, TColor BottomRight) {
  Canvas->FillRect(ResizeRect(R, 1, 1, -1, -1), Face);
  Frame3D(*Canvas, R, TopLeft, BottomRight);
}

void TStyleDisplay::FooterIndicatorBox(const TRect& R) {
  TDgCanvas& c = *Canvas;
  c.FillRect(TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom}, clBtnFace);
  c.Line(R.Left, R.Top, R.Left, R.Bottom, clBtnHighlight);
  c.Line(R.Left + 2, R.Top + 1, R.Right - 2, R.Top + 1, clBtnHighlight);
  c.Line(R.Left + 2, R.Top, R.Right - 2, R.Top, clBtnShadow);
  c.Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom, clBtnShadow);
  c.Line(R.Left, R.Bottom - 1, R.Right, R.Bottom - 1, clBtnShadow);
  c.SetPixel(R.Left + 1, R.Top, clBtnFace);
  c.SetPixel(R.Right - 2, R.Top, clBtnFace);
}

int TStyleDisplay::HeaderContentWidth(const TDgColumnLook& Column) {
  const TSize text = Canvas->TextExtent(Column.Header.Caption);
  const int t = Column.Vertical ? text.cy : text.cx;
  const int g = Column.Header.HasGlyph() ? Column.Header.Glyph->Width : 0;
  switch (Column.Header.DisplayMode) {
    case dmImageOnly: return g;
    case dmTextAndImage: return g + t + 2;
    case dmTextOnly: return t;
  }
  return 8;
}

void TStyleDisplay::DrawCaptionText(TDgCanvas& C, const TRect& Rect, bool MultiLine,
                                    const WideString& Text) {
  unsigned flags =
      DgText::EndEllipsis | DgText::NoPrefix | DgText::ExternalLeading | DgText::VCenter;
  if (!MultiLine) flags |= DgText::SingleLine;
  if (RightToLeft) flags |= DgText::RtlReading;
  TRect r = Rect;
  C.SetBrushClear(true);
  C.DrawText(Text, r, flags);
  C.SetBrushClear(false);
}

void TStyleDisplay::DrawGridLines(const TRect& R, TColor Color) {
  Canvas->Line(R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1, Color);
  Canvas->Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom + 1, Color);
}

int TStyleDisplay::PlacePart(const TDgColumnLook& Column, const TDgPartLook& Part, const TRect& R,
                             int W) {
  // A sorted column keeps the sort arrow's room in its header and, placed
  // by the same rule, in its footer.
  const int sortRoom = Column.Sorted ? 31 : 0;
  const int width = R.Width();
  if (!Part.HasGlyph() || Part.DisplayMode == dmTextOnly) {
    switch (Part.Alignment) {
      case taRightJustify: return R.Right - W - sortRoom;
      case taCenter: return W <= width ? R.Left + (width - W) / 2 : R.Left + 2;
      default: return R.Left + 2;
    }
  }
  const TDgPixmap& g = *Part.Glyph;
  const int gy = (R.Top + R.Bottom) / 2 - g.Height / 2;
  int gx = 0;
  switch (Part.Alignment) {
    case taRightJustify: gx = R.Right - g.Width - W - 2 - sortRoom; break;
    case taCenter: gx = R.Left + (width - (g.Width + W)) / 2; break;
    default: gx = R.Left + 3; break;
  }
  Canvas->DrawPixmap(gx, gy, g, true, GlyphKey(g));
  return gx + g.Width + 2;
}

void TStyleDisplay::DrawHeaderContent(const TDgColumnLook& Column, const TRect& R) {
  TDgCanvas& c = *Canvas;
  const TDgPartLook& h = Column.Header;
  int w = 0;
  if (h.DisplayMode != dmImageOnly) {
    if (Column.Vertical) {
      w = c.TextExtent(h.Caption).cy + 2;
    } else if (Column.MultiLine) {
      TRect calc{0, 0, 0, 0};
      c.DrawText(h.Caption, calc, DgText::CalcRect | DgText::NoPrefix);
      w = calc.Width() + 2;
    } else {
      w = c.TextExtent(h.Caption).cx + 2;
    }
  }
  const int x = PlacePart(Column, h, R, w);
  if (h.DisplayMode != dmImageOnly) {
    TRect cap{x, R.Top, R.Right, R.Bottom};
    AdjustCaptionRect(cap);
    if (Column.Vertical)
      DrawVerticalText(c, cap, h.Caption);
    else
      DrawCaptionText(c, cap, Column.MultiLine, h.Caption);
  }
  if (SortArrows && Column.Sorted && !(Capabilities() & DgStyleCaps::OwnSortArrow)) {
    const int ay = R.Top + R.Height() / 2 - 4, ax = x + w + 19;
    if (ax + 8 < R.Right || !Column.HideArrow) DrawSortArrow(ax, ay, Column.Ascending);
  }
  if (Column.Pressed && (Capabilities() & DgStyleCaps::InvertPressed)) {
    if (Column.Place == TDgColumnPlace::Only)
      c.InvertRect(TRect{R.Left - 1, R.Top - 1, R.Right, R.Bottom});
    else
      c.InvertRect(TRect{R.Left, R.Top, R.Right - 1, R.Bottom});
  }
}

void TStyleDisplay::DrawHeader(const TDgColumnLook& Column, const TRect& Rect) {
  if (HeaderBackground) DrawHeaderBackground(Column, Rect);
  DrawHeaderContent(Column, Rect);
}

WideString TStyleDisplay::FooterText(const TDgColumnLook& Column) {
  WideString text = Column.Footer.Caption;
  if (!Column.FormatMask.empty()) {
    if (Column.FormatMaskKind == mkFloat)
      text = DgFormatFloat(Column.FormatMask, DgTextToFloat(text));
    else
      text = DgFormatMaskText(Column.FormatMask, text);
  }
  return Column.TextBefore + text + Column.TextAfter;
}

void TStyleDisplay::DrawFooterContent(const TDgColumnLook& Column, const TRect& R) {
  const WideString text = FooterText(Column);
  const int w = Column.Footer.DisplayMode == dmImageOnly ? 0 : Canvas->TextExtent(text).cx;
  int x = PlacePart(Column, Column.Footer, R, w);
  if (x < R.Left) x = R.Left;
  if (Column.Footer.DisplayMode != dmImageOnly)
    DrawCaptionText(*Canvas, TRect{x, R.Top, R.Right, R.Bottom}, false, text);
}

void TStyleDisplay::DrawFooter(const TDgColumnLook& Column, const TRect& R, bool GridLines) {
  TDgCanvas& c = *Canvas;
  c.SetFont(FontOf(Column));
  c.SetBrushColor(Column.Footer.Color);
  c.FillRect(GridLines ? TRect{R.Left, R.Top, R.Right - 1, R.Bottom - 1} : R, Column.Footer.Color);
  if (GridLines) DrawGridLines(R, clBtnFace);
  const TRect saved = c.ClipBox();
  c.SetClipRect(R);
  DrawFooterContent(Column, R);
  c.SetClipRect(saved);
}

void TStyleDisplay::DrawIndicatorHeader(const TRect& Rect, int Kind) {
  Canvas->FillRect(Rect, GridColor);
}

void TStyleDisplay::DrawHeaderRest(const TRect& Rect) { Canvas->FillRect(Rect, GridColor); }

void TStyleDisplay::DrawIndicator(const TRect& R, int RowIndex, bool, bool) {
  TDgCanvas& c = *Canvas;
  const int l = R.Left;
  c.FillRect(TRect{l + 1, R.Top + 1, R.Right - 1, R.Bottom}, clBtnFace);
  c.Line(l, R.Top, l, R.Bottom + 1, clBtnHighlight);
  if (RowIndex > 0) {
    c.Line(l + 2, R.Top, R.Right - 2, R.Top, clBtnHighlight);
    c.SetPixel(l + 1, R.Top, clBtnFace);
    c.SetPixel(R.Right - 2, R.Top, clBtnFace);
  } else {
    c.Line(l + 1, R.Top, R.Right - 1, R.Top, clBtnHighlight);
  }
  c.SetPixel(l + 1, R.Bottom - 1, clBtnFace);
  c.SetPixel(R.Right - 2, R.Bottom - 1, clBtnFace);
  c.Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom, clBtnShadow);
  c.Line(l + 2, R.Bottom - 1, R.Right - 2, R.Bottom - 1, clBtnShadow);
}

void TStyleDisplay::DrawRowPointer(const TRect& R, bool Pointer, bool Invert) {
  if (Pointer) {
    const int x = R.Left + (R.Width() - 6) / 2, y = R.Top + (R.Height() - 11) / 2;
    Canvas->Polygon({{x, y}, {x + 5, y + 5}, {x, y + 10}}, clWindowText, clWindowText);
  }
  if (Invert) Canvas->InvertRect(R);
}

void TStyleDisplay::DrawInputCell(const TDgColumnLook& Column, const TRect& R, bool Focused,
                                  bool InputActive, bool GridLines) {
  TDgCanvas& c = *Canvas;
  const TRect textRect{R.Left + 2, R.Top, R.Right - 1, R.Bottom - 1};
  TDgFont font;
  font.Assign(const_cast<TDgFont*>(&FontOf(Column)));
  font.SetStyle(TFontStyles());
  TColor text = clGrayText, brush = Column.Color;
  if (InputActive && !Column.InputLocked && !Column.Current) {
    text = clHighlightText;
    brush = Focused ? clHighlight : clBtnFace;
  }
  font.SetColor(text);
  c.SetFont(font);
  c.SetTextColor(text);
  c.SetBrushColor(brush);
  const TRect cell = InputActive && GridLines ? TRect{R.Left, R.Top, R.Right - 1, R.Bottom - 1} : R;
  if (Column.InputLocked)
    c.FrameRect(cell, brush);
  else
    c.FillRect(cell, brush);
  if (InputActive && GridLines) DrawGridLines(R, clHighlight);
  if (!Column.InputText.empty())
    DrawTextAligned(c, textRect, Column.Alignment, Column.InputText, RightToLeft);
  else
    DrawTextAligned(c, textRect, taCenter, Column.InputCaption, RightToLeft);
}

void TStyleDisplay::DrawSortArrow(int x, int y, bool Ascending) {
  TDgCanvas& c = *Canvas;
  if (Themed) {
    if (Ascending)
      c.Polygon({{x, y + 4}, {x + 4, y}, {x + 8, y + 4}}, clGrayText, clGrayText);
    else
      c.Polygon({{x, y}, {x + 4, y + 4}, {x + 8, y}}, clGrayText, clGrayText);
    return;
  }
  // Engraved: base and left flank in shadow, right flank in highlight.
  if (Ascending) {
    c.Line(x, y + 6, x + 8, y + 6, clBtnShadow);
    c.Line(x, y + 6, x + 4, y - 1, clBtnShadow);
    c.Line(x + 8, y + 6, x + 4, y - 1, clBtnHighlight);
  } else {
    c.Line(x, y, x + 8, y, clBtnShadow);
    c.Line(x, y, x + 4, y + 7, clBtnShadow);
    c.Line(x + 8, y, x + 4, y + 7, clBtnHighlight);
  }
}
