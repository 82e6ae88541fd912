// Dispatch of the core's events: each is raised only when assigned; an
// exception in a handler reaches the caller of the operation.
#include "grid/DgCustomGridControl.h"

void TDgCustomGridControl::DoDeselectCell(int ACol, int ARow) {
  if (OnDeselectCell) OnDeselectCell(this, ACol, ARow);
}
void TDgCustomGridControl::DoSelectCell(int ACol, int ARow) {
  if (OnSelectCell) OnSelectCell(this, ACol, ARow);
}
void TDgCustomGridControl::DoInputSelectCell(int ACol) {
  if (OnInputSelectCell) OnInputSelectCell(this, ACol);
}
void TDgCustomGridControl::DoChange(int ACol, int ARow) {
  if (OnChange) OnChange(this, ACol, ARow);
}
void TDgCustomGridControl::DoChangeRowHeight(int Index, int Height) {
  if (OnChangeRowHeight) OnChangeRowHeight(this, Index, Height);
}
void TDgCustomGridControl::DoColumnMove(int ACol, int FromPos, int ToPos) {
  if (OnColumnMove) OnColumnMove(this, ACol, FromPos, ToPos);
}
void TDgCustomGridControl::DoColumnResize(int ACol) {
  if (OnColumnResize) OnColumnResize(this, ACol);
}
void TDgCustomGridControl::DoSlideChange(int ACol) {
  if (OnSlideChange) OnSlideChange(this, ACol);
}
void TDgCustomGridControl::DoSortColumn(int ACol, bool Ascending) {
  if (OnSortColumn) OnSortColumn(this, ACol, Ascending);
}
void TDgCustomGridControl::DoDataChange(TDataChange Kind, int Index) {
  if (OnDataChange) OnDataChange(this, Kind, Index);
}
void TDgCustomGridControl::DoLoadProgress(int ACol, int ARow) {
  if (OnLoadProgress) OnLoadProgress(this, ACol, ARow);
}
void TDgCustomGridControl::DoApplyCell(int ACol, int ARow, WideString& Value) {
  if (OnApplyCell) OnApplyCell(this, ACol, ARow, Value);
}
void TDgCustomGridControl::DoMeasuringRowHeight(int Index, int& RowHeight) {
  if (OnMeasuringRowHeight) OnMeasuringRowHeight(this, Index, RowHeight);
}
void TDgCustomGridControl::GetCellHint(int ACol, int ARow, WideString& Value) {
  if (OnCellHint) OnCellHint(this, ACol, ARow, Value);
}
