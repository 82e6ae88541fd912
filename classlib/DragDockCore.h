// The rules of dragging and docking that need no window: when a press
// becomes a drag (the threshold), the order in which the control under the
// mouse hears of a drag (enter, move, leave), how a drag ends (a drop on a
// control that accepts, a refusal, a cancel), where on a dock site a client
// would go, and the caption a docked client gives its tab.
//
// TDragSession drives one drag through a TDragHost: the host finds the
// control under the mouse, asks it whether it accepts, shows the feedback
// (cursor, dock rectangle) and raises the events; the session keeps the
// order. Begin, Move and End come from the mouse (screen coordinates); an
// End while the press has not yet become a drag raises nothing.
#pragma once

#include <string>

#include "classlib/Component.h"
#include "classlib/Types.h"

enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

namespace classlib {

// Pixels the mouse must move from the press, in either direction, before a
// press becomes a drag (when BeginDrag is given no threshold of its own).
constexpr int kDragThreshold = 5;

// Whether `now` lies past the threshold from `start` (a negative threshold
// means the default one).
bool PastDragThreshold(const TPoint& start, const TPoint& now, int threshold);

// How a drag ended.
enum class TDragEnd { Dropped, Refused, Cancelled };

class TDragHost {
 public:
  virtual ~TDragHost() = default;
  // The control a drop at screen point p would go to (null: none).
  virtual TObject* TargetAt(const TPoint& p) = 0;
  // The press became a drag (OnStartDrag / OnStartDock).
  virtual void Started() = 0;
  // Target hears of the drag; answers whether it accepts a drop there.
  virtual bool Over(TObject* target, const TPoint& p, TDragState state) = 0;
  // The mouse is over target (null: no control), which accepts or not.
  virtual void Feedback(TObject* target, bool accepted) = 0;
  // A drop on an accepting target.
  virtual void Drop(TObject* target, const TPoint& p) = 0;
  // The drag is over: target is the one dropped on (null after a refusal or
  // a cancel).
  virtual void Finished(TObject* target, const TPoint& p, TDragEnd how) = 0;
};

class TDragSession {
 public:
  explicit TDragSession(TDragHost& host) : host_(host) {}
  // A press at start: Immediate drags at once, otherwise after the mouse
  // moves past threshold.
  void Begin(const TPoint& start, bool immediate, int threshold);
  void Move(const TPoint& p);
  // The button went up (drop) or the drag was cancelled (Esc, a right click,
  // EndDrag(false)).
  void End(const TPoint& p, bool drop);
  // The target went away while the mouse was over it: it hears no more.
  void Forget(TObject* target);
  bool Pending() const { return phase_ == Phase::Pending; }
  bool Dragging() const { return phase_ == Phase::Dragging; }
  bool Active() const { return phase_ != Phase::Idle; }
  TObject* Target() const { return target_; }
  bool Accepted() const { return accepted_; }
  const TPoint& StartPoint() const { return start_; }

 private:
  enum class Phase { Idle, Pending, Dragging };
  void StartDragging(const TPoint& p);
  TDragHost& host_;
  Phase phase_ = Phase::Idle;
  TPoint start_{};
  int threshold_ = kDragThreshold;
  TObject* target_ = nullptr;
  bool accepted_ = false;
  bool ending_ = false;
};

// Where on a dock site a client dropped at p would go: a side when p lies
// within a quarter of the site's width (height) of that edge, else the
// whole site.
enum class TDockZone { Left, Top, Right, Bottom, Client };
TDockZone DockZoneAt(const TRect& site, const TPoint& p);
// The part of the site a client docked in that zone takes: half of it on a
// side, all of it for Client.
TRect DockZoneRect(const TRect& site, TDockZone zone);

// A docked client's caption on its tab: the first line only.
std::string DockTabCaption(const std::string& caption);

} // namespace classlib
