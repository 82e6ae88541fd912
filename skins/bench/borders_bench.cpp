// Benchmark: the masked border of "BORD1" (hot state, with and without the
// centre fill, cut rectangles collected) around images of 84 x 22 and
// 22 x 150, against BlendBitmaps of the same area, measured in the same
// run; printed as times per call and as the ratio border / blend.
// Usage: skins_borders_bench [rounds=20000]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "skins/sBordersCore.h"
#include "skins/tests/GuardedImage.h"

namespace {

template <class F>
double PerCall(int rounds, F f) {
  f();  // warm the caches
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / rounds;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 20000;
  const skins_test::BmpFile bmp = skins_test::ReadBmp(std::string(KORVALIS_SKINS_RES) + "/bord1.bmp");
  if (bmp.width == 0) {
    std::fprintf(stderr, "bord1.bmp not found\n");
    return 1;
  }
  skins_test::GuardedImage mask(bmp.width, bmp.height);
  bmp.CopyTo(mask);
  const skins::TRgb magenta{255, 0, 255};
  for (auto [w, h] : {std::pair{84, 22}, std::pair{22, 150}}) {
    skins_test::GuardedImage image(w, h), other(w, h);
    std::vector<TRect> cut;
    cut.reserve(64);
    double border[2];
    for (int fill = 0; fill < 2; ++fill)
      border[fill] = PerCall(rounds, [&] {
        cut.clear();
        skins::PaintMaskedBorder(image.View(), mask.View(), 1, fill != 0, magenta, &cut);
      });
    const double blend = PerCall(rounds, [&] { skins::BlendBitmaps(image.View(), other.View(), 128); });
    std::printf("%3d x %3d: blend %7.2f us; border %7.2f us (x%.2f), filled %7.2f us (x%.2f)\n", w,
                h, blend * 1e6, border[0] * 1e6, border[0] / blend, border[1] * 1e6,
                border[1] / blend);
  }
  return 0;
}
