// TDataGrid: tree rows, sorting and footers (see DgGrid.h).
#include <algorithm>

#include "grid/DgCellClasses.h"
#include "grid/DgFooterValue.h"
#include "grid/DgGrid.h"
#include "grid/DgRowBook.h"

// --- Tree rows -------------------------------------------------------------------------------

void TDataGrid::AddChildRow(int ARow, bool AsLast) {
  CheckThread();
  if (!ValidRow(ARow)) return;
  const int pos = AsLast ? ARow + cells_->DescendantCount(ARow) + 1 : ARow + 1;
  cells_->InsertChildRow(ARow, pos);
  FollowRows([&](int i) { return DgRows::AfterInsert(i, pos); });
  if (pos < top_row_) ++top_row_;
  const TLifeToken life = LifeToken();
  FillDefaultValues(pos, pos); // OnChange may free the grid
  if (!life) return;
  RecountVisibleRows();
  if (UpdateLock() == 0) {
    if (GetRowVisible(pos)) RowSpaceChanged(pos, StyleRowHeight(pos), true);
    // The first child gives the parent its expand button.
    if (cells_->Row(ARow)->ChildCount == 1) RepaintRow(ARow);
  }
  last_added_ = pos;
  SettleScroll();
  FootersChanged();
}

bool TDataGrid::Expanded(int ARow) { return ValidRow(ARow) && cells_->Row(ARow)->Expanded; }

int TDataGrid::ChildCount(int ARow) { return ValidRow(ARow) ? cells_->Row(ARow)->ChildCount : 0; }

void TDataGrid::SetExpanded(int ARow, bool Value) {
  CheckThread();
  if (!ValidRow(ARow)) return;
  TRow* row = cells_->Row(ARow);
  if (row->ChildCount == 0 || row->Expanded == Value) return;
  const int end = ARow + cells_->DescendantCount(ARow);
  // Under a collapsed ancestor the row's children stay hidden: only the
  // flag changes, and they appear when that ancestor opens.
  const bool walk = !Value || row->Shown;
  for (int r = ARow + 1; walk && r <= end; ++r) {
    cells_->SetShown(r, Value);
    // Under a collapsed descendant its own descendants stay hidden.
    if (Value && !cells_->Row(r)->Expanded) r += cells_->DescendantCount(r);
  }
  row->Expanded = Value;
  RecountVisibleRows();
  if (UpdateLock() == 0 && CanRepaint()) {
    // Everything from the row down moves: one repaint of it.
    int top;
    const TRect area = CellAreaRect();
    if (ARow < TopRow())
      InvalidateAll();
    else if (TopOnScreen(ARow, top))
      InvalidateArea(TRect{0, top - LineTop(), ClientWidth(), area.Bottom});
  }
  SettleScroll();
  RepaintRow(ARow);
  if (OnExpand) OnExpand(this, ARow);
}

int TDataGrid::NextSibling(int ARow) {
  return ValidRow(ARow) ? DgRows::NextSibling(*cells_, ARow) : -1;
}

int TDataGrid::ParentRow(int ARow) { return ValidRow(ARow) ? DgRows::ParentOf(*cells_, ARow) : -1; }

void TDataGrid::TreeRelation(int ARow, int& Next, int& Parent) {
  Next = NextSibling(ARow);
  Parent = ParentRow(ARow);
}

// --- Sorting ----------------------------------------------------------------------------------

void TDataGrid::SortColumn(TDgCustomColumn* Column, bool Ascending) {
  CheckThread();
  if (!Column) return;
  // OnEditExit and OnSortColumn may free the column, or the grid with it.
  const TLifeToken life = LifeToken();
  TDgCustomGrid::SortColumn(Column, Ascending);
  if (!life || Columns()->IndexOf(Column) < 0) return;
  const int col = Column->Index();
  if (!Column->Options().Contains(coCanSort) || !ValidColumn(col)) return;
  TRow* selected = ValidRow(selected_row_) ? cells_->Row(selected_row_) : nullptr;
  TRow* anchor = ValidRow(anchor_) ? cells_->Row(anchor_) : nullptr;
  cells_->Sort(col, Column->SortType(), Column->Options().Contains(coFullResort), !Ascending);
  // Children stay under their parents: each group of siblings is sorted
  // (a sort of single rows would leave children under a foreign parent).
  if (DgRows::HasChildRows(*cells_)) cells_->Reorder(DgRows::TreeOrder(*cells_), true);
  // The selection and the anchor follow their rows to their new places.
  if (selected) selected_row_ = cells_->IndexOfRow(selected);
  if (anchor) anchor_ = cells_->IndexOfRow(anchor);
  // The view keeps its place: the top row is the one as many visible rows
  // down as the bar's position.
  if (Host() && RowCount() > 0) {
    int skip = Host()->VertScrollBar().Position(), r = 0;
    const int count = RowCount();
    for (; r < count; ++r)
      if (GetRowVisible(r) && skip-- == 0) break;
    top_row_ = r < count ? r : std::max(0, DgRows::LastDrawnUpTo(*cells_, count - 1));
  }
  RecountVisibleRows();
  if (selected_row_ >= 0) ScrollToRow(selected_row_);
  if (UpdateLock() == 0) {
    RepaintRegion(DgRegion::Cells);
    if (Options().Contains(goIndicator)) RepaintRegion(DgRegion::Indicator);
  }
  if (OnAfterSort) OnAfterSort(this, col);
}

// --- Footers ----------------------------------------------------------------------------------

void TDataGrid::RecalculateFooters(bool VisibleOnly) {
  CheckThread();
  // The handlers may free a column, or the grid with all of them.
  const TLifeToken life = LifeToken();
  for (int i = 0, n = Columns()->Count(); i < n && i < Columns()->Count(); ++i) {
    TDgCustomColumn* column = Columns()->Item(i);
    TColumnFooter* footer = column->Footer();
    const TFormulaKind kind = footer->FormulaKind();
    if (kind == fkNone) continue;
    if (RowCount() == 0) {
      footer->SetCaption(u"0");
      continue;
    }
    double value = 0;
    if (kind == fkCustom) {
      if (OnColumnFooterValue) OnColumnFooterValue(this, i, value);
      if (!life) return;
    } else {
      value = DgFooterValue(*cells_, i, kind, VisibleOnly);
    }
    if (OnFooterCalculate) OnFooterCalculate(this, i, value);
    if (!life) return;
    if (Columns()->IndexOf(column) >= 0) footer->SetCaption(DgCellText::Widen(FloatToStr(value)));
  }
}
