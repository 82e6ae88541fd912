// The Windows half of the test setup: under Wine on the virtual display a
// window can be created, painted and read back, and waveOut can be opened.
#include <gtest/gtest.h>
#include "classlib/WinApi.h"
#include <mmsystem.h>

namespace {

LRESULT CALLBACK PaintProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    RECT r{10, 10, 60, 60};
    HBRUSH brush = CreateSolidBrush(RGB(200, 30, 40));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    EndPaint(wnd, &ps);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

} // namespace

TEST(Platform, WindowIsPaintedAndReadBack) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PaintProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KorvalisPlatformTest";
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  ASSERT_NE(RegisterClassW(&wc), 0);
  HWND wnd = CreateWindowExW(0, wc.lpszClassName, L"Проверка окна", WS_OVERLAPPEDWINDOW, 100, 100,
                             200, 150, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(wnd, nullptr);
  ShowWindow(wnd, SW_SHOW);
  UpdateWindow(wnd);
  Pump();

  wchar_t title[64] = {};
  GetWindowTextW(wnd, title, 64);
  EXPECT_STREQ(title, L"Проверка окна");

  HDC wdc = GetDC(wnd);
  COLORREF screen = GetPixel(wdc, 30, 30);
  ReleaseDC(wnd, wdc);
  DestroyWindow(wnd);

  EXPECT_EQ(screen, RGB(200, 30, 40)) << std::hex << screen;
}

TEST(Platform, WaveOutOpensOnTheNullDevice) {
  WAVEFORMATEX fmt{};
  fmt.wFormatTag = WAVE_FORMAT_PCM;
  fmt.nChannels = 2;
  fmt.nSamplesPerSec = 44100;
  fmt.wBitsPerSample = 16;
  fmt.nBlockAlign = 4;
  fmt.nAvgBytesPerSec = 44100 * 4;
  HWAVEOUT out = nullptr;
  ASSERT_EQ(waveOutOpen(&out, WAVE_MAPPER, &fmt, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  EXPECT_EQ(waveOutClose(out), MMSYSERR_NOERROR);
}
