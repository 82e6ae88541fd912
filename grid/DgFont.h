// TDgFont: the font a column and its cells are drawn with, as plain data
// (face, height, colour, style, character set) so that the grid's model and
// layout need no window system. The painting side turns it into a real font.
#pragma once

#include <string>

#include "classlib/Component.h"
#include "classlib/DrawTypes.h"

class TDgFont : public TFontValues<TPersistent> {
 public:
  // Copies another TDgFont; anything else is refused as TPersistent does.
  void Assign(TPersistent* Source) override;

  bool SameAs(const TDgFont& o) const { return Desc() == o.Desc(); }
  // Takes a font as the class library describes it (a window's font), as
  // one change.
  void AssignDesc(const TFontDesc& Desc) { SetDesc(Desc); }

  // Raised after every change of value (once per Assign).
  TNotifyEvent OnChange;

 private:
  void FontChanged(bool) override {
    if (OnChange) OnChange(this);
  }
};
