// Soft-shadow masks and bevels of the graphics kernel: the shapes are
// rasterised here rather than by GDI so that the core paints the same
// pixels on every platform (a pixel belongs to a shape when its centre lies
// inside it).
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "skins/sGraphUtilsCore.h"

namespace skins {

namespace {

// Fills the pixels whose centres lie in the box [x1, x2) x [y1, y2) with its
// corners rounded by quarter ellipses of rx x ry (none when either is 0).
void FillRounded(const TPixels& p, double x1, double y1, double x2, double y2, double rx,
                 double ry, uint8_t grey) {
  rx = std::min(rx, (x2 - x1) / 2);
  ry = std::min(ry, (y2 - y1) / 2);
  const int ya = std::max(0, static_cast<int>(std::ceil(y1 - 0.5)));
  const int yb = std::min(p.height, static_cast<int>(std::ceil(y2 - 0.5)));
  for (int y = ya; y < yb; ++y) {
    const double cy = y + 0.5;
    double inset = 0;
    if (rx > 0 && ry > 0) {
      const double dy = std::max({0.0, y1 + ry - cy, cy - (y2 - ry)});
      if (dy > ry) continue;
      inset = rx - rx * std::sqrt(std::max(0.0, 1 - (dy / ry) * (dy / ry)));
    }
    const int xa = std::max(0, static_cast<int>(std::ceil(x1 + inset - 0.5)));
    const int xb = std::min(p.width, static_cast<int>(std::ceil(x2 - inset - 0.5)));
    if (xb > xa) std::memset(p.At(xa, y), grey, static_cast<size_t>(xb - xa) * 3);
  }
}

bool IsLowered(TsControlBevel kind) {
  return kind == TsControlBevel::cbLoweredSoft || kind == TsControlBevel::cbLoweredHard;
}

// g + (v - g) * w / 256 per byte of a run.
void ShadeRun(uint8_t* p, int pixels, int g, int w) {
  for (int i = 0; i < pixels * 3; ++i)
    p[i] = static_cast<uint8_t>((g * (256 - w) + p[i] * w) >> 8);
}

}  // namespace

void PaintShadowMask(const TPixels& mask, TShadowShape shape, int radius, int blur,
                     int transparency) {
  if (mask.Empty()) return;
  const int W = mask.width, H = mask.height;
  for (int y = 0; y < H; ++y) std::memset(mask.Row(y), 255, static_cast<size_t>(W) * 3);
  // A blur below 0 means none; more than half the smaller side has no room.
  const int b = std::clamp(blur, 0, std::min(W / 2, H / 2));
  const int g0 = std::clamp(transparency, 0, 100) * 255 / 100;
  const double step = (255.0 - g0) / (b + 1);
  const double corner = std::max(0, radius + b);
  for (int i = 0; i <= b; ++i) {
    const uint8_t grey = static_cast<uint8_t>(g0 + std::lround(step * (b - i)));
    if (shape == TShadowShape::Ellipse)
      FillRounded(mask, i, i, W - i, H - i, (W - 2.0 * i) / 2, (H - 2.0 * i) / 2, grey);
    else
      FillRounded(mask, i, i, W - i + 1, H - i + 1, corner / 2, corner / 2, grey);
  }
}

void ShadowPixels(const TPixels& pixels, TShadowShape shape, int radius, int blur, TRgb color,
                  int transparency) {
  if (pixels.Empty()) return;
  std::vector<uint8_t> bytes(static_cast<size_t>(pixels.width) * 3 * pixels.height);
  TPixels mask{pixels.width, pixels.height, pixels.width * 3, bytes.data()};
  PaintShadowMask(mask, shape, radius, blur, transparency);
  BlendColorByMask(pixels, mask, color);
}

void RoundMaskBlend(const TPixels& bitmap, const TRect& r, int base_percent, int radius, int blur,
                    TRgb color) {
  ShadowPixels(SubPixels(bitmap, r), TShadowShape::RoundRect, radius, blur, color, base_percent);
}

uint32_t BevelLineColor(uint32_t first, uint32_t second, bool soft, int kind, int width, int line,
                        TBevelSide side) {
  const bool lead = side == TBevelSide::Left || side == TBevelSide::Top;
  bool in_first;
  switch (kind) {
    case 1: in_first = !lead; break;
    case 2: in_first = true; break;
    case 3: in_first = false; break;
    default: in_first = lead; break;
  }
  const uint32_t own = in_first ? first : second, other = in_first ? second : first;
  if (!soft || width < 2) return own;
  if (line == 0) return in_first ? 0xFFFFFFu : 0u;
  const double d = static_cast<double>(line) / width;
  return in_first ? MixColors(own, other, d) : MixColors(MixColors(own, 0, 0.5), other, d);
}

void DrawBevelLinesPixels(const TPixels& bitmap, uint32_t first, uint32_t second, bool soft,
                          int kind, int width, const TRect& r) {
  if (bitmap.Empty()) return;
  const int lines = std::max(width, 1);
  for (int line = 0; line < lines; ++line) {
    for (TBevelSide side :
         {TBevelSide::Left, TBevelSide::Top, TBevelSide::Right, TBevelSide::Bottom}) {
      const TRgb c = RgbOf(BevelLineColor(first, second, soft, kind, width, line, side));
      ForEachBevelPixel(r, line, side, [&](int x, int y) {
        if (x < 0 || y < 0 || x >= bitmap.width || y >= bitmap.height) return;
        uint8_t* p = bitmap.At(x, y);
        p[0] = c.b;
        p[1] = c.g;
        p[2] = c.r;
      });
    }
  }
}

void PaintControlBevel(const TPixels& bitmap, const TRect& r, int width, bool soft,
                       TsControlBevel kind) {
  if (kind == TsControlBevel::cbNone || width < 1 || bitmap.Empty()) return;
  const bool lowered = IsLowered(kind);
  if (width == 1) {
    DrawBevelLinesPixels(bitmap, 0xFFFFFFu, 0u, false, lowered ? 1 : 0, 1, r);
    return;
  }
  // The last column and row inside r (inclusive edges from here on).
  const int l = std::max(r.Left, 0), t = std::max(r.Top, 0);
  const int rr = std::min(r.Right, bitmap.width) - 1, bb = std::min(r.Bottom, bitmap.height) - 1;
  const int w_px = rr - l + 1, h_px = bb - t + 1;
  if (w_px <= 0 || h_px <= 0) return;
  int w = width;
  if (h_px < 2 * w) w = h_px / 2;
  if (w_px < 2 * w) w = w_px / 2;
  if (w < 2) return;
  const bool rising = kind == TsControlBevel::cbRaisedSoft || kind == TsControlBevel::cbLoweredSoft;
  // Edge greys: left, top, right, bottom.
  const int g[4] = {lowered ? 25 : 240, lowered ? 0 : 255, lowered ? 240 : 25, lowered ? 255 : 0};
  auto weight = [&](int i, int thickness) {
    if (!soft) return 127;
    const int step = 255 / thickness;
    return rising ? i * step : 255 - i * step;
  };
  // Vertical strips own the mitre's diagonal pixels; horizontal ones stop
  // one short of it, so no pixel is shaded twice by neighbouring strips.
  const int tv[4] = {w, w, w + 1, w + 1};  // thickness: left, top, right, bottom
  if (h_px > tv[0])
    for (int i = 0; i < tv[0]; ++i) {
      const int wt = weight(i, tv[0]);
      for (int y = t + i; y <= bb - i; ++y) ShadeRun(bitmap.At(l + i, y), 1, g[0], wt);
    }
  if (w_px > tv[1])
    for (int i = 0; i < tv[1]; ++i) {
      const int a = l + i + 1, b = rr - i - 1;
      if (b >= a) ShadeRun(bitmap.At(a, t + i), b - a + 1, g[1], weight(i, tv[1]));
    }
  if (h_px > tv[2])
    for (int i = 0; i < tv[2] && rr - i >= l; ++i) {
      const int wt = weight(i, tv[2]);
      for (int y = t + i; y <= bb - i; ++y) ShadeRun(bitmap.At(rr - i, y), 1, g[2], wt);
    }
  if (w_px > tv[3])
    for (int i = 0; i < tv[3] && bb - i >= t; ++i) {
      const int a = l + i + 1, b = rr - i - 1;
      if (b >= a) ShadeRun(bitmap.At(a, bb - i), b - a + 1, g[3], weight(i, tv[3]));
    }
}

}  // namespace skins
