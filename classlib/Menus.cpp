// TMenuItem and TPopupMenu (see Menus.h).
#include "classlib/Menus.h"

#include <algorithm>

#include "classlib/Controls.h"
#include "classlib/Cp1251.h"
#include "classlib/HiddenWindow.h"

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);
  while (!items_.empty()) {
    TMenuItem* child = items_.back();
    items_.pop_back();
    child->parent_ = nullptr;
    if (!child->Owner()) child->Free(); // owned ones go with their owner
  }
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("Menu index out of range");
  return items_[static_cast<size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item || Item->parent_) throw EListError("Menu item already inserted");
  if (Index < 0 || Index > Count()) throw EListError("Menu index out of range");
  for (TMenuItem* p = this; p; p = p->parent_)
    if (p == Item) throw EListError("A menu item cannot hold itself");
  items_.insert(items_.begin() + Index, Item);
  Item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
  items_.erase(std::remove(items_.begin(), items_.end(), Item), items_.end());
  if (Item && Item->parent_ == this) Item->parent_ = nullptr;
}

void TMenuItem::Clear() {
  while (!items_.empty()) {
    TMenuItem* child = items_.back();
    Remove(child);
    if (!child->Owner()) child->Free();
  }
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Click() {
  if (Enabled && OnClick) OnClick(this);
}

// --- TPopupMenu -------------------------------------------------------------------------

namespace {

// A hidden window of ours to own the menu while it is tracked.
HWND MenuHost() {
  static HWND host = nullptr;
  if (!host || !IsWindow(host))
    host = classlib::CreateHiddenWindow(L"Korvalis.MenuHost", DefWindowProcW, WS_EX_TOOLWINDOW);
  return host;
}

// The top-level window of the control the menu is shown for (so the menu
// keeps that window active), else of the menu's owner form, else our own.
HWND MenuOwner(TComponent* popupComponent, TComponent* owner) {
  for (TComponent* c : {popupComponent, owner}) {
    for (auto* ctl = dynamic_cast<TControl*>(c); ctl; ctl = ctl->Parent()) {
      auto* w = dynamic_cast<TWinControl*>(ctl);
      if (w && w->HandleAllocated()) return GetAncestor(w->Handle(), GA_ROOT);
    }
  }
  return MenuHost();
}

HMENU BuildMenu(TMenuItem* root, std::vector<TMenuItem*>& byId) {
  HMENU m = CreatePopupMenu();
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* it = root->Items(i);
    if (!it->Visible) continue;
    if (it->IsLine()) {
      AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (it->Enabled ? 0 : MF_GRAYED) | (it->Checked ? MF_CHECKED : 0);
    std::wstring text = Cp1251ToWide(it->Caption);
    if (it->Count() > 0) {
      AppendMenuW(m, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(BuildMenu(it, byId)),
                  text.c_str());
    } else {
      byId.push_back(it);
      AppendMenuW(m, flags, byId.size(), text.c_str());
      if (it->Default) SetMenuDefaultItem(m, static_cast<UINT>(byId.size()), FALSE);
    }
  }
  return m;
}

} // namespace

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(nullptr)) {}

TPopupMenu::~TPopupMenu() { items_->Free(); }

void TPopupMenu::Watch(TComponent* c) {
  // The link to a component watched before stays: it may be the one that
  // also uses this menu and must hear of its going. The component's own
  // destruction undoes the links.
  watched_ = c;
  if (c) c->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == watched_) watched_ = nullptr;
  if (AComponent == PopupComponent) PopupComponent = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
  // PopupComponent is a plain field: hear about it from now on, so that a
  // click handler freeing it leaves no dangling pointer here.
  Watch(PopupComponent);
  last_chosen_ = nullptr;
  if (OnPopup) OnPopup(this);
  std::vector<TMenuItem*> byId;
  HMENU m = BuildMenu(items_, byId);
  HWND owner = MenuOwner(PopupComponent, Owner());
  // The menu closes on a click elsewhere only when its owner is foreground.
  SetForegroundWindow(owner);
  UINT id =
      TrackPopupMenu(m, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, X, Y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(m); // with its sub-menus
  if (id > 0 && id <= byId.size()) {
    last_chosen_ = byId[id - 1];
    last_chosen_->Click();
  }
}
