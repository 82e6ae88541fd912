// Hidden message windows: one class registration, one creation path.
#include "classlib/HiddenWindow.h"

HWND classlib::CreateHiddenWindow(const wchar_t* className, WNDPROC proc, DWORD exStyle,
                                  HWND parent, HBRUSH background) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  if (!GetClassInfoW(inst, className, &wc)) {
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.lpszClassName = className;
    wc.hbrBackground = background;
    RegisterClassW(&wc);
  }
  return CreateWindowExW(exStyle, className, L"", WS_POPUP, 0, 0, 0, 0, parent, nullptr, inst,
                         nullptr);
}
