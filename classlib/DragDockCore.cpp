// The portable rules of dragging and docking (see DragDockCore.h).
#include "classlib/DragDockCore.h"

#include <cstdlib>

namespace classlib {

bool PastDragThreshold(const TPoint& start, const TPoint& now, int threshold) {
  if (threshold < 0) threshold = kDragThreshold;
  return std::abs(now.X - start.X) > threshold || std::abs(now.Y - start.Y) > threshold;
}

void TDragSession::Begin(const TPoint& start, bool immediate, int threshold) {
  if (phase_ != Phase::Idle) return;
  start_ = start;
  threshold_ = threshold < 0 ? kDragThreshold : threshold;
  target_ = nullptr;
  accepted_ = false;
  phase_ = Phase::Pending;
  if (immediate) StartDragging(start);
}

void TDragSession::StartDragging(const TPoint& p) {
  phase_ = Phase::Dragging;
  host_.Started();
  // A start handler may have ended the drag already.
  if (phase_ == Phase::Dragging) Move(p);
}

void TDragSession::Move(const TPoint& p) {
  if (phase_ == Phase::Pending) {
    if (PastDragThreshold(start_, p, threshold_)) StartDragging(p);
    return;
  }
  if (phase_ != Phase::Dragging) return;
  TObject* now = host_.TargetAt(p);
  if (now != target_) {
    TObject* old = target_;
    target_ = nullptr;
    accepted_ = false;
    if (old) host_.Over(old, p, dsDragLeave);
    if (phase_ != Phase::Dragging) return;
    target_ = now;
    if (now) accepted_ = host_.Over(now, p, dsDragEnter);
  } else if (now) {
    accepted_ = host_.Over(now, p, dsDragMove);
  }
  // A handler may have ended the drag, or freed the target (Forget).
  if (phase_ == Phase::Dragging) host_.Feedback(target_, target_ && accepted_);
}

void TDragSession::End(const TPoint& p, bool drop) {
  if (phase_ == Phase::Pending) {
    phase_ = Phase::Idle; // a press that never became a drag
    return;
  }
  if (phase_ != Phase::Dragging || ending_) return;
  // The last look at the drop point; a handler ending the drag from there
  // leaves it to this end.
  ending_ = true;
  if (drop) Move(p);
  ending_ = false;
  if (phase_ != Phase::Dragging) return;
  // Nothing a handler does from here on reaches this drag again.
  phase_ = Phase::Idle;
  TObject* target = target_;
  const bool accepted = target && accepted_;
  target_ = nullptr;
  host_.Feedback(nullptr, false);
  if (target) host_.Over(target, p, dsDragLeave);
  if (drop && accepted) {
    host_.Drop(target, p);
    host_.Finished(target, p, TDragEnd::Dropped);
  } else {
    host_.Finished(nullptr, p, drop ? TDragEnd::Refused : TDragEnd::Cancelled);
  }
}

void TDragSession::Forget(TObject* target) {
  if (target && target == target_) {
    target_ = nullptr;
    accepted_ = false;
  }
}

TDockZone DockZoneAt(const TRect& site, const TPoint& p) {
  const int w = site.Width(), h = site.Height();
  if (w <= 0 || h <= 0) return TDockZone::Client;
  // The nearest edge decides when the point is close enough to one.
  const int dl = p.X - site.Left, dr = site.Right - p.X, dt = p.Y - site.Top,
            db = site.Bottom - p.Y;
  struct Edge {
    TDockZone zone;
    int dist, reach;
  } edges[] = {{TDockZone::Left, dl, w / 4},
               {TDockZone::Top, dt, h / 4},
               {TDockZone::Right, dr, w / 4},
               {TDockZone::Bottom, db, h / 4}};
  TDockZone best = TDockZone::Client;
  int bestDist = 0;
  for (const Edge& e : edges) {
    if (e.dist < 0 || e.dist >= e.reach) continue;
    if (best == TDockZone::Client || e.dist < bestDist) {
      best = e.zone;
      bestDist = e.dist;
    }
  }
  return best;
}

TRect DockZoneRect(const TRect& site, TDockZone zone) {
  TRect r = site;
  switch (zone) {
    case TDockZone::Left: r.Right = site.Left + site.Width() / 2; break;
    case TDockZone::Right: r.Left = site.Right - site.Width() / 2; break;
    case TDockZone::Top: r.Bottom = site.Top + site.Height() / 2; break;
    case TDockZone::Bottom: r.Top = site.Bottom - site.Height() / 2; break;
    case TDockZone::Client: break;
  }
  return r;
}

std::string DockTabCaption(const std::string& caption) {
  const size_t end = caption.find_first_of("\r\n");
  return end == std::string::npos ? caption : caption.substr(0, end);
}

} // namespace classlib
