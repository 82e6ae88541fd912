// Anchors and size constraints: where a control goes when its parent is
// resized, and the rule every change of a control's size passes through.
//
// Portable: the controls (ControlLayout.cpp) hand in their bounds, their
// parent's client size and their events; nothing here needs a window.
//
// Anchors: a control keeps its distance to each anchored edge of its parent;
// with both edges of an axis anchored it stretches; with neither it keeps its
// centre's relative place along that axis. Positions are always worked out
// from the bounds the control had at the parent size it was placed in (the
// anchor base), so growing and shrinking the parent back lands exactly where
// the control started.
//
// Size: a new size is first offered to OnCanResize (which may change it or
// refuse it), then the limits (Constraints, as OnConstrainedResize may change
// them) clamp it. 0 means no limit.
#pragma once

#include <functional>

#include "classlib/Component.h"
#include "classlib/Set.h"
#include "classlib/Types.h"

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

using TCanResizeEvent =
    std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TConstrainedResizeEvent = std::function<void(TObject* Sender, int& MinWidth, int& MinHeight,
                                                   int& MaxWidth, int& MaxHeight)>;

// The smallest and largest size a control may take; 0 = no limit. A minimum
// above the maximum (or a maximum below the minimum) pulls the other along,
// so the limits never cross. Negative values count as 0.
class TSizeConstraints : public TPersistent {
 public:
  int MinWidth() const { return min_width_; }
  void SetMinWidth(int v);
  int MinHeight() const { return min_height_; }
  void SetMinHeight(int v);
  int MaxWidth() const { return max_width_; }
  void SetMaxWidth(int v);
  int MaxHeight() const { return max_height_; }
  void SetMaxHeight(int v);
  void Assign(TPersistent* Source) override;

  // Any limit changed.
  TNotifyEvent OnChange;

 private:
  void Changed();
  int min_width_ = 0, min_height_ = 0, max_width_ = 0, max_height_ = 0;
};

namespace classlib {

struct TSizeLimits {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};

// The limits in force: the constraints, as OnConstrainedResize leaves them.
TSizeLimits ConstrainedLimits(TObject* Sender, const TSizeConstraints& Constraints,
                              const TConstrainedResizeEvent& OnConstrainedResize);
// Clamps a size to the limits (a minimum wins over a crossed maximum).
void ClampToLimits(const TSizeLimits& Limits, int& Width, int& Height);
// The rule of every change of size: OnCanResize, then the limits. False when
// OnCanResize refused the change (Width and Height are then left as given).
bool CheckNewSize(TObject* Sender, int& Width, int& Height, const TSizeConstraints& Constraints,
                  const TCanResizeEvent& OnCanResize,
                  const TConstrainedResizeEvent& OnConstrainedResize);

// Where a control anchored by Anchors goes when its parent's client size
// changes from BaseParent to Parent, given its bounds Base at BaseParent.
TRect AnchoredBounds(TAnchors Anchors, const TRect& Base, const TSize& BaseParent,
                     const TSize& Parent);

} // namespace classlib
