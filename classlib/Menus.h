// Menus: TMenuItem (a caption, a click, sub-items) and TPopupMenu, shown at
// a point or by a right click on a control that names it.
//
// The Windows menu is built from the items each time the menu pops up, so
// captions, checks and the default item can change at any time. The chosen
// item's OnClick runs after the menu has closed, only when assigned.
#pragma once

#include "classlib/WinApi.h"

#include <string>
#include <vector>

#include "classlib/Component.h"

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  // Caption "-" is a separator; "&" marks the access key.
  std::string Caption;
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;
  // Shown in bold; a double click on a tray icon clicks it.
  bool Default = false;
  TNotifyEvent OnClick;

  // Sub-items. Items without an owner are freed with their parent; owned
  // ones go with their owner and only leave the parent.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int Index) const;
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Remove(TMenuItem* Item);
  void Delete(int Index) { Remove(Items(Index)); }
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  TMenuItem* Parent() const { return parent_; }
  bool IsLine() const { return Caption == "-"; }
  virtual void Click();

 private:
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  TMenuItem* Items() const { return items_; }
  bool AutoPopup = true;
  // The control (or tray icon) that popped the menu up last; cleared when
  // that component is freed.
  TComponent* PopupComponent = nullptr;
  TNotifyEvent OnPopup;
  // Shows the menu at a screen point and runs the chosen item's click
  // (after the menu has closed).
  virtual void Popup(int X, int Y);
  // The item chosen at the last Popup (null when the menu was dismissed).
  TMenuItem* LastChosen() const { return last_chosen_; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void Watch(TComponent* c);
  TMenuItem* items_;
  TComponent* watched_ = nullptr; // the PopupComponent we asked to hear about
  TMenuItem* last_chosen_ = nullptr;
};
