// libFuzzer target: the markup renderer on a surface of fixed metrics. The
// first byte chooses the bounds and the mode; the walk must end for any
// text, and its work (measured runs) stays in proportion to the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/AlertMarkup.h"
#include "components/tests/FakeMarkupSurface.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t mode = data[0];
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  static const TRect kBounds[] = {Rect(0, 0, 300, 100), Rect(0, 0, 0, 0), Rect(10, 10, -5, -5),
                                  Rect(4, 21, 276, 74)};
  markup::MarkupParams p;
  p.MeasureOnly = mode & 1;
  p.HitTestOnly = mode & 2;
  p.WordWrap = !(mode & 4);
  p.HoverStyle = mode & 8;
  p.HoverAnchorIndex = 1;
  p.MouseX = 20;
  p.MouseY = 10;
  FakeMarkupSurface s;
  s.Images["a"] = markup::ImageInfo{false, 40, 20, 0, 0};
  s.Images["IDX:1"] = markup::ImageInfo{false, 400, 20, 0, 0};
  markup::MarkupResult r;
  markup::DrawMarkup(s, text, kBounds[(mode >> 4) & 3], p, r);
  // Each byte is measured a bounded number of times (runs, "gh", spaces).
  if (s.Measures > 8 * static_cast<long>(size) + 16) std::abort();
  if (s.Current != s.Base) std::abort();
  if (r.TextHeight < 0 || r.TextWidth < 0) std::abort();
  return 0;
}
