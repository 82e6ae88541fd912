// The cell store of a data grid: TCells holds one list of cell objects per
// column and one TRow per row, all lists always RowCount long, item r of
// every list belonging to row r. TCell is one value with conversions for
// the five typed accessors (the classes are in DgCellClasses.h); the store
// makes each cell by its column's cell kind, sorts rows by a column and
// tells its grid when a cell changes.
//
// Every cell knows its own row and column, so a cell kept by the caller
// reports its own place when written, and cells that show their position
// (increment, virtual) show their own.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/DrawTypes.h"
#include "classlib/SysUtils.h"
#include "grid/DgColumns.h"
#include "grid/DgTypes.h"

class TCells;
class TCell;

class TRow {
 public:
  int ChildCount = 0;
  bool Expanded = true;
  int Level = 0;
  TRow* Parent = nullptr;
  int Height = 0;
  bool Selected = false;
  // False while an ancestor is collapsed.
  bool Shown = true;
  bool Visible = true;
  // The row takes space on screen.
  bool Drawn() const { return Shown && Visible; }
  // Its place in the store (kept by the store).
  int Index() const { return index_; }

 private:
  friend class TCells;
  int index_ = -1;
};

// The column list a cell lives in (its slot in the store).
struct TCellColumn {
  TCells* Cells = nullptr;
  TDgCustomColumn* Column = nullptr;
  int Index = 0;
  std::vector<TCell*> Items;
};

class TCell : public TObject {
 public:
  explicit TCell(TCells* Cells);
  ~TCell() override = default;
  TCell(const TCell&) = delete;
  TCell& operator=(const TCell&) = delete;

  TCells* Cells() const { return cells_; }
  // Its place; -1 before it is placed in the store.
  int Col() const { return slot_ ? slot_->Index : -1; }
  int RowIndex() const { return row_ ? row_->Index() : -1; }

  // The grid's colours for this cell (window colours without a grid).
  virtual TColor BackColor() const;
  virtual TColor TextColor() const;

  virtual bool AsBoolean() const = 0;
  virtual TDateTime AsDateTime() const = 0;
  virtual double AsFloat() const = 0;
  virtual int AsInteger() const = 0;
  virtual WideString AsString() const = 0;
  // A failed conversion raises EConvertError and keeps the value.
  virtual void SetAsBoolean(bool Value) { Changed(); }
  virtual void SetAsDateTime(TDateTime Value) { Changed(); }
  virtual void SetAsFloat(double Value) { Changed(); }
  virtual void SetAsInteger(int Value) { Changed(); }
  virtual void SetAsString(const WideString& Value) { Changed(); }
  virtual void Clear() { Changed(); }
  // The text held by a text cell, without a copy; null for other classes.
  virtual const WideString* TextRef() const { return nullptr; }

  // Tells the store (and through it the grid) of a change of this cell.
  virtual void Changed();

  // The 32-bit value that columns of kind 5 read.
  uint32_t Value = 0;
  TFontStyles FontStyle;
  WideString Hint;
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  // Bit 0: the per-cell flag the grid asks for; bit 1: notification held.
  uint8_t Flags = kSuspended;
  static constexpr uint8_t kEmptyFlag = 1, kSuspended = 2;

 private:
  friend class TCells;
  TCells* cells_ = nullptr;
  TCellColumn* slot_ = nullptr;
  TRow* row_ = nullptr;
  TColor color_ = clWindow;
};

class TCells {
 public:
  explicit TCells(TDgColumns* Columns);
  ~TCells();
  TCells(const TCells&) = delete;
  TCells& operator=(const TCells&) = delete;

  TDgColumns* Columns() const { return columns_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  int ColumnCount() const { return static_cast<int>(lists_.size()); }
  // Rows that take space on screen (shown and visible).
  int VisibleCount() const { return visible_count_; }
  bool Sorted() const { return sorted_; }
  int LastSortColumn() const { return last_sort_column_; }
  bool LastSortDescending() const { return last_sort_descending_; }
  // The place of the last Cell lookup.
  int LastCol() const { return last_col_; }
  int LastRow() const { return last_row_; }

  // Raises EListError "List index out of bounds (r)" for a row outside the
  // store, Exception "Cell out of bounds (c, r)" for a column outside it.
  TCell* Cell(int ACol, int ARow);
  // Raises EListError for a row outside the store.
  TRow* Row(int ARow) const;
  int IndexOfRow(const TRow* Row) const;
  // The one factory: the class by the column's cell kind, its font style and
  // colour, notification on.
  TCell* CreateCell(TDgCustomColumn* Column);

  void AddRows(int Count);
  void InsertRow(int Pos);
  void InsertChildRow(int ParentRow, int Pos);
  void DeleteRow(int ARow);
  void MoveRow(int FromRow, int ToRow);
  void ExchangeRows(int Row1, int Row2);
  void ClearRows();
  // 0 added (the collection's last column), 1 deleted, 2 all cleared,
  // 3 inserted at Index, 4 moved from Index to Index2; Change mod 128.
  void ColumnsChanged(int Change, int Index, int Index2);
  void SetShown(int ARow, bool Value);
  void SetVisible(int ARow, bool Value);
  int DescendantCount(int ARow) const;
  int ChildCount(int ARow) const;
  // Sorts the rows by column ACol (stable). Asked again for the other
  // direction with nothing changed in between, it reverses without
  // comparing unless FullResort. A comparison that raises leaves the rows.
  void Sort(int ACol, TSortType SortType, bool FullResort, bool Descending);
  // Puts the rows in a new order: Order[i] is the old index of the row that
  // goes to place i (a permutation of all rows). KeepSorted keeps the sort's
  // memory when the new order still follows the last sort (a tree regrouped
  // under its parents).
  void Reorder(const std::vector<size_t>& Order, bool KeepSorted);

  // The height each new row gets.
  int DefaultRowHeight = 16;

  // Bound by the grid.
  std::function<void(TCells* Sender, int ACol, int ARow)> OnCellChange;
  std::function<void(TCells* Sender, TCell* Cell1, TCell* Cell2, int& Compare)> OnCompare;
  std::function<TColor(int ACol, int ARow)> OnCellBackColor;
  std::function<TColor(int ACol, int ARow)> OnCellTextColor;

 private:
  friend class TCell;
  void CellChanged(TCell* Cell);
  TRow* NewRow();
  void PlaceCell(TCellColumn& List, size_t Pos, TCell* Cell, TRow* Row);
  void Renumber(size_t From);
  void FreeList(TCellColumn& List);
  void CheckRow(int ARow) const;
  void ApplyOrder(const std::vector<size_t>& Order);

  TDgColumns* columns_ = nullptr;
  std::vector<std::unique_ptr<TCellColumn>> lists_;
  std::vector<TRow*> rows_;
  int last_col_ = -1;
  int last_row_ = -1;
  int visible_count_ = 0;
  bool sorted_ = false;
  int last_sort_column_ = -1;
  bool last_sort_descending_ = false;
};
