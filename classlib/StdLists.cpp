// TEdit, TComboBox and TListBox (see StdCtrls.h): the controls whose text or
// lines the user edits or picks.
#include "classlib/StdCtrls.h"

#include <commctrl.h>
#include <windowsx.h>

#include "classlib/Cp1251.h"
#include "classlib/WrappedControl.h"

// --- TEdit -----------------------------------------------------------------------------------

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
  classlib::AsWrappedControl(ControlStyle);
  ControlStyle += {csClickEvents};
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

void TEdit::SetMaxLength(int v) {
  if (v < 0) v = 0;
  max_length_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(v), 0);
}

void TEdit::SetReadOnly(bool v) {
  read_only_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, v, 0);
}

void TEdit::SetPasswordChar(char v) {
  if (v == password_char_) return;
  password_char_ = v;
  if (HandleAllocated()) {
    unsigned char b = static_cast<unsigned char>(v);
    SendMessageW(Handle(), EM_SETPASSWORDCHAR, v ? Cp1251ToUnicode(b) : 0, 0);
    Invalidate();
  }
}

void TEdit::SetCharCase(TEditCharCase v) {
  if (v == char_case_) return;
  char_case_ = v;
  RecreateWnd();
}

void TEdit::SetHideSelection(bool v) {
  if (v == hide_selection_) return;
  hide_selection_ = v;
  RecreateWnd();
}

void TEdit::SelectAll() {
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, L"EDIT");
  p.Style |= ES_AUTOHSCROLL | ES_LEFT | (read_only_ ? ES_READONLY : 0) |
             (hide_selection_ ? 0 : ES_NOHIDESEL) |
             (char_case_ == ecUpperCase   ? ES_UPPERCASE
              : char_case_ == ecLowerCase ? ES_LOWERCASE
                                          : 0) |
             (oem_convert_ ? ES_OEMCONVERT : 0);
  AddBorder(p);
}

void TEdit::SetOEMConvert(bool v) {
  if (v == oem_convert_) return;
  oem_convert_ = v;
  RecreateWnd();
}

void TEdit::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
  if (password_char_)
    SendMessageW(handle_, EM_SETPASSWORDCHAR,
                 Cp1251ToUnicode(static_cast<unsigned char>(password_char_)), 0);
}

void TEdit::Change() {
  if (OnChange) OnChange(this);
}

void TEdit::HandleMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_SETFOCUS:
      TWinControl::HandleMessage(M);
      if (auto_select_ && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
      return;
    case CN_COMMAND:
      if (HIWORD(M.WParam) == EN_CHANGE && !classlib::IsLoading(this)) Change();
      return;
    case WM_KEYDOWN:
      if (classlib::HandleDialogKey(this, M)) return;
      break;
    case WM_CHAR:
      if (M.WParam == '\r' || M.WParam == 27) return; // a one-line edit only beeps at them
      break;
    case CM_TEXTCHANGED:
      // Without a window there is no EN_CHANGE: the text set from code is
      // the change.
      if (!HandleAllocated() && !classlib::IsLoading(this)) Change();
      return;
  }
  TWinControl::HandleMessage(M);
}

// --- TComboBox ------------------------------------------------------------------------------

TComboBox::TComboBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(new TItemStrings(TItemStrings::ComboBox)) {
  // Lines going may take the chosen one with them: the text follows.
  items_->OnChange = [this](TObject*) {
    if (ListOnly() && !classlib::IsLoading(this)) {
      text_ = ItemIndex() >= 0 ? items_->Get(ItemIndex()) : std::string();
      Publish();
    }
  };
  classlib::AsWrappedControl(ControlStyle);
  ControlStyle -= {csDoubleClicks};
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TComboBox::~TComboBox() { items_->Detach(); }

void TComboBox::SetStyle(TComboBoxStyle v) {
  if (v == style_) return;
  style_ = v;
  RecreateWnd();
}

void TComboBox::SetItemIndex(int v) {
  items_->SetItemIndex(v);
  // The text follows the pick, as the window shows it.
  text_ = ItemIndex() >= 0 ? items_->Get(ItemIndex()) : std::string();
  Publish();
}

void TComboBox::Publish() {
  std::lock_guard<std::mutex> lock(shared_mutex_);
  shared_text_ = text_;
}

void TComboBox::SetMaxLength(int v) {
  max_length_ = v < 0 ? 0 : v;
  if (HandleAllocated() && !ListOnly())
    SendMessageW(Handle(), CB_LIMITTEXT, max_length_, 0);
}

int TComboBox::ItemHeight() {
  if (HandleAllocated()) return static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0));
  return item_height_;
}

void TComboBox::SetItemHeight(int v) {
  item_height_ = v < 0 ? 0 : v;
  if (HandleAllocated() && item_height_ > 0)
    SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, item_height_);
}

void TComboBox::SetCharCase(TEditCharCase v) {
  if (v == char_case_) return;
  char_case_ = v;
  RecreateWnd();
}

bool TComboBox::DroppedDown() {
  return HandleAllocated() && SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

std::string TComboBox::GetText() {
  // Another thread (a recording reading the chosen bitrate) gets the text as
  // last seen here: asking the window would wait for the GUI thread.
  if (HandleAllocated() && GetWindowThreadProcessId(handle_, nullptr) != GetCurrentThreadId()) {
    std::lock_guard<std::mutex> lock(shared_mutex_);
    return shared_text_;
  }
  if (ListOnly()) {
    int i = ItemIndex();
    if (i < 0) return std::string();
    return text_ = items_->Get(i);
  }
  // While the pick is being told, the edit field still shows the old line.
  if (in_select_) return text_;
  return TWinControl::GetText();
}

void TComboBox::SetText(const std::string& v) {
  if (ListOnly()) {
    // A list holds only its lines: the text picks the line that has it. The
    // layout may give the text before the lines: Loaded picks it then.
    int i = items_->IndexOf(v);
    if (i >= 0)
      SetItemIndex(i);
    else if (classlib::IsLoading(this))
      text_ = v;
    return;
  }
  TWinControl::SetText(v);
  Publish();
}

void TComboBox::Loaded() {
  TWinControl::Loaded();
  if (ListOnly() && ItemIndex() < 0) {
    int i = items_->IndexOf(text_);
    if (i >= 0)
      SetItemIndex(i);
    else
      text_.clear();
  }
  Publish();
}

void TComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, L"COMBOBOX");
  static const DWORD kStyle[] = {
      CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
      CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
      CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS};
  p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | kStyle[style_] |
             (char_case_ == ecUpperCase   ? CBS_UPPERCASE
              : char_case_ == ecLowerCase ? CBS_LOWERCASE
                                          : 0);
}

// The edit field of a drop-down combo box has the focus while the user
// types: the combo box sees its keys first (as CN_KEYDOWN; a non-zero
// answer takes the key), Enter and Esc there belong to the form's buttons,
// as in the box, and Alt with a character to the form's accelerators.
LRESULT CALLBACK classlib::ComboEditProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                         DWORD_PTR ref) {
  auto* combo = reinterpret_cast<TComboBox*>(ref);
  if (msg == WM_KEYDOWN && !combo->DroppedDown() && combo->Perform(CN_KEYDOWN, wp, lp))
    return 0;
  if (msg == WM_SYSCHAR && classlib::DeliverDialogChar(combo, TMessage{msg, wp, lp})) return 0;
  if ((msg == WM_KEYDOWN || msg == WM_CHAR) && (wp == VK_RETURN || wp == VK_ESCAPE) &&
      !combo->DroppedDown()) {
    if (msg == WM_CHAR) return 0; // a one-line edit only beeps at them
    TMessage m{msg, wp, lp};
    if (classlib::HandleDialogKey(combo, m)) return 0;
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(wnd, classlib::ComboEditProc, 1);
  }
  return DefSubclassProc(wnd, msg, wp, lp);
}

void TComboBox::CreateWnd() {
  std::string text = text_;
  TWinControl::CreateWnd();
  items_->Attach(handle_);
  if (item_height_ > 0) SendMessageW(handle_, CB_SETITEMHEIGHT, 0, item_height_);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!ListOnly() && GetComboBoxInfo(handle_, &info) && info.hwndItem)
    SetWindowSubclass(info.hwndItem, classlib::ComboEditProc, 1, reinterpret_cast<DWORD_PTR>(this));
  if (!ListOnly()) {
    SendMessageW(handle_, CB_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
    if (ItemIndex() < 0) SetWindowTextW(handle_, Cp1251ToWide(text).c_str());
  }
}

void TComboBox::DestroyWnd() {
  items_->Detach();
  TWinControl::DestroyWnd();
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) return OnDrawItem(this, Index, Rect, State);
  canvas_.FillRect(Rect);
  if (Index >= 0 && Index < items_->Count()) canvas_.TextOut(Rect.Left + 2, Rect.Top, items_->Get(Index));
}

void TComboBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TComboBox::OwnerDraw(const DRAWITEMSTRUCT& d) {
  const TOwnerDrawState state = TOwnerDrawState::FromBits(d.itemState & 0x1FFF);
  const TRect r = Rect(d.rcItem.left, d.rcItem.top, d.rcItem.right, d.rcItem.bottom);
  const int index = static_cast<int>(d.itemID); // -1 (as unsigned) for no line
  canvas_.PaintOn(d.hDC, [&] {
    const bool selected = state.Contains(odSelected);
    canvas_.Brush()->SetColor(selected ? clHighlight : Color());
    if (selected) canvas_.Font()->SetColor(clHighlightText);
    if (index >= 0)
      DrawItem(index, r, state);
    else
      canvas_.FillRect(r);
  });
  if (state.Contains(odFocused) && !state.Contains(odNoFocusRect)) DrawFocusRect(d.hDC, &d.rcItem);
}

void TComboBox::Picked() {
  text_ = ItemIndex() >= 0 ? items_->Get(ItemIndex()) : std::string();
  Publish();
  in_select_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{in_select_};
  if (OnSelect) OnSelect(this);
  Change();
}

void TComboBox::HandleMessage(TMessage& M) {
  if (M.Msg == TDeferredRedraw::Message()) return items_->FlushRedraw();
  if (M.Msg == CN_DRAWITEM) {
    OwnerDraw(*reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam));
    M.Result = TRUE;
    return;
  }
  if (M.Msg == CN_MEASUREITEM) {
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam);
    int height = item_height_ > 0 ? item_height_ : static_cast<int>(mi->itemHeight);
    if (style_ == csOwnerDrawVariable && static_cast<int>(mi->itemID) >= 0)
      MeasureItem(static_cast<int>(mi->itemID), height);
    mi->itemHeight = static_cast<UINT>(height > 0 ? height : 1);
    M.Result = TRUE;
    return;
  }
  // Enter and Esc close an open list; on a closed one they are the form's.
  if (M.Msg == WM_KEYDOWN && !DroppedDown() && classlib::HandleDialogKey(this, M)) return;
  if (M.Msg == CN_COMMAND) {
    switch (HIWORD(M.WParam)) {
      case CBN_SELCHANGE:
        Picked();
        break;
      case CBN_EDITCHANGE:
        TWinControl::GetText(); // text_ := what is typed now
        Publish();
        Change();
        break;
      case CBN_DROPDOWN: {
        // Room for DropDownCount lines below the closed box.
        int lines = items_->Count() < drop_down_count_ ? items_->Count() : drop_down_count_;
        if (lines < 1) lines = 1;
        int item = static_cast<int>(SendMessageW(handle_, CB_GETITEMHEIGHT, 0, 0));
        int field =
            static_cast<int>(SendMessageW(handle_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
        SetWindowPos(handle_, nullptr, 0, 0, Width(), field + 8 + lines * item,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        if (OnDropDown) OnDropDown(this);
        break;
      }
      case CBN_CLOSEUP: {
        // Wine's list follows the pointer while it is open, and a list closed
        // by Esc or a click elsewhere may keep the line last pointed at without
        // a selection change being told: the line the box now holds is the
        // choice, so it is told here, and other threads read that one.
        bool moved = false;
        if (ListOnly()) {
          const int i = ItemIndex();
          const std::string now = i >= 0 ? items_->Get(i) : std::string();
          std::lock_guard<std::mutex> lock(shared_mutex_);
          moved = now != shared_text_;
        }
        if (moved) Picked();
        if (OnCloseUp) OnCloseUp(this);
        break;
      }
    }
    return;
  }
  TWinControl::HandleMessage(M);
}

// --- TListBox ---------------------------------------------------------------------------------

TListBox::TListBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(new TItemStrings(TItemStrings::ListBox)) {
  classlib::AsWrappedControl(ControlStyle);
  // Double clicks come as LBN_DBLCLK: on a line, not on the empty area.
  ControlStyle -= {csDoubleClicks};
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TListBox::~TListBox() { items_->Detach(); }

int TListBox::ItemAtPos(const TPoint& p) {
  if (!HandleAllocated()) return -1;
  LRESULT r = SendMessageW(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(p.X, p.Y));
  if (HIWORD(r)) return -1; // outside every line
  int i = LOWORD(r);
  return i < Count() ? i : -1;
}

void TListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, L"LISTBOX");
  p.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL;
  AddBorder(p);
}

void TListBox::CreateWnd() {
  TWinControl::CreateWnd();
  items_->Attach(handle_);
}

void TListBox::DestroyWnd() {
  items_->Detach();
  TWinControl::DestroyWnd();
}

void TListBox::HandleMessage(TMessage& M) {
  if (M.Msg == TDeferredRedraw::Message()) return items_->FlushRedraw();
  switch (M.Msg) {
    case CN_COMMAND:
      if (HIWORD(M.WParam) == LBN_DBLCLK)
        DblClick();
      else if (HIWORD(M.WParam) == LBN_SELCHANGE)
        Click();
      return;
    case WM_RBUTTONDOWN: {
      // The menu acts on the selected line: select the one clicked on.
      int i = ItemAtPos(Point(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam)));
      if (i >= 0 && i != ItemIndex()) {
        SetItemIndex(i);
        Click();
      }
      if (CanFocus()) ::SetFocus(handle_);
      break;
    }
    case WM_GETDLGCODE:
      // Enter is the list's own key (it opens the line), not the dialog's.
      DefaultHandler(M);
      if (M.LParam && reinterpret_cast<MSG*>(M.LParam)->message == WM_KEYDOWN &&
          reinterpret_cast<MSG*>(M.LParam)->wParam == VK_RETURN)
        M.Result |= DLGC_WANTMESSAGE;
      return;
    case WM_KEYDOWN:
      if (M.WParam == VK_RETURN) {
        TWinControl::HandleMessage(M); // OnKeyDown first
        if (ItemIndex() >= 0) DblClick();
        return;
      }
      if (classlib::HandleDialogKey(this, M)) return;
      break;
  }
  TWinControl::HandleMessage(M);
}
