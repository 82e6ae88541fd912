// What the skinned track bar and buttons share when they paint their
// images: the masked outline with the window region it cuts.
//
// The outline's region goes to the window only when it differs from the
// one given last (a new size, another mask), and without a redraw, since it
// is given while painting; the parent is asked to repaint what the cut
// pixels uncover.
#pragma once

#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "skins/sConst.h"
#include "skins/sGraphUtilsCore.h"
#include "skins/sStyleUtilCore.h"

namespace skins {

class TMaskRegion {
 public:
  // Paints the style's border mask (state 0 normal, 1 hot, 2 pressed) over
  // `image` and gives `control` the region the mask leaves.
  void Paint(TWinControl* control, TsActiveBGStyle* style, TBitmap* image, int state,
             bool fill_centre);
  // The window's region may have been replaced (a resize, a new window).
  void Forget() { w_ = -1; }
  // How many times a region went to the window (a test seam).
  int Applications() const { return applications_; }

 private:
  void Apply(TWinControl* control, const std::vector<TRect>& cut);
  std::vector<TRect> cut_;
  int w_ = -1, h_ = -1;
  int applications_ = 0;
};

}  // namespace skins
