// The window's side of moving a column by its header: the drag box that
// follows the mouse with the column's header on it and the two red arrows
// that mark where the column would land. The grid decides (ColumnDragMove,
// ColumnDragDrop, ColumnDragCancelled hear the box); this shows.
#pragma once

#include "classlib/Controls.h"
#include "classlib/Types.h"

class TColumnDragBox;
class TDragArrow;
class TDgCustomColumn;
class TDgCustomGrid;

class TDgColumnDragFeedback {
 public:
  // Window: the grid's window (owner and parent of the three flyouts).
  TDgColumnDragFeedback(TWinControl* Window, TDgCustomGrid* Grid);
  TDgColumnDragFeedback(const TDgColumnDragFeedback&) = delete;
  TDgColumnDragFeedback& operator=(const TDgColumnDragFeedback&) = delete;

  // Screen coordinates throughout.
  void Start(TDgCustomColumn* Column, const TRect& ScreenRect, const TPoint& ScreenMouse);
  void End();
  void ShowArrows(bool Show, const TPoint& Upper, const TPoint& Lower);
  void SetCursor(TCursor Cursor);

  TColumnDragBox* Box() const { return box_; }
  TDragArrow* UpperArrow() const { return upper_; }
  TDragArrow* LowerArrow() const { return lower_; }

 private:
  TWinControl* window_ = nullptr;
  TDgCustomGrid* grid_ = nullptr;
  // Owned by the window (freed with it).
  TColumnDragBox* box_ = nullptr;
  TDragArrow* upper_ = nullptr;
  TDragArrow* lower_ = nullptr;
};
