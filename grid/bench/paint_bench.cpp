// Paint costs of the grid's displays (not a test: run it by hand under Wine).
// Each style paints a 30-column header band 1000 times into a memory bitmap,
// against plain FillRect + DrawTextW of the same rectangles; DrawAlphaBitmap
// of a 256 x 256 32-bit picture against the platform's AlphaBlend. Prints
// ratios against the peers measured in the same run.
#include "classlib/WinApi.h"

#include <chrono>
#include <cstdio>
#include <memory>

#include "grid/DgCanvasWin.h"
#include "grid/DgDisplays.h"
#include "grid/DgSharedDraw.h"

namespace {
double Ms(std::chrono::steady_clock::time_point a) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - a).count();
}
} // namespace

int main() {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 30 * 80, 20);
  SelectObject(dc, bmp);
  const int kRuns = 1000, kCols = 30;
  auto t = std::chrono::steady_clock::now();
  for (int n = 0; n < kRuns; ++n)
    for (int i = 0; i < kCols; ++i) {
      RECT r{i * 80, 0, i * 80 + 80, 20};
      FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
      SetBkMode(dc, TRANSPARENT);
      DrawTextW(dc, L"Column", 6, &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
  const double peer = Ms(t);
  std::printf("FillRect+DrawTextW: %.1f ms\n", peer);
  const char* names[7] = {"Default", "Flat", "Office2007", "Office2010", "Old", "Outlook", "Vista"};
  for (int s = 0; s < 7; ++s) {
    TDgGdiCanvas c(dc);
    std::unique_ptr<TStyleDisplay> d(CreateStyleDisplay(THeaderStyle(s), nullptr));
    d->Canvas = &c;
    TDgColumnLook look;
    look.Header.Caption = u"Column";
    t = std::chrono::steady_clock::now();
    for (int n = 0; n < kRuns; ++n)
      for (int i = 0; i < kCols; ++i) {
        look.Place = i == 0           ? TDgColumnPlace::First
                     : i == kCols - 1 ? TDgColumnPlace::Last
                                      : TDgColumnPlace::Middle;
        d->DrawHeader(look, TRect{i * 80, 0, i * 80 + 80, 20});
      }
    const double ms = Ms(t);
    std::printf("%-10s %.1f ms  ratio %.2f\n", names[s], ms, ms / peer);
  }
  // Alpha pictures.
  HBITMAP big = CreateCompatibleBitmap(screen, 256, 256);
  HDC bdc = CreateCompatibleDC(screen);
  SelectObject(bdc, big);
  TDgPixmap p(256, 256);
  p.Alpha = true;
  for (size_t i = 0; i < p.Pixels.size(); ++i) p.Pixels[i] = (uint32_t(i % 256) << 24) | 0x3366CC;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 256, -256, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP src = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC sdc = CreateCompatibleDC(screen);
  SelectObject(sdc, src);
  for (size_t i = 0; i < p.Pixels.size(); ++i) {
    // Premultiplied, as AlphaBlend takes it.
    const uint32_t a = p.Pixels[i] >> 24;
    const uint32_t px = DgPixelToDib(p.Pixels[i]);
    const uint32_t r = ((px >> 16) & 0xFF) * a / 255, g = ((px >> 8) & 0xFF) * a / 255,
                   b = (px & 0xFF) * a / 255;
    static_cast<uint32_t*>(bits)[i] = (a << 24) | (r << 16) | (g << 8) | b;
  }
  const int kAlpha = 100;
  t = std::chrono::steady_clock::now();
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  for (int n = 0; n < kAlpha; ++n) AlphaBlend(bdc, 0, 0, 256, 256, sdc, 0, 0, 256, 256, bf);
  const double alphaPeer = Ms(t);
  TDgGdiCanvas bc(bdc);
  t = std::chrono::steady_clock::now();
  for (int n = 0; n < kAlpha; ++n) DrawAlphaBitmap(bc, 0, 0, p);
  const double ours = Ms(t);
  std::printf("AlphaBlend %.1f ms, DrawAlphaBitmap %.1f ms, ratio %.2f\n", alphaPeer, ours,
              ours / alphaPeer);
  return 0;
}
