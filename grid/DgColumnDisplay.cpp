// TColumnDisplay, TTextColumnDisplay, TColumnPlay (see DgColumnDisplay.h).
#include "grid/DgColumnDisplay.h"

#include <cmath>

TRect TColumnDisplay::ContentRect() const {
  TRect r = CellRect;
  r.Left += 2;
  r.Right -= 2;
  return r;
}

WideString TColumnDisplay::CellText() const {
  return Column ? Column->DisplayText(Value) : Value.Text;
}

void TColumnDisplay::FillBackground() {
  if (Canvas) Canvas->FillRect(CellRect, BackColor);
}

void TColumnDisplay::DrawText(const WideString& Text, const TRect& Rect) {
  if (!Canvas || !Column) return;
  const unsigned flags = Column->TextFlags(true);
  TRect r = Rect;
  // The platform centres or bottom-aligns only single lines: wrapped or
  // multi-line text is placed by measuring it first.
  const bool single = (flags & DgText::SingleLine) != 0;
  const TVerticalAlignment va = Column->VerticalAlignment();
  if (!single && va != taAlignTop) {
    TRect m = r;
    Canvas->DrawText(Text, m, flags | DgText::CalcRect);
    if (va == taAlignBottom) {
      r.Top = r.Bottom - m.Height();
    } else {
      r.Top += static_cast<int>(std::nearbyint((r.Bottom - m.Bottom) / 2.0));
    }
  }
  Canvas->SetBrushClear(true);
  Canvas->DrawText(Text, r, flags);
  Canvas->SetBrushClear(false);
}

void TColumnDisplay::DrawHintCorner() {
  if (!Canvas) return;
  const TColor red = 0x0000FF;
  const TRect& c = CellRect;
  Canvas->Polygon({{c.Right - 5, c.Top}, {c.Right - 1, c.Top}, {c.Right - 1, c.Top + 4}}, red, red);
}

void TColumnDisplay::Measure(TSize& Size) {
  Size = TSize{};
  if (!Canvas || !Column) return;
  TRect r = ContentRect();
  Canvas->DrawText(CellText(), r, Column->TextFlags(false) | DgText::CalcRect | DgText::NoClip);
  Size.cx = r.Width();
  Size.cy = r.Height();
}

int TColumnDisplay::TextWidth() {
  TSize s;
  Measure(s);
  return s.cx;
}

TRect TColumnDisplay::TextRect() const {
  TRect r = ContentRect();
  const int pad = Column ? Column->Padding() : 0;
  r.Left += pad;
  r.Right -= pad;
  return r;
}

void TColumnDisplay::PaintContent() { DrawText(CellText(), TextRect()); }

void TTextColumnDisplay::Paint() {
  FillBackground();
  PaintContent();
}

void TColumnPlay::Refresh() {
  auto* d = Column ? dynamic_cast<TColumnDisplay*>(Column->Display()) : nullptr;
  if (!d) return;
  Value.Boolean = d->Value.Boolean;
  d->Recompute();
}
