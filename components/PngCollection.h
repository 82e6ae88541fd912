// A non-visual component holding a named list of PNG pictures, each with a
// background colour, kept and streamed with the window that owns it.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/Collection.h"
#include "classlib/Component.h"
#include "classlib/DrawTypes.h"
#include "components/PngImage.h"

class TPngCollection;

namespace components {

// The background of a new item: the system's button-face colour.
constexpr TColor kPngItemBackground = clBtnFace;

} // namespace components

class TPngCollectionItem : public TCollectionItem {
 public:
  // Named "PngImage<index>" with an empty picture.
  explicit TPngCollectionItem(TCollection* Collection);
  ~TPngCollectionItem() override;

  TPngImage* PngImage() const { return png_; }
  // Copies Value into the item's own picture and reports the item changed.
  void SetPngImage(TPngImage* Value);
  const std::string& Name() const { return name_; }
  void SetName(const std::string& Value) { name_ = Value; }
  TColor Background() const { return background_; }
  // Reports a change only for a different colour.
  void SetBackground(TColor Value);

  void Assign(TPersistent* Source) override;
  // The name, or the standard display name when the name is empty.
  std::string DisplayName() const override;

 private:
  TPngImage* png_ = nullptr;
  std::string name_;
  TColor background_ = components::kPngItemBackground;
};

class TPngCollectionItems : public TCollection {
 public:
  explicit TPngCollectionItems(TPngCollection* Owner);

  TPngCollectionItem* Items(int Index) const {
    return static_cast<TPngCollectionItem*>(TCollection::Items(Index));
  }
  TPngCollectionItem* Add() { return static_cast<TPngCollectionItem*>(TCollection::Add()); }
  // The component the items belong to.
  TPngCollection* Collection() const;
};

class TPngCollection : public TComponent {
 public:
  explicit TPngCollection(TComponent* AOwner);
  ~TPngCollection() override;

  TPngCollectionItems* Items() const { return items_; }
  // Copies the items of Value.
  void SetItems(TPngCollectionItems* Value) { items_->Assign(Value); }

 private:
  TPngCollectionItems* items_ = nullptr;
};
