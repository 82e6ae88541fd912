// Helpers of the Windows component tests: plain top-level windows that log
// the messages reaching their own procedure, and a message pump.
#pragma once

#include "classlib/WinApi.h"

#include <string>
#include <vector>

#include "classlib/tests/support/MessagePump.h"

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

// Saves the w x h pixels at the top left of a device context as a 24-bit
// BMP file.
inline bool SaveBmp(HDC src, int w, int h, const std::wstring& path) {
  HDC mem = CreateCompatibleDC(src);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h; // bottom-up, as the file wants it
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(src, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, w, h, src, 0, 0, SRCCOPY);
  GdiFlush();
  const DWORD row = ((w * 3 + 3) & ~3), size = row * h;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
  fh.bfSize = fh.bfOffBits + size;
  bi.bmiHeader.biSizeImage = size;
  bool ok = false;
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f != INVALID_HANDLE_VALUE) {
    DWORD n = 0;
    ok = WriteFile(f, &fh, sizeof fh, &n, nullptr) &&
         WriteFile(f, &bi.bmiHeader, sizeof bi.bmiHeader, &n, nullptr) &&
         WriteFile(f, bits, size, &n, nullptr);
    CloseHandle(f);
  }
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  return ok;
}

// Saves the whole screen as a 24-bit BMP file.
inline bool SaveScreenBmp(const std::wstring& path) {
  HDC screen = GetDC(nullptr);
  const bool ok =
      SaveBmp(screen, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), path);
  ReleaseDC(nullptr, screen);
  return ok;
}

// Saves a window's client area as a 24-bit BMP file.
inline bool SaveClientBmp(HWND wnd, const std::wstring& path) {
  RECT rc{};
  GetClientRect(wnd, &rc);
  HDC dc = GetDC(wnd);
  const bool ok = SaveBmp(dc, rc.right, rc.bottom, path);
  ReleaseDC(wnd, dc);
  return ok;
}

} // namespace testwin
