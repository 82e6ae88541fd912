// TDataGrid: the report grid that holds its own data, in a cell store
// (TCells) it owns, one row record and one cell per column for every row.
// It answers the row and cell questions of the grid core and adds rows,
// tree rows, sorting, footers and the text files.
//
// Rows that move keep what was theirs: the selection, the selection anchor
// and the top row follow their row through inserts, deletes, moves, swaps
// and sorts; when the selected row itself goes, the row that takes its place
// (or the new last row) is selected.
//
// Tree rows stay whole: deleting a row deletes its subtree, moving or
// swapping a row takes its subtree along and is done only among siblings
// (a move or swap across parents is refused), and a sort orders every
// group of siblings with each child kept under its parent.
//
// Sources: DgGrid.cpp (store binding, cells, row properties, painting and
// play answers), DgGridRows.cpp (adding, inserting, deleting, moving, row
// space), DgGridTree.cpp (tree rows, sorting, footers).
#pragma once

#include <functional>
#include <vector>

#include "grid/DgCells.h"
#include "grid/DgCustomGrid.h"

using TCellFormatingEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TColor& TextColor,
                       TFontStyles& FontStyle, TCellState CellState)>;
using TCompareEvent =
    std::function<void(TObject* Sender, TCell* Cell1, TCell* Cell2, int& Compare)>;
using TDgRowExpandEvent = std::function<void(TObject* Sender, int ARow)>;

class TDataGrid : public TDgCustomGrid {
 public:
  explicit TDataGrid(TComponent* AOwner = nullptr, IDgGridHost* Host = nullptr);
  ~TDataGrid() override;

  // The store (owned by the grid).
  TCells* CellStore() const { return cells_; }

  // --- Cells --------------------------------------------------------------------------
  // The cell object; a row outside the grid raises the list's index error
  // ("List index out of bounds (r)"), a column outside it "Cell out of
  // bounds (c, r)".
  TCell* Cell(int ACol, int ARow);
  // The cell's text; both raise "Cell out of bounds (c, r)" and change nothing.
  WideString Cells(int ACol, int ARow) override;
  void SetCells(int ACol, int ARow, const WideString& Value) override;

  // --- Rows -------------------------------------------------------------------------
  int RowCount() const override;
  // Appends Count rows (none for Count < 1); the index of the last new row,
  // or of the last added one when nothing was added.
  int AddRow(int Count) override;
  // Appends Count rows with one repaint, no default values and no OnDataChange.
  void AddRowsQuiet(int Count);
  void ClearRows() override;
  void DeleteRow(int ARow) override;
  void InsertRow(int Pos) override;
  void MoveRow(int FromRow, int ToRow) override;
  void ExchangeRows(int Row1, int Row2) override;
  void SetRowSize(int Value) override;
  int StartRowCount() const { return start_row_count_; }
  void SetStartRowCount(int Value);
  void SortColumn(TDgCustomColumn* Column, bool Ascending) override;

  int GetRowHeight(int ARow) override;
  int GetRowLevel(int ARow) override;
  bool GetRowVisible(int ARow) override;
  bool GetRowSelected(int ARow) override;
  void SetRowHeight(int ARow, int Height) override;
  void SetRowVisible(int ARow, bool Visible) override;
  void SetRowSelected(int ARow, bool Selected) override;
  void SelectRowRange(int FromRow, int ToRow, bool Selected) override;
  int FirstVisibleRow() override { return first_visible_row_; }
  int LastVisibleRow() override { return last_visible_row_; }
  int VisibleRowCount() override;

  // --- Tree rows --------------------------------------------------------------------
  // Adds a child of ARow: right below it, or after its last descendant.
  void AddChildRow(int ARow, bool AsLast);
  bool Expanded(int ARow);
  void SetExpanded(int ARow, bool Value);
  int ChildCount(int ARow);
  // The next row of the same level under the same parent, -1 when none;
  // and the parent row, -1 for a top-level row.
  int NextSibling(int ARow);
  int ParentRow(int ARow);
  void TreeRelation(int ARow, int& NextSibling, int& Parent);

  // --- Cells as the core sees them ----------------------------------------------------
  bool IsCellEmpty(int ACol, int ARow) override;
  TColor GetCellColor(int ACol, int ARow) override;
  void ColumnsChanged(int Kind, int Index) override;
  void CellFormatting(int ACol, int ARow, TCellState CellState) override;
  void RecalculateFooters(bool VisibleOnly) override;
  void GetCellInfo(int ACol, int ARow, TDgCellValue& Value) override;
  void GetDisplayText(int ACol, int ARow, WideString& Text) override;
  void GetHintText(int ACol, int ARow, WideString& Text) override;
  void GetCellHint(int ACol, int ARow, WideString& Value) override;
  bool DrawCellText(int ACol, int ARow, TCellState CellState) override;
  void PrepareCellDisplay(int ACol, int ARow, TVirtualColElement* Display) override;
  void PreparePlay(TDgCustomColumn* Column, int ARow, TVirtualColElement* Play) override;
  void PlayValueChanged(TDgCustomColumn* Column, int ARow) override;
  void PlayClicked(TDgCustomColumn* Column, int ARow) override;

  TCellFormatingEvent OnCellFormating;
  TCompareEvent OnCompare;
  TDgRowExpandEvent OnExpand;

 protected:
  // Scrolls the pixels below a row that appeared (inserted, shown) or
  // disappeared (deleted, hidden), Height its height without spacing.
  void RowSpaceChanged(int ARow, int Height, bool Appeared);

 private:
  // The cell at a place inside the grid; "Cell out of bounds (c, r)" else.
  TCell* CellInBounds(int ACol, int ARow);
  void StoreCellChanged(int ACol, int ARow);
  void FillDefaultValues(int FromRow, int ToRow);
  // The height a row takes in the grid's style (its own, or the slide size).
  int StyleRowHeight(int ARow);
  // The top of a row when it lies within the cell area; false when below it.
  bool TopOnScreen(int ARow, int& Top);
  void InvalidateRowsFrom(int FromRow, int ToRow, bool WithBottomLine);
  // The vertical bar brought up to date (nothing under the update lock).
  void SettleScroll();
  // First and last visible rows scanned again.
  void RecountVisibleRows();
  // After a reordering: the selection, anchor and top row follow their
  // rows, and so does a cell being edited (its text is written to its row).
  template <class Map>
  void FollowRows(Map NewIndex) {
    if (selected_row_ >= 0) selected_row_ = NewIndex(selected_row_);
    if (anchor_ >= 0) anchor_ = NewIndex(anchor_);
    if (CellEditing() && edit_row_ >= 0) {
      edit_row_ = NewIndex(edit_row_);
      RepositionEditor();
    }
  }
  // Deletes the rows [First, First + Count) as one block (a subtree).
  void DeleteBlock(int First, int Count);

  TCells* cells_ = nullptr;
  int last_added_ = 0;
  int start_row_count_ = 0;
};
