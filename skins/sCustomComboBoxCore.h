// The portable half of the skinned combo box: where its face, text, focus
// mark and drop-down glyph go in a combo box of Width × Height, and how the
// glyph looks in each state. The Windows control paints by these numbers.
//
// The face is the client area (4 pixels in from every edge) widened back
// towards the frame and narrowed by the glyph; the glyph sits 3 pixels from
// the right edge, centred vertically.
#pragma once

#include "classlib/Types.h"

namespace skins {

struct TComboGeometry {
  int Width = 0, Height = 0;
  int GlyphWidth = 0, GlyphHeight = 0; // one frame of the glyph in use

  TRect Client() const { return Rect(4, 4, Width - 4, Height - 4); }
  TRect Glyph() const;
  // What the paint leaves to the system after the face: right of the face.
  TRect GlyphClip() const { return Rect(Width - GlyphWidth - 2, 0, Width, Height); }
  // The face of a focused combo: the client area one pixel out, its top and
  // left one more, its right reduced by the glyph.
  TRect FocusedFace() const;
  // A drop-down list shows its focused text on the highlight colour here,
  // the text at TextOrigin(true), and the focus rectangle around it.
  TRect Highlight() const;
  TRect FocusRect() const;
  TPoint TextOrigin(bool dropDownList) const;
  // Where unfocused text is written (vertically centred, one line).
  TRect TextRect() const;
};

// How the drop-down glyph is drawn: frame 2 while dropped down, 1 when hot,
// else 0; a tint towards the editor colour by Tint (1 = none); Gray turns it
// grey first.
struct TGlyphLook {
  int Frame = 0;
  bool Gray = false;
  double Tint = 1.0;
};
TGlyphLook ComboGlyphLook(bool enabled, bool hot, bool droppedDown, bool grayed, int blend);

} // namespace skins
