// TDgColumns: the two orders of the columns, layout and auto-size (see
// DgColumns.h).
#include "grid/DgColumns.h"

#include <algorithm>
#include <cmath>

#include "classlib/SysUtils.h"

TDgColumns::TDgColumns(TComponent* AOwner, TDgColumnsHost* Host)
    : TComponent(AOwner), host_(Host) {}

TDgColumns::~TDgColumns() {
  destroying_ = true;
  while (!items_.empty()) {
    TDgCustomColumn* c = items_.back();
    c->Free(); // its destructor takes it out of both lists
    if (!items_.empty() && items_.back() == c) items_.pop_back();
  }
}

TDgCustomColumn* TDgColumns::Item(int Index) const {
  if (!ValidIndex(Index)) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return items_[static_cast<size_t>(Index)];
}

TDgCustomColumn* TDgColumns::PositionItem(int Pos) const {
  if (Pos < 0 || Pos >= static_cast<int>(positions_.size()))
    throw EListError(Format("List index out of bounds (%d)", {Pos}));
  return positions_[static_cast<size_t>(Pos)];
}

int TDgColumns::IndexOf(const TDgCustomColumn* Column) const {
  auto it = std::find(items_.begin(), items_.end(), Column);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TDgColumns::PositionOf(const TDgCustomColumn* Column) const {
  auto it = std::find(positions_.begin(), positions_.end(), Column);
  return it == positions_.end() ? -1 : static_cast<int>(it - positions_.begin());
}

TDgCustomColumn* TDgColumns::FirstVisible() const {
  for (TDgCustomColumn* c : positions_)
    if (c->Visible()) return c;
  return nullptr;
}

TDgCustomColumn* TDgColumns::LastVisible() const {
  for (auto it = positions_.rbegin(); it != positions_.rend(); ++it)
    if ((*it)->Visible()) return *it;
  return nullptr;
}

TDgCustomColumn* TDgColumns::Next(TDgCustomColumn* Column) const {
  int p = PositionOf(Column);
  if (p < 0) return Column;
  for (size_t i = static_cast<size_t>(p) + 1; i < positions_.size(); ++i) {
    TDgCustomColumn* c = positions_[i];
    if (c != Column && c->Enabled() && c->Visible()) return c;
  }
  return Column;
}

TDgCustomColumn* TDgColumns::Previous(TDgCustomColumn* Column) const {
  int p = PositionOf(Column);
  for (int i = p - 1; i >= 0; --i) {
    TDgCustomColumn* c = positions_[static_cast<size_t>(i)];
    if (c != Column && c->Enabled() && c->Visible()) return c;
  }
  return Column;
}

int TDgColumns::VisibleCount() const {
  return static_cast<int>(std::count_if(positions_.begin(), positions_.end(),
                                        [](TDgCustomColumn* c) { return c->Visible(); }));
}

int TDgColumns::VisibleWidth() const {
  int w = 0;
  for (TDgCustomColumn* c : positions_)
    if (c->Visible()) w += c->Width();
  return w;
}

void TDgColumns::CheckRoom() const {
  if (Count() >= MaxColumns)
    throw EListError(Format("A grid holds at most %d columns", {MaxColumns}));
}

void TDgColumns::Add(TDgCustomColumn* Column) {
  if (!Column || Column->columns_ == this) return;
  CheckRoom();
  if (Column->columns_) Column->columns_->Remove(Column);
  Column->columns_ = this;
  items_.push_back(Column);
  positions_.push_back(Column);
  Column->position_ = static_cast<int>(positions_.size()) - 1;
  Layout(false);
  // The grid's handlers (OnColumnResize, OnEditExit) may free the grid and
  // these columns with it.
  const TLifeToken life = LifeToken();
  AutoSize(nullptr, false);
  if (life && OnColumnsChanged) OnColumnsChanged(DgColumnsKind::Added, -1);
  if (life && OnColumnsUpdated) OnColumnsUpdated(DgColumnsKind::Added);
}

void TDgColumns::AddStreamed(TDgCustomColumn* Column) {
  if (!Column || Column->columns_ == this) return;
  CheckRoom();
  if (Column->columns_) Column->columns_->Remove(Column);
  Column->columns_ = this;
  items_.push_back(Column);
  if (OnColumnsChanged) OnColumnsChanged(DgColumnsKind::Added, -1);
}

void TDgColumns::PlaceStreamed(TDgCustomColumn* Column) {
  if (!Column || Column->columns_ != this || PositionOf(Column) >= 0) return;
  if (!Column->Name().empty()) {
    for (TDgCustomColumn* c : positions_)
      if (c->Name() == Column->Name()) {
        // The form describes a column the grid already has: that one takes
        // the settings, and the newcomer leaves the index order again so the
        // cell store never keeps a list for a column nobody shows. The
        // grid's handlers may free the grid, and these columns, meanwhile.
        const TLifeToken life = LifeToken();
        c->Assign(Column);
        if (!life) return;
        int idx = IndexOf(Column);
        items_.erase(items_.begin() + idx);
        Column->columns_ = nullptr;
        if (OnColumnsChanged) OnColumnsChanged(DgColumnsKind::Deleted, idx);
        if (life) Layout(false);
        return;
      }
  }
  auto at = std::find_if(positions_.begin(), positions_.end(),
                         [&](TDgCustomColumn* c) { return c->Position() > Column->Position(); });
  positions_.insert(at, Column);
  Layout(false);
}

void TDgColumns::Remove(TDgCustomColumn* Column) {
  int idx = IndexOf(Column);
  if (idx < 0) return;
  bool quiet = destroying_ || (host_ && host_->ColumnsDestroying());
  items_.erase(items_.begin() + idx);
  // The grid's handlers may free the grid and these columns with it; the
  // column itself, out of the index order already, stays.
  const TLifeToken life = LifeToken();
  if (!quiet && OnColumnsChanged) OnColumnsChanged(DgColumnsKind::Deleted, idx);
  if (!life) {
    Column->columns_ = nullptr;
    return;
  }
  positions_.erase(std::remove(positions_.begin(), positions_.end(), Column), positions_.end());
  Column->columns_ = nullptr;
  if (quiet) return;
  Layout(true);
  AutoSize(nullptr, false);
  if (life && OnColumnsUpdated) OnColumnsUpdated(DgColumnsKind::Deleted);
}

void TDgColumns::Move(int From, int To) {
  int n = static_cast<int>(positions_.size());
  if (n == 0) return;
  From = std::clamp(From, 0, n - 1);
  To = std::clamp(To, 0, n - 1);
  if (From == To) return;
  TDgCustomColumn* c = positions_[static_cast<size_t>(From)];
  positions_.erase(positions_.begin() + From);
  positions_.insert(positions_.begin() + To, c);
  Layout(true);
  if (OnColumnChanged) OnColumnChanged(c, From, DgColumnChange::Position);
}

void TDgColumns::Layout(bool Renumber) {
  fixed_width_ = 0;
  for (int i = 0; i < fixed_cols_ && i < static_cast<int>(positions_.size()); ++i)
    if (positions_[static_cast<size_t>(i)]->Visible())
      fixed_width_ += positions_[static_cast<size_t>(i)]->Width();
  int x = host_ ? host_->ColumnsOrigin() : 0;
  int visible = 0;
  for (size_t i = 0; i < positions_.size(); ++i) {
    TDgCustomColumn* c = positions_[i];
    if (c->Visible()) {
      c->left_ = x;
      c->visible_index_ = visible++;
      x += c->Width();
    } else {
      c->visible_index_ = -1;
    }
    if (Renumber) c->position_ = static_cast<int>(i);
  }
}

void TDgColumns::AutoSize(TDgCustomColumn* Column, bool FromColumn) {
  if (Loading()) return;
  bool indicator = host_ && host_->HasIndicator();
  size_t start = 0;
  int x = 0;
  if (Column) {
    int p = PositionOf(Column);
    if (p < 0) return;
    if (FromColumn) {
      start = static_cast<size_t>(p);
      x = Column->Left();
    } else {
      start = static_cast<size_t>(p) + 1;
      x = Column->Visible() ? Column->Left() + Column->Width() : Column->Left();
    }
    if (indicator) x -= IndicatorWidth;
  }
  int auto_sum = 0, fixed_sum = 0;
  for (size_t i = start; i < positions_.size(); ++i) {
    TDgCustomColumn* c = positions_[i];
    if (!c->Visible()) continue;
    (c->Options().Contains(coAutoSize) ? auto_sum : fixed_sum) += c->Width();
  }
  // Nothing to share out (or only zero-width auto-size columns).
  if (auto_sum <= 0) return;
  int w = host_ ? host_->ClientWidth() : 0;
  if (indicator && (!host_ || host_->ReportStyle())) w -= IndicatorWidth;
  double free_width = static_cast<double>(w) - x - fixed_sum;
  // Widths are taken before any of them changes, so each share is of the
  // same total.
  std::vector<std::pair<TDgCustomColumn*, int>> shares;
  for (size_t i = start; i < positions_.size(); ++i) {
    TDgCustomColumn* c = positions_[i];
    if (!c->Visible() || !c->Options().Contains(coAutoSize)) continue;
    double share = std::nearbyint(c->Width() / static_cast<double>(auto_sum) * free_width);
    shares.emplace_back(c, share < 0 ? 0 : static_cast<int>(share));
  }
  // Each width raises the grid's OnColumnResize, whose handler may free a
  // column or the grid with all of them.
  const TLifeToken life = LifeToken();
  for (auto& s : shares) {
    if (IndexOf(s.first) < 0) continue;
    s.first->SetWidthInternal(s.second);
    if (!life) return;
  }
}

void TDgColumns::SetFixedCols(int v) {
  fixed_cols_ = v < 0 ? 0 : v;
  Layout(false);
}
