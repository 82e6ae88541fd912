// TDgFont: the font a column and its cells are drawn with, as plain data
// (face, height, colour, style, character set) so that the grid's model and
// layout need no window system. The painting side turns it into a real font.
#pragma once

#include <string>

#include "classlib/Component.h"
#include "classlib/DrawTypes.h"

class TDgFont : public TPersistent {
 public:
  // Copies another TDgFont; anything else is refused as TPersistent does.
  void Assign(TPersistent* Source) override;

  // The face name in Windows-1251.
  const std::string& Name() const { return name_; }
  void SetName(const std::string& v);
  // Height in pixels (negative: the character height without the internal
  // leading); Size in points at 96 pixels per inch.
  int Height() const { return height_; }
  void SetHeight(int v);
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles v);
  int Charset() const { return charset_; }
  void SetCharset(int v);

  bool SameAs(const TDgFont& o) const {
    return name_ == o.name_ && height_ == o.height_ && color_ == o.color_ && style_ == o.style_ &&
           charset_ == o.charset_;
  }

  // Raised after every change of value (once per Assign).
  TNotifyEvent OnChange;

  static constexpr int PixelsPerInch = 96;

 private:
  void Changed();
  std::string name_ = "MS Sans Serif";
  int height_ = -11;  // 8 points
  TColor color_ = clWindowText;
  TFontStyles style_;
  int charset_ = 204;  // RUSSIAN_CHARSET
};
