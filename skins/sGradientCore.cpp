// Parsing and painting of gradient bands. Channels are computed in floating
// point per row (vertical) or per column (horizontal) and rounded to the
// nearest integer; a row is filled by doubling copies of its first pixel (or
// copied from the row above when it has the same colour), and a horizontal
// gradient computes one row and copies it down.
#include "skins/sGradientCore.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "classlib/SysUtils.h"
#include "skins/sUtils.h"

namespace skins {

TsGradArray ParseGradient(const std::string& text) {
  TsGradArray bands;
  if (text.empty()) return bands;
  const TCharSet delims = ";";
  const int count = WordCount(text, delims) / 5;
  bands.reserve(count);
  // Words are taken in order in one pass rather than by index (which would
  // rescan the text for each).
  std::vector<std::string> words;
  words.reserve(count * 5);
  size_t i = 0;
  while (static_cast<int>(words.size()) < count * 5) {
    while (i < text.size() && text[i] == ';') ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != ';') ++i;
    words.push_back(text.substr(start, i - start));
  }
  for (int b = 0; b < count; ++b) {
    TsGradBand band;
    band.color1 = StrToInt(words[b * 5]);
    band.color2 = StrToInt(words[b * 5 + 1]);
    band.percent = static_cast<uint8_t>(StrToInt(words[b * 5 + 2]) & 0xFF);
    band.direction = StrToInt(words[b * 5 + 3]);
    bands.push_back(band);
  }
  return bands;
}

void SetGradientData(const std::string& text, TsGradientData& data, TsGradArray& bands) {
  TsGradArray parsed = ParseGradient(text);
  data = text;
  bands = std::move(parsed);
}

namespace {

struct Channels {
  double b, g, r;
};

Channels Split(TColor c, TColorResolver resolve) {
  const uint32_t rgb = resolve ? resolve(c) : static_cast<uint32_t>(c) & 0xFFFFFFu;
  return Channels{double((rgb >> 16) & 0xFF), double((rgb >> 8) & 0xFF), double(rgb & 0xFF)};
}

uint8_t Round(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

// `pixels` pixels from p on all take the colour: a 16-pixel pattern is
// stored in fixed-size chunks (which the compiler turns into vector stores).
void FillRun(uint8_t* p, int pixels, uint8_t b, uint8_t g, uint8_t r) {
  if (pixels <= 0) return;
  constexpr size_t kChunk = 48;
  uint8_t pattern[kChunk];
  for (size_t i = 0; i < kChunk; i += 3) {
    pattern[i] = b;
    pattern[i + 1] = g;
    pattern[i + 2] = r;
  }
  const size_t total = static_cast<size_t>(pixels) * 3;
  size_t done = 0;
  for (; done + kChunk <= total; done += kChunk) std::memcpy(p + done, pattern, kChunk);
  std::memcpy(p + done, pattern, total - done);
}

struct Band {
  Channels from, step;
};

Band Prepare(const TsGradBand& band, int n, TColorResolver resolve) {
  const Channels a = Split(band.color1, resolve), z = Split(band.color2, resolve);
  return Band{a, Channels{(z.b - a.b) / n, (z.g - a.g) / n, (z.r - a.r) / n}};
}

void Vertical(const TPixels& bmp, const TRect& r, const TsGradArray& bands,
              TColorResolver resolve) {
  const int height = r.Height(), last_row = bmp.height - 1;
  const int columns = std::min(r.Right, bmp.width) - r.Left;
  if (columns <= 0) return;
  // Neighbouring rows of a gentle gradient mostly round to one colour: such
  // a row is a copy of the row painted last.
  const uint8_t* last = nullptr;
  uint8_t last_colour[3] = {};
  auto paint = [&](int row, uint8_t b, uint8_t g, uint8_t rd) {
    uint8_t* p = bmp.At(r.Left, row);
    if (last && last_colour[0] == b && last_colour[1] == g && last_colour[2] == rd)
      std::memcpy(p, last, static_cast<size_t>(columns) * 3);
    else
      FillRun(p, columns, b, g, rd);
    last = p;
    last_colour[0] = b;
    last_colour[1] = g;
    last_colour[2] = rd;
  };
  int y = r.Top;
  for (size_t i = 0; i < bands.size(); ++i) {
    const bool is_last = i + 1 == bands.size();
    const int y0 = y;
    y = is_last ? last_row
                : static_cast<int>(y0 + static_cast<long long>(bands[i].percent) * height / 100);
    if (y - y0 <= 0) continue;
    if (is_last || y > last_row) y = std::min(r.Bottom - 1, last_row);
    const int n = y - y0;
    if (n <= 0) return;
    const Band band = Prepare(bands[i], n, resolve);
    for (int k = 0; k <= n; ++k)
      paint(y0 + k, Round(band.from.b + k * band.step.b), Round(band.from.g + k * band.step.g),
            Round(band.from.r + k * band.step.r));
  }
}

void Horizontal(const TPixels& bmp, const TRect& r, const TsGradArray& bands,
                TColorResolver resolve) {
  const int width = r.Width(), last_column = bmp.width - 1;
  // One row of colours from r.Left to the furthest column painted.
  std::vector<uint8_t> row(static_cast<size_t>(bmp.width - r.Left) * 3);
  int x = r.Left, end = r.Left - 1;
  for (size_t i = 0; i < bands.size(); ++i) {
    const int x0 = x;
    x = i + 1 == bands.size()
            ? last_column
            : static_cast<int>(x0 + static_cast<long long>(bands[i].percent) * width / 100);
    const int n = x - x0;
    if (n <= 0) continue;
    const Band band = Prepare(bands[i], n, resolve);
    for (int k = 0; k <= n && x0 + k <= last_column; ++k) {
      uint8_t* p = row.data() + static_cast<size_t>(x0 + k - r.Left) * 3;
      p[0] = Round(band.from.b + k * band.step.b);
      p[1] = Round(band.from.g + k * band.step.g);
      p[2] = Round(band.from.r + k * band.step.r);
    }
    if (x0 <= last_column) end = std::max(end, std::min(x, last_column));
  }
  if (end < r.Left) return;
  const size_t bytes = static_cast<size_t>(end - r.Left + 1) * 3;
  for (int yy = r.Top; yy < r.Bottom; ++yy) std::memcpy(bmp.At(r.Left, yy), row.data(), bytes);
}

}  // namespace

void PaintGradient(const TPixels& bitmap, const TRect& rect, const TsGradArray& bands,
                   TColorResolver resolve) {
  if (bitmap.Empty() || bands.empty()) return;
  TRect r = rect;
  r.Right = std::min(r.Right, bitmap.width);
  r.Bottom = std::min(r.Bottom, bitmap.height);
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  if (r.IsEmpty()) return;
  switch (bands[0].direction) {
    case 0: Vertical(bitmap, r, bands, resolve); break;
    case 1: Horizontal(bitmap, r, bands, resolve); break;
    default: break;
  }
}

}  // namespace skins
