// Actions, action lists and action links (see ActnList.h).
#include "classlib/ActnList.h"

#include <algorithm>

#include "classlib/Controls.h"
#include "classlib/ImgList.h"

namespace {
template <class T>
void Erase(std::vector<T*>& v, T* p) {
  v.erase(std::remove(v.begin(), v.end(), p), v.end());
}
} // namespace

// --- TBasicAction ---------------------------------------------------------------------------

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() { UnlinkAll(); }

void TBasicAction::BeforeDestruction() {
  TComponent::BeforeDestruction();
  UnlinkAll();
}

void TBasicAction::UnlinkAll() {
  for (TBasicActionLink* l : links_) l->action_ = nullptr;
  links_.clear();
}

bool TBasicAction::Linked(TBasicActionLink* l) const {
  return std::find(links_.begin(), links_.end(), l) != links_.end();
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

void TBasicAction::Change() {
  ForEachLink([](TBasicActionLink* l) { l->Change(); });
}

// --- TAction --------------------------------------------------------------------------------

TAction::TAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TAction::~TAction() {
  if (action_list_) action_list_->RemoveAction(this);
}

// Each link hears the new value while the action still holds the old one,
// so that its linked test compares the client against what the action
// showed until now.
template <class V, class Arg>
void TAction::Update(V& field, const V& value, void (TActionLink::*set)(Arg)) {
  if (value == field) return;
  ForEachLink([&](TBasicActionLink* l) {
    if (auto* al = dynamic_cast<TActionLink*>(l)) (al->*set)(value);
  });
  field = value;
}

void TAction::SetCaption(const std::string& v) { Update(caption_, v, &TActionLink::SetCaption); }
void TAction::SetChecked(bool v) { Update(checked_, v, &TActionLink::SetChecked); }
void TAction::SetEnabled(bool v) { Update(enabled_, v, &TActionLink::SetEnabled); }
void TAction::SetHint(const std::string& v) { Update(hint_, v, &TActionLink::SetHint); }
void TAction::SetImageIndex(int v) { Update(image_index_, v, &TActionLink::SetImageIndex); }
void TAction::SetVisible(bool v) { Update(visible_, v, &TActionLink::SetVisible); }

void TAction::SetActionList(TActionList* v) {
  if (v == action_list_) return;
  if (action_list_) {
    action_list_->RemoveAction(this);
    action_list_->RemoveFreeNotification(this);
  }
  action_list_ = v;
  if (v) {
    v->AddAction(this);
    v->FreeNotification(this);
  }
  Change();
}

TImageList* TAction::Images() const { return action_list_ ? action_list_->Images() : nullptr; }

bool TAction::Execute() { return enabled_ && TBasicAction::Execute(); }

void TAction::Notification(TComponent* AComponent, TOperation Operation) {
  TBasicAction::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == action_list_) action_list_ = nullptr;
}

// --- TActionList ----------------------------------------------------------------------------

TActionList::TActionList(TComponent* AOwner) : TComponent(AOwner) {}

TActionList::~TActionList() {
  for (TAction* a : actions_) a->action_list_ = nullptr;
}

void TActionList::SetImages(TImageList* v) {
  if (v == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = v;
  if (v) v->FreeNotification(this);
}

TAction* TActionList::Actions(int Index) const {
  if (Index < 0 || Index >= ActionCount()) throw EListError("Action index out of range");
  return actions_[static_cast<size_t>(Index)];
}

void TActionList::AddAction(TAction* a) {
  if (std::find(actions_.begin(), actions_.end(), a) == actions_.end()) actions_.push_back(a);
}

void TActionList::RemoveAction(TAction* a) { Erase(actions_, a); }

void TActionList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) images_ = nullptr;
}

// --- Links ----------------------------------------------------------------------------------

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* v) {
  if (v == action_) return;
  if (action_) Erase(action_->links_, this);
  action_ = v;
  if (v) v->links_.push_back(this);
}

bool TBasicActionLink::Execute() { return action_ && action_->Execute(); }

void TBasicActionLink::Change() {
  if (OnChange) OnChange(action_);
}

TAction* TActionLink::LinkedAction() const { return dynamic_cast<TAction*>(Action()); }
bool TActionLink::IsCaptionLinked() { return LinkedAction() != nullptr; }
bool TActionLink::IsCheckedLinked() { return LinkedAction() != nullptr; }
bool TActionLink::IsEnabledLinked() { return LinkedAction() != nullptr; }
bool TActionLink::IsHintLinked() { return LinkedAction() != nullptr; }
bool TActionLink::IsImageIndexLinked() { return LinkedAction() != nullptr; }
bool TActionLink::IsVisibleLinked() { return LinkedAction() != nullptr; }

bool TControlActionLink::IsCaptionLinked() {
  return TActionLink::IsCaptionLinked() && client_->Caption() == LinkedAction()->Caption();
}

bool TControlActionLink::IsEnabledLinked() {
  return TActionLink::IsEnabledLinked() && client_->Enabled() == LinkedAction()->Enabled();
}

bool TControlActionLink::IsHintLinked() {
  return TActionLink::IsHintLinked() && client_->Hint() == LinkedAction()->Hint();
}

bool TControlActionLink::IsVisibleLinked() {
  return TActionLink::IsVisibleLinked() && client_->Visible() == LinkedAction()->Visible();
}

void TControlActionLink::SetCaption(const std::string& Value) {
  if (IsCaptionLinked()) client_->SetCaption(Value);
}

void TControlActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) client_->SetEnabled(Value);
}

void TControlActionLink::SetHint(const std::string& Value) {
  if (IsHintLinked()) client_->SetHint(Value);
}

void TControlActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) client_->SetVisible(Value);
}
