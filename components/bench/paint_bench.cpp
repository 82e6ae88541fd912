// Paint costs of the components on the 506 x 263 main window: each gradient
// style drawn in full (what a buffered gradient pays once per size), the
// cached copy (what it pays at every other paint), and one LED meter of 60
// segments (painted twice every 50 ms by the player), through the canvas and,
// as its peer in the same run, with a pen and brush made for each segment by
// hand. Prints microseconds and the meter's ratio to its peer.
#include "classlib/WinApi.h"

#include <chrono>
#include <cstdio>

#include "components/ComponentsGdi.h"

namespace {

template <class F>
double MicrosPer(int n, F f) {
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < n; ++i) f();
  GdiFlush();
  const auto t1 = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::micro>(t1 - t0).count() / n;
}

} // namespace

int main() {
  const int W = 506, H = 263;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, W, H);
  HDC cache = CreateCompatibleDC(screen);
  HBITMAP cacheBmp = CreateCompatibleBitmap(screen, W, H);
  SelectObject(mem, bmp);
  SelectObject(cache, cacheBmp);
  TCanvas canvas;
  canvas.SetHandle(mem);
  const components::GradientColors colors = BuildColors(RGB(0, 40, 110), RGB(0, 0, 0), gdDownRight);
  static const char* names[] = {"CornerTopLeft",    "CornerTopRight", "CornerBottomRight",
                                "CornerBottomLeft", "DiagonalRising", "DiagonalFalling",
                                "Ellipse",          "Horizontal",     "Pyramid",
                                "Vertical"};
  std::printf("gradient %dx%d, full draw (us):\n", W, H);
  for (int s = gsCornerTopLeft; s <= gsVertical; ++s) {
    const auto style = static_cast<TGradStyle>(s);
    const double us = MicrosPer(20, [&] {
      gdi::DrawGradient(canvas, components::DrawGradientShapes(style, colors, W, H, 1, true));
    });
    std::printf("  %-18s %9.0f\n", names[s], us);
  }
  std::printf("cached copy (BitBlt)  %9.1f us\n",
              MicrosPer(200, [&] { BitBlt(mem, 0, 0, W, H, cache, 0, 0, SRCCOPY); }));
  std::printf("cached ellipse (TransparentBlt) %9.1f us\n", MicrosPer(200, [&] {
                TransparentBlt(mem, 0, 0, W, H, cache, 0, 0, W, H, components::kGradientSilver);
              }));
  components::LedMeterCore meter;
  meter.SetNumDigits(60);
  meter.SetStartColor2(60);
  meter.SetStartColor3(85);
  meter.SetBevelStyle(bvNone);
  int pos = 0;
  auto next = [&] {
    meter.SetPosition(pos = (pos + 7) % 101);
    return meter.Segments(485, 5);
  };
  const double viaCanvas =
      MicrosPer(2000, [&] { gdi::DrawMeter(canvas, next(), clBlack, bvNone, 485, 5); });
  const double byHand = MicrosPer(2000, [&] {
    for (const components::MeterSegment& s : next()) {
      HPEN pen = CreatePen(PS_SOLID, 1, 0);
      HBRUSH brush = CreateSolidBrush(ColorToRGB(s.Color));
      HGDIOBJ oldPen = SelectObject(mem, pen), oldBrush = SelectObject(mem, brush);
      Rectangle(mem, s.Box.Left, s.Box.Top, s.Box.Right, s.Box.Bottom);
      SelectObject(mem, oldPen);
      SelectObject(mem, oldBrush);
      DeleteObject(pen);
      DeleteObject(brush);
    }
  });
  std::printf(
      "LED meter 485x5, 60 segments, one paint: canvas %.1f us, by hand %.1f us, "
      "ratio %.2f\n",
      viaCanvas, byHand, viaCanvas / byHand);
  canvas.SetHandle(nullptr);
  DeleteDC(cache);
  DeleteObject(cacheBmp);
  DeleteDC(mem);
  DeleteObject(bmp);
  ReleaseDC(nullptr, screen);
  return 0;
}
