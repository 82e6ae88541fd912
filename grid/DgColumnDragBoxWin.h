// The feedback windows of moving a column by its header: TColumnDragBox, an
// image of the dragged header that follows the mouse, and TDragArrow, the
// red 9 x 9 arrows marking the drop place. The box tracks the mouse itself
// from StartDrag until the left button goes up (drop) or the mouse capture
// goes elsewhere (cancelled: the box hides and the grid is told).
#pragma once

#include <functional>

#include "grid/DgColumns.h"
#include "grid/DgDisplays.h"
#include "grid/DgFlyoutControlWin.h"
#include "grid/DgFlyoutShapes.h"

using TColumnDropEvent = std::function<void(TObject* Sender, int X, int Y)>;

class TColumnDragBox : public TDgFlyoutControl {
 public:
  explicit TColumnDragBox(TWinControl* Grid);

  // X, Y: the mouse on the screen. The grid sets the box's font (its own
  // Font) and bounds (the header's place on the screen) first.
  void StartDrag(int X, int Y, bool Hidden, TDgCustomColumn* Column);
  TDgCustomColumn* Column() const { return column_; }
  bool Tracking() const { return tracking_; }
  TDefaultStyleDisplay* Painter() { return &painter_; }

  // Screen coordinates.
  TColumnDropEvent OnColumnDrop;
  TColumnDropEvent OnColumnMove;
  // The drag ended without a drop (the mouse capture went elsewhere).
  TNotifyEvent OnColumnDragCancel;

 protected:
  void Paint() override;
  void WndProc(TMessage& Message) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  TWinControl* grid_ = nullptr;
  TDgCustomColumn* column_ = nullptr;
  TDefaultStyleDisplay painter_{this};
  bool tracking_ = false;
  bool releasing_ = false;
};

class TDragArrow : public TDgFlyoutControl {
 public:
  explicit TDragArrow(TWinControl* Grid);
  TDgArrowKind Kind() const { return kind_; }
  void SetKind(TDgArrowKind v);
  virtual void ApplyShape();

 protected:
  void CreateShape() override { ApplyShape(); }
  void Paint() override;

 private:
  TDgArrowKind kind_ = TDgArrowKind::None;
};
