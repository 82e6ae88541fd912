// The masked-border painter against an independent rule: which mask pixel
// each image pixel shows (corners at the image's corners, edge cells repeated
// from the first cell, the bottom-right cells aligned to the far edges), the
// blend through the weights, and the transparent pixels cut from the region.
// Images carry guard bytes; sizes from 1 x 1 to 300 x 300, the library's own
// border pictures and random masks.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <tuple>

#include "skins/sBordersCore.h"
#include "skins/tests/GuardedImage.h"

using skins_test::BmpFile;
using skins_test::GuardedImage;
using skins_test::ReadBmp;

namespace {

const skins::TRgb kMagenta{255, 0, 255};

// A random mask of size w x h whose colour half has some magenta pixels.
GuardedImage RandomMask(int w, int h, std::mt19937& rng) {
  GuardedImage m(w, h);
  m.Randomize(rng);
  for (int y = 0; y < h / 2; ++y)
    for (int x = 0; x < w; ++x)
      if (rng() % 5 == 0) {
        m.At(x, y)[0] = 255;
        m.At(x, y)[1] = 0;
        m.At(x, y)[2] = 255;
      }
  return m;
}

struct Expected {
  std::vector<uint8_t> pixels;
  std::set<std::pair<int, int>> cut;
};

uint8_t Blend(uint8_t d, uint8_t c, uint8_t a) { return static_cast<uint8_t>((d * a + c * (256 - a)) >> 8); }

// Where image pixel (x, y) reads the mask, per axis: the near corner, the far
// corner (aligned to the far edge), or the edge cell repeated from one cell
// in. -1 in the middle of both axes (the centre).
int MaskCoord(int p, int size, int cell, int near, int far, int far_end, bool* middle) {
  *middle = false;
  if (p < near) return p;
  if (p >= size - far) return far_end - (size - p);
  *middle = true;
  return cell + (p - cell) % cell;
}

Expected Reference(GuardedImage& image, GuardedImage& mask, int state, bool fill) {
  const int W = image.Width(), H = image.Height();
  Expected e{image.Pixels(), {}};
  const int cw = mask.Width() / 9, ch = mask.Height() / 6, half = mask.Height() / 2;
  if (W <= 2 || H <= 2 || cw == 0 || ch == 0) return e;
  int dl = cw, dr = cw, dt = ch, db = ch;
  if (W < 2 * cw) dl = W / 2, dr = W - dl;
  if (H < 2 * ch) dt = H / 2, db = H - dt;
  const int x0 = state * 3 * cw;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      bool mid_x, mid_y;
      const int mx = x0 + MaskCoord(x, W, cw, dl, dr, 3 * cw, &mid_x);
      const int my = MaskCoord(y, H, ch, dt, db, half, &mid_y);
      const bool centre = mid_x && mid_y;
      if (centre && !fill) continue;
      uint8_t* d = &e.pixels[(static_cast<size_t>(y) * W + x) * 3];
      const uint8_t* c = mask.At(mx, my);
      const uint8_t* a = mask.At(mx, my + half);
      const bool transparent = c[0] == 255 && c[1] == 0 && c[2] == 255;
      if (transparent && !centre) {
        e.cut.insert({x, y});
        continue;
      }
      for (int k = 0; k < 3; ++k) d[k] = Blend(d[k], c[k], a[k]);
    }
  return e;
}

std::set<std::pair<int, int>> CutPixels(const std::vector<TRect>& cut) {
  std::set<std::pair<int, int>> s;
  for (const TRect& r : cut) {
    EXPECT_EQ(r.Bottom, r.Top + 1) << "cut rectangles are single rows";
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) s.insert({x, y});
  }
  return s;
}

void CheckBorder(GuardedImage& image, GuardedImage& mask, int state, bool fill) {
  SCOPED_TRACE(testing::Message() << image.Width() << "x" << image.Height() << " mask "
                                  << mask.Width() << "x" << mask.Height() << " state " << state
                                  << (fill ? " filled" : ""));
  const Expected e = Reference(image, mask, state, fill);
  std::vector<TRect> cut;
  skins::PaintMaskedBorder(image.View(), mask.View(), state, fill, kMagenta, &cut);
  EXPECT_TRUE(image.GuardsIntact());
  EXPECT_TRUE(mask.GuardsIntact());
  EXPECT_EQ(CutPixels(cut), e.cut);
  const std::vector<uint8_t> got = image.Pixels();
  ASSERT_EQ(got.size(), e.pixels.size());
  for (size_t i = 0; i < got.size(); ++i)
    if (got[i] != e.pixels[i]) {
      ADD_FAILURE() << "pixel " << (i / 3) % image.Width() << "," << (i / 3) / image.Width();
      return;
    }
}

const std::pair<int, int> kSizes[] = {{1, 1},   {2, 2},   {3, 3},    {19, 19}, {22, 150},
                                      {84, 22}, {21, 21}, {300, 300}, {5, 40}, {40, 5}};

std::string ResPath(const char* name) { return std::string(KORVALIS_SKINS_RES) + "/" + name; }

}  // namespace

TEST(MaskedBorder, RandomMasksAtEverySizeStateAndFill) {
  std::mt19937 rng(26);
  for (auto [mw, mh] : {std::pair{90, 60}, {54, 36}, {450, 96}, {95, 64}}) {
    GuardedImage mask = RandomMask(mw, mh, rng);
    for (auto [w, h] : kSizes)
      for (int state = 0; state < 3; ++state)
        for (bool fill : {false, true}) {
          GuardedImage image(w, h);
          image.Randomize(rng);
          CheckBorder(image, mask, state, fill);
        }
  }
}

TEST(MaskedBorder, NarrowControlsSplitTheCornersTheFarOneTakingTheOddPixel) {
  std::mt19937 rng(7);
  GuardedImage mask = RandomMask(90, 60, rng);
  for (int w = 3; w < 22; ++w) {
    GuardedImage image(w, 7);
    CheckBorder(image, mask, 1, true);
  }
}

TEST(MaskedBorder, NothingForEmptyMasksTinyImagesAndMasksWithoutCells) {
  std::mt19937 rng(3);
  for (auto [mw, mh] : {std::pair{0, 60}, {8, 60}, {90, 5}}) {
    GuardedImage mask = RandomMask(std::max(mw, 1), std::max(mh, 1), rng);
    skins::TPixels view = mask.View();
    view.width = mw;
    view.height = mh;
    GuardedImage image(40, 40);
    const std::vector<uint8_t> before = image.Pixels();
    std::vector<TRect> cut;
    skins::PaintMaskedBorder(image.View(), view, 0, true, kMagenta, &cut);
    EXPECT_EQ(image.Pixels(), before);
    EXPECT_TRUE(cut.empty());
  }
  GuardedImage mask = RandomMask(90, 60, rng);
  for (auto [w, h] : {std::pair{2, 50}, {50, 2}, {1, 1}, {0, 0}}) {
    GuardedImage image(std::max(w, 1), std::max(h, 1));
    skins::TPixels view = image.View();
    view.width = w;
    view.height = h;
    const std::vector<uint8_t> before = image.Pixels();
    std::vector<TRect> cut;
    skins::PaintMaskedBorder(view, mask.View(), 0, true, kMagenta, &cut);
    EXPECT_EQ(image.Pixels(), before);
    EXPECT_TRUE(cut.empty());
  }
}

TEST(MaskedBorder, StatesOutsideTheThreeDrawThePressedOrNormalBlock) {
  std::mt19937 rng(5);
  GuardedImage mask = RandomMask(90, 60, rng);
  GuardedImage a(30, 30), b(30, 30);
  std::vector<TRect> cut_a, cut_b;
  skins::PaintMaskedBorder(a.View(), mask.View(), 7, false, kMagenta, &cut_a);
  skins::PaintMaskedBorder(b.View(), mask.View(), 2, false, kMagenta, &cut_b);
  EXPECT_EQ(a.Pixels(), b.Pixels());
  EXPECT_EQ(CutPixels(cut_a), CutPixels(cut_b));
  EXPECT_TRUE(a.GuardsIntact());
}

TEST(MaskedBorder, Bord1CutsExactlyTheMagentaPixelsOfItsCorners) {
  const BmpFile bmp = ReadBmp(ResPath("bord1.bmp"));
  ASSERT_EQ(bmp.width, 90);
  GuardedImage mask(bmp.width, bmp.height);
  bmp.CopyTo(mask);
  const int cw = 10, ch = 10;
  for (auto [w, h] : {std::pair{22, 150}, {84, 22}, {300, 300}})
    for (int state = 0; state < 3; ++state) {
      SCOPED_TRACE(testing::Message() << w << "x" << h << " state " << state);
      // The magenta pixels of the four corner cells, moved to the image's
      // corners.
      std::set<std::pair<int, int>> corners;
      const int x0 = state * 3 * cw;
      int per_corner[4] = {};
      for (int j = 0; j < ch; ++j)
        for (int i = 0; i < cw; ++i) {
          auto magenta = [&](int mx, int my) { return bmp.Pixel(mx, my) == kMagenta; };
          if (magenta(x0 + i, j)) corners.insert({i, j}), ++per_corner[0];
          if (magenta(x0 + 2 * cw + i, j)) corners.insert({w - cw + i, j}), ++per_corner[1];
          if (magenta(x0 + i, 2 * ch + j)) corners.insert({i, h - ch + j}), ++per_corner[2];
          if (magenta(x0 + 2 * cw + i, 2 * ch + j))
            corners.insert({w - cw + i, h - ch + j}), ++per_corner[3];
        }
      for (int n : per_corner) EXPECT_GT(n, 0) << "every corner is rounded";
      GuardedImage image(w, h);
      std::vector<TRect> cut;
      skins::PaintMaskedBorder(image.View(), mask.View(), state, true, kMagenta, &cut);
      EXPECT_EQ(CutPixels(cut), corners);
      EXPECT_TRUE(image.GuardsIntact());
    }
}

TEST(MaskPiece, RandomRectanglesAndPositionsAreClippedToBothPictures) {
  std::mt19937 rng(11);
  for (int round = 0; round < 400; ++round) {
    const int mw = 1 + rng() % 40, mh = 2 + rng() % 40, W = 1 + rng() % 50, H = 1 + rng() % 50;
    GuardedImage mask = RandomMask(mw, mh, rng), image(W, H);
    image.Randomize(rng);
    const int x = static_cast<int>(rng() % 80) - 30, y = static_cast<int>(rng() % 80) - 30;
    const int mx = static_cast<int>(rng() % 60) - 20, my = static_cast<int>(rng() % 60) - 20;
    const int w = static_cast<int>(rng() % 60) - 5, h = static_cast<int>(rng() % 60) - 5;
    SCOPED_TRACE(testing::Message() << "round " << round);
    std::vector<uint8_t> want = image.Pixels();
    std::set<std::pair<int, int>> want_cut;
    const int half = mh / 2;
    for (int r = 0; r < h; ++r)
      for (int c = 0; c < w; ++c) {
        const int ix = x + c, iy = y + r, sx = mx + c, sy = my + r;
        if (ix < 0 || iy < 0 || ix >= W || iy >= H || sx < 0 || sy < 0 || sx >= mw || sy >= half)
          continue;
        const uint8_t* s = mask.At(sx, sy);
        const uint8_t* a = mask.At(sx, sy + half);
        if (s[0] == 255 && s[1] == 0 && s[2] == 255) {
          want_cut.insert({ix, iy});
          continue;
        }
        uint8_t* d = &want[(static_cast<size_t>(iy) * W + ix) * 3];
        for (int k = 0; k < 3; ++k) d[k] = Blend(d[k], s[k], a[k]);
      }
    std::vector<TRect> cut;
    skins::PaintMaskPiece(image.View(), x, y, mask.View(), mx, my, w, h, kMagenta, &cut);
    ASSERT_EQ(image.Pixels(), want);
    ASSERT_EQ(CutPixels(cut), want_cut);
    ASSERT_TRUE(image.GuardsIntact());
  }
}

TEST(ThreeFrames, BlendsTheFrameWithItsOwnRoundingAndClips) {
  std::mt19937 rng(13);
  for (int round = 0; round < 300; ++round) {
    const int fw = 1 + rng() % 12, mh = 2 * (1 + rng() % 10);
    GuardedImage mask = RandomMask(fw * 3 + static_cast<int>(rng() % 3), mh, rng);
    const int W = 1 + rng() % 30, H = 1 + rng() % 30;
    GuardedImage image(W, H);
    image.Randomize(rng);
    const int x = static_cast<int>(rng() % 40) - 15, y = static_cast<int>(rng() % 40) - 15;
    const int frame = rng() % 3, half = mh / 2;
    SCOPED_TRACE(testing::Message() << "round " << round);
    std::vector<uint8_t> want = image.Pixels();
    if (W >= fw && H >= half)
      for (int r = 0; r < half; ++r)
        for (int c = 0; c < fw; ++c) {
          const int ix = x + c, iy = y + r;
          if (ix < 0 || iy < 0 || ix >= W || iy >= H) continue;
          const uint8_t* s = mask.At(frame * fw + c, r);
          const uint8_t* a = mask.At(frame * fw + c, r + half);
          if (s[0] == 255 && s[1] == 0 && s[2] == 255) continue;
          uint8_t* d = &want[(static_cast<size_t>(iy) * W + ix) * 3];
          for (int k = 0; k < 3; ++k) d[k] = static_cast<uint8_t>((d[k] * a[k] >> 8) + s[k] - (s[k] * a[k] >> 8));
        }
    skins::PaintThreeFrames(image.View(), mask.View(), x, y, kMagenta, frame);
    ASSERT_EQ(image.Pixels(), want);
    ASSERT_TRUE(image.GuardsIntact());
  }
}

TEST(RectBlend, KeepsThePercentOfEachPixelAndClipsPastTheImage) {
  std::mt19937 rng(17);
  const skins::TRgb color{200, 10, 90};
  for (int p : {0, 37, 50, 100, -20, 150}) {
    GuardedImage image(13, 9);
    image.Randomize(rng);
    const std::vector<uint8_t> before = image.Pixels();
    skins::BlendRectToColor(image.View(), TRect{-5, 2, 40, 20}, p, color);
    const int q = std::clamp(p, 0, 100);
    const std::vector<uint8_t> after = image.Pixels();
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 13; ++x)
        for (int k = 0; k < 3; ++k) {
          const size_t i = (static_cast<size_t>(y) * 13 + x) * 3 + k;
          const int c = k == 0 ? color.b : k == 1 ? color.g : color.r;
          const int want = y < 2 ? before[i] : (before[i] * q + c * (100 - q) + 50) / 100;
          ASSERT_EQ(after[i], want) << p << "% at " << x << "," << y;
        }
    EXPECT_TRUE(image.GuardsIntact());
  }
  GuardedImage image(5, 5);
  const std::vector<uint8_t> before = image.Pixels();
  skins::BlendRectToColor(image.View(), TRect{6, 0, 9, 4}, 50, color);   // right of the image
  skins::BlendRectToColor(image.View(), TRect{3, 3, 2, 4}, 50, color);   // inverted
  EXPECT_EQ(image.Pixels(), before);
}

TEST(PredefinedBorders, TableAndCustomFallback) {
  EXPECT_STREQ(skins::PredefinedBorderResource(skins::TsPredefinedBorders::pdBorder1), "BORD1");
  EXPECT_STREQ(skins::PredefinedBorderResource(skins::TsPredefinedBorders::pdBorder6), "BORD6");
  EXPECT_STREQ(skins::PredefinedBorderResource(skins::TsPredefinedBorders::pdCustom), "BORD1");
  EXPECT_EQ(skins::kPredefinedBorders[4].width, 54);
  EXPECT_EQ(skins::kPredefinedBorders[5].height, 96);
}

namespace {

using Kind = skins::TsDisabledKind;
using skins::TsDisabledKindItem;

// Within one step of (a + b) / 2: how the halves round is the kernel's.
bool Halfway(int got, int a, int b) { return std::abs(2 * got - (a + b)) <= 2; }

}  // namespace

TEST(Disabled, GreyThenHalfWayToTheParentPictureUnderTheControl) {
  std::mt19937 rng(19);
  GuardedImage parent(40, 30);
  parent.Randomize(rng);
  const std::vector<uint8_t> parent_before = parent.Pixels();
  for (Kind kind : {Kind{TsDisabledKindItem::dkGrayed}, Kind{TsDisabledKindItem::dkBlended},
                    Kind{TsDisabledKindItem::dkGrayed, TsDisabledKindItem::dkBlended}, Kind{}})
    // Inside the parent, past its right and bottom edges, before its left and
    // top edges, and wholly outside.
    for (auto [px, py] : {std::pair{5, 4}, {30, 24}, {-6, -3}, {50, 2}}) {
      GuardedImage image(16, 12);
      image.Randomize(rng);
      std::vector<uint8_t> want = image.Pixels();
      const bool grey = kind.Contains(TsDisabledKindItem::dkGrayed);
      const bool blend = kind.Contains(TsDisabledKindItem::dkBlended);
      skins::TParentBackground record;
      record.bitmap = parent.View();
      record.x = 2;  // the parent's picture starts 2, 1 pixels before the parent
      record.y = 1;
      record.valid = true;
      skins::PaintDisabled(image.View(), kind, record, TPoint{px - 2, py - 1}, skins::TRgb{});
      SCOPED_TRACE(testing::Message() << "at " << px << "," << py << " grey " << grey
                                      << " blend " << blend);
      const std::vector<uint8_t> got = image.Pixels();
      for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x) {
          uint8_t* w = &want[(static_cast<size_t>(y) * 16 + x) * 3];
          if (grey) {
            const uint8_t g = static_cast<uint8_t>((w[0] + w[1] + w[2]) / 3);
            w[0] = w[1] = w[2] = g;
          }
          const int ux = px + x, uy = py + y;
          const bool covered = ux >= 0 && uy >= 0 && ux < 40 && uy < 30;
          for (int k = 0; k < 3; ++k) {
            const int g = got[(static_cast<size_t>(y) * 16 + x) * 3 + k];
            if (blend && covered)
              ASSERT_TRUE(Halfway(g, w[k], parent.At(ux, uy)[k])) << x << "," << y;
            else
              ASSERT_EQ(g, w[k]) << x << "," << y;
          }
        }
      EXPECT_TRUE(image.GuardsIntact());
    }
  EXPECT_EQ(parent.Pixels(), parent_before) << "the parent's picture is only read";
  EXPECT_TRUE(parent.GuardsIntact());
}

TEST(Disabled, WithoutAParentPictureHalfWayToTheParentColour) {
  std::mt19937 rng(23);
  GuardedImage image(21, 9);
  image.Randomize(rng);
  const std::vector<uint8_t> before = image.Pixels();
  const skins::TRgb color{10, 200, 120};
  skins::PaintDisabled(image.View(), Kind{TsDisabledKindItem::dkBlended},
                       skins::kNoParentBackground, TPoint{3, 3}, color);
  const std::vector<uint8_t> got = image.Pixels();
  const int c[3] = {color.b, color.g, color.r};
  for (size_t i = 0; i < got.size(); ++i)
    ASSERT_LE(std::abs(2 * got[i] - (before[i] + c[i % 3])), 4) << i;
  EXPECT_TRUE(image.GuardsIntact());
}
