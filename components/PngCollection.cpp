// Items, collection and component of the PNG picture list.
#include "components/PngCollection.h"

#include "classlib/SysUtils.h"

TPngCollectionItem::TPngCollectionItem(TCollection* Collection)
    : TCollectionItem(Collection), png_(new TPngImage()) {
  name_ = Format("PngImage%d", {Index()});
}

TPngCollectionItem::~TPngCollectionItem() { delete png_; }

void TPngCollectionItem::SetPngImage(TPngImage* Value) {
  png_->Assign(Value);
  Changed(false);
}

void TPngCollectionItem::SetBackground(TColor Value) {
  if (Value == background_) return;
  background_ = Value;
  Changed(false);
}

void TPngCollectionItem::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TPngCollectionItem*>(Source)) {
    png_->Assign(src->png_);
    SetBackground(src->background_);
    name_ = src->name_;
    return;
  }
  TCollectionItem::Assign(Source);
}

std::string TPngCollectionItem::DisplayName() const {
  return name_.empty() ? TCollectionItem::DisplayName() : name_;
}

TPngCollectionItems::TPngCollectionItems(TPngCollection* Owner)
    : TCollection(classlib::CollectionItemFactory<TPngCollectionItem>(), Owner) {}

TPngCollection* TPngCollectionItems::Collection() const {
  return static_cast<TPngCollection*>(Owner());
}

TPngCollection::TPngCollection(TComponent* AOwner)
    : TComponent(AOwner), items_(new TPngCollectionItems(this)) {}

TPngCollection::~TPngCollection() { delete items_; }
