// Test pictures for the portable painters: a 24-bit image inside a frame of
// guard bytes (rows above and below, bytes right of every row) that must come
// through any painting untouched, and a reader for the 24-bit .bmp files of
// the library's pictures.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "skins/Pixels.h"

namespace skins_test {

class GuardedImage {
 public:
  static constexpr uint8_t kGuard = 0xA5;
  static constexpr int kGuardRows = 2, kGuardBytes = 7;

  GuardedImage(int w, int h) : w_(w), h_(h), stride_(w * 3 + kGuardBytes) {
    buf_.assign(static_cast<size_t>(stride_) * (h + 2 * kGuardRows), kGuard);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w * 3; ++x) Row(y)[x] = static_cast<uint8_t>((x * 7 + y * 13) & 0xFF);
  }
  // Fills the inside with random bytes.
  void Randomize(std::mt19937& rng) {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_ * 3; ++x) Row(y)[x] = static_cast<uint8_t>(rng());
  }
  void Fill(skins::TRgb c) {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        Row(y)[x * 3] = c.b;
        Row(y)[x * 3 + 1] = c.g;
        Row(y)[x * 3 + 2] = c.r;
      }
  }
  skins::TPixels View() {
    skins::TPixels p;
    p.width = w_;
    p.height = h_;
    p.stride = stride_;
    p.bits = buf_.data() + static_cast<size_t>(stride_) * kGuardRows;
    return p;
  }
  uint8_t* Row(int y) { return buf_.data() + static_cast<size_t>(stride_) * (kGuardRows + y); }
  uint8_t* At(int x, int y) { return Row(y) + x * 3; }
  const uint8_t* At(int x, int y) const {
    return buf_.data() + static_cast<size_t>(stride_) * (kGuardRows + y) + x * 3;
  }
  void Set(int x, int y, uint8_t b, uint8_t g, uint8_t r) {
    uint8_t* p = At(x, y);
    p[0] = b;
    p[1] = g;
    p[2] = r;
  }
  // The same pixels as `o` (a picture of the same size).
  bool SamePixels(const GuardedImage& o) const {
    for (int y = 0; y < h_; ++y)
      if (!std::equal(At(0, y), At(0, y) + w_ * 3, o.At(0, y))) return false;
    return true;
  }
  // Every guard byte still holds its value.
  bool GuardsIntact() const {
    for (int y = 0; y < h_ + 2 * kGuardRows; ++y)
      for (int x = 0; x < stride_; ++x) {
        const bool inside = y >= kGuardRows && y < kGuardRows + h_ && x < w_ * 3;
        if (!inside && buf_[static_cast<size_t>(y) * stride_ + x] != kGuard) return false;
      }
    return true;
  }
  std::vector<uint8_t> Pixels() {
    std::vector<uint8_t> out;
    for (int y = 0; y < h_; ++y) out.insert(out.end(), Row(y), Row(y) + w_ * 3);
    return out;
  }
  int Width() const { return w_; }
  int Height() const { return h_; }

 private:
  int w_, h_, stride_;
  std::vector<uint8_t> buf_;
};

// A 24-bit bottom-up .bmp read into a guarded image; width 0 when unreadable.
struct BmpFile {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // top-down, blue-green-red, tightly packed

  skins::TRgb Pixel(int x, int y) const {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return skins::TRgb{p[2], p[1], p[0]};
  }
  // Into a guarded image (the view's pixels are a copy).
  void CopyTo(GuardedImage& image) const {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width * 3; ++x) image.Row(y)[x] = rgb[static_cast<size_t>(y) * width * 3 + x];
  }
};

inline BmpFile ReadBmp(const std::string& path) {
  BmpFile bmp;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bmp;
  std::vector<uint8_t> d;
  uint8_t chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) d.insert(d.end(), chunk, chunk + n);
  std::fclose(f);
  auto u32 = [&](size_t o) { return d[o] | d[o + 1] << 8 | d[o + 2] << 16 | uint32_t(d[o + 3]) << 24; };
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M' || (d[28] | d[29] << 8) != 24) return bmp;
  const uint32_t off = u32(10);
  const int w = static_cast<int>(u32(18)), h = static_cast<int>(u32(22));
  const size_t row = (static_cast<size_t>(w) * 3 + 3) & ~size_t(3);
  if (w <= 0 || h <= 0 || off + row * h > d.size()) return bmp;
  bmp.width = w;
  bmp.height = h;
  bmp.rgb.resize(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    std::copy(&d[off + (h - 1 - y) * row], &d[off + (h - 1 - y) * row] + w * 3,
              &bmp.rgb[static_cast<size_t>(y) * w * 3]);
  return bmp;
}

}  // namespace skins_test
