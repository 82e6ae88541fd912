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
  // Everything the font is, as plain data.
  const TFontDesc& Desc() const { return desc_; }
  const std::string& Name() const { return desc_.Name; }
  void SetName(const std::string& v);
  // Height in pixels (negative: the character height without the internal
  // leading); Size in points at 96 pixels per inch.
  int Height() const { return desc_.Height; }
  void SetHeight(int v);
  int Size() const { return desc_.Size(); }
  void SetSize(int points) { SetHeight(TFontDesc::HeightOfSize(points)); }
  TColor Color() const { return desc_.Color; }
  void SetColor(TColor v);
  TFontStyles Style() const { return desc_.Style; }
  void SetStyle(TFontStyles v);
  int Charset() const { return desc_.Charset; }
  void SetCharset(int v);

  bool SameAs(const TDgFont& o) const { return desc_ == o.desc_; }

  // Raised after every change of value (once per Assign).
  TNotifyEvent OnChange;

  static constexpr int PixelsPerInch = TFontDesc::PixelsPerInch;

 private:
  void Changed();
  TFontDesc desc_;
};
