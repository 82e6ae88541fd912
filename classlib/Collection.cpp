// TCollection and TCollectionItem (see Collection.h).
#include "classlib/Collection.h"

#include <algorithm>

#include "classlib/SysUtils.h"

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() {
  if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (Value == collection_) return;
  if (collection_) collection_->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  auto& v = collection_->items_;
  return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

void TCollectionItem::SetIndex(int Value) {
  int cur = Index();
  if (cur < 0 || Value == cur) return;
  auto& v = collection_->items_;
  if (Value < 0) Value = 0;
  if (Value >= static_cast<int>(v.size())) Value = static_cast<int>(v.size()) - 1;
  v.erase(v.begin() + cur);
  v.insert(v.begin() + Value, this);
  Changed(true);
}

std::string TCollectionItem::DisplayName() const {
  return display_name_.empty() ? ClassName() : display_name_;
}

void TCollectionItem::SetDisplayName(const std::string& Value) {
  display_name_ = Value;
  Changed(false);
}

void TCollectionItem::Changed(bool AllItems) {
  if (collection_ && collection_->update_count_ == 0)
    collection_->Update(AllItems ? nullptr : this);
}

// --- TCollection ------------------------------------------------------------------

TCollection::TCollection(TItemFactory factory, TPersistent* Owner)
    : factory_(std::move(factory)), owner_(Owner) {}

TCollection::~TCollection() {
  update_count_ = 1; // no Update while going away
  while (!items_.empty()) delete items_.back();
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return items_[static_cast<size_t>(Index)];
}

TCollectionItem* TCollection::Add() {
  BeginUpdate();
  TCollectionItem* item = factory_ ? factory_(this) : new TCollectionItem(this);
  // A factory that did not pass the collection on still gets its item added.
  if (item->collection_ != this) item->SetCollection(this);
  EndUpdate();
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  BeginUpdate();
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  EndUpdate();
  return item;
}

void TCollection::Delete(int Index) { delete Items(Index); }

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) delete items_.back();
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* i : items_)
    if (i->id_ == ID) return i;
  return nullptr;
}

void TCollection::Assign(TPersistent* Source) {
  AssignList(this, Source, [this](TCollection& other) {
    for (TCollectionItem* src : other.items_) Add()->Assign(src);
  });
}

void TCollection::BeginUpdate() { ++update_count_; }

void TCollection::EndUpdate() {
  if (update_count_ > 0 && --update_count_ == 0) Changed();
}

void TCollection::Changed() {
  if (update_count_ == 0) Update(nullptr);
}

void TCollection::Update(TCollectionItem* Item) {
  if (OnUpdate) OnUpdate(this, Item);
}

void TCollection::InsertItem(TCollectionItem* Item) {
  items_.push_back(Item);
  Item->collection_ = this;
  Item->id_ = next_id_++;
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  items_.erase(std::remove(items_.begin(), items_.end(), Item), items_.end());
  Item->collection_ = nullptr;
  Changed();
}
