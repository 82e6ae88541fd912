// Pop-up menus: TMenuItem (a caption, a click handler and sub-items) and
// TPopupMenu (a tree of items shown at a screen point).
//
// The items are plain components; the Windows menu is built from them each
// time the menu pops up, so captions, checks and the default item can change
// at any time. The chosen item's OnClick runs after the menu has closed, on
// the GUI thread, and only when assigned. A caption of "-" is a separator;
// "&" marks the access key as usual.
#pragma once

#include <string>
#include <vector>

#include "Component.h"

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& Value) { caption_ = Value; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value) { enabled_ = Value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value) { visible_ = Value; }
  bool Checked() const { return checked_; }
  void SetChecked(bool Value) { checked_ = Value; }
  // The item shown in bold; double-clicking a tray icon and the like run it.
  bool Default() const { return default_; }
  void SetDefault(bool Value) { default_ = Value; }
  bool IsLine() const { return caption_ == "-"; }

  // Sub-items. An item belongs to at most one parent; adding it elsewhere
  // moves it. Items without an owner are freed with their parent.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int Index) const;
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Remove(TMenuItem* Item);
  void Delete(int Index);
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  TMenuItem* Parent() const { return parent_; }

  // Runs OnClick (when assigned and the item is enabled).
  virtual void Click();

  TNotifyEvent OnClick;

 private:
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  std::string caption_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  bool default_ = false;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // The invisible root whose sub-items are the menu.
  TMenuItem* Items() const { return items_; }
  // When set, a right click on a control that names this menu shows it.
  bool AutoPopup() const { return auto_popup_; }
  void SetAutoPopup(bool Value) { auto_popup_ = Value; }
  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment Value) { alignment_ = Value; }
  // The control the menu was last shown for (set by the control before Popup).
  TComponent* PopupComponent() const { return popup_component_; }
  void SetPopupComponent(TComponent* Value);

  // Shows the menu at a screen point and waits until it is closed; the chosen
  // item's OnClick then runs. Returns the chosen item, or null.
  virtual TMenuItem* Popup(int X, int Y);

  // Runs before the menu is shown (to enable or check items).
  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TMenuItem* items_ = nullptr;
  bool auto_popup_ = true;
  TPopupAlignment alignment_ = paLeft;
  TComponent* popup_component_ = nullptr;
};
