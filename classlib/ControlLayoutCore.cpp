// Anchor arithmetic and the size rule (see ControlLayoutCore.h).
#include "classlib/ControlLayoutCore.h"

#include <algorithm>
#include <cmath>

// --- TSizeConstraints ---------------------------------------------------------------------

void TSizeConstraints::SetMinWidth(int v) {
  v = std::max(v, 0);
  if (v == min_width_) return;
  min_width_ = v;
  if (max_width_ > 0 && v > max_width_) max_width_ = v;
  Changed();
}

void TSizeConstraints::SetMinHeight(int v) {
  v = std::max(v, 0);
  if (v == min_height_) return;
  min_height_ = v;
  if (max_height_ > 0 && v > max_height_) max_height_ = v;
  Changed();
}

void TSizeConstraints::SetMaxWidth(int v) {
  v = std::max(v, 0);
  if (v == max_width_) return;
  max_width_ = v;
  if (v > 0 && v < min_width_) min_width_ = v;
  Changed();
}

void TSizeConstraints::SetMaxHeight(int v) {
  v = std::max(v, 0);
  if (v == max_height_) return;
  max_height_ = v;
  if (v > 0 && v < min_height_) min_height_ = v;
  Changed();
}

void TSizeConstraints::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TSizeConstraints*>(Source);
  if (!s) return TPersistent::Assign(Source);
  if (s == this) return;
  min_width_ = s->min_width_;
  min_height_ = s->min_height_;
  max_width_ = s->max_width_;
  max_height_ = s->max_height_;
  Changed();
}

void TSizeConstraints::Changed() {
  if (OnChange) OnChange(this);
}

// --- The size rule -------------------------------------------------------------------------

classlib::TSizeLimits classlib::ConstrainedLimits(TObject* Sender, const TSizeConstraints& c,
                                                  const TConstrainedResizeEvent& ev) {
  TSizeLimits l{c.MinWidth(), c.MinHeight(), c.MaxWidth(), c.MaxHeight()};
  if (ev) ev(Sender, l.MinWidth, l.MinHeight, l.MaxWidth, l.MaxHeight);
  return l;
}

void classlib::ClampToLimits(const TSizeLimits& l, int& w, int& h) {
  // The maximum first, so that a minimum above it still holds.
  if (l.MaxWidth > 0 && w > l.MaxWidth) w = l.MaxWidth;
  if (l.MinWidth > 0 && w < l.MinWidth) w = l.MinWidth;
  if (l.MaxHeight > 0 && h > l.MaxHeight) h = l.MaxHeight;
  if (l.MinHeight > 0 && h < l.MinHeight) h = l.MinHeight;
}

bool classlib::CheckNewSize(TObject* Sender, int& w, int& h, const TSizeConstraints& c,
                            const TCanResizeEvent& canResize,
                            const TConstrainedResizeEvent& constrained) {
  int nw = w, nh = h;
  bool resize = true;
  if (canResize) canResize(Sender, nw, nh, resize);
  if (!resize) return false;
  ClampToLimits(ConstrainedLimits(Sender, c, constrained), nw, nh);
  w = std::max(nw, 0);
  h = std::max(nh, 0);
  return true;
}

// --- Anchors -------------------------------------------------------------------------------

namespace {

// One axis: the near edge (left or top) and the far edge (right or bottom).
void AnchorAxis(bool nearEdge, bool farEdge, int pos0, int len0, int parent0, int parent,
                int& pos, int& len) {
  const int grow = parent - parent0;
  pos = pos0;
  len = len0;
  if (nearEdge && farEdge) {
    len = std::max(len0 + grow, 0);
  } else if (farEdge) {
    pos = pos0 + grow;
  } else if (!nearEdge && parent0 > 0) {
    // The centre keeps its share of the parent's extent.
    const double centre = pos0 + len0 / 2;
    pos = static_cast<int>(std::lround(centre * parent / parent0)) - len0 / 2;
  }
}

} // namespace

TRect classlib::AnchoredBounds(TAnchors a, const TRect& base, const TSize& baseParent,
                               const TSize& parent) {
  int left, top, width, height;
  AnchorAxis(a.Contains(akLeft), a.Contains(akRight), base.Left, base.Width(), baseParent.cx,
             parent.cx, left, width);
  AnchorAxis(a.Contains(akTop), a.Contains(akBottom), base.Top, base.Height(), baseParent.cy,
             parent.cy, top, height);
  return Bounds(left, top, width, height);
}
