// Visual themes on Windows: the theme library ("uxtheme.dll") is bound by
// name the first time it is needed; without it themes count as off.
#pragma once

#include "classlib/WinApi.h"

#include "classlib/SysUtils.h"
#include "grid/DgThemesSupport.h"

// A failure inside the theme library ("Error in Themes").
class EDgThemes : public Exception {
 public:
  using Exception::Exception;
};

// The theme library is loaded and both the application and the system have
// themes on.
bool ThemesEnabled();
// The background of a part of a theme class; nothing when the class has no
// theme data.
void DrawThemed(HWND Wnd, HDC DC, const RECT& Rect, const wchar_t* ClassName, int Part, int State);

// IDgThemes on the theme library, for the painters.
class TDgUxThemes : public IDgThemes {
 public:
  explicit TDgUxThemes(HWND Wnd = nullptr) : wnd_(Wnd) {}
  bool Active() override { return ThemesEnabled(); }
  void DrawBackground(TDgCanvas& Canvas, const wchar_t* ClassName, int Part, int State,
                      const TRect& Rect) override;

 private:
  HWND wnd_ = nullptr;
};
