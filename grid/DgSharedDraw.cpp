// The shared colour and drawing routines (see DgSharedDraw.h).
#include "grid/DgSharedDraw.h"

#include <cmath>

#ifdef _WIN32
#include "classlib/WinApi.h"
#endif

namespace {

#ifndef _WIN32
// Classic Windows colours, for builds without a system to ask.
TColor ClassicSysColor(int index) {
  static const TColor table[31] = {
      0xC8D0D4, 0x6E5B3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
      0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
      0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
      0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0x6A240A, 0xC8D0D4};
  return index >= 0 && index < 31 ? table[index] : 0;
}
#endif

int Channel(TColor c, int shift) { return (int(c) >> shift) & 0xFF; }

} // namespace

TColor DgResolveColor(TColor c) {
  if (c >= 0) return c;
  const int index = int(uint32_t(c) & 0xFF);
#ifdef _WIN32
  // Asked every time: the user may change the scheme while the grid runs,
  // and colours are resolved before any window of the grid has drawn.
  return TColor(GetSysColor(index) & 0xFFFFFF);
#else
  return ClassicSysColor(index);
#endif
}

TColor DgBlendColorOf(const char* Unit, TColor A, TColor B, int Alpha) {
  // A negative alpha is refused as well as one above a byte: its weight
  // (Alpha xor 0xFF) would leave 0..255 and carry one channel into the next.
  if (Alpha < 0 || Alpha > 255)
    throw EDgAssertion(std::string("Assertion failure (") + Unit + ")");
  const uint32_t a = uint32_t(DgResolveColor(A)), b = uint32_t(DgResolveColor(B));
  const uint32_t al = uint32_t(Alpha), inv = al ^ 0xFF;
  // Red and blue together, then green: no channel can carry into another.
  const uint32_t rb = ((a & 0xFF00FF) * al + (b & 0xFF00FF) * inv) & 0xFF00FF00u;
  const uint32_t g = ((a & 0xFF00) * al + (b & 0xFF00) * inv) & 0xFF0000u;
  return TColor((rb | g) >> 8);
}

TColor BlendColor(TColor A, TColor B, int Alpha) {
  return DgBlendColorOf("DgSharedDraw", A, B, Alpha);
}

TColor MixColors(TColor A, TColor B, double Ratio) {
  // A ratio outside 0..1 gives channel values outside a byte that would
  // spill into the next channel: it is held to the range (a NaN to 0).
  if (!(Ratio >= 0)) Ratio = 0;
  if (Ratio > 1) Ratio = 1;
  const TColor a = DgResolveColor(A), b = DgResolveColor(B);
  TColor out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double v = Channel(b, shift) * Ratio + Channel(a, shift) * (1 - Ratio);
    out |= TColor(int(std::nearbyint(v)) & 0xFF) << shift;
  }
  return out;
}

void SetClipRect(TDgCanvas& Canvas, const TRect& Rect) { Canvas.SetClipRect(Rect); }

void DrawVertRamp(TDgCanvas& Canvas, const TRect& Rect, TColor From, TColor To) {
  const int h = Rect.Bottom - Rect.Top;
  if (h <= 0) return;
  const TColor from = DgResolveColor(From), to = DgResolveColor(To);
  for (int y = Rect.Top; y < Rect.Bottom; ++y)
    Canvas.Line(Rect.Left, y, Rect.Right, y, MixColors(from, to, double(y - Rect.Top) / h));
}

void BlendPixels(const uint32_t* src, const uint32_t* bg, uint32_t* out, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const uint32_t s = src[i];
    const TColor c = BlendColor(TColor(s & 0xFFFFFF), TColor(bg[i] & 0xFFFFFF), int(s >> 24));
    out[i] = (s & 0xFF000000u) | uint32_t(c);
  }
}

void DrawAlphaBitmap(TDgCanvas& Canvas, int X, int Y, const TDgPixmap& Bitmap) {
  if (Bitmap.Empty()) return;
  TDgPixmap copy = Bitmap;
  const TDgPixmap back = Canvas.ReadPixmap(Bounds(X, Y, Bitmap.Width, Bitmap.Height));
  if (back.Pixels.size() != copy.Pixels.size()) return;
  BlendPixels(Bitmap.Pixels.data(), back.Pixels.data(), copy.Pixels.data(), copy.Pixels.size());
  copy.Alpha = false;
  Canvas.DrawPixmap(X, Y, copy);
}

void DrawGraphic(TDgCanvas& Canvas, int X, int Y, const TDgPixmap& Graphic) {
  if (Graphic.Alpha)
    DrawAlphaBitmap(Canvas, X, Y, Graphic);
  else
    Canvas.DrawPixmap(X, Y, Graphic);
}

void Frame3D(TDgCanvas& Canvas, const TRect& R, TColor TopLeft, TColor BottomRight) {
  if (R.IsEmpty()) return;
  Canvas.Line(R.Left, R.Bottom - 1, R.Left, R.Top, TopLeft);
  Canvas.Line(R.Left, R.Top, R.Right - 1, R.Top, TopLeft);
  Canvas.Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1, BottomRight);
  Canvas.Line(R.Right - 1, R.Bottom - 1, R.Left - 1, R.Bottom - 1, BottomRight);
}

void DrawButtonFace(TDgCanvas& Canvas, const TRect& Rect, bool Pressed) {
  Canvas.FillRect(Rect, clBtnFace);
  Frame3D(Canvas, ResizeRect(Rect, 1, 1, -1, -1), clBtnHighlight,
          Pressed ? clWindowFrame : clBtnShadow);
}

void DrawFocusFrame(TDgCanvas& Canvas, const TRect& Rect, bool Solid) {
  if (Solid) {
    Canvas.FrameRect(Rect, clHighlight);
    return;
  }
  // Over a black background with white text the inversion shows the same
  // on every colour scheme; what draws next finds the colours it had.
  const TColor brush = Canvas.BrushColor(), text = Canvas.TextColor();
  Canvas.SetBrushColor(clBlack);
  Canvas.SetTextColor(clWhite);
  Canvas.DrawFocusRect(Rect);
  Canvas.SetBrushColor(brush);
  Canvas.SetTextColor(text);
}

void DrawTextAligned(TDgCanvas& Canvas, const TRect& Rect, TAlignment Alignment,
                     const WideString& Text, bool RightToLeft) {
  unsigned flags = DgText::EndEllipsis | DgText::NoPrefix | DgText::ExternalLeading |
                   DgText::SingleLine | DgText::VCenter;
  if (Alignment == taRightJustify)
    flags |= DgText::Right;
  else if (Alignment == taCenter)
    flags |= DgText::Center;
  if (RightToLeft) flags |= DgText::RtlReading;
  TRect r = Rect;
  Canvas.SetBrushClear(true);
  Canvas.DrawText(Text, r, flags);
  Canvas.SetBrushClear(false);
}

void DrawVerticalText(TDgCanvas& Canvas, const TRect& Rect, const WideString& Text) {
  Canvas.SetEscapement(900);
  Canvas.SetBrushClear(true);
  TRect r = Rect;
  Canvas.DrawText(Text, r,
                  DgText::NoPrefix | DgText::ExternalLeading | DgText::SingleLine | DgText::Bottom);
  Canvas.SetBrushClear(false);
  Canvas.SetEscapement(0);
}

bool RectsTouch(const TRect& A, const TRect& B) {
  return !(A.Right < B.Left || B.Right < A.Left || A.Bottom < B.Top || B.Bottom < A.Top);
}

TPoint AlignInRect(int W, int H, TDgHorzAlign Horz, TVerticalAlignment Vert, const TRect& Rect,
                   int Margin) {
  TPoint p;
  switch (Horz) {
    case TDgHorzAlign::Left: p.X = Rect.Left + Margin; break;
    case TDgHorzAlign::Right: p.X = Rect.Right - W - Margin; break;
    default: p.X = (Rect.Left + Rect.Right) / 2 - W / 2; break;
  }
  switch (Vert) {
    case taAlignTop: p.Y = Rect.Top + Margin; break;
    case taAlignBottom: p.Y = Rect.Bottom - H - Margin; break;
    default: p.Y = (Rect.Top + Rect.Bottom) / 2 - H / 2; break;
  }
  return p;
}

TRect ResizeRect(const TRect& Rect, int DLeft, int DTop, int DRight, int DBottom) {
  return TRect{Rect.Left + DLeft, Rect.Top + DTop, Rect.Right + DRight, Rect.Bottom + DBottom};
}

bool PointsDiffer(const TPoint& P, const TPoint& Q, int Tolerance) {
  return P.X < Q.X - Tolerance || P.X > Q.X + Tolerance || P.Y < Q.Y - Tolerance ||
         P.Y > Q.Y + Tolerance;
}
