// The recording canvas (see DgRecordingCanvas.h).
#include "grid/DgRecordingCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "grid/DgSharedDraw.h"

namespace {
TDgCall Make(const char* op) {
  TDgCall c;
  c.Op = op;
  return c;
}
} // namespace

TDgRecordingCanvas::TDgRecordingCanvas(int Width, int Height, TColor Background)
    : w_(std::max(Width, 0)),
      h_(std::max(Height, 0)),
      pixels_(size_t(w_) * size_t(h_), DgResolveColor(Background)),
      clip_{0, 0, w_, h_} {}

std::vector<TDgCall> TDgRecordingCanvas::CallsOf(const std::string& op) const {
  std::vector<TDgCall> out;
  for (const TDgCall& c : calls_)
    if (c.Op == op) out.push_back(c);
  return out;
}

TColor TDgRecordingCanvas::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= w_ || y >= h_) return -1;
  return pixels_[size_t(y) * size_t(w_) + size_t(x)];
}

void TDgRecordingCanvas::Put(int x, int y, TColor c) {
  if (!clip_.Contains(Point(x, y)) || x < 0 || y < 0 || x >= w_ || y >= h_) return;
  pixels_[size_t(y) * size_t(w_) + size_t(x)] = c;
}

void TDgRecordingCanvas::Plot(int x1, int y1, int x2, int y2, TColor c) {
  // Bresenham, the end point left out as GDI does.
  const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int err = dx + dy, x = x1, y = y1;
  while (x != x2 || y != y2) {
    Put(x, y, c);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

void TDgRecordingCanvas::Line(int x1, int y1, int x2, int y2, TColor color) {
  TDgCall c = Make("Line");
  c.R = TRect{x1, y1, x2, y2};
  c.Color = color;
  Record(c);
  Plot(x1, y1, x2, y2, DgResolveColor(color));
}

void TDgRecordingCanvas::FillRect(const TRect& r, TColor color) {
  TDgCall c = Make("FillRect");
  c.R = r;
  c.Color = color;
  Record(c);
  const TColor v = DgResolveColor(color);
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) Put(x, y, v);
}

void TDgRecordingCanvas::FrameRect(const TRect& r, TColor color) {
  TDgCall c = Make("FrameRect");
  c.R = r;
  c.Color = color;
  Record(c);
  if (r.IsEmpty()) return;
  const TColor v = DgResolveColor(color);
  for (int x = r.Left; x < r.Right; ++x) {
    Put(x, r.Top, v);
    Put(x, r.Bottom - 1, v);
  }
  for (int y = r.Top; y < r.Bottom; ++y) {
    Put(r.Left, y, v);
    Put(r.Right - 1, y, v);
  }
}

void TDgRecordingCanvas::Polygon(const std::vector<TPoint>& points, TColor pen, TColor fill) {
  TDgCall c = Make("Polygon");
  c.Points = points;
  c.Color = pen;
  c.Color2 = fill;
  Record(c);
  if (points.size() < 2) return;
  // Interior by the winding rule at each pixel's centre.
  if (fill != clNone) {
    const TColor v = DgResolveColor(fill);
    int top = points[0].Y, bottom = points[0].Y, left = points[0].X, right = points[0].X;
    for (const TPoint& p : points) {
      top = std::min(top, p.Y);
      bottom = std::max(bottom, p.Y);
      left = std::min(left, p.X);
      right = std::max(right, p.X);
    }
    for (int y = top; y <= bottom; ++y)
      for (int x = left; x <= right; ++x) {
        const double px = x + 0.5, py = y + 0.5;
        int winding = 0;
        for (size_t i = 0; i < points.size(); ++i) {
          const TPoint& a = points[i];
          const TPoint& b = points[(i + 1) % points.size()];
          const double cross = (b.X - a.X) * (py - a.Y) - (px - a.X) * (b.Y - a.Y);
          if (a.Y <= py && b.Y > py && cross > 0) ++winding;
          if (a.Y > py && b.Y <= py && cross < 0) --winding;
        }
        if (winding != 0) Put(x, y, v);
      }
  }
  if (pen != clNone) {
    const TColor v = DgResolveColor(pen);
    for (size_t i = 0; i < points.size(); ++i) {
      const TPoint& a = points[i];
      const TPoint& b = points[(i + 1) % points.size()];
      Plot(a.X, a.Y, b.X, b.Y, v);
      Put(b.X, b.Y, v);
    }
  }
}

void TDgRecordingCanvas::SetPixel(int x, int y, TColor color) {
  TDgCall c = Make("Pixel");
  c.R = TRect{x, y, x + 1, y + 1};
  c.Color = color;
  Record(c);
  Put(x, y, DgResolveColor(color));
}

void TDgRecordingCanvas::InvertRect(const TRect& r) {
  TDgCall c = Make("Invert");
  c.R = r;
  Record(c);
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const TColor p = Pixel(x, y);
      if (p >= 0) Put(x, y, p ^ 0xFFFFFF);
    }
}

void TDgRecordingCanvas::DrawFocusRect(const TRect& r) {
  TDgCall c = Make("FocusRect");
  c.R = r;
  c.Color = text_color_; // the colours the platform's pattern is drawn in
  c.Color2 = brush_color_;
  Record(c);
  int n = 0;
  auto flip = [&](int x, int y) {
    if ((n++ & 1) == 0) {
      const TColor p = Pixel(x, y);
      if (p >= 0) Put(x, y, p ^ 0xFFFFFF);
    }
  };
  for (int x = r.Left; x < r.Right; ++x) flip(x, r.Top);
  for (int y = r.Top + 1; y < r.Bottom; ++y) flip(r.Right - 1, y);
  for (int x = r.Right - 2; x >= r.Left; --x) flip(x, r.Bottom - 1);
  for (int y = r.Bottom - 2; y > r.Top; --y) flip(r.Left, y);
}

void TDgRecordingCanvas::SetClipRect(const TRect& r) {
  TDgCall c = Make("Clip");
  c.R = r;
  Record(c);
  clip_ = r;
}

void TDgRecordingCanvas::RemoveClip() {
  Record(Make("RemoveClip"));
  clip_ = TRect{0, 0, w_, h_};
}

void TDgRecordingCanvas::SetFont(const TDgFont& font) {
  Record(Make("Font"));
  font_.Assign(const_cast<TDgFont*>(&font));
  text_color_ = font.Color();
}

void TDgRecordingCanvas::SetEscapement(int tenths) {
  TDgCall c = Make("Escapement");
  c.Value = tenths;
  Record(c);
  escapement_ = tenths;
}

void TDgRecordingCanvas::SetTextColor(TColor color) {
  TDgCall c = Make("TextColor");
  c.Color = color;
  Record(c);
  text_color_ = color;
}

void TDgRecordingCanvas::SetBrushColor(TColor color) {
  TDgCall c = Make("Brush");
  c.Color = color;
  Record(c);
  brush_color_ = color;
}

void TDgRecordingCanvas::SetBrushClear(bool clear) {
  TDgCall c = Make("BrushClear");
  c.Flag = clear;
  Record(c);
  brush_clear_ = clear;
}

int TDgRecordingCanvas::DrawText(const WideString& text, TRect& r, unsigned flags) {
  flags = ReadingFlags(flags);
  if (flags & DgText::CalcRect) {
    // Lines split at line breaks unless single-line; no word wrapping.
    int lines = 1, longest = 0, cur = 0;
    for (char16_t ch : text) {
      if (ch == u'\n' && !(flags & DgText::SingleLine)) {
        ++lines;
        cur = 0;
      } else if (ch != u'\r') {
        longest = std::max(longest, ++cur);
      }
    }
    r.Right = r.Left + longest * CharWidth;
    r.Bottom = r.Top + lines * LineHeight;
    return lines * LineHeight;
  }
  TDgCall c = Make("Text");
  c.R = r;
  c.Text = text;
  c.Flags = flags;
  c.Color = text_color_;
  c.Color2 = brush_color_;
  c.Flag = brush_clear_;
  c.Value = escapement_;
  Record(c);
  return LineHeight;
}

TSize TDgRecordingCanvas::TextExtent(const WideString& text) {
  return TSize{int(text.size()) * CharWidth, LineHeight};
}

void TDgRecordingCanvas::DrawPixmap(int x, int y, const TDgPixmap& pixmap, bool transparent,
                                    TColor transparentColor) {
  TDgCall c = Make("Pixmap");
  c.R = Bounds(x, y, pixmap.Width, pixmap.Height);
  c.Flag = transparent;
  c.Color = transparentColor;
  Record(c);
  const TColor key = DgResolveColor(transparentColor) & 0xFFFFFF;
  for (int j = 0; j < pixmap.Height; ++j)
    for (int i = 0; i < pixmap.Width; ++i) {
      const TColor v = TColor(pixmap.At(i, j) & 0xFFFFFF);
      if (transparent && v == key) continue;
      Put(x + i, y + j, v);
    }
}

TDgPixmap TDgRecordingCanvas::ReadPixmap(const TRect& r) {
  TDgPixmap out(r.Width(), r.Height());
  for (int j = 0; j < out.Height; ++j)
    for (int i = 0; i < out.Width; ++i) {
      const TColor p = Pixel(r.Left + i, r.Top + j);
      out.At(i, j) = uint32_t(p < 0 ? 0 : p);
    }
  return out;
}
