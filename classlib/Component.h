// The component model: TObject, TPersistent and TComponent.
//
// An owner deletes what it owns. A component deleted early leaves its owner,
// and every component that asked for a free notification (and every sibling,
// through the owner) hears of it through Notification(opRemove).
//
// Deleting: call Free() (or delete). Free() first runs BeforeDestruction while
// the whole object still exists, so that overrides (a form's OnDestroy, a
// control leaving its parent) see a complete object; C++ destructors cannot.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "classlib/Set.h"

class TObject {
 public:
  virtual ~TObject() = default;
  // Runs the destruction hooks, then deletes the object.
  void Free();
  // Called by New<T>() once the constructors have run: work that needs the
  // complete object (a form builds its layout and raises OnCreate here).
  virtual void AfterConstruction() {}
  // The class's C++ name ("TStringList").
  std::string ClassName() const;

 protected:
  // Called by Free() before the destructor chain starts.
  virtual void BeforeDestruction() {}
};

// Creates an object and runs its AfterConstruction: the way to make forms and
// any class whose set-up calls virtual functions.
template <class T, class... A>
T* New(A&&... args) {
  T* p = new T(std::forward<A>(args)...);
  p->AfterConstruction();
  return p;
}

namespace classlib {
// Turns a member function into an event handler: Timer1->OnTimer =
// classlib::Bind(this, &TForm1::Timer1Timer).
template <class C, class R, class... A>
std::function<R(A...)> Bind(C* obj, R (C::*method)(A...)) {
  return [obj, method](A... a) -> R { return (obj->*method)(std::forward<A>(a)...); };
}
} // namespace classlib

// Deletes through Free() and clears the pointer; null is fine.
template <class T>
void FreeAndNil(T*& p) {
  T* q = p;
  p = nullptr;
  if (q) q->Free();
}

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TPersistent : public TObject {
 public:
  // Copies Source into this object; by default asks Source to do it.
  virtual void Assign(TPersistent* Source);

 protected:
  // Copies this object into Dest; raises EConvertError when it can't.
  virtual void AssignTo(TPersistent* Dest);
  [[noreturn]] void AssignError(TPersistent* Source);
  // Assign of a list (self is this): a Source of another kind goes to the
  // default Assign, self as Source changes nothing, else self is cleared and
  // `fill` copies Source's entries into it within one update, so listeners
  // hear of one change.
  template <class List, class Fill>
  void AssignList(List* self, TPersistent* Source, Fill fill) {
    auto* other = dynamic_cast<List*>(Source);
    if (!other) {
      TPersistent::Assign(Source);
      return;
    }
    if (other == self) return;
    self->BeginUpdate();
    self->Clear();
    fill(*other);
    self->EndUpdate();
  }
};

enum TComponentStateItem {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csFreeNotification
};
using TComponentState = TSet<TComponentStateItem>;
enum TOperation { opInsert, opRemove };

// Whether a component still lives. Code that raises an event takes one
// before the handler runs, because a handler may free the component; after
// it returns, the code touches the component only while the token is true.
class TLifeToken {
 public:
  explicit TLifeToken(std::shared_ptr<const bool> alive) : alive_(std::move(alive)) {}
  explicit operator bool() const { return *alive_; }

 private:
  std::shared_ptr<const bool> alive_;
};

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  // Raises EComponentError for an invalid name or one a sibling already has.
  virtual void SetName(const std::string& NewName);
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t v) { tag_ = v; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int Index) const;
  int ComponentIndex() const;
  TComponent* FindComponent(const std::string& AName) const;
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Frees every owned component, last first.
  void DestroyComponents();

  TComponentState ComponentState() const { return state_; }
  // Marks this component (and what it owns) as being loaded from its layout.
  void Loading();
  // The layout has been applied: clears csLoading. Overrides call this first.
  virtual void Loaded();
  // Calls Loaded on every owned component still loading (in creation order),
  // then on this one: the last step of building a form from its layout.
  void EndLoading();
  void SetDesigning(bool Value);
  // Marks this component and what it owns as being destroyed.
  void Destroying();

  // AComponent will hear Notification(this, opRemove) when this one goes, and
  // this one when AComponent goes.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // See TLifeToken: `const TLifeToken life = LifeToken(); OnClick(this);
  // if (!life) return;`.
  TLifeToken LifeToken() const { return TLifeToken(alive_); }

 protected:
  // Ends the component's life as its tokens see it. The destructor does it;
  // a class whose own destructor must already count as freed calls it first.
  void EndLife() { *alive_ = false; }
  // AComponent was inserted into or removed from this owner, or a component
  // this one asked about is going. The default passes it to the owned ones.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  void BeforeDestruction() override;
  void SetState(TComponentStateItem Item, bool On);

 private:
  void NotifyAll(TComponent* AComponent, TOperation Operation);
  TComponent* owner_ = nullptr;
  std::string name_;
  intptr_t tag_ = 0;
  TComponentState state_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> free_notifies_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

namespace classlib {
// While a form's layout is applied, nothing the user did has happened yet.
inline bool IsLoading(const TComponent* c) { return c->ComponentState().Contains(csLoading); }
} // namespace classlib
