// TListItem, TListItems, TListColumn, TListColumns (see ListItems.h).
#include "classlib/ListItems.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/Cp1251.h"
#include "classlib/SysUtils.h"

// --- TListItem ------------------------------------------------------------------

TListItem::TListItem(TListItems* AOwner) : owner_(AOwner), sub_items_(new TStringList) {
  sub_items_->OnChange = [this](TObject*) {
    if (owner_) owner_->ShowItem(Index(), false);
  };
}

TListItem::~TListItem() = default;

void TListItem::SetCaption(const std::string& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  if (owner_) owner_->ShowItem(Index(), false);
}

int TListItem::Index() const { return owner_ ? owner_->IndexOf(this) : -1; }

void TListItem::Delete() {
  if (owner_)
    owner_->Delete(Index());
  else
    delete this;
}

// --- TListItems ------------------------------------------------------------------

TListItems::~TListItems() {
  wnd_ = nullptr;
  for (TListItem* i : items_) delete i;
}

void TListItems::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

TListItem* TListItems::Item(int Index) const {
  CheckIndex(Index);
  return items_[Index];
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int Index) {
  if (Index < 0 || Index > Count())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  auto* item = new TListItem(this);
  items_.insert(items_.begin() + Index, item);
  ShowItem(Index, true);
  return item;
}

void TListItems::Delete(int Index) {
  CheckIndex(Index);
  TListItem* item = items_[Index];
  items_.erase(items_.begin() + Index);
  Touch();
  if (wnd_) SendMessageW(wnd_, LVM_DELETEITEM, static_cast<WPARAM>(Index), 0);
  item->owner_ = nullptr;
  delete item;
}

void TListItems::Clear() {
  Touch();
  if (wnd_) SendMessageW(wnd_, LVM_DELETEALLITEMS, 0, 0);
  std::vector<TListItem*> old;
  old.swap(items_);
  for (TListItem* i : old) {
    i->owner_ = nullptr;
    delete i;
  }
}

int TListItems::IndexOf(const TListItem* Item) const {
  auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TListItems::BeginUpdate() {
  if (updates_++ == 0 && wnd_) SendMessageW(wnd_, WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate() {
  if (updates_ > 0 && --updates_ == 0 && wnd_) {
    SendMessageW(wnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(wnd_, nullptr, TRUE);
  }
}

void TListItems::Attach(HWND wnd) {
  wnd_ = wnd;
  SendMessageW(wnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(wnd_, LVM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < Count(); ++i) ShowItem(i, true);
  SendMessageW(wnd_, WM_SETREDRAW, TRUE, 0);
}

void TListItems::ShowItem(int Index, bool insert) {
  if (!wnd_ || Index < 0) return;
  Touch();
  const TListItem* item = items_[Index];
  std::wstring text = Cp1251ToWide(item->caption_);
  LVITEMW lv{};
  lv.mask = LVIF_TEXT;
  lv.iItem = Index;
  lv.pszText = const_cast<wchar_t*>(text.c_str());
  if (insert)
    SendMessageW(wnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lv));
  else
    SendMessageW(wnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&lv));
  // Every column the window has gets its sub-item text, or none when the
  // item has fewer sub-items (so a shortened list leaves nothing behind).
  HWND header = reinterpret_cast<HWND>(SendMessageW(wnd_, LVM_GETHEADER, 0, 0));
  int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  int subs = std::max(columns - 1, item->sub_items_->Count());
  for (int s = 0; s < subs; ++s) {
    std::wstring sub =
        s < item->sub_items_->Count() ? Cp1251ToWide(item->sub_items_->Get(s)) : std::wstring();
    LVITEMW si{};
    si.iSubItem = s + 1;
    si.pszText = const_cast<wchar_t*>(sub.c_str());
    SendMessageW(wnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&si));
  }
}

// --- Columns -------------------------------------------------------------------------

void TListColumn::SetCaption(const std::string& Value) {
  if (caption_ == Value) return;
  caption_ = Value;
  if (owner_) owner_->ShowColumn(Index(), false);
}

void TListColumn::SetWidth(int Value) {
  if (width_ == Value) return;
  width_ = Value;
  if (owner_) owner_->ShowColumn(Index(), false);
}

int TListColumn::Index() const {
  if (!owner_) return -1;
  auto& c = owner_->columns_;
  return static_cast<int>(std::find(c.begin(), c.end(), this) - c.begin());
}

TListColumns::~TListColumns() {
  for (TListColumn* c : columns_) delete c;
}

TListColumn* TListColumns::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return columns_[Index];
}

TListColumn* TListColumns::Add() {
  auto* c = new TListColumn;
  c->owner_ = this;
  columns_.push_back(c);
  ShowColumn(Count() - 1, true);
  return c;
}

void TListColumns::Clear() {
  if (wnd_)
    for (int i = Count() - 1; i >= 0; --i)
      SendMessageW(wnd_, LVM_DELETECOLUMN, static_cast<WPARAM>(i), 0);
  for (TListColumn* c : columns_) delete c;
  columns_.clear();
}

void TListColumns::Attach(HWND wnd) {
  wnd_ = wnd;
  for (int i = 0; i < Count(); ++i) ShowColumn(i, true);
}

void TListColumns::ShowColumn(int Index, bool insert) {
  if (!wnd_) return;
  std::wstring text = Cp1251ToWide(columns_[Index]->caption_);
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.cx = columns_[Index]->width_;
  col.iSubItem = Index;
  col.pszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(wnd_, insert ? LVM_INSERTCOLUMNW : LVM_SETCOLUMNW, static_cast<WPARAM>(Index),
               reinterpret_cast<LPARAM>(&col));
}
