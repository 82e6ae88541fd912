// The spectrum's frames, its picture and the level split (see SpectrumCore.h).
#include "player/SpectrumCore.h"

#include <algorithm>
#include <cmath>
#include <cstring>

void StepSpectrum(float* Fft, bool Clear, int BarMax, int* Caps, int* Bars) {
  if (Clear) std::fill(Fft, Fft + kFftBufferSize, 0.0f);
  for (int i = 0; i < kSpectrumBands; ++i) {
    // Compared in floating point first: a huge magnitude must reach the
    // ceiling instead of overflowing the conversion.
    const float scaled = std::fabs(Fft[kFftFirstBin + i]) * kFftBarScale;
    const int v = std::isnan(scaled)                     ? 0
                  : scaled >= static_cast<float>(BarMax) ? BarMax
                                                         : static_cast<int>(scaled);
    Caps[i] = v < Caps[i] ? Caps[i] - kCapFall : v;
    Bars[i] = v < Bars[i] ? Bars[i] - kBarFall : v - 1;
    if (Caps[i] < 0) Caps[i] = 0;
    if (Bars[i] < 0) Bars[i] = 0;
  }
}

bool SpectrumRaised(const int* Caps, const int* Bars) {
  for (int i = 0; i < kSpectrumBands; ++i)
    if (Caps[i] > 0 || Bars[i] > 0) return true;
  return false;
}

ColumnSpan ChangedColumns(const SpectrumHeights& Before, const int* Caps, const int* Bars,
                          int Width) {
  int first = -1, last = -1;
  for (int i = 0; i < kSpectrumBands; ++i) {
    if (Before.Caps[i] == Caps[i] && Before.Bars[i] == Bars[i]) continue;
    if (first < 0) first = i;
    last = i;
  }
  if (first < 0) return {};
  ColumnSpan span{std::min(SpectrumBandLeft(first), Width),
                  std::min(SpectrumBandLeft(last) + kSpectrumBarWidth, Width)};
  return span.Empty() ? ColumnSpan{} : span;
}

void FillPixels(const PixelRows& P, int Left, int Top, int Right, int Bottom, uint32_t Colour) {
  Left = std::max(Left, 0);
  Top = std::max(Top, 0);
  Right = std::min(Right, P.Width);
  Bottom = std::min(Bottom, P.Height);
  if (Left >= Right || Top >= Bottom) return;
  const uint8_t b = static_cast<uint8_t>(Colour >> 16), g = static_cast<uint8_t>(Colour >> 8),
                r = static_cast<uint8_t>(Colour);
  uint8_t* first = P.Bits + static_cast<size_t>(Top) * P.Stride + static_cast<size_t>(Left) * 3;
  for (int x = 0; x < Right - Left; ++x) {
    first[x * 3] = b;
    first[x * 3 + 1] = g;
    first[x * 3 + 2] = r;
  }
  const size_t bytes = static_cast<size_t>(Right - Left) * 3;
  for (int y = Top + 1; y < Bottom; ++y)
    std::memcpy(first + static_cast<size_t>(y - Top) * P.Stride, first, bytes);
}

void PaintSpectrum(const PixelRows& P, const int* Caps, const int* Bars) {
  const int w = P.Width, h = P.Height;
  FillPixels(P, 0, 0, w, h, kSpectrumFrame);
  FillPixels(P, 1, 1, w - 1, h - 1, 0);
  for (int i = 0; i < kSpectrumBands; ++i) {
    const int x = SpectrumBandLeft(i);
    if (x >= w) break;
    if (Caps[i] > 0)
      FillPixels(P, x, h - Caps[i], x + kSpectrumBarWidth, h - Caps[i] + 1, kSpectrumCap);
    if (Bars[i] > 0) FillPixels(P, x, h - Bars[i], x + kSpectrumBarWidth, h, kSpectrumBar);
  }
}

SpectrumTick DecideSpectrumTick(bool HasStream, bool Playing, bool DataRead, bool Stale) {
  if (!HasStream) return Stale ? SpectrumTick::Clear : SpectrumTick::Idle;
  return Playing && DataRead ? SpectrumTick::Draw : SpectrumTick::Clear;
}

MeterLevels SplitLevel(uint32_t Level) {
  if (Level == 0xFFFFFFFFu) return {};
  return {static_cast<int>((Level & 0xFFFFu) / kLevelDivisor),
          static_cast<int>((Level >> 16) / kLevelDivisor)};
}
