// TObject, TPersistent and TComponent (see Component.h).
#include "classlib/Component.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <typeinfo>
#if defined(__GNUC__)
#include <cxxabi.h>
#endif

#include "classlib/SysUtils.h"

void TObject::Free() {
  BeforeDestruction();
  delete this;
}

std::string TObject::ClassName() const {
  const char* raw = typeid(*this).name();
#if defined(__GNUC__)
  int status = 0;
  char* d = abi::__cxa_demangle(raw, nullptr, nullptr, &status);
  if (d) {
    std::string r = d;
    std::free(d);
    return r;
  }
#endif
  return raw;
}

void TPersistent::Assign(TPersistent* Source) {
  if (Source)
    Source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) {
  if (Dest) Dest->AssignError(this);
  throw EConvertError("Cannot assign to nil");
}

void TPersistent::AssignError(TPersistent* Source) {
  throw EConvertError("Cannot assign a " + (Source ? Source->ClassName() : std::string("nil")) +
                      " to a " + ClassName());
}

// --- TComponent ------------------------------------------------------------------

namespace {
bool IsValidIdent(const std::string& s) {
  if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0]))) return false;
  for (char c : s)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
  return true;
}
} // namespace

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  EndLife();
  Destroying();
  // Tell every component that asked, newest first; each answer may shrink
  // the list, so take one at a time.
  while (!free_notifies_.empty()) {
    TComponent* other = free_notifies_.back();
    free_notifies_.pop_back();
    auto& theirs = other->free_notifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::BeforeDestruction() { Destroying(); }

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return components_[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, AName)) return c;
  return nullptr;
}

void TComponent::SetName(const std::string& NewName) {
  if (NewName == name_) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError("''" + NewName + "'' is not a valid component name");
  if (owner_ && !NewName.empty()) {
    TComponent* other = owner_->FindComponent(NewName);
    if (other && other != this)
      throw EComponentError("A component named " + NewName + " already exists");
  }
  name_ = NewName;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->owner_ == this) return;
  if (!AComponent->name_.empty() && FindComponent(AComponent->name_))
    throw EComponentError("A component named " + AComponent->name_ + " already exists");
  if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
  components_.push_back(AComponent);
  AComponent->owner_ = this;
  if (state_.Contains(csLoading)) AComponent->Loading();
  if (state_.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->owner_ != this) return;
  Notification(AComponent, opRemove);
  components_.erase(std::remove(components_.begin(), components_.end(), AComponent),
                    components_.end());
  AComponent->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    components_.pop_back();
    c->owner_ = nullptr; // the owner is going: no notification round
    c->Free();
  }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  NotifyAll(AComponent, Operation);
}

void TComponent::NotifyAll(TComponent* AComponent, TOperation Operation) {
  // A handler may free components; walk by index and re-check the bounds.
  for (size_t i = components_.size(); i-- > 0;) {
    if (i >= components_.size()) continue;
    components_[i]->Notification(AComponent, Operation);
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  // Recorded even between components of one owner: an owner being freed
  // frees what it owns without telling the siblings, so only this list
  // reaches them then.
  if (std::find(free_notifies_.begin(), free_notifies_.end(), AComponent) == free_notifies_.end())
    free_notifies_.push_back(AComponent);
  auto& theirs = AComponent->free_notifies_;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
  AComponent->state_.Include(csFreeNotification);
  state_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  free_notifies_.erase(std::remove(free_notifies_.begin(), free_notifies_.end(), AComponent),
                       free_notifies_.end());
  auto& theirs = AComponent->free_notifies_;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Loading() {
  state_.Include(csLoading);
  for (TComponent* c : components_) c->Loading();
}

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::EndLoading() {
  for (size_t i = 0; i < components_.size(); ++i)
    if (components_[i]->state_.Contains(csLoading)) components_[i]->Loaded();
  if (state_.Contains(csLoading)) Loaded();
}

void TComponent::SetDesigning(bool Value) {
  SetState(csDesigning, Value);
  for (TComponent* c : components_) c->SetDesigning(Value);
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  state_.Include(csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::SetState(TComponentStateItem Item, bool On) {
  if (On)
    state_.Include(Item);
  else
    state_.Exclude(Item);
}
