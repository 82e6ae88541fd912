// TCollection and TCollectionItem: an owned, ordered list of items of one
// kind (image lists, columns, the bands of a style), each knowing its index.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "classlib/Component.h"

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  // Adds itself to Collection (when given).
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  // Moves the item to another collection (or out of any, with nullptr).
  void SetCollection(TCollection* Value);
  int Index() const;
  void SetIndex(int Value);
  // A number unique within the collection, never reused.
  int ID() const { return id_; }
  // The name shown for the item; by default its class name.
  virtual std::string DisplayName() const;
  virtual void SetDisplayName(const std::string& Value);

 protected:
  // Tells the collection that this item (or, with AllItems, every item) changed.
  void Changed(bool AllItems);

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
  std::string display_name_;
};

class TCollection : public TPersistent {
 public:
  using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
  // Items are made by `factory`; without one they are plain TCollectionItems.
  explicit TCollection(TItemFactory factory = nullptr, TPersistent* Owner = nullptr);
  ~TCollection() override;

  TPersistent* Owner() const { return owner_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int Index) const;
  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  // Frees item Index; raises EListError when out of range.
  void Delete(int Index);
  void Clear();
  TCollectionItem* FindItemID(int ID) const;
  // Copies the items of another collection through their Assign.
  void Assign(TPersistent* Source) override;

  // Changes between BeginUpdate and the matching EndUpdate give one Update.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return update_count_; }

  // Raised by Update (after the virtual hook); Item is null for "all items".
  std::function<void(TCollection*, TCollectionItem*)> OnUpdate;

 protected:
  // An item changed (or, with null, the whole collection). Overrides repaint.
  virtual void Update(TCollectionItem* Item);
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  TItemFactory factory_;
  TPersistent* owner_ = nullptr;
  std::vector<TCollectionItem*> items_;
  int next_id_ = 0;
  int update_count_ = 0;
};

namespace classlib {
// A collection whose items are of class T (constructed as T(TCollection*)).
template <class T>
TCollection::TItemFactory CollectionItemFactory() {
  return [](TCollection* c) -> TCollectionItem* { return new T(c); };
}
} // namespace classlib
