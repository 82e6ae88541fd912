// The stock controls: labels, edits, combo boxes, buttons, radio buttons,
// list boxes, group boxes and static texts.
//
// Each windowed control is a thin wrapper of the Windows control of the same
// kind (EDIT, COMBOBOX, BUTTON, LISTBOX, STATIC): the wide API underneath,
// Windows-1251 text on top. Every property can be set before the window
// exists (while a form is loading) and after; events run only when assigned
// and only for what the user did, unless a property says otherwise.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "classlib/ItemStrings.h"

namespace classlib {
// A button that can take Enter or Esc for its form (TButton, and the skinned
// buttons), and hears where the form's focus went.
class IDialogButton {
 public:
  // Whether Esc (cancel) or Enter (not cancel) clicks this button now.
  virtual bool TakesDialogKey(bool cancel) = 0;
  // Enter or Esc chose it: click it (pressed look and all).
  virtual void DialogKeyClick() = 0;
  // The focus moved to `focused` (a control of the button's form, or null).
  virtual void FocusChanged(TWinControl* focused) {}

 protected:
  ~IDialogButton() = default;
};
// Enter and Esc in a control of a form: the form's default button takes
// Enter (a focused button takes it itself) and its cancel button Esc, after
// the control's OnKeyDown has seen the key. Wrapped controls call this for
// WM_KEYDOWN; true when a button took the key.
bool HandleDialogKey(TWinControl* Sender, TMessage& Message);
// Characters as accelerators, as in any Windows dialog: a character (WM_CHAR)
// that the focused control does not take (its WM_GETDLGCODE wants no
// characters and its OnKeyPress left it), and Alt with a character
// (WM_SYSCHAR) always, is offered to the controls of Sender's form as
// CM_DIALOGCHAR (WParam the character in Windows-1251) until one answers
// non-zero. Alt+Space stays the window menu's. True when a control took it.
bool DeliverDialogChar(TWinControl* Sender, const TMessage& Message);
// A label's answer to CM_DIALOGCHAR: when the label is enabled and shows its
// accelerator, Message's character is the accelerator of Caption and
// FocusControl can take the focus, FocusControl gets it and the character is
// taken (Message.Result 1).
void LabelDialogChar(TWinControl* FocusControl, bool Enabled, bool ShowAccelChar,
                     const std::string& Caption, TMessage& Message);
// Tells every dialog button of Control's form that the focus went to
// Control; controls call it when they take the focus.
void NotifyFocusChanged(TWinControl* Control);
// The subclass procedure of a drop-down combo box's edit field.
LRESULT CALLBACK ComboEditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
} // namespace classlib

enum TTextLayout { tlTop, tlCenter, tlBottom };

// Text painted by its parent. Transparent: the parent's background (a
// gradient, a picture) shows through. AutoSize keeps the bounds fitted to
// the caption (the right edge stays for right-aligned labels). Mouse
// enter/leave/down/up/click come from TControl; a link label is a label with
// an underlined font, crHandPoint and an OnClick. The caption's accelerator
// (with ShowAccelChar) gives the focus to FocusControl.
class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* AOwner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout v);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool v);
  // "&" marks an access key (drawn underlined) when set; else it is shown.
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool v);
  // The control the accelerator focuses (none by default).
  TWinControl* FocusControl() const { return focus_control_; }
  void SetFocusControl(TWinControl* v);

 protected:
  void Paint() override;
  void HandleMessage(TMessage& Message) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  UINT TextFlags() const;
  void AdjustBounds();
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool auto_size_ = true, transparent_ = false, word_wrap_ = false, show_accel_char_ = true;
  TWinControl* focus_control_ = nullptr;
};

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// One line of text. OnChange runs for every change of the text while the
// window exists (typing, pasting, setting Text).
class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* AOwner);

  // Most characters the user can enter; 0 = no limit.
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int v);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v);
  // Shown instead of each character when not 0.
  char PasswordChar() const { return password_char_; }
  void SetPasswordChar(char v);
  TEditCharCase CharCase() const { return char_case_; }
  void SetCharCase(TEditCharCase v);
  // The whole text is selected when the keyboard (not a click) brings the
  // focus here.
  bool AutoSelect() const { return auto_select_; }
  void SetAutoSelect(bool v) { auto_select_ = v; }
  bool HideSelection() const { return hide_selection_; }
  void SetHideSelection(bool v);
  // Typed characters go to the OEM code page and back (ES_OEMCONVERT), so
  // that only those that survive it are entered (file names of old systems).
  bool OEMConvert() const { return oem_convert_; }
  void SetOEMConvert(bool v);
  void SelectAll();

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void HandleMessage(TMessage& Message) override;
  virtual void Change();

 private:
  int max_length_ = 0;
  bool read_only_ = false, auto_select_ = true, hide_selection_ = true, oem_convert_ = false;
  char password_char_ = 0;
  TEditCharCase char_case_ = ecNormal;
};

// csDropDown: an edit field with a list that drops down; csSimple: an edit
// field above a list always shown; csDropDownList: a list that drops down;
// csOwnerDrawFixed and csOwnerDrawVariable: a drop-down list whose lines
// OnDrawItem paints, each ItemHeight tall or as tall as OnMeasureItem says.
enum TComboBoxStyle {
  csDropDown,
  csSimple,
  csDropDownList,
  csOwnerDrawFixed,
  csOwnerDrawVariable
};
// The state of a line being painted (the bits of the system's ODS_ flags).
enum TOwnerDrawStateItem {
  odSelected,
  odGrayed,
  odDisabled,
  odChecked,
  odFocused,
  odDefault,
  odHotLight,
  odInactive,
  odNoAccel,
  odNoFocusRect,
  odReserved1,
  odReserved2,
  odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, const TRect& Rect,
                                          TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

// A combo box of one of the styles above. With an edit field Text is
// whatever is typed; with a list only, it is the chosen line. OnChange runs
// when the user picks a line or types; ItemIndex and Text set from code run
// nothing. Text may be read from another thread (it then does not wait for
// the window).
class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle v);
  TStrings* Items() { return items_.get(); }
  int ItemIndex() const { return items_->ItemIndex(); }
  void SetItemIndex(int v);
  // Lines shown at once when the list drops down.
  int DropDownCount() const { return drop_down_count_; }
  void SetDropDownCount(int v) { drop_down_count_ = v < 1 ? 1 : v; }
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int v);
  bool Sorted() const { return items_->Sorted(); }
  void SetSorted(bool v) { items_->SetSorted(v); }
  // Height of a line of the list; 0 = what the font needs.
  int ItemHeight();
  void SetItemHeight(int v);
  TEditCharCase CharCase() const { return char_case_; }
  void SetCharCase(TEditCharCase v);
  bool DroppedDown();
  // What OnDrawItem paints on (the line's device context while it runs).
  TCanvas* Canvas() { return &canvas_; }

  std::string GetText() override;
  void SetText(const std::string& v) override;

  TNotifyEvent OnChange, OnSelect, OnDropDown, OnCloseUp;
  // Owner-draw styles: paints line Index (-1: none chosen) in Rect on
  // Canvas, whose brush and font already show the selection; without it the
  // line's text is written.
  TDrawItemEvent OnDrawItem;
  // csOwnerDrawVariable: the height of line Index (preset to ItemHeight).
  TMeasureItemEvent OnMeasureItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void HandleMessage(TMessage& Message) override;
  void Loaded() override;
  virtual void Change();
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);
  // The styles whose Text is the chosen line (no edit field).
  bool ListOnly() const { return style_ >= csDropDownList; }

 private:
  friend LRESULT CALLBACK classlib::ComboEditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void OwnerDraw(const DRAWITEMSTRUCT& Item);
  TControlCanvas canvas_{this};
  std::unique_ptr<TItemStrings> items_;
  TComboBoxStyle style_ = csDropDown;
  int drop_down_count_ = 8;
  int max_length_ = 0;
  int item_height_ = 0;
  TEditCharCase char_case_ = ecNormal;
  bool in_select_ = false;
  void Publish(); // text_ becomes what other threads read
  void Picked();  // the user's pick: published, then OnSelect and OnChange
  std::mutex shared_mutex_;
  std::string shared_text_;
};

// A push button. Clicking it (mouse, Space, Enter while it has the focus,
// Enter/Esc on its form when it is the Default/Cancel button, see
// classlib::HandleDialogKey, or its caption's accelerator) runs OnClick
// and, when ModalResult is set, gives its form that result.
class TButton : public TWinControl, public classlib::IDialogButton {
 public:
  explicit TButton(TComponent* AOwner);

  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult v) { modal_result_ = v; }
  void Click() override;
  bool TakesDialogKey(bool cancel) override { return cancel ? cancel_ : default_; }
  void DialogKeyClick() override { Click(); }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleMessage(TMessage& Message) override;

 private:
  bool default_ = false, cancel_ = false;
  TModalResult modal_result_ = mrNone;
};

// One choice among the radio buttons of the same parent. Checking one
// unchecks the others. OnChange and OnClick run only when the user checks the
// button (mouse, Space, the arrow keys that move through the group, the
// caption's accelerator, which also gives it the focus); setting Checked
// from code runs neither. Checked may be read from another thread.
class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TComponent* AOwner);

  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  // taRightJustify: the caption right of the circle (the usual look).
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void HandleMessage(TMessage& Message) override;

 private:
  void UserCheck();
  void MoveInGroup(bool forward);
  std::atomic<bool> checked_{false}; // a recording thread reads the mode
  TAlignment alignment_ = taRightJustify;
};

// A list of lines. OnClick runs when the user selects a line, OnDblClick on
// a double click on a line and on Enter; a right click selects the line under
// the pointer before the popup menu shows.
class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* AOwner);
  ~TListBox() override;

  TStrings* Items() { return items_.get(); }
  int ItemIndex() const { return items_->ItemIndex(); }
  void SetItemIndex(int v) { items_->SetItemIndex(v); }
  int Count() const { return items_->Count(); }
  void Clear() { items_->Clear(); }
  bool Sorted() const { return items_->Sorted(); }
  void SetSorted(bool v) { items_->SetSorted(v); }
  // The line at a client point, or -1.
  int ItemAtPos(const TPoint& p);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void HandleMessage(TMessage& Message) override;

 private:
  std::unique_ptr<TItemStrings> items_;
};

// A frame with a caption around other controls (painted here, so it can sit
// on any background and hold controls like any container).
class TGroupBox : public TCustomControl {
 public:
  explicit TGroupBox(TComponent* AOwner);

 protected:
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
};

enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };

// A line of text in a window of its own (so it can take the focus order and
// sit above sibling windows, unlike a label).
class TStaticText : public TWinControl {
 public:
  explicit TStaticText(TComponent* AOwner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TStaticBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TStaticBorderStyle v);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void HandleMessage(TMessage& Message) override;
  void Loaded() override;

 private:
  void AdjustBounds();
  TAlignment alignment_ = taLeftJustify;
  TStaticBorderStyle border_style_ = sbsNone;
  bool auto_size_ = true;
};
