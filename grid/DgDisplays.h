// The painters of the grid's fixed parts: column headers, footers, the input
// row, the indicator column and the sort arrow. TStyleDisplay is the base;
// one subclass per header style. They draw on a TDgCanvas from a plain
// TDgColumnLook (what a display reads of a column; LookOf in
// DgColumnLook.h fills it from a column), so they are tested natively.
#pragma once

#include <string>

#include "grid/DgCanvas.h"
#include "grid/DgColumnParts.h"
#include "grid/DgThemesSupport.h"

// Where a column stands among the visible ones.
enum class TDgColumnPlace { Only = 0, First = 1, Middle = 2, Last = 3 };

struct TDgPartLook {
  WideString Caption;
  TColor Color = clBtnFace;
  TAlignment Alignment = taLeftJustify;
  TDisplayMode DisplayMode = dmTextOnly;
  const TDgPixmap* Glyph = nullptr; // null or empty: none
  bool HasGlyph() const { return Glyph && !Glyph->Empty(); }
};

struct TDgColumnLook {
  TDgPartLook Header;
  bool HideArrow = true;
  bool MultiLine = false;
  bool Vertical = false;
  TDgPartLook Footer{WideString(), clWindow};
  std::string FormatMask;
  TFormatMaskKind FormatMaskKind = mkText;
  WideString TextBefore, TextAfter;
  const TDgFont* Font = nullptr; // null: the default font
  TColor Color = clWindow;
  TAlignment Alignment = taLeftJustify;
  bool Sorted = false;
  bool Ascending = true;
  TDgColumnPlace Place = TDgColumnPlace::Only;
  bool Pressed = false, Hot = false;
  // Input row: the display text of the input value, the caption shown when
  // it is empty, whether the column takes no input, whether it is the grid's
  // current column.
  WideString InputText, InputCaption;
  bool InputLocked = false;
  bool Current = false;
};

// Capabilities of a style.
namespace DgStyleCaps {
constexpr unsigned HotHeaders = 1, InvertPressed = 2, OwnSortArrow = 4;
}

class TStyleDisplay : public TPersistent {
 public:
  explicit TStyleDisplay(TObject* Grid);
  // Copies nothing.
  void Assign(TPersistent* Source) override {}

  bool RightToLeft = false;
  TDgCanvas* Canvas = nullptr;
  bool SortArrows = true;
  bool HeaderBackground = true;
  bool Themed = false;
  IDgThemes* Theme = nullptr;
  TObject* Grid = nullptr;
  // Filled behind headers by DrawBand and the rest, and the colour scheme of
  // the scheme-based styles (0: the default scheme).
  TColor GridColor = clWindow;
  int Scheme = 0;

  virtual int HeaderIndent(const TDgColumnLook& Column);
  virtual unsigned Capabilities() { return 0; }
  virtual void AdjustCaptionRect(TRect& Rect) {}
  virtual void DrawSortArrow(int X, int Y, bool Ascending);
  virtual void DrawFooterContent(const TDgColumnLook& Column, const TRect& Rect);
  virtual void DrawHeaderContent(const TDgColumnLook& Column, const TRect& Rect);
  virtual void DrawBand(const TRect& Rect) { DrawIndicatorHeader(Rect, 0); }
  // Kind 0: header or input row; 1: footer.
  virtual void DrawIndicatorHeader(const TRect& Rect, int Kind);
  virtual void DrawFooter(const TDgColumnLook& Column, const TRect& Rect, bool GridLines);
  virtual void DrawHeader(const TDgColumnLook& Column, const TRect& Rect);
  virtual void DrawHeaderBackground(const TDgColumnLook& Column, const TRect& Rect) {}
  virtual void DrawIndicator(const TRect& Rect, int RowIndex, bool Flag1 = false,
                             bool Flag2 = false);
  virtual void DrawRowPointer(const TRect& Rect, bool Pointer, bool Invert);
  virtual void DrawInputCell(const TDgColumnLook& Column, const TRect& Rect, bool Focused,
                             bool InputActive, bool GridLines);
  virtual void DrawHeaderRest(const TRect& Rect);

  // What a column needs to show its header content.
  int HeaderContentWidth(const TDgColumnLook& Column);
  void DrawCaptionText(TDgCanvas& C, const TRect& Rect, bool MultiLine, const WideString& Text);
  void DrawGridLines(const TRect& Rect, TColor Color);
  // The footer's text: the caption formatted by the mask, between the texts
  // before and after.
  static WideString FooterText(const TDgColumnLook& Column);

 protected:
  // The rectangle shrunk by 1 in Face, and a 3-D frame on it.
  void RaisedBox(const TRect& Rect, TColor Face, TColor TopLeft, TColor BottomRight);
  void FooterIndicatorBox(const TRect& Rect);
  TColor SchemeEntry(int Entry) const { return SchemeColor(Entry, Scheme); }
  void DrawThemed(int Part, int State, const TRect& Rect);
  // Places glyph and text of a part by its alignment; returns the text's x.
  int PlacePart(const TDgColumnLook& Column, const TDgPartLook& Part, const TRect& Rect, int W);
};

class TDefaultStyleDisplay : public TStyleDisplay {
 public:
  using TStyleDisplay::TStyleDisplay;
  unsigned Capabilities() override;
  void DrawHeaderBackground(const TDgColumnLook& Column, const TRect& Rect) override;
  void DrawIndicatorHeader(const TRect& Rect, int Kind) override;
  void DrawHeaderRest(const TRect& Rect) override;
  void PaintHeaderBackground(const TDgColumnLook& Column, const TRect& Rect);
  void PaintThemedHeaderBackground(const TDgColumnLook& Column, const TRect& Rect);
};

class TFlatStyleDisplay : public TStyleDisplay {
 public:
  using TStyleDisplay::TStyleDisplay;
  void DrawBand(const TRect& Rect) override;
  void DrawIndicatorHeader(const TRect& Rect, int Kind) override;
  void DrawIndicator(const TRect& Rect, int RowIndex, bool Flag1, bool Flag2) override;
  void DrawHeaderBackground(const TDgColumnLook& Column, const TRect& Rect) override {
    PaintHeaderBackground(Column, Rect);
  }
  void PaintHeaderBackground(const TDgColumnLook& Column, const TRect& Rect);
};

class TOffice2007StyleDisplay : public TStyleDisplay {
 public:
  using TStyleDisplay::TStyleDisplay;
  void AdjustCaptionRect(TRect& Rect) override { Rect.Left += 2; }
  void DrawBand(const TRect& Rect) override;
  void DrawIndicatorHeader(const TRect& Rect, int Kind) override;
  void DrawIndicator(const TRect& Rect, int RowIndex, bool Flag1, bool Flag2) override {
    DrawIndicatorHeader(Rect, 0);
  }
  void DrawHeaderBackground(const TDgColumnLook& Column, const TRect& Rect) override {
    PaintHeaderBackground(Column, Rect);
  }
  void PaintHeaderBackground(const TDgColumnLook& Column, const TRect& Rect);

 protected:
  // The gradient's top and bottom colours of the indicator and the header.
  virtual TColor RampTop() { return clWhite; }
  virtual TColor RampBottom() { return SchemeEntry(11); }
};

class TOffice2010StyleDisplay : public TOffice2007StyleDisplay {
 public:
  using TOffice2007StyleDisplay::TOffice2007StyleDisplay;
  void DrawSortArrow(int X, int Y, bool Ascending) override;

 protected:
  TColor RampTop() override { return SchemeEntry(6); }
  TColor RampBottom() override { return SchemeEntry(7); }
};

class TOldStyleDisplay : public TStyleDisplay {
 public:
  using TStyleDisplay::TStyleDisplay;
  unsigned Capabilities() override { return DgStyleCaps::InvertPressed; }
  void DrawBand(const TRect& Rect) override { DrawIndicatorHeader(Rect, 0); }
  void DrawIndicatorHeader(const TRect& Rect, int Kind) override;
  void DrawHeaderBackground(const TDgColumnLook& Column, const TRect& Rect) override {
    DrawIndicatorHeader(Rect, 0);
  }
  void DrawIndicator(const TRect& Rect, int RowIndex, bool Flag1, bool Flag2) override {
    DrawIndicatorHeader(Rect, 0);
  }
};

class TOutlookStyleDisplay : public TStyleDisplay {
 public:
  using TStyleDisplay::TStyleDisplay;
  unsigned Capabilities() override { return DgStyleCaps::InvertPressed; }
  void AdjustCaptionRect(TRect& Rect) override { Rect.Bottom -= 3; }
  void DrawBand(const TRect& Rect) override;
  void DrawIndicatorHeader(const TRect& Rect, int Kind) override;
  void DrawHeaderBackground(const TDgColumnLook& Column, const TRect& Rect) override {
    PaintHeaderBackground(Column, Rect);
  }
  void PaintHeaderBackground(const TDgColumnLook& Column, const TRect& Rect);

 private:
  void BottomShade(const TRect& Rect, TColor Toward);
};

class TVistaStyleDisplay : public TStyleDisplay {
 public:
  using TStyleDisplay::TStyleDisplay;
  unsigned Capabilities() override { return DgStyleCaps::OwnSortArrow; }
  void AdjustCaptionRect(TRect& Rect) override { Rect.Left += 2; }
  void DrawHeaderBackground(const TDgColumnLook& Column, const TRect& Rect) override {
    PaintHeaderBackground(Column, Rect);
  }
  void PaintHeaderBackground(const TDgColumnLook& Column, const TRect& Rect);
  void DrawIndicator(const TRect& Rect, int RowIndex, bool Flag1, bool Flag2) override;
};

// The grid's header styles and the display class of each.
enum THeaderStyle {
  hsAuto,
  hsFlatBorders,
  hsOffice2007,
  hsOffice2010,
  hsOldStyle,
  hsOutlook,
  hsVista
};
TStyleDisplay* CreateStyleDisplay(THeaderStyle Style, TObject* Grid);
