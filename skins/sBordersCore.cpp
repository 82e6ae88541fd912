// The masked-border, three-frame and rectangle-blend painters on plain pixels.
#include "skins/sBordersCore.h"

#include <algorithm>
#include <cstring>

namespace skins {

const TsPredefinedBorder kPredefinedBorders[6] = {
    {TsPredefinedBorders::pdBorder1, "BORD1", 90, 60},
    {TsPredefinedBorders::pdBorder2, "BORD2", 90, 60},
    {TsPredefinedBorders::pdBorder3, "BORD3", 90, 60},
    {TsPredefinedBorders::pdBorder4, "BORD4", 90, 60},
    {TsPredefinedBorders::pdBorder5, "BORD5", 54, 36},
    {TsPredefinedBorders::pdBorder6, "BORD6", 450, 96},
};

const char* PredefinedBorderResource(TsPredefinedBorders kind) {
  const int i = static_cast<int>(kind);
  return i >= 0 && i < 6 ? kPredefinedBorders[i].resource : kPredefinedBorders[0].resource;
}

namespace {

bool IsColor(const uint8_t* p, TRgb c) { return p[0] == c.b && p[1] == c.g && p[2] == c.r; }

// d := (d * a + c * (256 - a)) div 256 per byte. The sum never exceeds
// 255 * 256, so 16-bit lanes hold it; a block of fixed size is one vector
// operation.
constexpr int kBlock = 16;
inline void BlendBlock(uint8_t* __restrict out, const uint8_t* __restrict d,
                       const uint8_t* __restrict c, const uint8_t* __restrict a) {
  for (int i = 0; i < kBlock; ++i) {
    const uint16_t w = a[i];
    out[i] = static_cast<uint8_t>(static_cast<uint16_t>(d[i] * w + c[i] * (256 - w)) >> 8);
  }
}

// The same over n bytes. Border pieces are short (a cell is some tens of
// bytes), so the last, partial block is done as a whole block ending at the
// span's end, computed from the bytes as they were before.
void BlendSpan(uint8_t* d, const uint8_t* c, const uint8_t* a, int n) {
  if (n < kBlock) {
    for (int i = 0; i < n; ++i) {
      const uint16_t w = a[i];
      d[i] = static_cast<uint8_t>(static_cast<uint16_t>(d[i] * w + c[i] * (256 - w)) >> 8);
    }
    return;
  }
  uint8_t last[kBlock];
  const int tail = n - kBlock;
  std::memcpy(last, d + tail, kBlock);
  int i = 0;
  for (; i + kBlock <= n; i += kBlock) BlendBlock(d + i, d + i, c + i, a + i);
  if (i < n) BlendBlock(d + tail, last, c + tail, a + tail);
}

// The three-frame rule rounds each product on its own: d * a div 256 + c -
// c * a div 256.
void BlendSpanFrames(uint8_t* d, const uint8_t* c, const uint8_t* a, int n) {
  for (int i = 0; i < n; ++i) {
    const uint16_t w = a[i];
    d[i] = static_cast<uint8_t>(((d[i] * w) >> 8) + c[i] - ((c[i] * w) >> 8));
  }
}

// The part of a width x height piece from (mx, my) of the mask's colour half
// onto (x, y) of the image that lies inside both: first and end column and
// row of the piece. False when nothing is left.
bool ClipPiece(const TPixels& image, int x, int y, const TPixels& mask, int mx, int my, int width,
               int height, int half, int* c0, int* c1, int* r0, int* r1) {
  *c0 = std::max({0, -x, -mx});
  *c1 = std::min({width, image.width - x, mask.width - mx});
  *r0 = std::max({0, -y, -my});
  *r1 = std::min({height, image.height - y, half - my});
  return *c0 < *c1 && *r0 < *r1;
}

}  // namespace

namespace {

// Which rows of a mask's colour half hold the transparent colour within
// columns [x0, x1): learnt on first use, so that a border, whose pieces
// read the same few mask rows again and again, scans each row once and
// blends the rows without transparent pixels in one go.
class TRowFlags {
 public:
  TRowFlags(const TPixels& mask, int x0, int x1, TRgb transparent)
      : mask_(mask), x0_(std::max(x0, 0)), x1_(std::min(x1, mask.width)), key_(transparent) {
    const int half = mask.height / 2;
    if (half <= static_cast<int>(sizeof small_)) {
      flags_ = small_;
    } else {
      big_.resize(half);
      flags_ = big_.data();
    }
    std::memset(flags_, -1, half);
  }
  // False when row y has no transparent pixel in the columns (y inside the
  // colour half).
  bool MayHold(int y) {
    if (flags_[y] < 0) {
      const uint8_t* p = mask_.At(x0_, y);
      int8_t found = 0;
      for (int x = x0_; x < x1_ && !found; ++x, p += 3) found = IsColor(p, key_);
      flags_[y] = found;
    }
    return flags_[y] != 0;
  }

 private:
  const TPixels& mask_;
  int x0_, x1_;
  TRgb key_;
  int8_t small_[256];
  std::vector<int8_t> big_;
  int8_t* flags_;
};

void PaintPiece(const TPixels& image, int x, int y, const TPixels& mask, int mask_x, int mask_y,
                int width, int height, TRgb transparent, std::vector<TRect>* cut,
                TRowFlags* rows) {
  if (image.Empty() || mask.Empty()) return;
  const int half = mask.height / 2;
  int c0, c1, r0, r1;
  if (!ClipPiece(image, x, y, mask, mask_x, mask_y, width, height, half, &c0, &c1, &r0, &r1))
    return;
  for (int r = r0; r < r1; ++r) {
    uint8_t* d = image.At(x, y + r);
    const uint8_t* c = mask.At(mask_x, mask_y + r);
    const uint8_t* a = mask.At(mask_x, mask_y + half + r);
    int i = c0;
    // Most rows hold no transparent pixel: one blend for the whole row.
    if (rows && !rows->MayHold(mask_y + r))
      i = c1;
    else
      while (i < c1 && !IsColor(c + i * 3, transparent)) ++i;
    if (i > c0) BlendSpan(d + c0 * 3, c + c0 * 3, a + c0 * 3, (i - c0) * 3);
    // Alternate runs of transparent and painted pixels for the rest.
    while (i < c1) {
      int j = i;
      while (j < c1 && IsColor(c + j * 3, transparent)) ++j;
      if (j > i && cut) cut->push_back(TRect{x + i, y + r, x + j, y + r + 1});
      i = j;
      while (j < c1 && !IsColor(c + j * 3, transparent)) ++j;
      if (j > i) BlendSpan(d + i * 3, c + i * 3, a + i * 3, (j - i) * 3);
      i = j;
    }
  }
}

}  // namespace

void PaintMaskPiece(const TPixels& image, int x, int y, const TPixels& mask, int mask_x,
                    int mask_y, int width, int height, TRgb transparent, std::vector<TRect>* cut) {
  PaintPiece(image, x, y, mask, mask_x, mask_y, width, height, transparent, cut, nullptr);
}

void PaintMaskedBorder(const TPixels& image, const TPixels& mask, int state, bool fill_centre,
                       TRgb transparent, std::vector<TRect>* cut) {
  if (image.Empty() || mask.Empty()) return;
  const int W = image.width, H = image.height;
  if (W <= 2 || H <= 2) return;
  const int cw = mask.width / 9, ch = mask.height / 6;
  if (cw <= 0 || ch <= 0) return;
  // A state outside the three the mask holds would read beside the mask.
  state = std::clamp(state, 0, 2);
  const int x0 = state * 3 * cw;
  const int half = mask.height / 2;
  // A control narrower (lower) than two cells splits its size between the
  // two corners, the right (bottom) one taking the odd pixel.
  int dl = cw, dr = cw;
  if (W < 2 * cw) {
    dl = W / 2;
    dr = dl + (W & 1);
  }
  int dt = ch, db = ch;
  if (H < 2 * ch) {
    dt = H / 2;
    db = dt + (H & 1);
  }
  TRowFlags rows(mask, x0, x0 + 3 * cw, transparent);
  auto piece = [&](int ix, int iy, int mx, int my, int w, int h) {
    PaintPiece(image, ix, iy, mask, mx, my, w, h, transparent, cut, &rows);
  };
  const int xr = x0 + 3 * cw - dr;  // the right corners' and edge's columns in the mask

  // Left column: corner, then the edge cell downwards; the last piece ends
  // where the bottom corner begins.
  piece(0, 0, x0, 0, dl, dt);
  int y = ch;
  for (; y < H - 2 * db; y += ch) piece(0, y, x0, ch, dl, ch);
  if (y < H - db) piece(0, y, x0, ch, dl, H - db - y);

  // Top and bottom rows between the corners.
  piece(0, H - db, x0, half - db, dl, db);
  int x = cw;
  for (; x < W - 2 * dl; x += cw) {
    piece(x, 0, x0 + cw, 0, cw, dt);
    piece(x, H - db, x0 + cw, half - db, cw, db);
  }
  if (x < W - dl) {
    piece(x, 0, x0 + cw, 0, W - dl - x, dt);
    piece(x, H - db, x0 + cw, half - db, W - dl - x, db);
  }

  // Right column: corners, then the edge cell downwards.
  piece(W - dr, H - db, xr, half - db, dr, db);
  piece(W - dr, 0, xr, 0, dr, dt);
  y = ch;
  for (; y < H - 2 * dt; y += ch) piece(W - dr, y, xr, ch, dr, ch);
  if (y < H - dt) piece(W - dr, y, xr, ch, dr, H - dt - y);

  // The centre cell tiled over the inside; the last column and row of tiles
  // end one cell before the right and bottom edges.
  if (fill_centre) {
    const TRect source{x0 + cw, ch, x0 + 2 * cw, 2 * ch};
    for (int ty = ch; ty < H - ch; ty += ch)
      for (int tx = cw; tx < W - cw; tx += cw)
        MaskedDraw(TRect{tx, ty, std::min(tx + cw, W - cw), std::min(ty + ch, H - ch)}, source,
                   image, kNoParentBackground, mask);
  }
}

void PaintThreeFrames(const TPixels& image, const TPixels& mask, int x, int y, TRgb transparent,
                      int frame) {
  if (image.Empty() || mask.Empty()) return;
  const int fw = mask.width / 3, half = mask.height / 2;
  if (fw <= 0 || half <= 0 || image.width < fw || image.height < half) return;
  // A frame outside the strip would read beside the mask.
  frame = std::clamp(frame, 0, 2);
  int c0, c1, r0, r1;
  if (!ClipPiece(image, x, y, mask, frame * fw, 0, fw, half, half, &c0, &c1, &r0, &r1)) return;
  for (int r = r0; r < r1; ++r) {
    uint8_t* d = image.At(x, y + r);
    const uint8_t* c = mask.At(frame * fw, r);
    const uint8_t* a = mask.At(frame * fw, half + r);
    for (int i = c0; i < c1; ++i)
      if (!IsColor(c + i * 3, transparent)) BlendSpanFrames(d + i * 3, c + i * 3, a + i * 3, 3);
  }
}

void PaintDisabled(const TPixels& image, TsDisabledKind kind, const TParentBackground& parent,
                   TPoint position, TRgb parent_color) {
  if (image.Empty()) return;
  if (kind.Contains(TsDisabledKindItem::dkGrayed)) MakeGray(image);
  if (!kind.Contains(TsDisabledKindItem::dkBlended)) return;
  if (parent.valid && !parent.bitmap.Empty()) {
    // The parent's pixels under the control, half and half with the image;
    // only the image is written.
    const TRect under = Bounds(position.X + parent.x, position.Y + parent.y, image.width,
                               image.height);
    TRect inside;
    if (!IntersectRect(inside, under, TRect{0, 0, parent.bitmap.width, parent.bitmap.height}))
      return;
    BlendGraphic(image, inside.Left - under.Left, inside.Top - under.Top, kNoTransparentColor,
                 0.5, inside, parent.bitmap);
  } else {
    RoundMaskBlend(image, TRect{0, 0, image.width, image.height}, 50, 0, 0, parent_color);
  }
}

void BlendRectToColor(const TPixels& image, TRect r, int percent, TRgb color) {
  if (image.Empty()) return;
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, image.width - 1);
  r.Bottom = std::min(r.Bottom, image.height - 1);
  if (r.Left > r.Right || r.Top > r.Bottom) return;
  const int p = std::clamp(percent, 0, 100);
  // The colour's share, rounded half up, added to each channel's share.
  const int mix[3] = {color.b * (100 - p) + 50, color.g * (100 - p) + 50,
                      color.r * (100 - p) + 50};
  for (int y = r.Top; y <= r.Bottom; ++y) {
    uint8_t* d = image.At(r.Left, y);
    for (int i = 0; i <= r.Right - r.Left; ++i, d += 3)
      for (int k = 0; k < 3; ++k) d[k] = static_cast<uint8_t>((d[k] * p + mix[k]) / 100);
  }
}

}  // namespace skins
