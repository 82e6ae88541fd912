// Costs of the pixel kernel against plain peers measured in the same run
// (not a test: run it by hand, ideally on a quiet machine):
//   BlendBitmaps of a 379 x 541 picture    vs  memcpy of the same bytes
//   PaintGradient of the track bar's three  vs  filling the same pixels with
//   bands                                      one colour
//   the masked border at 84 x 22, 22 x 150  vs  BlendBitmaps of the same area
// Each figure is the best of several rounds; the ratios are what matter.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "skins/sBordersCore.h"
#include "skins/sGradientCore.h"
#include "skins/sGraphUtilsCore.h"

using namespace skins;

namespace {

struct Picture {
  int w, h;
  std::vector<uint8_t> bytes;
  Picture(int width, int height, std::mt19937& rng) : w(width), h(height), bytes(width * 3 * height) {
    for (auto& b : bytes) b = static_cast<uint8_t>(rng());
  }
  TPixels View() { return TPixels{w, h, w * 3, bytes.data()}; }
};

// Nanoseconds per call of f, best of `rounds` rounds of `calls` calls.
template <class F>
double Best(int rounds, int calls, F f) {
  double best = 1e300;
  for (int r = 0; r < rounds; ++r) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) f();
    const auto t1 = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::nano>(t1 - t0).count() / calls);
  }
  return best;
}

volatile uint8_t sink;

void Report(const char* what, double ns, const char* peer, double peer_ns) {
  std::printf("%-44s %10.0f ns   %-30s %10.0f ns   ratio %5.2f\n", what, ns, peer, peer_ns,
              ns / peer_ns);
}

}  // namespace

int main() {
  std::mt19937 rng(7);
  {
    Picture a(379, 541, rng), b(379, 541, rng);
    std::vector<uint8_t> copy(a.bytes.size());
    const double blend = Best(15, 40, [&] {
      BlendBitmaps(a.View(), b.View(), 128);
      sink = a.bytes[12345];
    });
    const double mem = Best(15, 40, [&] {
      std::memcpy(copy.data(), b.bytes.data(), copy.size());
      sink = copy[12345];
    });
    Report("BlendBitmaps 379x541", blend, "memcpy of the same bytes", mem);
  }
  {
    Picture p(379, 541, rng);
    const TsGradArray bands = ParseGradient(
        "12632256;8421504;67;0;0;8421504;12632256;31;0;0;12632256;12632256;0;0;0");
    const TRect all{0, 0, 379, 541};
    const double grad = Best(15, 40, [&] {
      PaintGradient(p.View(), all, bands);
      sink = p.bytes[999];
    });
    // The peer: one colour into every pixel, a row built once and copied.
    const double fill = Best(15, 40, [&] {
      TPixels v = p.View();
      uint8_t* row0 = v.Row(0);
      for (int x = 0; x < v.width; ++x) {
        row0[x * 3] = 0xC0;
        row0[x * 3 + 1] = 0xC0;
        row0[x * 3 + 2] = 0xC0;
      }
      for (int y = 1; y < v.height; ++y) std::memcpy(v.Row(y), row0, v.width * 3);
      sink = p.bytes[999];
    });
    Report("PaintGradient 379x541, three bands", grad, "one-colour fill", fill);
    const TsGradArray horizontal = ParseGradient(
        "12632256;8421504;67;1;0;8421504;12632256;31;0;0;12632256;12632256;0;0;0");
    const double hgrad = Best(15, 40, [&] {
      PaintGradient(p.View(), all, horizontal);
      sink = p.bytes[999];
    });
    Report("PaintGradient 379x541, horizontal", hgrad, "one-colour fill", fill);
  }
  {
    Picture mask(90, 60, rng);
    for (int y = 0; y < 30; y += 10)
      for (int x = 0; x < 90; x += 10) std::memcpy(mask.View().At(x, y), "\xFF\x00\xFF", 3);
    for (auto [w, h] : {std::pair{84, 22}, std::pair{22, 150}}) {
      Picture image(w, h, rng), other(w, h, rng);
      std::vector<TRect> cut;
      const double border = Best(15, 400, [&] {
        cut.clear();
        PaintMaskedBorder(image.View(), mask.View(), 1, true, kMaskTransparent, &cut);
        sink = image.bytes[5];
      });
      const double cells = Best(15, 400, [&] {
        DrawBorderCells(image.View(), mask.View(), 1, kNoParentBackground, true,
                        TRect{0, 0, w, h});
        sink = image.bytes[5];
      });
      const double blend = Best(15, 400, [&] {
        BlendBitmaps(image.View(), other.View(), 100);
        sink = image.bytes[5];
      });
      char what[64];
      std::snprintf(what, sizeof what, "masked border %dx%d (with region cut)", w, h);
      Report(what, border, "BlendBitmaps of the same area", blend);
      std::snprintf(what, sizeof what, "DrawBorderCells %dx%d", w, h);
      Report(what, cells, "BlendBitmaps of the same area", blend);
    }
  }
  return 0;
}
