// The drag box and drop arrows of a column move (see DgGridMouseWin.h).
#include "grid/DgGridMouseWin.h"

#include "grid/DgCanvasWin.h"
#include "grid/DgColumnDragBoxWin.h"
#include "grid/DgCustomGrid.h"

TDgColumnDragFeedback::TDgColumnDragFeedback(TWinControl* Window, TDgCustomGrid* Grid)
    : window_(Window), grid_(Grid) {
  box_ = new TColumnDragBox(Window);
  box_->SetVisible(false);
  box_->OnColumnMove = [this](TObject*, int X, int Y) { grid_->ColumnDragMove(X, Y); };
  box_->OnColumnDrop = [this](TObject*, int X, int Y) { grid_->ColumnDragDrop(X, Y); };
  box_->OnColumnDragCancel = [this](TObject*) { grid_->ColumnDragCancelled(); };
  // The upper arrow stands above the header pointing down at it, the lower
  // one below it pointing up; their outlines are made with their windows.
  upper_ = new TDragArrow(Window);
  upper_->SetVisible(false);
  upper_->SetKind(TDgArrowKind::Down);
  lower_ = new TDragArrow(Window);
  lower_->SetVisible(false);
  lower_->SetKind(TDgArrowKind::Up);
}

void TDgColumnDragFeedback::Start(TDgCustomColumn* Column, const TRect& ScreenRect,
                                  const TPoint& ScreenMouse) {
  // The box shows the header as the grid draws it: in the grid's font.
  DgAssignFont(*box_->Font(), *grid_->Font());
  box_->SetBoundsRect(ScreenRect);
  box_->StartDrag(ScreenMouse.X, ScreenMouse.Y, false, Column);
}

void TDgColumnDragFeedback::End() {
  ShowArrows(false, TPoint{}, TPoint{});
  box_->Hide();
  // Letting go of the mouse ends the box's tracking (its cancel reaches a
  // grid that has already ended the drag).
  if (box_->HandleAllocated() && GetCapture() == box_->Handle()) ReleaseCapture();
}

void TDgColumnDragFeedback::ShowArrows(bool Show, const TPoint& Upper, const TPoint& Lower) {
  if (!Show) {
    upper_->Hide();
    lower_->Hide();
    return;
  }
  upper_->SetBounds(Upper.X, Upper.Y, DgArrowSize, DgArrowSize);
  lower_->SetBounds(Lower.X, Lower.Y, DgArrowSize, DgArrowSize);
  upper_->Show();
  lower_->Show();
}

void TDgColumnDragFeedback::SetCursor(TCursor Cursor) {
  box_->SetCursor(Cursor);
  if (box_->HandleAllocated() && GetCapture() == box_->Handle())
    ::SetCursor(classlib::CursorHandleOf(Cursor));
}
