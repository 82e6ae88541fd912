// The parts a grid column owns besides its cells: its header and footer
// (TColumnPart, TColumnHeader, TColumnFooter) and the rectangle its cells take
// inside a slide (TDgSlideBounds). Each part tells its column of a change
// through the column's hooks; the column turns that into the grid's codes.
#pragma once

#include <functional>
#include <string>

#include "classlib/Component.h"
#include "classlib/DrawTypes.h"
#include "classlib/Types.h"
#include "grid/DgBitmap.h"
#include "grid/DgTypes.h"

class TDgCustomColumn;

enum TDisplayMode { dmImageOnly, dmTextAndImage, dmTextOnly };
enum THeaderOrientation { hoHorizontal, hoVertical };
enum TFormulaKind { fkNone, fkAverage, fkCount, fkDistinct, fkMaximum, fkMinimum, fkSum, fkCustom };
enum TFormatMaskKind { mkText, mkFloat };

class TColumnPart : public TPersistent {
 public:
  explicit TColumnPart(TDgCustomColumn* Column);

  TDgCustomColumn* Column() const { return column_; }

  const WideString& Caption() const { return caption_; }
  void SetCaption(const WideString& v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  TDisplayMode DisplayMode() const { return display_mode_; }
  void SetDisplayMode(TDisplayMode v);
  const WideString& Hint() const { return hint_; }
  void SetHint(const WideString& v) { hint_ = v; }

  // The part's own picture, drawn transparent (its bottom-left pixel's
  // colour left out) beside or instead of the caption by DisplayMode. Any
  // change of it raises OnChange.
  TDgBitmap* Glyph() { return &glyph_; }
  const TDgBitmap* Glyph() const { return &glyph_; }
  // Copies the picture (null clears it).
  void SetGlyph(TDgBitmap* v) { glyph_.Assign(v); }

  // Bound by the column to its appearance change.
  TNotifyEvent OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  // Asks the grid to repaint what this part shows (refresh code).
  void Refresh(int Code);
  TDgCustomColumn* column_ = nullptr;
  WideString caption_;
  TColor color_ = clWindow;
  TDisplayMode display_mode_ = dmTextOnly;
  WideString hint_;
  TDgBitmap glyph_;
  // Set while Assign copies the glyph: the copy reports one change.
  bool assigning_ = false;
};

class TColumnHeader : public TColumnPart {
 public:
  explicit TColumnHeader(TDgCustomColumn* Column) : TColumnPart(Column) { color_ = clBtnFace; }
  void Assign(TPersistent* Source) override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  bool HideArrow() const { return hide_arrow_; }
  void SetHideArrow(bool v);
  bool MultiLine() const { return multi_line_; }
  void SetMultiLine(bool v);
  THeaderOrientation Orientation() const { return orientation_; }
  void SetOrientation(THeaderOrientation v);

 private:
  TAlignment alignment_ = taLeftJustify;
  bool hide_arrow_ = true;
  bool multi_line_ = false;
  THeaderOrientation orientation_ = hoHorizontal;
};

class TColumnFooter : public TColumnPart {
 public:
  explicit TColumnFooter(TDgCustomColumn* Column) : TColumnPart(Column) {}
  void Assign(TPersistent* Source) override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TFormulaKind FormulaKind() const { return formula_kind_; }
  void SetFormulaKind(TFormulaKind v);
  // In Windows-1251, as the format routines take it.
  const std::string& FormatMask() const { return format_mask_; }
  void SetFormatMask(const std::string& v);
  TFormatMaskKind FormatMaskKind() const { return format_mask_kind_; }
  void SetFormatMaskKind(TFormatMaskKind v);
  const WideString& TextAfter() const { return text_after_; }
  void SetTextAfter(const WideString& v);
  const WideString& TextBefore() const { return text_before_; }
  void SetTextBefore(const WideString& v);

 private:
  TAlignment alignment_ = taLeftJustify;
  TFormulaKind formula_kind_ = fkNone;
  std::string format_mask_;
  TFormatMaskKind format_mask_kind_ = mkText;
  WideString text_after_;
  WideString text_before_;
};

class TDgSlideBounds : public TPersistent {
 public:
  void Assign(TPersistent* Source) override;

  int Left() const { return left_; }
  void SetLeft(int v);
  int Top() const { return top_; }
  void SetTop(int v);
  int Width() const { return width_; }
  void SetWidth(int v);
  int Height() const { return height_; }
  void SetHeight(int v);
  // (Left, Top, Left + Width, Top + Height) within the slide.
  TRect BoundsRect() const { return TRect{left_, top_, left_ + width_, top_ + height_}; }

  // Bound by the column to its slide-bounds change.
  TNotifyEvent OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  int left_ = 8;
  int top_ = 8;
  int width_ = 80;
  int height_ = 16;
};
