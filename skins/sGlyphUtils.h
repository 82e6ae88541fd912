// TsGlyphMode: the glyph settings of a skinned combo box, owned by the
// control. The rules (Blend held to 0..100, an own glyph switching the
// default off, a change refreshing the owner's style) are TGlyphModeCore's;
// this half keeps the own glyph as a bitmap and finds the built-in glyph of
// a name among the program's pictures.
//
// The combo box always draws its "COMBO" strip unless an own glyph is set:
// its glyph name "SCO1" names no built-in picture. Its edit field is placed
// by the system combo box, so no formatting rectangle is set for it.
#pragma once

#include <string>

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "skins/sGlyphUtilsCore.h"
#include "skins/sPictures.h"

namespace skins {

class TsGenStyle;

class TsGlyphMode : public TGlyphModeCore {
 public:
  // `glyph_name`: the owner's built-in glyph ("SCO1" for a combo box).
  TsGlyphMode(TControl* owner, TsGenStyle* style, std::string glyph_name);

  // The own glyph: a strip of three frames, upper half the picture, lower
  // half its weights. Setting it copies the bitmap and stops the default.
  TBitmap* Glyph() { return &glyph_; }
  void SetGlyph(TBitmap* v);
  // The owner's hint; a combo box keeps its own, so writing changes nothing.
  std::string Hint() const { return owner_->Hint(); }
  void SetHint(const std::string&) {}

  // The built-in glyph of the owner's name (null for none), looked up again
  // whenever UseDefaultGlyph becomes True.
  TBitmap* DefaultGlyph() const { return default_glyph_; }
  const std::string& GlyphName() const { return glyph_name_; }

 private:
  void LookUpDefault();
  TsPicturesUse pictures_;
  TControl* owner_;
  TsGenStyle* style_;
  std::string glyph_name_;
  TBitmap glyph_;
  TBitmap* default_glyph_ = nullptr;
};

}  // namespace skins
