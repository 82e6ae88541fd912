// Small helpers shared by the classes that wrap a Windows control (the
// stock controls in StdCtrls, PanelCtrls and ComCtrls).
#pragma once

#include "classlib/Controls.h"

namespace classlib {
// A wrapped Windows control tracks the mouse and reports its own clicks:
// the library must neither capture the mouse for it nor make clicks of its
// own out of its button messages.
inline void AsWrappedControl(TControlStyle& s) {
  s -= {csCaptureMouse, csClickEvents, csAcceptsControls};
}
} // namespace classlib
