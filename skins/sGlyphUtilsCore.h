// The portable half of the glyph modes of the skinned edit controls: the
// settings' rules (Blend kept within 0..100, an own glyph switching the
// default off), the built-in glyph table, and how a glyph strip is cut into
// its frames.
//
// A glyph bitmap is a strip of three frames side by side (normal, hot,
// pressed or dropped down); only the upper half is the picture (the lower
// half weighs it); its bottom-left pixel is its transparent colour.
#pragma once

#include <functional>
#include <string>

namespace skins {

class TGlyphModeCore {
 public:
  virtual ~TGlyphModeCore() = default;

  // Percent towards the editor colour: 0 shows the glyph as drawn, 100 only
  // the editor colour. Set values are clamped to 0..100.
  int Blend() const { return blend_; }
  void SetBlend(int v);
  bool Grayed() const { return grayed_; }
  void SetGrayed(bool v);
  bool UseDefaultGlyph() const { return use_default_glyph_; }
  void SetUseDefaultGlyph(bool v);

  // The style refresh after a change; the look-up of the default glyph when
  // UseDefaultGlyph becomes True.
  std::function<void()> OnChange, OnDefaultGlyph;

 protected:
  // An own glyph was given: the default is no longer used.
  void GlyphAssigned();

 private:
  void Changed() {
    if (OnChange) OnChange();
  }
  int blend_ = 0;
  bool grayed_ = false, use_default_glyph_ = true;
};

// The factor of the tint that Blend asks for (channel := x × (channel − c) +
// c): 1 keeps the glyph, 0 leaves only the editor colour. It is 1 − Blend /
// 100, so the glyph fades evenly as Blend grows; Blend / 100 itself would
// jump from the whole glyph at 0 to an all but invisible one at 1.
inline double GlyphTintFactor(int blend) { return 1.0 - blend / 100.0; }
// The tint of a disabled control's glyph: a quarter of the way to the editor colour.
constexpr double kDisabledGlyphTint = 0.75;

// The resource of a built-in glyph name ("BTN_OPENFILE" -> "SF", ...); empty
// for "SCO1" and for any unknown name.
std::string DefaultGlyphResource(const std::string& name);
// The resource of the combo box's drop-down glyph.
constexpr const char kComboGlyphResource[] = "COMBO";

// The size of one frame of a glyph strip of BitmapWidth × BitmapHeight.
inline int GlyphFrameWidth(int bitmapWidth) { return bitmapWidth / 3; }
inline int GlyphFrameHeight(int bitmapHeight) { return bitmapHeight / 2; }
// The width a glyph takes beside the text: a frame, or 16 without a bitmap.
inline int GlyphSpace(int bitmapWidth) { return bitmapWidth > 0 ? bitmapWidth / 3 : 16; }

} // namespace skins
