// TCells: rows, column lists, the factory and the change notification (see
// DgCells.h). Sorting is in DgCellSort.cpp.
#include "grid/DgCells.h"

#include <algorithm>

#include "grid/DgCellClasses.h"

// --- TCell -----------------------------------------------------------------------------------

TCell::TCell(TCells* Cells) : cells_(Cells) {}

TColor TCell::BackColor() const {
  if (cells_ && cells_->OnCellBackColor) return cells_->OnCellBackColor(Col(), RowIndex());
  return clWindow;
}

TColor TCell::TextColor() const {
  if (cells_ && cells_->OnCellTextColor) return cells_->OnCellTextColor(Col(), RowIndex());
  return clWindowText;
}

void TCell::Changed() {
  if (Flags & kSuspended) return;
  if (cells_) cells_->CellChanged(this);
}

void TCell::SetColor(TColor v) {
  color_ = v;
  Changed();
}

// --- TCells ------------------------------------------------------------------------------------

TCells::TCells(TDgColumns* Columns) : columns_(Columns) {}

TCells::~TCells() {
  ClearRows();
  lists_.clear();
}

void TCells::CellChanged(TCell* Cell) {
  int col = Cell->Col(), row = Cell->RowIndex();
  // Marked first: the change's handlers may free the grid and this store.
  sorted_ = false;
  if (OnCellChange && col >= 0 && row >= 0) OnCellChange(this, col, row);
}

void TCells::CheckRow(int ARow) const {
  if (ARow < 0 || ARow >= RowCount())
    throw EListError(Format("List index out of bounds (%d)", {ARow}));
}

TCell* TCells::Cell(int ACol, int ARow) {
  // A column the store does not hold is refused as well (no list to look in).
  if (ACol < 0 || ACol >= ColumnCount())
    throw Exception(Format("Cell out of bounds (%d, %d)", {ACol, ARow}));
  CheckRow(ARow);
  last_col_ = ACol;
  last_row_ = ARow;
  return lists_[static_cast<size_t>(ACol)]->Items[static_cast<size_t>(ARow)];
}

TRow* TCells::Row(int ARow) const {
  CheckRow(ARow);
  return rows_[static_cast<size_t>(ARow)];
}

int TCells::IndexOfRow(const TRow* Row) const {
  if (!Row) return -1;
  int i = Row->index_;
  if (i >= 0 && i < RowCount() && rows_[static_cast<size_t>(i)] == Row) return i;
  return -1;
}

// Every cell is made here, for added, inserted and child rows and for new
// columns alike, so a column's cells are of one class however their rows
// came in (an inserted row of a GUID column holds a GUID, of an increment
// column its number).
TCell* TCells::CreateCell(TDgCustomColumn* Column) {
  uint8_t kind = Column ? Column->CellKind() : DgCellKind::Text;
  TCell* c;
  switch (kind) {
    case DgCellKind::Increment: c = new TIncrementCell(this); break;
    case DgCellKind::Boolean: c = new TBooleanCell(this); break;
    case DgCellKind::DateTime: c = new TDateTimeCell(this); break;
    case DgCellKind::Float: c = new TFloatCell(this); break;
    case DgCellKind::Guid: c = new TGuidCell(this); break;
    case DgCellKind::Integer: c = new TIntegerCell(this); break;
    case DgCellKind::Virtual: c = new TVirtualCell(this, Column); break;
    default: c = new TStringCell(this); break;
  }
  if (Column) {
    c->FontStyle = Column->Font()->Style();
    c->color_ = Column->Color();
  }
  c->Flags &= static_cast<uint8_t>(~TCell::kSuspended);
  return c;
}

TRow* TCells::NewRow() {
  TRow* r = new TRow();
  r->Height = DefaultRowHeight;
  return r;
}

void TCells::PlaceCell(TCellColumn& List, size_t Pos, TCell* Cell, TRow* Row) {
  Cell->slot_ = &List;
  Cell->row_ = Row;
  List.Items.insert(List.Items.begin() + static_cast<std::ptrdiff_t>(Pos), Cell);
}

void TCells::Renumber(size_t From) {
  for (size_t i = From; i < rows_.size(); ++i) rows_[i]->index_ = static_cast<int>(i);
}

void TCells::AddRows(int Count) {
  if (Count <= 0) return;
  // Room grows by half at the least, so that rows added one at a time cost
  // no more than rows added together.
  size_t n = rows_.size() + static_cast<size_t>(Count);
  if (n > rows_.capacity()) n = std::max(n, rows_.capacity() + rows_.capacity() / 2);
  rows_.reserve(n);
  for (auto& l : lists_) l->Items.reserve(n);
  for (int k = 0; k < Count; ++k) {
    TRow* r = NewRow();
    r->index_ = static_cast<int>(rows_.size());
    // Cells first, so that a failure leaves every list as long as the rows.
    std::vector<TCell*> made;
    try {
      for (auto& l : lists_) made.push_back(CreateCell(l->Column));
    } catch (...) {
      for (TCell* c : made) delete c;
      delete r;
      throw;
    }
    rows_.push_back(r);
    ++visible_count_;
    for (size_t i = 0; i < lists_.size(); ++i)
      PlaceCell(*lists_[i], lists_[i]->Items.size(), made[i], r);
  }
  sorted_ = false;
}

void TCells::InsertRow(int Pos) {
  Pos = std::clamp(Pos, 0, RowCount());
  TRow* r = NewRow();
  for (auto& l : lists_) PlaceCell(*l, static_cast<size_t>(Pos), CreateCell(l->Column), r);
  rows_.insert(rows_.begin() + Pos, r);
  Renumber(static_cast<size_t>(Pos));
  ++visible_count_;
  sorted_ = false;
}

void TCells::InsertChildRow(int ParentRow, int Pos) {
  TRow* parent = Row(ParentRow);
  Pos = std::clamp(Pos, 0, RowCount());
  TRow* r = NewRow();
  r->Parent = parent;
  // Hidden under any collapsed ancestor, not only a collapsed parent.
  r->Shown = parent->Expanded && parent->Shown;
  r->Level = parent->Level + 1;
  parent->ChildCount++;
  rows_.insert(rows_.begin() + Pos, r);
  Renumber(static_cast<size_t>(Pos));
  if (r->Drawn()) ++visible_count_;
  for (auto& l : lists_) PlaceCell(*l, static_cast<size_t>(Pos), CreateCell(l->Column), r);
  sorted_ = false;
}

void TCells::DeleteRow(int ARow) {
  CheckRow(ARow);
  size_t at = static_cast<size_t>(ARow);
  TRow* r = rows_[at];
  for (auto& l : lists_) {
    delete l->Items[at];
    l->Items.erase(l->Items.begin() + static_cast<std::ptrdiff_t>(at));
  }
  if (r->Drawn()) --visible_count_;
  // Children of a deleted row keep no pointer to it.
  for (TRow* other : rows_)
    if (other->Parent == r) other->Parent = nullptr;
  rows_.erase(rows_.begin() + ARow);
  delete r;
  Renumber(at);
}

void TCells::MoveRow(int FromRow, int ToRow) {
  CheckRow(FromRow);
  CheckRow(ToRow);
  if (FromRow == ToRow) return;
  auto move = [&](auto& v) {
    auto item = v[static_cast<size_t>(FromRow)];
    v.erase(v.begin() + FromRow);
    v.insert(v.begin() + ToRow, item);
  };
  move(rows_);
  for (auto& l : lists_) move(l->Items);
  Renumber(static_cast<size_t>(std::min(FromRow, ToRow)));
  sorted_ = false;
}

void TCells::ExchangeRows(int Row1, int Row2) {
  CheckRow(Row1);
  CheckRow(Row2);
  sorted_ = false;
  if (Row1 == Row2) return;
  size_t a = static_cast<size_t>(Row1), b = static_cast<size_t>(Row2);
  std::swap(rows_[a], rows_[b]);
  rows_[a]->index_ = Row1;
  rows_[b]->index_ = Row2;
  for (auto& l : lists_) std::swap(l->Items[a], l->Items[b]);
}

void TCells::FreeList(TCellColumn& List) {
  for (TCell* c : List.Items) delete c;
  List.Items.clear();
}

void TCells::ClearRows() {
  for (auto& l : lists_) FreeList(*l);
  for (TRow* r : rows_) delete r;
  rows_.clear();
  visible_count_ = 0;
  sorted_ = false;
}

void TCells::ColumnsChanged(int Change, int Index, int Index2) {
  int n = ColumnCount();
  switch (Change % 128) {
    case 0: { // the collection's last column was added
      if (!columns_ || columns_->Count() == 0) return;
      if (n >= TDgColumns::MaxColumns)
        throw EListError(Format("A grid holds at most %d columns", {TDgColumns::MaxColumns}));
      TDgCustomColumn* col = columns_->Item(columns_->Count() - 1);
      auto list = std::make_unique<TCellColumn>();
      list->Cells = this;
      list->Column = col;
      list->Index = n;
      list->Items.reserve(rows_.size());
      for (TRow* r : rows_) PlaceCell(*list, list->Items.size(), CreateCell(col), r);
      lists_.push_back(std::move(list));
      break;
    }
    case 1: { // column Index deleted
      if (Index < 0 || Index >= n) return;
      FreeList(*lists_[static_cast<size_t>(Index)]);
      lists_.erase(lists_.begin() + Index);
      for (size_t i = static_cast<size_t>(Index); i < lists_.size(); ++i)
        lists_[i]->Index = static_cast<int>(i);
      // Rows without any column would hold no cells: they go as well.
      if (lists_.empty()) ClearRows();
      break;
    }
    case 2: // every column cleared
      ClearRows();
      lists_.clear();
      break;
    case 3: { // inserted at Index
      if (Index < 0 || Index > n || !columns_ || !columns_->ValidIndex(Index)) return;
      if (n >= TDgColumns::MaxColumns)
        throw EListError(Format("A grid holds at most %d columns", {TDgColumns::MaxColumns}));
      TDgCustomColumn* col = columns_->Item(Index);
      auto list = std::make_unique<TCellColumn>();
      list->Cells = this;
      list->Column = col;
      for (TRow* r : rows_) PlaceCell(*list, list->Items.size(), CreateCell(col), r);
      lists_.insert(lists_.begin() + Index, std::move(list));
      for (size_t i = static_cast<size_t>(Index); i < lists_.size(); ++i)
        lists_[i]->Index = static_cast<int>(i);
      sorted_ = false;
      break;
    }
    case 4: { // moved from Index to Index2
      if (Index < 0 || Index >= n || Index2 < 0 || Index2 >= n || Index == Index2) return;
      auto list = std::move(lists_[static_cast<size_t>(Index)]);
      lists_.erase(lists_.begin() + Index);
      lists_.insert(lists_.begin() + Index2, std::move(list));
      for (size_t i = 0; i < lists_.size(); ++i) lists_[i]->Index = static_cast<int>(i);
      break;
    }
    default: break;
  }
}

// The visible count is of drawn rows (shown and visible) and moves only
// when a row's drawn state does: a row hidden under a collapsed parent would
// otherwise be taken off the count twice.
void TCells::SetShown(int ARow, bool Value) {
  TRow* r = Row(ARow);
  if (r->Shown == Value) return;
  bool was = r->Drawn();
  r->Shown = Value;
  visible_count_ += static_cast<int>(r->Drawn()) - static_cast<int>(was);
}

void TCells::SetVisible(int ARow, bool Value) {
  TRow* r = Row(ARow);
  if (r->Visible == Value) return;
  bool was = r->Drawn();
  r->Visible = Value;
  visible_count_ += static_cast<int>(r->Drawn()) - static_cast<int>(was);
}

int TCells::DescendantCount(int ARow) const {
  int level = Row(ARow)->Level, n = 0;
  for (size_t i = static_cast<size_t>(ARow) + 1; i < rows_.size() && rows_[i]->Level > level; ++i)
    ++n;
  return n;
}

int TCells::ChildCount(int ARow) const {
  int level = Row(ARow)->Level, n = 0;
  for (size_t i = static_cast<size_t>(ARow) + 1; i < rows_.size() && rows_[i]->Level > level; ++i)
    if (rows_[i]->Level == level + 1) ++n;
  return n;
}
