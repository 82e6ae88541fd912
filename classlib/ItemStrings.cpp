// TItemStrings (see ItemStrings.h).
#include "classlib/ItemStrings.h"

#include <algorithm>

#include "classlib/Cp1251.h"
#include "classlib/SysUtils.h"

const TItemStrings::Protocol TItemStrings::ListBox{LB_INSERTSTRING, LB_DELETESTRING,
                                                   LB_RESETCONTENT, LB_GETCURSEL, LB_SETCURSEL};
const TItemStrings::Protocol TItemStrings::ComboBox{CB_INSERTSTRING, CB_DELETESTRING,
                                                    CB_RESETCONTENT, CB_GETCURSEL, CB_SETCURSEL};

UINT TDeferredRedraw::Message() {
  static UINT msg = RegisterWindowMessageW(L"Korvalis.ListRedraw");
  return msg;
}

void TDeferredRedraw::Touch(HWND wnd, bool updating) {
  if (!wnd || updating || pending_) return;
  SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
  pending_ = true;
  PostMessageW(wnd, Message(), 0, 0);
}

void TDeferredRedraw::Flush(HWND wnd) {
  if (!pending_) return;
  pending_ = false;
  if (!wnd) return;
  SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(wnd, nullptr, TRUE);
}

LRESULT TItemStrings::Send(UINT msg, WPARAM wp, LPARAM lp) const {
  return wnd_ ? SendMessageW(wnd_, msg, wp, lp) : 0;
}

void TItemStrings::InsertIntoWindow(int Index) {
  std::wstring w = Cp1251ToWide(lines_[Index]);
  Send(p_.insert, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(w.c_str()));
}

void TItemStrings::Attach(HWND wnd) {
  wnd_ = wnd;
  Send(WM_SETREDRAW, FALSE);
  Send(p_.reset);
  for (int i = 0; i < Count(); ++i) InsertIntoWindow(i);
  Send(WM_SETREDRAW, TRUE);
  SetItemIndex(item_index_);
}

void TItemStrings::Detach() {
  if (!wnd_) return;
  item_index_ = ItemIndex();
  redraw_.Flush(wnd_);
  wnd_ = nullptr;
}

void TItemStrings::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
}

std::string TItemStrings::Get(int Index) const {
  CheckIndex(Index);
  return lines_[Index];
}

void TItemStrings::Put(int Index, const std::string& S) {
  CheckIndex(Index);
  if (lines_[Index] == S) return;
  if (sorted_) { // the changed line moves to its place
    BeginUpdate();
    Delete(Index);
    Add(S);
    EndUpdate();
    return;
  }
  lines_[Index] = S;
  if (wnd_) {
    Touch();
    // Windows lists cannot change a line in place: replace it and keep the
    // selection where it was.
    int sel = ItemIndex();
    Send(p_.remove, static_cast<WPARAM>(Index));
    InsertIntoWindow(Index);
    if (sel == Index) SetItemIndex(sel);
  }
  Changed();
}

void TItemStrings::SetSorted(bool Value) {
  if (Value == sorted_) return;
  sorted_ = Value;
  if (!Value) return;
  int sel = ItemIndex();
  std::string selected = sel >= 0 ? lines_[sel] : std::string();
  std::stable_sort(lines_.begin(), lines_.end(), [](const std::string& a, const std::string& b) {
    return AnsiCompareText(a, b) < 0;
  });
  if (wnd_) {
    HWND w = wnd_;
    wnd_ = nullptr;
    item_index_ = -1;
    Attach(w); // shows the new order
  }
  if (sel >= 0) {
    auto it = std::find(lines_.begin(), lines_.end(), selected);
    SetItemIndex(static_cast<int>(it - lines_.begin()));
  }
  Changed();
}

int TItemStrings::Add(const std::string& S) {
  if (!sorted_) return TStrings::Add(S);
  auto it = std::upper_bound(
      lines_.begin(), lines_.end(), S,
      [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
  int at = static_cast<int>(it - lines_.begin());
  InsertLine(at, S);
  return at;
}

void TItemStrings::Insert(int Index, const std::string& S) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  InsertLine(Index, S);
}

void TItemStrings::InsertLine(int Index, const std::string& S) {
  if (Index < 0 || Index > Count()) IndexError(Index);
  lines_.insert(lines_.begin() + Index, S);
  Touch();
  if (wnd_)
    InsertIntoWindow(Index);
  else if (item_index_ >= Index)
    ++item_index_; // the window shifts its selection the same way
  Changed();
}

void TItemStrings::Delete(int Index) {
  CheckIndex(Index);
  lines_.erase(lines_.begin() + Index);
  Touch();
  if (wnd_)
    Send(p_.remove, static_cast<WPARAM>(Index));
  else if (item_index_ == Index)
    item_index_ = -1;
  else if (item_index_ > Index)
    --item_index_;
  Changed();
}

void TItemStrings::Clear() {
  if (lines_.empty()) return;
  lines_.clear();
  Touch();
  Send(p_.reset);
  item_index_ = -1;
  Changed();
}

int TItemStrings::ItemIndex() const {
  if (!wnd_) return item_index_;
  LRESULT r = Send(p_.getcursel);
  return r < 0 ? -1 : static_cast<int>(r);
}

void TItemStrings::SetItemIndex(int Value) {
  if (Value < -1 || Value >= Count()) Value = -1;
  item_index_ = Value;
  Send(p_.setcursel, static_cast<WPARAM>(Value));
}

void TItemStrings::SetUpdateState(bool Updating) {
  if (wnd_) {
    Send(WM_SETREDRAW, Updating ? FALSE : TRUE);
    if (!Updating) InvalidateRect(wnd_, nullptr, TRUE);
  }
  if (!Updating && changed_in_update_) {
    changed_in_update_ = false;
    Changed();
  }
}

void TItemStrings::Changed() {
  if (UpdateCount() > 0)
    changed_in_update_ = true; // told once, at the last EndUpdate
  else if (OnChange)
    OnChange(this);
}
