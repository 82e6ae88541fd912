// The live display's arithmetic: bars and caps over frames, the picture on
// 24-bit rows, when the timer draws, and the level words for the meters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "components/LedMeterCore.h"
#include "player/SpectrumCore.h"

namespace {

constexpr int kBarMax = 97; // a 99-pixel picture

struct Display {
  float fft[kFftBufferSize] = {};
  SpectrumHeights h;
  void Frame(bool clear = false) { StepSpectrum(fft, clear, kBarMax, h); }
};

TEST(SpectrumBars, LoudBinIsCutAtTheCeiling) {
  Display d;
  d.fft[5] = 0.5f; // 250 pixels
  d.Frame();
  EXPECT_EQ(d.h.Caps[0], 97);
  EXPECT_EQ(d.h.Bars[0], 96);
  EXPECT_EQ(d.h.Caps[1], 0);
  EXPECT_EQ(d.h.Bars[1], 0);
}

TEST(SpectrumBars, BandsReadTheirOwnBinsAsMagnitudes) {
  Display d;
  d.fft[4] = 1.0f;   // below band 0
  d.fft[6] = -0.02f; // band 1: 10 pixels, sign ignored
  d.fft[84] = 0.1f;  // band 79: 50 pixels
  d.fft[85] = 1.0f;  // past the last band
  d.Frame();
  EXPECT_EQ(d.h.Caps[0], 0);
  EXPECT_EQ(d.h.Caps[1], 10);
  EXPECT_EQ(d.h.Bars[1], 9);
  EXPECT_EQ(d.h.Caps[79], 50);
  EXPECT_EQ(d.h.Bars[79], 49);
}

TEST(SpectrumBars, BarsFallByThreeAndCapsByOneToTheFloor) {
  Display d;
  d.h.Bars[0] = 50;
  d.h.Caps[0] = 51;
  std::vector<int> bars, caps;
  for (int f = 0; f < 60; ++f) {
    d.Frame();
    bars.push_back(d.h.Bars[0]);
    caps.push_back(d.h.Caps[0]);
  }
  EXPECT_EQ(bars[0], 47);
  EXPECT_EQ(bars[1], 44);
  EXPECT_EQ(bars[15], 2);
  EXPECT_EQ(bars[16], 0); // 2 - 3 stops at the floor
  EXPECT_EQ(bars[59], 0);
  EXPECT_EQ(caps[0], 50);
  EXPECT_EQ(caps[1], 49);
  EXPECT_EQ(caps[50], 0);
  EXPECT_EQ(caps[59], 0);
}

TEST(SpectrumBars, ANewPeakLiftsAFallingCap) {
  Display d;
  d.fft[7] = 0.06f; // 30
  d.Frame();
  d.fft[7] = 0.0f;
  d.Frame();
  EXPECT_EQ(d.h.Caps[2], 29);
  EXPECT_EQ(d.h.Bars[2], 26);
  d.fft[7] = 0.08f; // 40
  d.Frame();
  EXPECT_EQ(d.h.Caps[2], 40);
  EXPECT_EQ(d.h.Bars[2], 39);
  d.fft[7] = 0.056f; // 28: under the cap, over the bar's fall
  d.Frame();
  EXPECT_EQ(d.h.Caps[2], 39);
  EXPECT_EQ(d.h.Bars[2], 36);
}

TEST(SpectrumBars, ClearingEmptiesTheWholeBuffer) {
  Display d;
  for (float& v : d.fft) v = 0.3f;
  d.Frame(true);
  for (float v : d.fft) ASSERT_EQ(v, 0.0f);
  EXPECT_EQ(d.h.Caps[0], 0);
}

TEST(SpectrumBars, UnusualMagnitudesStayInRange) {
  Display d;
  d.fft[5] = std::numeric_limits<float>::infinity();
  d.fft[6] = std::numeric_limits<float>::quiet_NaN();
  d.fft[7] = 3e38f;
  d.fft[8] = -std::numeric_limits<float>::infinity();
  d.Frame();
  EXPECT_EQ(d.h.Caps[0], 97);
  EXPECT_EQ(d.h.Caps[1], 0);
  EXPECT_EQ(d.h.Caps[2], 97);
  EXPECT_EQ(d.h.Caps[3], 97);
}

TEST(SpectrumBars, CapStaysAboveItsBarWhateverTheSignal) {
  Display d;
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> level(0.0f, 0.25f);
  std::bernoulli_distribution quiet(0.3);
  for (int f = 0; f < 2000; ++f) {
    for (int i = 0; i < kSpectrumBands; ++i) d.fft[kFftFirstBin + i] = quiet(rng) ? 0 : level(rng);
    d.Frame(f % 97 == 0);
    for (int i = 0; i < kSpectrumBands; ++i) {
      ASSERT_GE(d.h.Bars[i], 0);
      ASSERT_LE(d.h.Caps[i], kBarMax);
      ASSERT_TRUE(d.h.Caps[i] > d.h.Bars[i] || (d.h.Caps[i] == 0 && d.h.Bars[i] == 0))
          << "frame " << f << " band " << i;
    }
  }
  EXPECT_TRUE(SpectrumRaised(d.h.Caps, d.h.Bars));
  for (int f = 0; f < 100; ++f) d.Frame(true);
  EXPECT_FALSE(SpectrumRaised(d.h.Caps, d.h.Bars));
}

// A picture the size of the paint box, its rows padded as a DIB's are.
struct Picture {
  explicit Picture(int w = 484) : W(w) {}
  int W, H = 99;
  int stride = (W * 3 + 3) & ~3;
  std::vector<uint8_t> bits = std::vector<uint8_t>(static_cast<size_t>(stride) * H + 16, 0x55);
  PixelRows Rows() { return {bits.data(), stride, W, H}; }
  uint32_t At(int x, int y) const {
    const uint8_t* p = &bits[static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
    return p[0] << 16 | p[1] << 8 | p[2];
  }
};

TEST(SpectrumPicture, FrameCapsAndBars) {
  Picture pic;
  SpectrumHeights h;
  h.Caps[0] = 97; // the top band: cap on row 2
  h.Bars[0] = 96;
  h.Caps[3] = 10; // a cap alone, falling
  h.Caps[5] = 1;  // cap on the bottom row
  PaintSpectrum(pic.Rows(), h.Caps, h.Bars);
  const int H = pic.H, W = pic.W;
  // The frame: silver border, black inside.
  EXPECT_EQ(pic.At(0, 0), kSpectrumFrame);
  EXPECT_EQ(pic.At(W - 1, H - 1), kSpectrumFrame);
  EXPECT_EQ(pic.At(200, 0), kSpectrumFrame);
  EXPECT_EQ(pic.At(W - 1, 50), kSpectrumFrame);
  EXPECT_EQ(pic.At(200, 50), 0u);
  EXPECT_EQ(pic.At(1, 1), 0u);
  // Band 0: cap on row H - 97, bar on rows H - 96 .. H - 1 over the border.
  EXPECT_EQ(pic.At(0, H - 97), kSpectrumCap);
  EXPECT_EQ(pic.At(5, H - 97), kSpectrumCap);
  EXPECT_EQ(pic.At(6, H - 97), 0u);
  EXPECT_EQ(pic.At(0, H - 96), kSpectrumBar);
  EXPECT_EQ(pic.At(5, H - 1), kSpectrumBar);
  EXPECT_EQ(pic.At(6, H - 50), 0u); // the gap between bands
  // Band 3 at x = 21: only its cap.
  EXPECT_EQ(pic.At(21, H - 10), kSpectrumCap);
  EXPECT_EQ(pic.At(21, H - 9), 0u);
  EXPECT_EQ(pic.At(21, H - 1), kSpectrumFrame);
  EXPECT_EQ(pic.At(35, H - 1), kSpectrumCap);
  EXPECT_EQ(pic.bits.back(), 0x55); // nothing written past the rows
}

TEST(SpectrumPicture, RowPaddingIsNotTouched) {
  Picture pic(13); // 39 bytes a row, 40 with padding
  ASSERT_EQ(pic.stride, 40);
  SpectrumHeights h;
  h.Caps[1] = 50;
  h.Bars[1] = 40;
  PaintSpectrum(pic.Rows(), h.Caps, h.Bars);
  EXPECT_EQ(pic.At(12, 60), kSpectrumBar); // band 1 cut at the frame's column
  for (int y = 0; y < pic.H; ++y) ASSERT_EQ(pic.bits[static_cast<size_t>(y) * 40 + 39], 0x55);
}

TEST(SpectrumPicture, BandsPastTheRightEdgeAreCut) {
  Picture pic;
  SpectrumHeights h;
  for (int i = 0; i < kSpectrumBands; ++i) {
    h.Caps[i] = 60;
    h.Bars[i] = 59;
  }
  PaintSpectrum(pic.Rows(), h.Caps, h.Bars);
  ASSERT_EQ(SpectrumBandLeft(69), 483);
  EXPECT_EQ(pic.At(483, 60), kSpectrumBar); // band 69: one column left
  EXPECT_EQ(pic.At(482, 60), 0u);           // the gap before it
  EXPECT_EQ(pic.bits.back(), 0x55);
}

TEST(SpectrumPicture, OnlyTheChangedColumnsDifferBetweenFrames) {
  // A few bands of a random signal for some frames, then the magnitudes
  // held (the picture settles and stops changing): outside the span the two
  // pictures agree pixel for pixel, and an empty span means equal pictures.
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> loud(0.0f, 0.25f);
  Display d;
  Picture before, after;
  PaintSpectrum(before.Rows(), d.h.Caps, d.h.Bars);
  int empty = 0, partial = 0;
  for (int f = 0; f < 600; ++f) {
    if (f % 120 < 5) {
      std::fill(d.fft, d.fft + kFftBufferSize, 0.0f);
      for (int k = 0; k < 3; ++k) d.fft[kFftFirstBin + rng() % kSpectrumBands] = loud(rng);
    }
    const SpectrumHeights old = d.h;
    d.Frame();
    const ColumnSpan span = ChangedColumns(old, d.h.Caps, d.h.Bars, after.W);
    PaintSpectrum(after.Rows(), d.h.Caps, d.h.Bars);
    for (int x = 0; x < after.W; ++x) {
      if (x >= span.Left && x < span.Right) continue;
      for (int y = 0; y < after.H; ++y)
        ASSERT_EQ(after.At(x, y), before.At(x, y)) << "frame " << f << " at " << x << "," << y;
    }
    empty += span.Empty();
    partial += !span.Empty() && span.Right - span.Left < after.W;
    before.bits = after.bits;
  }
  EXPECT_GT(empty, 10); // the settled frames show nothing new
  EXPECT_GT(partial, 10);
  // A change past the picture's right edge shows nowhere.
  SpectrumHeights old;
  int caps[kSpectrumBands] = {}, bars[kSpectrumBands] = {};
  caps[79] = 5;
  EXPECT_TRUE(ChangedColumns(old, caps, bars, 484).Empty());
  caps[0] = 1;
  const ColumnSpan both = ChangedColumns(old, caps, bars, 484);
  EXPECT_EQ(both.Left, 0);
  EXPECT_EQ(both.Right, 484);
}

TEST(SpectrumTimer, WhatATickDoes) {
  using T = SpectrumTick;
  EXPECT_EQ(DecideSpectrumTick(true, true, true, false), T::Draw);
  EXPECT_EQ(DecideSpectrumTick(true, true, true, true), T::Draw);
  // Buffering, stalled or stopped: the bars sink.
  EXPECT_EQ(DecideSpectrumTick(true, false, true, true), T::Clear);
  EXPECT_EQ(DecideSpectrumTick(true, false, false, false), T::Clear);
  // The stream went away under the read: no stale magnitudes are drawn.
  EXPECT_EQ(DecideSpectrumTick(true, true, false, true), T::Clear);
  // No stream: the bars still reach the floor, then nothing more is done.
  EXPECT_EQ(DecideSpectrumTick(false, false, false, true), T::Clear);
  EXPECT_EQ(DecideSpectrumTick(false, false, false, false), T::Idle);
}

TEST(LevelMeters, LevelWordSplitsIntoTwoMeters) {
  MeterLevels m = SplitLevel(0x0258u << 16 | 0x012Cu); // right 600, left 300
  EXPECT_EQ(m.Left, 1);
  EXPECT_EQ(m.Right, 2);
  m = SplitLevel(299u << 16 | 599u);
  EXPECT_EQ(m.Left, 1);
  EXPECT_EQ(m.Right, 0);
  m = SplitLevel(0);
  EXPECT_EQ(m.Left, 0);
  EXPECT_EQ(m.Right, 0);
  // The library's failure value is silence, not both channels at full scale.
  m = SplitLevel(0xFFFFFFFFu);
  EXPECT_EQ(m.Left, 0);
  EXPECT_EQ(m.Right, 0);
}

TEST(LevelMeters, FullScaleIsClampedByTheMeter) {
  MeterLevels m = SplitLevel(32768u << 16 | 32768u);
  EXPECT_EQ(m.Left, 109);
  components::LedMeterCore meter;
  meter.SetPosition(m.Left);
  EXPECT_EQ(meter.Position(), 100);
  meter.SetPosition(-5);
  EXPECT_EQ(meter.Position(), 0);
}

} // namespace
