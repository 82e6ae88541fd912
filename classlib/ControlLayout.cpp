// Anchors and constraints of TControl and TWinControl (see Controls.h): the
// controls' side of the rules in ControlLayoutCore.h.
#include <vector>

#include "classlib/Controls.h"

// --- Constraints ---------------------------------------------------------------------------

bool TControl::CheckNewSize(int& NewWidth, int& NewHeight) {
  return classlib::CheckNewSize(this, NewWidth, NewHeight, constraints_, OnCanResize,
                                OnConstrainedResize);
}

classlib::TSizeLimits TControl::SizeLimits() {
  return classlib::ConstrainedLimits(this, constraints_, OnConstrainedResize);
}

void TControl::ConstraintsChanged() {
  // New limits apply to the size the control has now.
  int w = width_, h = height_;
  if (!CheckNewSize(w, h) || (w == width_ && h == height_)) return;
  SetBounds(left_, top_, w, h);
}

// --- Anchors ---------------------------------------------------------------------------------

void TControl::SetAnchors(TAnchors v) {
  if (v == anchors_) return;
  anchors_ = v;
  // The distances to keep are those the control has now.
  anchor_base_stale_ = true;
  RequestAlign();
}

void TWinControl::AnchorControls() {
  const TRect client = ClientRect();
  const TSize now{client.Width(), client.Height()};
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (c->Align() != alNone) continue;
    if (c->anchor_base_stale_) {
      c->anchor_base_ = c->BoundsRect();
      c->anchor_parent_ = now;
      c->anchor_base_stale_ = false;
      continue;
    }
    if (c->anchors_ == TAnchors{akLeft, akTop}) continue;
    // Back at the base size the control goes back to its base bounds.
    const TRect r = classlib::AnchoredBounds(c->anchors_, c->anchor_base_, c->anchor_parent_, now);
    if (r == c->BoundsRect()) continue;
    const TLifeToken life = c->LifeToken();
    c->anchoring_ = true;
    try {
      c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    } catch (...) {
      if (life) c->anchoring_ = false;
      throw;
    }
    if (life) c->anchoring_ = false;
  }
}
