// How the grid follows its columns: one column changed, the collection
// changed, a repaint asked for, a sort started (see DgCustomGridControl.h).
#include "grid/DgCustomGridControl.h"

void TDgCustomGridControl::ColumnsChanged(int Kind, int Index) {
  if ((Kind == 1 || Kind == 2) && !EndEditSurvived()) return;
  if (Kind == DgColumnsKind::Deleted && Index >= 0) {
    // The references the grid keeps must not outlive the column (it has
    // left the index order already).
    auto gone = [this](TDgCustomColumn* c) { return c && columns_->IndexOf(c) < 0; };
    if (gone(sorted_column_)) sorted_column_ = nullptr;
    if (gone(pressed_column_)) pressed_column_ = nullptr;
    if (gone(hot_column_)) hot_column_ = nullptr;
    if (selected_column_ > Index)
      --selected_column_;
    else if (selected_column_ == Index)
      selected_column_ = 0;
    if (input_col_ >= Index) input_col_ = -1;
  }
  UpdateHorzScrollBar();
}

void TDgCustomGridControl::ColumnsCollectionChanged(int Kind, int Index) {
  const TLifeToken life = LifeToken();
  ColumnsChanged(Kind, Index);
  if (!life || Index < 0) return;
  if (Kind == DgColumnsKind::Added)
    DoDataChange(dcAddColumn, Index);
  else if (Kind == DgColumnsKind::Deleted)
    DoDataChange(dcDeleteColumn, Index);
  else if (Kind == 3)
    DoDataChange(dcInsertColumn, Index);
}

void TDgCustomGridControl::ColumnsUpdated(int Kind) {
  if (Kind != 2) RepositionEditor();
  // The layout is done now: the range takes the columns' new widths.
  UpdateHorzScrollBar();
  InvalidateAll();
}

void TDgCustomGridControl::ColumnChanged(TDgCustomColumn* Column, int Value, int Kind) {
  if (!Column || !CanRepaint()) return;
  namespace K = DgColumnChange;
  if ((cell_editing_ || input_editing_) &&
      (Kind == K::Position || Kind == K::BecameSorted || Kind == K::Visibility || Kind == K::Width))
    RepositionEditor();
  const int index = Column->Index();
  // The handlers raised below may free the grid.
  const TLifeToken life = LifeToken();
  switch (Kind) {
    case K::InputValue: RepaintColumn(Column, DgRegion::Input); break;
    case K::Position:
      DoColumnMove(index, Value, Column->Position());
      if (life) InvalidateAll();
      break;
    case K::SlideBounds:
      InvalidateAll();
      DoSlideChange(index);
      break;
    case K::BecameSorted:
    case K::SortOrder:
      if (Column->Sorted()) {
        RepaintColumn(Column, DgRegion::Header);
        SortColumn(Column, Column->SortKind() == skAscending);
      }
      break;
    case K::Appearance: RepaintColumn(Column, DgRegion::Client); break;
    case K::Visibility:
      UpdateHorzScrollBar();
      InvalidateAll();
      break;
    case K::Unsorted:
      RepaintColumn(Column, DgRegion::Header);
      if (appearance_options_.Contains(aoIndicateSortedColumn))
        RepaintColumn(Column, DgRegion::Cells);
      if (sorted_column_ == Column) sorted_column_ = nullptr;
      break;
    case K::Width:
      if (update_lock_ == 0) {
        const int old_right = Column->VisibleLeft() + Column->Width() - Value;
        const int bottom = grid_style_ == gsSlides ? header_size_ : ClientHeight();
        host_->ScrollPixels(Value, 0, TRect{old_right, 0, ClientWidth(), bottom});
        // The column's own content is laid out again in its new width.
        RepaintColumn(Column, DgRegion::Client);
      }
      DoColumnResize(index);
      if (life) UpdateHorzScrollBar();
      break;
    default: break;
  }
}

// What each refresh code repaints: a caption of some part (header, footer
// or input line), the cells, the footer, the header.
void TDgCustomGridControl::ColumnRefresh(TDgCustomColumn* Column, int Code) {
  switch (Code) {
    case DgColumnRefresh::PartCaption:
      RepaintColumn(Column, DgRegion::Header);
      RepaintColumn(Column, DgRegion::Footer);
      RepaintColumn(Column, DgRegion::Input);
      break;
    case DgColumnRefresh::Cells: RepaintColumn(Column, DgRegion::Cells); break;
    case DgColumnRefresh::Footer: RepaintColumn(Column, DgRegion::Footer); break;
    case DgColumnRefresh::Header: RepaintColumn(Column, DgRegion::Header); break;
    default: break;
  }
}

void TDgCustomGridControl::SortColumn(TDgCustomColumn* Column, bool Ascending) {
  CheckThread();
  if (!Column || !Column->Options().Contains(coCanSort)) return;
  // OnEditExit may free the column, or the grid with it.
  if (!EndEditSurvived() || columns_->IndexOf(Column) < 0) return;
  sorted_column_ = Column;
  DoSortColumn(Column->Index(), Column->SortKind() == skAscending);
}
