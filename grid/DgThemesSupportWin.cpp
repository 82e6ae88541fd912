// The theme library bound by name (see DgThemesSupportWin.h).
#include "grid/DgThemesSupportWin.h"

namespace {

using HTHEME_ = HANDLE;
struct ThemeApi {
  HMODULE lib = nullptr;
  HRESULT(WINAPI* CloseThemeData)(HTHEME_) = nullptr;
  HRESULT(WINAPI* DrawThemeBackground)(HTHEME_, HDC, int, int, const RECT*, const RECT*) = nullptr;
  HRESULT(WINAPI* DrawThemeEdge)(HTHEME_, HDC, int, int, const RECT*, UINT, UINT, RECT*) = nullptr;
  int(WINAPI* GetThemeSysSize)(HTHEME_, int) = nullptr;
  BOOL(WINAPI* IsThemeActive)() = nullptr;
  BOOL(WINAPI* IsAppThemed)() = nullptr;
  HTHEME_(WINAPI* OpenThemeData)(HWND, LPCWSTR) = nullptr;
};

template <class F>
void Bind(HMODULE lib, F& f, const char* name) {
  f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(lib, name)));
}

const ThemeApi& Api() {
  static const ThemeApi api = [] {
    ThemeApi a;
    a.lib = LoadLibraryW(L"uxtheme.dll");
    if (!a.lib) return a;
    Bind(a.lib, a.CloseThemeData, "CloseThemeData");
    Bind(a.lib, a.DrawThemeBackground, "DrawThemeBackground");
    Bind(a.lib, a.DrawThemeEdge, "DrawThemeEdge");
    Bind(a.lib, a.GetThemeSysSize, "GetThemeSysSize");
    Bind(a.lib, a.IsThemeActive, "IsThemeActive");
    Bind(a.lib, a.IsAppThemed, "IsAppThemed");
    Bind(a.lib, a.OpenThemeData, "OpenThemeData");
    return a;
  }();
  return api;
}

} // namespace

bool ThemesEnabled() {
  try {
    const ThemeApi& a = Api();
    if (!a.lib || !a.IsAppThemed || !a.IsThemeActive) return false;
    return a.IsAppThemed() && a.IsThemeActive();
  } catch (...) { throw EDgThemes("Error in Themes"); }
}

void DrawThemed(HWND Wnd, HDC DC, const RECT& Rect, const wchar_t* ClassName, int Part, int State) {
  const ThemeApi& a = Api();
  if (!a.OpenThemeData || !a.DrawThemeBackground || !a.CloseThemeData) return;
  HTHEME_ h = a.OpenThemeData(Wnd, ClassName);
  if (h) a.DrawThemeBackground(h, DC, Part, State, &Rect, &Rect);
  if (h) a.CloseThemeData(h);
}

void TDgUxThemes::DrawBackground(TDgCanvas& Canvas, const wchar_t* ClassName, int Part, int State,
                                 const TRect& Rect) {
  HDC dc = static_cast<HDC>(Canvas.Native());
  if (!dc) return;
  const RECT rc{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
  DrawThemed(wnd_, dc, rc, ClassName, Part, State);
}
