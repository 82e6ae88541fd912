// The pixel kernel against its formulas, pixel by pixel, in pictures with
// guard bytes: blends at weights 0, 128 and 255, the masked painter and the
// nine-cell border at many sizes and positions (random ones too), and the
// clamping of the factor-taking routines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "skins/sGraphUtilsCore.h"
#include "skins/tests/GuardedImage.h"

using namespace skins;
using skins_test::GuardedImage;

namespace {

int RoundHalfUp(double v) { return static_cast<int>(std::floor(v + 0.5)); }

// The masked painter's rule for one channel.
uint8_t Masked(int t, int s, int m) { return static_cast<uint8_t>((t * m + s * (256 - m)) >> 8); }

// A 9 x 6 cell mask with a different picture byte everywhere and weights
// that vary, magenta in the top-left pixel of every corner cell.
GuardedImage MakeMask(int cw, int ch, std::mt19937& rng) {
  GuardedImage m(9 * cw, 6 * ch);
  m.Randomize(rng);
  for (int s = 0; s < 3; ++s)
    for (int cx : {0, 2})
      for (int cy : {0, 2}) m.Set(s * 3 * cw + cx * cw, cy * ch, 255, 0, 255);
  return m;
}

// Independent model of MaskedDraw: every (c, r) of the piece whose three
// pixels exist is painted.
void ModelMaskedDraw(const TRect& d, const TRect& s, GuardedImage& t, const TParentBackground* p,
                     const GuardedImage* parent, const GuardedImage& m) {
  const int w = std::min(s.Width(), d.Width()), n = std::min(s.Height(), d.Height());
  const int half = m.Height() / 2;
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < w; ++c) {
      const int tx = d.Left + c, ty = d.Top + r, sx = s.Left + c, sy = s.Top + r;
      if (tx < 0 || ty < 0 || tx >= t.Width() || ty >= t.Height()) continue;
      if (sx < 0 || sy < 0 || sx >= m.Width() || sy >= half) continue;
      uint8_t* tp = t.At(tx, ty);
      const uint8_t* sp = m.At(sx, sy);
      const uint8_t* mp = m.At(sx, half + sy);
      if (p && p->valid && sp[0] == 255 && sp[1] == 0 && sp[2] == 255) {
        const int px = p->x + tx, py = p->y + ty;
        if (px >= 0 && py >= 0 && px < parent->Width() && py < parent->Height()) {
          std::memcpy(tp, parent->At(px, py), 3);
          continue;
        }
      }
      for (int i = 0; i < 3; ++i) tp[i] = Masked(tp[i], sp[i], mp[i]);
    }
}

}  // namespace

TEST(Blend, BitmapsAtWeights0_128_255FollowTheFormula) {
  std::mt19937 rng(1);
  for (uint32_t w : {0u, 128u, 255u, 0x1280u /* only the low byte counts */}) {
    GuardedImage a(19, 7), b(19, 7);
    a.Randomize(rng);
    b.Randomize(rng);
    GuardedImage before = a;
    BlendBitmaps(a.View(), b.View(), w);
    EXPECT_TRUE(a.GuardsIntact());
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 19 * 3; ++x) {
        const int av = before.At(0, y)[x], bv = b.At(0, y)[x];
        ASSERT_EQ(a.At(0, y)[x], RoundHalfUp(bv + (av - bv) * static_cast<int>(w & 0xFF) / 256.0))
            << "w " << w << " at byte " << x << "," << y;
      }
  }
  GuardedImage a(4, 4), b(4, 4);
  a.Fill(TRgb{3, 2, 1});
  b.Fill(TRgb{9, 9, 9});
  BlendBitmaps(a.View(), b.View(), 0);
  EXPECT_TRUE(a.SamePixels(b)) << "weight 0 copies B";
}

TEST(Blend, SizeMismatchChangesNothing) {
  GuardedImage a(4, 4), b(5, 4), m(4, 3);
  a.Fill(TRgb{30, 20, 10});
  const GuardedImage before = a;
  BlendBitmaps(a.View(), b.View(), 0);
  BlendColorByMask(a.View(), m.View(), TRgb{1, 2, 3});
  EXPECT_TRUE(a.SamePixels(before));
}

TEST(Blend, ColorByMaskWhiteKeepsBlackPaints) {
  std::mt19937 rng(2);
  GuardedImage a(9, 5), m(9, 5);
  a.Randomize(rng);
  m.Randomize(rng);
  m.Set(0, 0, 255, 255, 255);
  m.Set(1, 0, 0, 0, 0);
  const GuardedImage before = a;
  const TRgb c{200, 100, 50};
  BlendColorByMask(a.View(), m.View(), c);
  EXPECT_TRUE(a.GuardsIntact());
  const uint8_t cb[3] = {c.b, c.g, c.r};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 9; ++x)
      for (int i = 0; i < 3; ++i) {
        const int av = before.At(x, y)[i], mv = m.At(x, y)[i];
        ASSERT_EQ(a.At(x, y)[i], ((255 * cb[i] + mv * (av - cb[i])) & 0xFFFF) >> 8);
      }
  EXPECT_EQ(a.At(1, 0)[0], 49) << "black paints the colour (a shade below: the rule shifts by 8)";
  EXPECT_EQ(a.At(1, 0)[2], 199);
  EXPECT_EQ(a.At(0, 0)[0], before.At(0, 0)[0] * 255 >> 8);
}

TEST(MaskedDraw, BlackWeightsShowThePictureWhiteKeepTheTarget) {
  GuardedImage m(4, 8), t(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      m.Set(x, y, 10, 20, 30);
      m.Set(x, y + 4, x < 2 ? 0 : 255, x < 2 ? 0 : 255, x < 2 ? 0 : 255);
    }
  t.Fill(TRgb{200, 200, 200});
  MaskedDraw(TRect{0, 0, 4, 4}, TRect{0, 0, 4, 4}, t.View(), kNoParentBackground, m.View());
  EXPECT_EQ(t.At(0, 0)[0], 10);
  EXPECT_EQ(t.At(1, 3)[2], 30);
  EXPECT_EQ(t.At(3, 3)[0], (200 * 255 + 10) >> 8) << "almost the target";
}

TEST(MaskedDraw, EveryPixelAsTheRuleAndNothingOutside) {
  std::mt19937 rng(3);
  const GuardedImage mask = MakeMask(10, 10, rng);
  GuardedImage parent(40, 30);
  parent.Randomize(rng);
  struct Case {
    TRect d, s;
  };
  std::vector<Case> cases = {
      {{0, 0, 90, 30}, {0, 0, 90, 30}},        {{-5, -7, 20, 20}, {0, 0, 25, 27}},
      {{0, 0, 20, 20}, {-5, -7, 20, 20}},      {{-5, -3, 20, 20}, {-2, -9, 20, 20}},
      {{10, 10, 200, 200}, {80, 25, 200, 90}}, {{0, 0, 0, 10}, {0, 0, 10, 10}},
      {{5, 5, 6, 6}, {89, 29, 90, 30}}};
  std::uniform_int_distribution<int> pos(-40, 60), len(-5, 60);
  for (int i = 0; i < 300; ++i) {
    const int dl = pos(rng), dt = pos(rng), sl = pos(rng), st = pos(rng);
    cases.push_back({{dl, dt, dl + len(rng), dt + len(rng)}, {sl, st, sl + len(rng), st + len(rng)}});
  }
  for (bool with_parent : {false, true}) {
    TParentBackground p;
    p.bitmap = parent.View();
    p.x = 25;  // near the parent's right and bottom edges
    p.y = 20;
    p.valid = with_parent;
    for (const Case& k : cases) {
      GuardedImage t(33, 27), expect(33, 27);
      t.Randomize(rng);
      expect = t;
      MaskedDraw(k.d, k.s, t.View(), p, const_cast<GuardedImage&>(mask).View());
      ModelMaskedDraw(k.d, k.s, expect, &p, &parent, mask);
      ASSERT_TRUE(t.GuardsIntact());
      ASSERT_TRUE(t.SamePixels(expect))
          << "d " << k.d.Left << "," << k.d.Top << "," << k.d.Right << "," << k.d.Bottom << " s "
          << k.s.Left << "," << k.s.Top << "," << k.s.Right << "," << k.s.Bottom << " parent "
          << with_parent;
    }
  }
}

TEST(MaskedDraw, ZeroWidthOrEmptyMaskDrawsNothing) {
  GuardedImage t(10, 10), m(0, 0), thin(8, 10);
  t.Fill(TRgb{3, 2, 1});
  const GuardedImage before = t;
  MaskedDraw(TRect{0, 0, 10, 10}, TRect{0, 0, 10, 10}, t.View(), kNoParentBackground,
             m.View());
  DrawBorderCells(t.View(), thin.View(), 0, kNoParentBackground, true, TRect{0, 0, 10, 10});
  TileCellsV(t.View(), TPixels{}, TRect{0, 0, 3, 3}, TRect{0, 0, 10, 10});
  TileCellsH(t.View(), thin.View(), TRect{0, 0, 0, 3}, TRect{0, 0, 10, 10});
  EXPECT_TRUE(t.SamePixels(before));
}

namespace {

// Independent model of the nine-cell border: which mask pixel lands on
// each target pixel, and whether it is a corner (parent pixels allowed).
void ModelBorder(GuardedImage& t, const GuardedImage& m, int k, const TParentBackground& p,
                 const GuardedImage* parent, bool fill, const TRect& R) {
  const int W = R.Width(), H = R.Height();
  if (W < 2 || H < 2) return;
  const int cw = m.Width() / 9, ch = m.Height() / 6, half = m.Height() / 2;
  const int dl = W < 2 * cw ? W / 2 : cw, dr = W < 2 * cw ? W - dl : cw;
  const int dt = H < 2 * ch ? H / 2 : ch, db = H < 2 * ch ? H - dt : ch;
  const int x0 = 3 * cw * k;
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x) {
      if (x < 0 || y < 0 || x >= t.Width() || y >= t.Height()) continue;
      const int ox = x - R.Left, oy = y - R.Top;
      const int col = ox < dl ? 0 : (x >= R.Right - dr ? 2 : 1);
      const int row = oy < dt ? 0 : (y >= R.Bottom - db ? 2 : 1);
      int sx = col == 0 ? x0 + ox : col == 2 ? x0 + 3 * cw - (R.Right - x) : x0 + cw + (ox - dl) % cw;
      int sy = row == 0 ? oy : row == 2 ? 3 * ch - (R.Bottom - y) : ch + (oy - dt) % ch;
      if (col == 1 && row == 1 && !fill) continue;
      if (sx < 0 || sy < 0 || sx >= m.Width() || sy >= half) continue;
      const bool corner = col != 1 && row != 1;
      const uint8_t* s = m.At(sx, sy);
      uint8_t* tp = t.At(x, y);
      if (corner && p.valid && s[0] == 255 && s[1] == 0 && s[2] == 255) {
        const int px = p.x + x, py = p.y + y;
        if (px >= 0 && py >= 0 && px < parent->Width() && py < parent->Height()) {
          std::memcpy(tp, parent->At(px, py), 3);
          continue;
        }
      }
      for (int i = 0; i < 3; ++i) tp[i] = Masked(tp[i], s[i], m.At(sx, sy + half)[i]);
    }
}

}  // namespace

TEST(DrawBorderCells, NineCellsAtManySizesAndPositions) {
  std::mt19937 rng(4);
  GuardedImage mask = MakeMask(10, 10, rng);
  GuardedImage parent(60, 60);
  parent.Randomize(rng);
  std::vector<TRect> rects;
  for (auto [w, h] : std::vector<std::pair<int, int>>{
           {1, 1}, {2, 2}, {19, 19}, {22, 150}, {84, 22}, {300, 300}, {3, 40}, {25, 5}})
    for (auto [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {-7, -3}, {5, 11}, {60, 40}})
      rects.push_back(Bounds(x, y, w, h));
  std::uniform_int_distribution<int> pos(-30, 90), len(0, 120);
  for (int i = 0; i < 150; ++i) rects.push_back(Bounds(pos(rng), pos(rng), len(rng), len(rng)));
  for (const TRect& r : rects)
    for (int state = 0; state < 3; ++state)
      for (bool fill : {false, true}) {
        TParentBackground p;
        p.bitmap = parent.View();
        p.x = 40;  // parent records near its edge: some corner pixels have none
        p.y = -5;
        p.valid = state != 1;
        GuardedImage t(100, 80), expect(100, 80);
        t.Randomize(rng);
        expect = t;
        DrawBorderCells(t.View(), mask.View(), state, p, fill, r);
        ModelBorder(expect, mask, state, p, &parent, fill, r);
        ASSERT_TRUE(t.GuardsIntact());
        ASSERT_TRUE(t.SamePixels(expect)) << "rect " << r.Left << "," << r.Top << " "
                                           << r.Width() << "x" << r.Height() << " state " << state
                                           << " fill " << fill;
      }
}

TEST(DrawCell, TakesTheStatesCell) {
  GuardedImage m(18, 12), t(5, 5);
  m.Fill(TRgb{0, 0, 0});  // black weights everywhere: the picture shows
  m.Set(6 + 2, 2, 1, 2, 3);  // state 1's column group starts at 3 cells x 2 pixels
  t.Fill(TRgb{9, 9, 9});
  DrawCell(t.View(), m.View(), 1, TRect{1, 1, 5, 5}, TPoint{2, 2});
  EXPECT_EQ(t.At(1, 1)[2], 3);
  EXPECT_EQ(t.At(3, 3)[0], 9) << "the cell is 2 x 2";
}

TEST(CopyExceptColor, SkipsTheColourAndClips) {
  GuardedImage s(3, 3), t(4, 4);
  s.Fill(TRgb{1, 1, 1});
  s.Set(1, 1, 255, 0, 255);
  t.Fill(TRgb{7, 7, 7});
  CopyExceptColor(t.View(), s.View(), 2, -1, 0xFF00FF);
  EXPECT_TRUE(t.GuardsIntact());
  EXPECT_EQ(t.At(2, 0)[0], 1);
  EXPECT_EQ(t.At(3, 0)[0], 7) << "magenta left out";
  EXPECT_EQ(t.At(3, 1)[0], 1);
  EXPECT_EQ(t.At(1, 0)[0], 7);
}

TEST(Factors, ResultsAreHeldTo0To255) {
  EXPECT_EQ(MixColors(0x000000, 0xFFFFFF, 0.5), 0x808080u);
  EXPECT_EQ(MixColors(0x102030, 0xFFFFFF, 2.0), 0xFFFFFFu) << "not wrapped";
  EXPECT_EQ(MixColors(0x102030, 0xFFFFFF, -1.0), 0u);
  EXPECT_EQ(MixColors(0x0000FF, 0x000000, 0.0), 0x0000FFu);

  GuardedImage img(2, 1);
  img.Set(0, 0, 250, 10, 128);
  img.Set(1, 0, 1, 2, 3);
  TintBitmap(img.View(), TRgb{0, 0, 0}, 0x010203, 3.0);  // red 3, green 2, blue 1 stays
  EXPECT_EQ(img.At(0, 0)[0], 255);
  EXPECT_EQ(img.At(0, 0)[1], 30);
  EXPECT_EQ(img.At(0, 0)[2], 255);
  EXPECT_EQ(img.At(1, 0)[0], 1) << "the transparent colour stays";
  TintBitmap(img.View(), TRgb{255, 255, 255}, kNoTransparentColor, 0.5);
  EXPECT_EQ(img.At(1, 0)[0], 128);

  GuardedImage g(3, 2), t(5, 5);
  g.Fill(TRgb{100, 100, 100});
  t.Fill(TRgb{50, 0, 200});
  t.Set(1, 1, 9, 9, 9);
  BlendGraphic(g.View(), 0, 0, 0x090909, -1.5, TRect{1, 1, 9, 9}, t.View());
  EXPECT_EQ(g.At(0, 0)[0], 100) << "target pixel of the transparent colour";
  EXPECT_EQ(g.At(1, 0)[0], 255) << "200 + 1.5 * (200 - 100) held at 255, not wrapped";
  EXPECT_EQ(g.At(1, 0)[1], 0) << "0 + 1.5 * (0 - 100) held at 0";
  EXPECT_EQ(g.At(2, 1)[2], 0);
  EXPECT_TRUE(g.GuardsIntact());
}

TEST(BlendGraphic, WritesOnlyTheGraphicAtItsOffset) {
  GuardedImage g(4, 4), t(6, 6);
  g.Fill(TRgb{0, 0, 0});
  t.Fill(TRgb{100, 100, 100});
  const GuardedImage target_before = t;
  // Target rectangle (4, 4)-(8, 8) lands on the graphic from (2, 2): only
  // the 2 x 2 overlap of both pictures is blended.
  BlendGraphic(g.View(), 2, 2, kNoTransparentColor, 0.5, TRect{4, 4, 8, 8}, t.View());
  EXPECT_TRUE(t.SamePixels(target_before));
  EXPECT_EQ(g.At(2, 2)[0], 50);
  EXPECT_EQ(g.At(3, 3)[1], 50);
  EXPECT_EQ(g.At(1, 1)[0], 0);
  EXPECT_TRUE(g.GuardsIntact());
}

TEST(BlendOffset, ClipsRowsAndColumnsOfBothPictures) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> pos(-20, 40), len(-3, 40);
  for (int i = 0; i < 300; ++i) {
    GuardedImage t(23, 17), s(19, 21);
    t.Randomize(rng);
    s.Randomize(rng);
    GuardedImage expect = t;
    const uint32_t weight = rng() & 0xFFFFFF;
    const int k = (weight & 0xFF) + ((weight >> 8) & 0xFF) + (weight >> 16);
    const TPoint q{pos(rng), pos(rng)};
    const int l = pos(rng), tp = pos(rng);
    const TRect r{l, tp, l + len(rng), tp + len(rng)};
    BlendOffset(t.View(), s.View(), weight, q, r);
    for (int y = 0; y < r.Height(); ++y)
      for (int x = 0; x < r.Width(); ++x) {
        const int tx = q.X + x, ty = q.Y + y, sx = r.Left + x, sy = r.Top + y;
        if (tx < 0 || ty < 0 || tx >= 23 || ty >= 17 || sx < 0 || sy < 0 || sx >= 19 || sy >= 21)
          continue;
        for (int c = 0; c < 3; ++c) {
          const int tv = expect.At(tx, ty)[c], sv = s.At(sx, sy)[c];
          expect.At(tx, ty)[c] = static_cast<uint8_t>(RoundHalfUp(sv + (tv - sv) * k / 768.0));
        }
      }
    ASSERT_TRUE(t.GuardsIntact());
    ASSERT_TRUE(t.SamePixels(expect)) << i;
  }
}

TEST(Gray, AverageAndExcept) {
  GuardedImage img(2, 1);
  img.Set(0, 0, 10, 20, 31);
  img.Set(1, 0, 255, 0, 255);
  GuardedImage copy = img;
  MakeGrayExcept(img.View(), TRgb{255, 0, 255});
  EXPECT_EQ(img.At(0, 0)[0], 20);
  EXPECT_EQ(img.At(0, 0)[2], 20);
  EXPECT_EQ(img.At(1, 0)[1], 0);
  MakeGray(copy.View());
  EXPECT_EQ(copy.At(1, 0)[1], 170);
}

TEST(Helpers, IntegersAndRectangles) {
  EXPECT_EQ(SumTransparency(50, 50), 75);
  EXPECT_EQ(SumTransparency(0, 100), 100);
  EXPECT_EQ(SumTransparency(100, 0), 100);
  EXPECT_TRUE(Between(5, 5, 6));
  EXPECT_FALSE(Between(7, 5, 6));
  EXPECT_EQ(IfThen(true, 1, 2), 1);
  EXPECT_EQ(IfThen<const char*>(false, "a", "b")[0], 'b');
  TRect r{1, 2, 11, 7};
  EXPECT_EQ(WidthOf(r), 10);
  EXPECT_EQ(HeightOf(r), 5);
  int v = 5;
  SwapLeft(r, v);
  EXPECT_EQ(r.Left, 5);
  EXPECT_EQ(v, 1);
}

TEST(Shadow, RingsBlurAndTransparencyAreHeld) {
  GuardedImage mask(10, 6);
  // Blur far above half the smaller side: 3 rings and the core (6 div 2).
  PaintShadowMask(mask.View(), TShadowShape::RoundRect, 0, 1000, 60);
  EXPECT_EQ(mask.At(5, 3)[0], 153) << "the core: 60 % of 255";
  EXPECT_EQ(mask.At(2, 3)[1], 179);
  EXPECT_EQ(mask.At(1, 3)[1], 204);
  EXPECT_EQ(mask.At(0, 3)[2], 230) << "the outer ring lightest";
  EXPECT_TRUE(mask.GuardsIntact());
  // A blur of -1 is none (no division by zero): one shape of the core grey.
  PaintShadowMask(mask.View(), TShadowShape::RoundRect, 0, -1, 60);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(mask.At(x, y)[0], 153) << x << "," << y;
  // Transparency past 100 is 100: nothing of the colour.
  PaintShadowMask(mask.View(), TShadowShape::Ellipse, 4, 2, 250);
  EXPECT_EQ(mask.At(5, 3)[0], 255);
  // An ellipse leaves its corners white.
  PaintShadowMask(mask.View(), TShadowShape::Ellipse, 0, 0, 0);
  EXPECT_EQ(mask.At(0, 0)[0], 255);
  EXPECT_EQ(mask.At(5, 3)[0], 0);
}

TEST(Shadow, RoundMaskBlendIsClippedToTheBitmap) {
  GuardedImage img(8, 6);
  img.Fill(TRgb{200, 200, 200});
  RoundMaskBlend(img.View(), TRect{-3, -3, 20, 20}, 50, 0, 0, TRgb{0, 0, 0});
  EXPECT_TRUE(img.GuardsIntact());
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(img.At(x, y)[1], (200 * 127) >> 8) << x << "," << y;
}

TEST(Bevel, NeverWritesOutsideTheBitmap) {
  std::mt19937 rng(6);
  std::uniform_int_distribution<int> pos(-15, 40), len(-2, 50), width(0, 12);
  for (int i = 0; i < 400; ++i) {
    GuardedImage img(31, 23);
    img.Randomize(rng);
    const int l = pos(rng), t = pos(rng);
    const TRect r{l, t, l + len(rng), t + len(rng)};
    const auto kind = static_cast<TsControlBevel>(rng() % 5);
    PaintControlBevel(img.View(), r, width(rng), rng() & 1, kind);
    DrawBevelLinesPixels(img.View(), 0xFFFFFF, 0, rng() & 1, rng() % 4, width(rng), r);
    ASSERT_TRUE(img.GuardsIntact()) << i;
  }
}
