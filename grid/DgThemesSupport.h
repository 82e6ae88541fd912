// The grid's colour schemes and its view of the platform's visual themes.
//
// SchemeColor(Entry, Scheme): 6 schemes of 24 colours; scheme 0 is the
// default scheme 2; an entry outside the table gives black, a scheme outside
// it gives the default scheme.
//
// IDgThemes: what the painters ask of visual themes. The Windows one binds
// the theme library by name at run time (DgThemesSupportWin.h); tests use a
// fake, so the themed branches are checked without a visual style.
#pragma once

#include <string>

#include "grid/DgCanvas.h"

constexpr int DgDefaultScheme = 2;
TColor SchemeColor(int Entry, int Scheme = 0);

class IDgThemes {
 public:
  virtual ~IDgThemes() = default;
  // Visual themes are on for this application.
  virtual bool Active() = 0;
  // The background of the given part and state of a theme class ("header").
  virtual void DrawBackground(TDgCanvas& Canvas, const wchar_t* ClassName, int Part, int State,
                              const TRect& Rect) = 0;
};

// Header parts and states of the theme's "header" class.
namespace DgHeaderTheme {
constexpr int ItemPart = 1, ItemRightPart = 2;
constexpr int Normal = 1, Hot = 2, Pressed = 3;
} // namespace DgHeaderTheme
