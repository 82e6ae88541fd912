// TMenuItem and TPopupMenu (see Menus.h): the Windows menu is built from the
// items at each Popup and destroyed when it closes.
#include "Menus.h"

#include <windows.h>

#include <algorithm>

#include "Controls.h"
#include "Cp1251.h"
#include "SysUtils.h"

// --- TMenuItem ----------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);
  while (!items_.empty()) {
    TMenuItem* child = items_.back();
    items_.pop_back();
    child->parent_ = nullptr;
    if (!child->Owner()) child->Free();  // owned ones go with their owner
  }
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("Menu index out of bounds (" + IntToStr(Index) + ")");
  return items_[Index];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  for (TMenuItem* p = this; p; p = p->parent_)
    if (p == Item) throw EListError("A menu item cannot hold itself");
  if (Item->parent_) Item->parent_->Remove(Item);
  Index = std::clamp(Index, 0, Count());
  items_.insert(items_.begin() + Index, Item);
  Item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(items_.begin(), items_.end(), Item);
  if (it == items_.end()) return;
  items_.erase(it);
  Item->parent_ = nullptr;
}

void TMenuItem::Delete(int Index) { Remove(Items(Index)); }

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
  if (enabled_ && OnClick) OnClick(this);
}

// --- TPopupMenu ------------------------------------------------------------------

namespace {

// Builds the Windows menu for `item`'s visible sub-items; command ids are
// 1-based indexes into `flat`.
HMENU BuildMenu(const TMenuItem* item, std::vector<TMenuItem*>& flat) {
  HMENU menu = CreatePopupMenu();
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* child = item->Items(i);
    if (!child->Visible()) continue;
    if (child->IsLine()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::wstring text = Cp1251ToWide(child->Caption());
    UINT flags = MF_STRING | (child->Enabled() ? 0 : MF_GRAYED) | (child->Checked() ? MF_CHECKED : 0);
    if (child->Count() > 0) {
      AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(BuildMenu(child, flat)), text.c_str());
    } else {
      flat.push_back(child);
      AppendMenuW(menu, flags, flat.size(), text.c_str());
      if (child->Default()) SetMenuDefaultItem(menu, static_cast<UINT>(flat.size()), FALSE);
    }
  }
  return menu;
}

// A hidden top-level window that owns menus shown for no window of ours
// (a tray icon's menu, a menu popped up from code).
HWND FallbackOwner() {
  static HWND wnd = nullptr;
  if (wnd && IsWindow(wnd)) return wnd;
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KorvalisMenuOwner";
  RegisterClassW(&wc);  // fails harmlessly when already registered
  wnd = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                        wc.hInstance, nullptr);
  return wnd;
}

HWND OwnerWindow(TComponent* c) {
  if (auto* ctl = dynamic_cast<TControl*>(c)) {
    for (TControl* p = ctl; p; p = p->Parent()) {
      auto* wc = dynamic_cast<TWinControl*>(p);
      if (wc && wc->HandleAllocated()) return GetAncestor(wc->Handle(), GA_ROOT);
    }
  }
  HWND active = GetActiveWindow();
  return active ? active : FallbackOwner();
}

}  // namespace

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(nullptr)) {}

TPopupMenu::~TPopupMenu() { items_->Free(); }

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (popup_component_ == Value) return;
  if (popup_component_) popup_component_->RemoveFreeNotification(this);
  popup_component_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popup_component_) popup_component_ = nullptr;
}

TMenuItem* TPopupMenu::Popup(int X, int Y) {
  if (OnPopup) OnPopup(this);
  std::vector<TMenuItem*> flat;
  HMENU menu = BuildMenu(items_, flat);
  HWND owner = OwnerWindow(popup_component_);
  // Without this a menu shown for a background window does not close when
  // the user clicks elsewhere.
  SetForegroundWindow(owner);
  UINT align = alignment_ == paRight ? TPM_RIGHTALIGN : alignment_ == paCenter ? TPM_CENTERALIGN : TPM_LEFTALIGN;
  UINT cmd = static_cast<UINT>(
      TrackPopupMenuEx(menu, align | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, X, Y, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);  // also destroys the sub-menus
  if (cmd == 0 || cmd > flat.size()) return nullptr;
  TMenuItem* chosen = flat[cmd - 1];
  chosen->Click();
  return chosen;
}
