// Benchmark (under Wine): one paint of the player's case, a 100-character
// bold Cyrillic title wrapped into 272 x 53, against one DrawTextW with
// DT_WORDBREAK of the same text in the same rectangle; and one hit-test
// pass (the popup runs one per WM_NCHITTEST). Prints times and ratios.
#include "classlib/WinApi.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/Cp1251.h"
#include "components/AlertMarkupCanvas.h"

namespace {

template <class F>
double PerCall(int rounds, F f) {
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / rounds;
}

} // namespace

int main() {
  std::string title;
  const std::string words = "Исполнитель песни Название композиции Радиостанция ";
  while (title.size() < 100) title += words;
  title.resize(100);
  TBitmap bmp(300, 100);
  TCanvas* c = bmp.Canvas();
  c->Font()->SetName("MS Sans Serif");
  c->Font()->SetHeight(-13);
  c->Font()->SetStyle({fsBold});
  const TRect area = Rect(4, 21, 276, 74);
  const std::string markupText = "<b>" + markup::EscapeMarkup(title) + "</b>";
  const int rounds = 2000;
  const double paint = PerCall(rounds, [&] {
    TCanvasMarkupSurface s(c);
    markup::MarkupResult r;
    markup::DrawMarkup(s, markupText, area, markup::MarkupParams(), r);
  });
  const std::wstring wide = Cp1251ToWide(title);
  const double plain = PerCall(rounds, [&] {
    c->Font()->SetStyle({fsBold});
    HDC dc = c->Handle();
    SelectObject(dc, c->Font()->Handle());
    RECT r{area.Left, area.Top, area.Right, area.Bottom};
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_WORDBREAK);
  });
  markup::MarkupParams hp;
  hp.HitTestOnly = true;
  hp.MouseX = 100;
  hp.MouseY = 30;
  const double hit = PerCall(rounds, [&] {
    TCanvasMarkupSurface s(c);
    markup::MarkupResult r;
    markup::DrawMarkup(s, markupText, area, hp, r);
  });
  std::printf("markup paint %.1f us, DrawTextW %.1f us: ratio %.2f\n", paint * 1e6, plain * 1e6,
              paint / plain);
  std::printf("hit test %.1f us: %.2f of a markup paint, %.2f of a DrawTextW\n", hit * 1e6,
              hit / paint, hit / plain);
  return 0;
}
