// Benchmark: layout (measuring pass only) of 1, 4 and 16 KB of mixed markup
// on the fixed-metric surface, and one drawing render of each, printed as
// times and as ratios to the 1 KB case; a layout that grows with the text's
// length gives about 4 and 16. Usage: components_markup_bench [rounds=200]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "components/AlertMarkup.h"
#include "components/tests/FakeMarkupSurface.h"

namespace {

std::string Sample(size_t bytes) {
  const std::string piece =
      "Some <b>bold</b> words and <A href=\"x\">a link</A> with &amp; entities &lt;here&gt; "
      "<font color=\"#FF0000\">red</font> and a plain tail of text that wraps. ";
  std::string s;
  while (s.size() + piece.size() <= bytes) s += piece;
  s.append(bytes - s.size(), 'x');
  return s;
}

double Seconds(const std::string& text, bool measureOnly, int rounds) {
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) {
    FakeMarkupSurface s;
    markup::MarkupParams p;
    p.MeasureOnly = measureOnly;
    markup::MarkupResult r;
    markup::DrawMarkup(s, text, Rect(0, 0, 272, 1 << 30), p, r);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / rounds;
}

} // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
  const size_t sizes[] = {1024, 4096, 16384};
  double base[2] = {0, 0};
  for (size_t n : sizes) {
    const std::string text = Sample(n);
    const double layout = Seconds(text, true, rounds);
    const double draw = Seconds(text, false, rounds);
    if (n == 1024) {
      base[0] = layout;
      base[1] = draw;
    }
    std::printf("%6zu bytes: layout %8.1f us (x%.1f of 1 KB), draw %8.1f us (x%.1f of 1 KB)\n", n,
                layout * 1e6, layout / base[0], draw * 1e6, draw / base[1]);
  }
  return 0;
}
