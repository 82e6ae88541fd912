// Pixel arithmetic of the graphics kernel. The row loops work on the bytes
// of a row (three a pixel) with restrict pointers and 16-bit intermediates,
// so that the compiler turns them into vector code; anything per pixel
// (colour tests, parent pixels) stays out of those loops.
#include "skins/sGraphUtilsCore.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace skins {

namespace {

using i64 = long long;

uint8_t Clamp255(double v) {
  if (!(v > 0)) return 0;  // NaN too
  if (v >= 255) return 255;
  return static_cast<uint8_t>(std::lround(v));
}

bool SameSize(const TPixels& a, const TPixels& b) {
  return !a.Empty() && !b.Empty() && a.width == b.width && a.height == b.height;
}

// t := (b * (256 - w) + t * w + 128) >> 8: the rounded weighted mean.
void BlendRow(uint8_t* __restrict t, const uint8_t* __restrict b, unsigned w, int bytes) {
  const uint16_t wa = static_cast<uint16_t>(w), wb = static_cast<uint16_t>(256 - w);
  for (int i = 0; i < bytes; ++i)
    t[i] = static_cast<uint8_t>(static_cast<uint16_t>(b[i] * wb + t[i] * wa + 128) >> 8);
}

// t := (s * (256 - m) + t * m) >> 8 with m per byte: the masked painter's rule.
void MaskRow(uint8_t* __restrict t, const uint8_t* __restrict s, const uint8_t* __restrict m,
             int bytes) {
  for (int i = 0; i < bytes; ++i) {
    const uint16_t w = m[i];
    t[i] = static_cast<uint8_t>(static_cast<uint16_t>(s[i] * (256 - w) + t[i] * w) >> 8);
  }
}

bool IsMagenta(const uint8_t* p) { return p[0] == 255 && p[1] == 0 && p[2] == 255; }

// The [lo, hi) range of offsets k with 0 <= base_i + k < size_i for all
// three pictures and 0 <= k < count.
struct Span {
  int lo, hi;
  bool Empty() const { return lo >= hi; }
};
Span Clip(i64 count, i64 base1, i64 size1, i64 base2, i64 size2) {
  i64 lo = std::max<i64>({0, -base1, -base2});
  i64 hi = std::min<i64>({count, size1 - base1, size2 - base2});
  if (hi < lo) hi = lo;
  return Span{static_cast<int>(std::clamp<i64>(lo, 0, 1 << 30)),
              static_cast<int>(std::clamp<i64>(hi, 0, 1 << 30))};
}

}  // namespace

// --- Helpers ----------------------------------------------------------------

int SumTransparency(int a, int b) {
  return static_cast<int>(std::lround((100.0 - b) * a / 100.0 + b));
}

void SwapLeft(TRect& r, int& value) { std::swap(r.Left, value); }

TPixels SubPixels(const TPixels& pixels, const TRect& r) {
  TRect c;
  if (pixels.Empty() || !IntersectRect(c, r, TRect{0, 0, pixels.width, pixels.height}))
    return TPixels{};
  TPixels out;
  out.width = c.Width();
  out.height = c.Height();
  out.stride = pixels.stride;
  out.bits = pixels.At(c.Left, c.Top);
  return out;
}

// --- Blends -------------------------------------------------------------------

void BlendBitmaps(const TPixels& a, const TPixels& b, uint32_t weight) {
  if (!SameSize(a, b)) return;
  const unsigned w = weight & 0xFF;
  for (int y = 0; y < a.height; ++y) BlendRow(a.Row(y), b.Row(y), w, a.width * 3);
}

void BlendColorByMask(const TPixels& a, const TPixels& mask, TRgb c) {
  if (!SameSize(a, mask)) return;
  for (int y = 0; y < a.height; ++y) {
    uint8_t* __restrict t = a.Row(y);
    const uint8_t* __restrict m = mask.Row(y);
    for (int x = 0; x < a.width; ++x, t += 3, m += 3) {
      t[0] = static_cast<uint8_t>((c.b * (255 - m[0]) + t[0] * m[0]) >> 8);
      t[1] = static_cast<uint8_t>((c.g * (255 - m[1]) + t[1] * m[1]) >> 8);
      t[2] = static_cast<uint8_t>((c.r * (255 - m[2]) + t[2] * m[2]) >> 8);
    }
  }
}

void MaskedDraw(const TRect& dst, const TRect& src, const TPixels& target,
                const TParentBackground& parent, const TPixels& mask) {
  if (target.Empty() || mask.Empty()) return;
  const int half = mask.height / 2;
  const i64 w = std::min<i64>(i64(src.Right) - src.Left, i64(dst.Right) - dst.Left);
  const i64 n = std::min<i64>(i64(src.Bottom) - src.Top, i64(dst.Bottom) - dst.Top);
  const Span cols = Clip(w, dst.Left, target.width, src.Left, mask.width);
  const Span rows = Clip(n, dst.Top, target.height, src.Top, half);
  if (cols.Empty() || rows.Empty()) return;
  const bool use_parent = parent.valid && !parent.bitmap.Empty();
  const int bytes = (cols.hi - cols.lo) * 3;
  for (int r = rows.lo; r < rows.hi; ++r) {
    uint8_t* t = target.At(dst.Left + cols.lo, dst.Top + r);
    const uint8_t* s = mask.At(src.Left + cols.lo, src.Top + r);
    const uint8_t* m = mask.At(src.Left + cols.lo, half + src.Top + r);
    if (!use_parent) {
      MaskRow(t, s, m, bytes);
      continue;
    }
    const i64 py = i64(parent.y) + dst.Top + r;
    for (int c = cols.lo; c < cols.hi; ++c, t += 3, s += 3, m += 3) {
      const i64 px = i64(parent.x) + dst.Left + c;
      if (IsMagenta(s) && px >= 0 && px < parent.bitmap.width && py >= 0 &&
          py < parent.bitmap.height) {
        std::memcpy(t, parent.bitmap.At(static_cast<int>(px), static_cast<int>(py)), 3);
      } else {
        MaskRow(t, s, m, 3);
      }
    }
  }
}

void TileCellsH(const TPixels& target, const TPixels& mask, const TRect& cell, const TRect& r) {
  const int step = cell.Width();
  if (step <= 0 || r.IsEmpty()) return;
  const int end = std::min(r.Right, target.width);
  for (i64 x = r.Left; x < end; x += step) {
    const int xi = static_cast<int>(x);
    const int piece = static_cast<int>(std::min<i64>(step, i64(r.Right) - x));
    if (xi + piece <= 0) continue;
    MaskedDraw(TRect{xi, r.Top, xi + piece, r.Bottom},
               TRect{cell.Left, cell.Top, cell.Left + piece, cell.Bottom}, target,
               kNoParentBackground, mask);
  }
}

void TileCellsV(const TPixels& target, const TPixels& mask, const TRect& cell, const TRect& r) {
  const int step = mask.height / 6;
  if (step <= 0 || r.IsEmpty()) return;
  const int end = std::min(r.Bottom, target.height);
  for (i64 y = r.Top; y < end; y += step) {
    const int yi = static_cast<int>(y);
    const int piece = static_cast<int>(std::min<i64>(step, i64(r.Bottom) - y));
    if (yi + piece <= 0) continue;
    MaskedDraw(TRect{r.Left, yi, r.Right, yi + piece},
               TRect{cell.Left, cell.Top, cell.Right, cell.Top + piece}, target,
               kNoParentBackground, mask);
  }
}

void DrawCell(const TPixels& target, const TPixels& mask, int state, const TRect& r,
              TPoint cell_origin) {
  const int cw = mask.width / 9, ch = mask.height / 6;
  if (cw <= 0 || ch <= 0) return;
  const int x = cell_origin.X + 3 * cw * state;
  MaskedDraw(r, TRect{x, cell_origin.Y, x + cw, cell_origin.Y + ch}, target, kNoParentBackground,
             mask);
}

namespace {

// The layout of a nine-cell border in rectangle [L, R) x [T, B) of the
// target: corner sizes and the state's mask columns.
struct BorderLayout {
  i64 L, T, R, B;
  int cw, ch, dl, dr, dt, db, x0, x1, x3, y3;
};

// Gathers mask row `sy` as it lies over target columns [a, b) (inside the
// target): the left corner's columns, the middle cell repeated, the right
// corner's columns, picture bytes into src and weights into wgt.
void GatherBorderRow(const TPixels& mask, const BorderLayout& k, int sy, i64 a, i64 b,
                     uint8_t* s, uint8_t* w) {
  const uint8_t* srow = mask.Row(sy);
  const uint8_t* wrow = mask.Row(mask.height / 2 + sy);
  const i64 mid = k.L + k.dl, right = k.R - k.dr;
  for (i64 x = a; x < b;) {
    i64 sx, n;
    if (x < mid) {
      sx = k.x0 + (x - k.L);
      n = std::min(b, mid) - x;
    } else if (x < right) {
      const i64 in_cell = (x - mid) % k.cw;
      sx = k.x1 + in_cell;
      n = std::min({b, right, x + k.cw - in_cell}) - x;
    } else {
      sx = k.x3 - (k.R - x);
      n = b - x;
    }
    std::memcpy(s, srow + sx * 3, static_cast<size_t>(n) * 3);
    std::memcpy(w, wrow + sx * 3, static_cast<size_t>(n) * 3);
    s += n * 3;
    w += n * 3;
    x += n;
  }
}

}  // namespace

void DrawBorderCells(const TPixels& target, const TPixels& mask, int state,
                     const TParentBackground& parent, bool fill_centre, const TRect& r) {
  const i64 W = i64(r.Right) - r.Left, H = i64(r.Bottom) - r.Top;
  if (W < 2 || H < 2 || target.Empty() || mask.Empty()) return;
  BorderLayout k;
  k.cw = mask.width / 9;
  k.ch = mask.height / 6;
  if (k.cw <= 0 || k.ch <= 0) return;
  k.x0 = 3 * k.cw * state;
  k.x1 = k.x0 + k.cw;
  k.x3 = k.x0 + 3 * k.cw;
  // A state the mask has no cells for draws nothing.
  if (state < 0 || k.x3 > mask.width) return;
  k.y3 = 3 * k.ch;  // the picture half's bottom row + 1
  // Narrow rectangles split between the two corners, the far one taking the
  // odd pixel.
  k.dl = W < 2 * k.cw ? static_cast<int>(W / 2) : k.cw;
  k.dr = W < 2 * k.cw ? static_cast<int>(W - k.dl) : k.cw;
  k.dt = H < 2 * k.ch ? static_cast<int>(H / 2) : k.ch;
  k.db = H < 2 * k.ch ? static_cast<int>(H - k.dt) : k.ch;
  k.L = r.Left;
  k.T = r.Top;
  k.R = r.Right;
  k.B = r.Bottom;
  const int y3 = k.y3, dl = k.dl, dr = k.dr, dt = k.dt, db = k.db;

  // Row by row: the top and bottom rows with their corners (which show the
  // parent through magenta); in between the left and right edges, or the
  // whole row with the centre filled. Middle rows repeat the middle cell's
  // ch rows, each gathered once.
  const i64 ca = std::max<i64>(k.L, 0), cb = std::min<i64>(k.R, target.width);
  if (ca >= cb) return;
  const size_t run = static_cast<size_t>(cb - ca) * 3;
  // One row's picture and weights, then the ch middle rows' (gathered when
  // first needed).
  // (Not cleared: every byte used is gathered first.)
  std::unique_ptr<uint8_t[]> rows(new uint8_t[run * 2 * (1 + static_cast<size_t>(k.ch))]);
  std::vector<char> gathered(k.ch, 0);
  const bool use_parent = parent.valid && !parent.bitmap.Empty();
  auto blend = [&](int y, const uint8_t* s, const uint8_t* w, i64 a, i64 b) {
    a = std::max(a, ca);
    b = std::min(b, cb);
    if (a >= b) return;
    const size_t off = static_cast<size_t>(a - ca) * 3;
    MaskRow(target.At(static_cast<int>(a), y), s + off, w + off, static_cast<int>(b - a) * 3);
  };
  // A corner's run: magenta takes the parent's pixel where it has one.
  auto corner = [&](int y, const uint8_t* s, const uint8_t* w, i64 a, i64 b) {
    if (!use_parent) return blend(y, s, w, a, b);
    a = std::max(a, ca);
    b = std::min(b, cb);
    const i64 py = i64(parent.y) + y;
    for (i64 x = a; x < b; ++x) {
      const size_t off = static_cast<size_t>(x - ca) * 3;
      uint8_t* t = target.At(static_cast<int>(x), y);
      const i64 px = i64(parent.x) + x;
      if (IsMagenta(s + off) && px >= 0 && px < parent.bitmap.width && py >= 0 &&
          py < parent.bitmap.height)
        std::memcpy(t, parent.bitmap.At(static_cast<int>(px), static_cast<int>(py)), 3);
      else
        MaskRow(t, s + off, w + off, 3);
    }
  };
  const i64 y_end = std::min<i64>(k.B, target.height);
  for (i64 y = std::max<i64>(k.T, 0); y < y_end; ++y) {
    const i64 oy = y - k.T;
    const int yi = static_cast<int>(y);
    if (oy < dt || y >= k.B - db) {
      uint8_t* s = rows.get();
      uint8_t* w = s + run;
      GatherBorderRow(mask, k, static_cast<int>(oy < dt ? oy : y3 - (k.B - y)), ca, cb, s, w);
      if (use_parent) {
        corner(yi, s, w, k.L, k.L + dl);
        blend(yi, s, w, k.L + dl, k.R - dr);
        corner(yi, s, w, k.R - dr, k.R);
      } else {
        blend(yi, s, w, k.L, k.R);
      }
      continue;
    }
    const int cell_row = static_cast<int>((oy - dt) % k.ch);
    uint8_t* s = rows.get() + run * 2 * (1 + cell_row);
    uint8_t* w = s + run;
    if (!gathered[cell_row]) {
      GatherBorderRow(mask, k, k.ch + cell_row, ca, cb, s, w);
      gathered[cell_row] = 1;
    }
    if (fill_centre) {
      blend(yi, s, w, k.L, k.R);
    } else {
      blend(yi, s, w, k.L, k.L + dl);
      blend(yi, s, w, k.R - dr, k.R);
    }
  }
}

void CopyExceptColor(const TPixels& target, const TPixels& source, int x, int y,
                     uint32_t transparent) {
  if (target.Empty() || source.Empty()) return;
  const Span cols = Clip(source.width, x, target.width, 0, source.width);
  const Span rows = Clip(source.height, y, target.height, 0, source.height);
  if (cols.Empty() || rows.Empty()) return;
  const bool test = transparent <= 0xFFFFFF;
  const TRgb tc = RgbOf(transparent);
  for (int r = rows.lo; r < rows.hi; ++r) {
    uint8_t* t = target.At(x + cols.lo, y + r);
    const uint8_t* s = source.At(cols.lo, r);
    if (!test) {
      std::memmove(t, s, (cols.hi - cols.lo) * 3);
      continue;
    }
    for (int c = cols.lo; c < cols.hi; ++c, t += 3, s += 3)
      if (!SameRgb(s, tc)) std::memcpy(t, s, 3);
  }
}

void BlendGraphic(const TPixels& graphic, int X, int Y, uint32_t transparent, double factor,
                  const TRect& r, const TPixels& target) {
  if (graphic.Empty() || target.Empty()) return;
  TRect c;
  if (!IntersectRect(c, r, TRect{0, 0, target.width, target.height})) return;
  // Graphic pixel (gx, gy) pairs with target pixel (gx - X + r.Left, gy - Y + r.Top).
  const i64 ox = i64(r.Left) - X, oy = i64(r.Top) - Y;
  const Span cols = Clip(c.Width(), c.Left, target.width, i64(c.Left) - ox, graphic.width);
  const Span rows = Clip(c.Height(), c.Top, target.height, i64(c.Top) - oy, graphic.height);
  if (cols.Empty() || rows.Empty()) return;
  const bool test = transparent <= 0xFEFFFFFFu;
  const TRgb tc = RgbOf(transparent);
  for (int rr = rows.lo; rr < rows.hi; ++rr) {
    const uint8_t* t = target.At(c.Left + cols.lo, c.Top + rr);
    uint8_t* g = graphic.At(static_cast<int>(c.Left + cols.lo - ox),
                            static_cast<int>(c.Top + rr - oy));
    for (int k = cols.lo; k < cols.hi; ++k, t += 3, g += 3) {
      if (test && SameRgb(t, tc)) continue;
      for (int i = 0; i < 3; ++i) g[i] = Clamp255(t[i] - factor * (t[i] - g[i]));
    }
  }
}

void TintBitmap(const TPixels& bitmap, TRgb c, uint32_t transparent, double factor) {
  if (bitmap.Empty()) return;
  const bool test = transparent <= 0xFFFFFF;
  const TRgb tc = RgbOf(transparent);
  const uint8_t cc[3] = {c.b, c.g, c.r};
  // One table per channel: the factor is the same for every pixel.
  uint8_t table[3][256];
  for (int i = 0; i < 3; ++i)
    for (int v = 0; v < 256; ++v) table[i][v] = Clamp255(factor * (v - cc[i]) + cc[i]);
  for (int y = 0; y < bitmap.height; ++y) {
    uint8_t* p = bitmap.Row(y);
    for (int x = 0; x < bitmap.width; ++x, p += 3) {
      if (test && SameRgb(p, tc)) continue;
      p[0] = table[0][p[0]];
      p[1] = table[1][p[1]];
      p[2] = table[2][p[2]];
    }
  }
}

void BlendOffset(const TPixels& target, const TPixels& source, uint32_t weight, TPoint point,
                 const TRect& r) {
  if (target.Empty() || source.Empty()) return;
  const Span cols = Clip(i64(r.Right) - r.Left, point.X, target.width, r.Left, source.width);
  const Span rows = Clip(i64(r.Bottom) - r.Top, point.Y, target.height, r.Top, source.height);
  if (cols.Empty() || rows.Empty()) return;
  // s + (t - s) * k / 768 rounded as floor(x + 1/2), exactly, in integers
  // (the bias keeps the division's operand positive). Target and source may
  // be one picture, so no restrict here.
  const int k = (weight & 0xFF) + ((weight >> 8) & 0xFF) + ((weight >> 16) & 0xFF);
  constexpr int kBias = 768 * 256;
  for (int row = rows.lo; row < rows.hi; ++row) {
    uint8_t* t = target.At(point.X + cols.lo, point.Y + row);
    const uint8_t* s = source.At(r.Left + cols.lo, r.Top + row);
    const int bytes = (cols.hi - cols.lo) * 3;
    for (int i = 0; i < bytes; ++i)
      t[i] = static_cast<uint8_t>(s[i] + ((t[i] - s[i]) * k + 384 + kBias) / 768 - 256);
  }
}

uint32_t MixColors(uint32_t a, uint32_t b, double factor) {
  const TRgb ca = RgbOf(a), cb = RgbOf(b);
  auto mix = [factor](int x, int y) { return Clamp255(x - factor * (x - y)); };
  return ColorOf(TRgb{mix(ca.r, cb.r), mix(ca.g, cb.g), mix(ca.b, cb.b)});
}

namespace {

void Gray(const TPixels& bitmap, bool keep, TRgb c) {
  if (bitmap.Empty()) return;
  for (int y = 0; y < bitmap.height; ++y) {
    uint8_t* p = bitmap.Row(y);
    for (int x = 0; x < bitmap.width; ++x, p += 3) {
      if (keep && SameRgb(p, c)) continue;
      const uint8_t g = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3);
      p[0] = p[1] = p[2] = g;
    }
  }
}

}  // namespace

void MakeGray(const TPixels& bitmap) { Gray(bitmap, false, TRgb{}); }
void MakeGrayExcept(const TPixels& bitmap, TRgb c) { Gray(bitmap, true, c); }

}  // namespace skins
