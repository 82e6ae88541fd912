// The skinned combo box's geometry and glyph look (see sCustomComboBoxCore.h).
#include "skins/sCustomComboBoxCore.h"

#include "skins/sGlyphUtilsCore.h"

namespace skins {

TRect TComboGeometry::Glyph() const {
  const int top = (Height - GlyphHeight) / 2;
  return Rect(Width - GlyphWidth - 3, top, Width - 3, Height - top);
}

TRect TComboGeometry::FocusedFace() const {
  TRect r = Client();
  r = Rect(r.Left - 2, r.Top - 2, r.Right + 1, r.Bottom + 1);
  r.Right -= GlyphWidth;
  return r;
}

TRect TComboGeometry::Highlight() const {
  TRect r = FocusedFace();
  return Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom + 1);
}

TRect TComboGeometry::FocusRect() const {
  TRect r = FocusedFace();
  return Rect(r.Left, r.Top, r.Right - 1, r.Bottom + 1);
}

TPoint TComboGeometry::TextOrigin(bool dropDownList) const {
  TRect r = FocusedFace();
  return Point(r.Left + 2, r.Top + (dropDownList ? 2 : 1));
}

TRect TComboGeometry::TextRect() const {
  TRect r = Client();
  return Rect(r.Left - 1, r.Top - 1, r.Right - GlyphWidth, r.Bottom);
}

TGlyphLook ComboGlyphLook(bool enabled, bool hot, bool droppedDown, bool grayed, int blend) {
  TGlyphLook look;
  look.Frame = droppedDown ? 2 : hot ? 1 : 0;
  if (!enabled) {
    look.Tint = kDisabledGlyphTint;
  } else if (!hot) {
    look.Gray = grayed;
    if (blend > 0) look.Tint = GlyphTintFactor(blend);
  }
  return look;
}

} // namespace skins
