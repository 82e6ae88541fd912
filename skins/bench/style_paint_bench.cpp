// Benchmark: the background of a 338 x 170 group box with the grey
// five-band gradient and one shadowed child (PaintBG of a shadow host),
// against the gradient alone (PaintGradient) and against a one-colour fill
// of the same pixels, all measured in this run and printed as ratios.
// Usage: skins_style_paint_bench [rounds=2000]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "skins/sGradientCore.h"
#include "skins/sStyleUtilCore.h"
#include "skins/tests/FakeOwner.h"

namespace {

using skins::test::FakeOwner;

const char* const kFiveBands =
    "8421504;16777215;10;0;0;16777215;12632256;24;0;0;12632256;16777215;45;0;0;"
    "16777215;8421504;20;0;0;8421504;8421504;0;0;0";

template <class F>
double Seconds(int rounds, F f) {
  f();  // warm up
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  FakeOwner host, child;
  host.bounds = Rect(0, 0, 338, 170);
  skins::TsPassiveBGStyle style(&host);
  // A shadow host (a panel's kind) so that the child's shadow is painted.
  style.KindCode = skins::kind::Panel;
  style.Background()->Gradient()->SetData(kFiveBands);
  style.Background()->Gradient()->SetPercent(100);
  host.style = &style;
  child.bounds = Bounds(20, 30, 120, 40);
  child.parent = &host;
  skins::TsPassiveBGStyle child_style(&child);
  child_style.KindCode = skins::kind::Panel;
  child.style = &child_style;
  host.children.push_back(&child);
  child_style.Effects()->Shadow()->SetEnabled(true);

  const skins::TPixels px = style.Cache()->Pixels();
  const skins::TsGradArray bands = skins::ParseGradient(kFiveBands);
  const double bg = Seconds(rounds, [&] { style.PaintBG(px); });
  const double grad = Seconds(rounds, [&] { skins::PaintGradient(px, Rect(0, 0, 338, 170), bands); });
  const double fill = Seconds(rounds, [&] {
    // Silver has three equal bytes: a row is one memset, the fastest fill.
    for (int y = 0; y < px.height; ++y) std::memset(px.Row(y), 0xC0, static_cast<size_t>(px.width) * 3);
  });
  std::printf("338 x 170, %d rounds\n", rounds);
  std::printf("PaintBG (gradient + shadowed child): %8.2f us\n", bg / rounds * 1e6);
  std::printf("PaintGradient alone:                 %8.2f us\n", grad / rounds * 1e6);
  std::printf("one-colour fill:                     %8.2f us\n", fill / rounds * 1e6);
  std::printf("PaintBG / PaintGradient = %.2f (expected within 3)\n", bg / grad);
  std::printf("PaintBG / fill          = %.2f\n", bg / fill);
  return 0;
}
