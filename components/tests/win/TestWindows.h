// Helpers of the Windows component tests: plain top-level windows that log
// the messages reaching their own procedure, and a message pump.
#pragma once

#include "classlib/WinApi.h"

#include <string>
#include <vector>

#include "classlib/tests/support/MessagePump.h"
#include "classlib/tests/support/Screenshot.h"

namespace testwin {

// Messages that reached the windows' own procedures, in order.
inline std::vector<std::pair<HWND, UINT>>& OwnLog() {
  static std::vector<std::pair<HWND, UINT>> log;
  return log;
}

inline LRESULT CALLBACK LoggingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  OwnLog().push_back({w, m});
  return DefWindowProcW(w, m, wp, lp);
}

// A visible popup window at the given screen rectangle (window rectangle).
inline HWND MakeWindow(int x, int y, int w, int h, bool visible = true) {
  static const wchar_t* cls = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = LoggingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KorvalisComponentTest";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
    return L"KorvalisComponentTest";
  }();
  HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, cls, L"test", WS_POPUP | WS_BORDER, x, y, w, h,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (visible) ShowWindow(wnd, SW_SHOWNOACTIVATE);
  return wnd;
}

// The plain message loop for about `ms` milliseconds; 0: the waiting messages only.
using test_support::Pump;

inline RECT WindowRectOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

// Saves the whole screen as a 24-bit BMP file.
inline bool SaveScreenBmp(const std::wstring& path) {
  HDC screen = GetDC(nullptr);
  const bool ok = test_support::SaveDcBmp(screen, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                          GetSystemMetrics(SM_CYSCREEN), path);
  ReleaseDC(nullptr, screen);
  return ok;
}

// Saves a window's client area as a 24-bit BMP file.
inline bool SaveClientBmp(HWND wnd, const std::wstring& path) {
  RECT rc{};
  GetClientRect(wnd, &rc);
  HDC dc = GetDC(wnd);
  const bool ok = test_support::SaveDcBmp(dc, 0, 0, rc.right, rc.bottom, path);
  ReleaseDC(wnd, dc);
  return ok;
}

} // namespace testwin
