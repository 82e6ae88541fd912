// The drawing and control values that need no window: colours, font styles,
// text alignment, reading order, cursor numbers, border styles, bevel cuts, mouse buttons
// and the shift state of an input event. Portable code (layout,
// models, the grid's core) uses them; Graphics.h and Controls.h build on them.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/Set.h"

// 0x00BBGGRR; 0xFF000000 + n is system colour n (COLOR_xxx).
using TColor = int32_t;

namespace classlib {
constexpr TColor SysColor(int index) { return static_cast<TColor>(0xFF000000u | unsigned(index)); }

// A colour of red, green and blue (each 0..255; higher bits are dropped), and
// the three parts of a colour that is already RGB (not a system colour).
constexpr TColor RGBColor(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int ColorRed(TColor c) { return c & 0xFF; }
constexpr int ColorGreen(TColor c) { return (c >> 8) & 0xFF; }
constexpr int ColorBlue(TColor c) { return (c >> 16) & 0xFF; }
} // namespace classlib

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                 clNone = 0x1FFFFFFF, clDefault = 0x20000000;
constexpr TColor clScrollBar = classlib::SysColor(0), clBackground = classlib::SysColor(1),
                 clActiveCaption = classlib::SysColor(2), clInactiveCaption = classlib::SysColor(3),
                 clMenu = classlib::SysColor(4), clWindow = classlib::SysColor(5),
                 clWindowFrame = classlib::SysColor(6), clMenuText = classlib::SysColor(7),
                 clWindowText = classlib::SysColor(8), clCaptionText = classlib::SysColor(9),
                 clActiveBorder = classlib::SysColor(10), clInactiveBorder = classlib::SysColor(11),
                 clAppWorkSpace = classlib::SysColor(12), clHighlight = classlib::SysColor(13),
                 clHighlightText = classlib::SysColor(14), clBtnFace = classlib::SysColor(15),
                 clBtnShadow = classlib::SysColor(16), clGrayText = classlib::SysColor(17),
                 clBtnText = classlib::SysColor(18), clInactiveCaptionText = classlib::SysColor(19),
                 clBtnHighlight = classlib::SysColor(20), cl3DDkShadow = classlib::SysColor(21),
                 cl3DLight = classlib::SysColor(22), clInfoText = classlib::SysColor(23),
                 clInfoBk = classlib::SysColor(24), clHotLight = classlib::SysColor(26),
                 clGradientActiveCaption = classlib::SysColor(27),
                 clGradientInactiveCaption = classlib::SysColor(28),
                 clMenuHighlight = classlib::SysColor(29), clMenuBar = classlib::SysColor(30);

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// A window's border (the form's choices; a control takes bsNone or bsSingle).
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

// A bevel's cut: none, sunk into the surface, raised from it, or blank room.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                  crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15,
                  crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22;

// A font as plain data (face in Windows-1251, height in pixels, colour, style,
// character set), shared by the canvas font and fonts of models that need no
// window system. Height is negative for the character height without the
// internal leading; sizes are in points at 96 pixels per inch, rounded half
// away from zero as the system's MulDiv does.
struct TFontDesc {
  std::string Name = "MS Sans Serif";
  int Height = -11; // 8 points
  TColor Color = clWindowText;
  TFontStyles Style;
  int Charset = 204; // RUSSIAN_CHARSET

  static constexpr int PixelsPerInch = 96;
  int Size() const { return -MulDivRounded(Height, 72, PixelsPerInch); }
  static int HeightOfSize(int points) { return -MulDivRounded(points, PixelsPerInch, 72); }

  bool operator==(const TFontDesc& o) const {
    return Name == o.Name && Height == o.Height && Color == o.Color && Style == o.Style &&
           Charset == o.Charset;
  }
  bool operator!=(const TFontDesc& o) const { return !(*this == o); }

 private:
  static int MulDivRounded(int a, int b, int c) {
    long long p = static_cast<long long>(a) * b;
    return static_cast<int>((p >= 0 ? p + c / 2 : p - c / 2) / c);
  }
};

// A font's values over a TFontDesc, on top of Base (a persistent object):
// the GDI font and the grid's portable font share them. Each setter ignores
// an unchanged value and then tells FontChanged whether the face itself
// changed (everything but the colour) or only the colour.
template <class Base>
class TFontValues : public Base {
 public:
  // Everything the font is, as plain data.
  const TFontDesc& Desc() const { return desc_; }
  // The face name in Windows-1251; an empty name is ignored.
  const std::string& Name() const { return desc_.Name; }
  void SetName(const std::string& v) {
    if (!v.empty() && v != desc_.Name) Set(desc_.Name, v);
  }
  // Height in pixels (negative: the character height without the internal
  // leading, as GDI takes it); Size in points at 96 pixels per inch.
  int Height() const { return desc_.Height; }
  void SetHeight(int v) { Set(desc_.Height, v); }
  int Size() const { return desc_.Size(); }
  void SetSize(int points) { SetHeight(TFontDesc::HeightOfSize(points)); }
  TColor Color() const { return desc_.Color; }
  void SetColor(TColor v) {
    if (v == desc_.Color) return;
    desc_.Color = v;
    FontChanged(false);
  }
  TFontStyles Style() const { return desc_.Style; }
  void SetStyle(TFontStyles v) { Set(desc_.Style, v); }
  int Charset() const { return desc_.Charset; }
  void SetCharset(int v) { Set(desc_.Charset, v); }

  static constexpr int PixelsPerInch = TFontDesc::PixelsPerInch;

 protected:
  virtual void FontChanged(bool face) = 0;
  // Takes all of another font's values (Assign), as one change.
  void SetDesc(const TFontDesc& d) {
    desc_ = d;
    FontChanged(true);
  }

 private:
  template <class V>
  void Set(V& field, const V& v) {
    if (field == v) return;
    field = v;
    FontChanged(true);
  }
  TFontDesc desc_;
};
