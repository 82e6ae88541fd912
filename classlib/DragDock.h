// Drag and drop and docking on the controls (the members are declared in
// Controls.h, each feature in one block; this header adds the objects they
// pass around).
//
// A drag runs with the mouse captured by a hidden window of its own: the
// cursor shows the source's DragCursor over a control whose OnDragOver
// accepts and crNoDrop elsewhere; Esc or a right click cancels. A drop on an
// accepting control raises its OnDragDrop, then the source's OnEndDrag with
// that target; a cancel or a refusal raises OnEndDrag with no target.
//
// A dkDock control dragged with the mouse shows a dock rectangle over a dock
// site that takes it (OnGetSiteInfo, OnDockOver) and docks there when
// dropped (OnDockDrop, then the client's OnEndDock). Dropped anywhere else it
// floats: a form as its own window where it was dropped, another control in
// a small tool window of its own. A floating form whose DragKind is dkDock
// and DragMode dmAutomatic is dragged this way by its caption. A docked
// client leaves its site only when the site's OnUnDock allows. A docked
// client's caption and visibility changes reach its site (which a page
// control shows on the client's tab).
#pragma once

#include "classlib/Controls.h"

// What a drag carries: the control being dragged, and where the drag began.
class TDragObject : public TObject {
 public:
  explicit TDragObject(TControl* AControl) : control_(AControl) {}
  TControl* Control() const { return control_; }
  // The mouse, in screen coordinates, where the drag began.
  TPoint DragPos{};

 private:
  TControl* control_;
};

// A dock drag: where the client would go on the site (DockRect, in screen
// coordinates, set by the site's DockOver), beside which docked control and
// on which side.
class TDragDockObject : public TDragObject {
 public:
  using TDragObject::TDragObject;
  TRect DockRect{};
  TAlign DropAlign = alNone;
  TControl* DropOnControl = nullptr;
  bool Floating = true;
};

// Lays a dock site's clients out by their Align: a client docked on a side
// takes that Align (alNone: the whole site), and the site aligns them.
class TDockManager {
 public:
  explicit TDockManager(TWinControl* Site) : site_(Site) {}
  virtual ~TDockManager() = default;
  virtual void InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl);
  virtual void RemoveControl(TControl* Control);
  // Where a client docked at InsertAt would go, in screen coordinates.
  virtual void PositionDockRect(TControl* Client, TControl* DropCtl, TAlign InsertAt,
                                TRect& DockRect);
  virtual void ResetBounds(bool Force);
  TWinControl* Site() const { return site_; }

 private:
  TWinControl* site_;
};

namespace classlib {
// The side of a dock zone as an alignment.
TAlign AlignOfDockZone(TDockZone zone);
// The control's window rectangle on screen (a graphic control's bounds).
TRect ScreenBounds(TControl* c);
// BeginDrag(false, Threshold) with the mouse held by the drag from the press
// on, for a press that the control itself does not follow (a page control's
// tab that drags the client docked in its sheet).
void BeginDragCaptured(TControl* Control, int Threshold = -1);
} // namespace classlib
