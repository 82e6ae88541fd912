// TListView, TTabSheet, TPageControl and TTrackBar (see ComCtrls.h).
#include "classlib/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/Cp1251.h"
#include "classlib/TabWindow.h"
#include "classlib/WrappedControl.h"

namespace {

// The common-control classes must be registered before the first window.
void NeedCommonControls(DWORD classes) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), classes};
  InitCommonControlsEx(&icc);
}

} // namespace

// --- TListView -----------------------------------------------------------------------------

TListView::TListView(TComponent* AOwner) : TWinControl(AOwner) {
  classlib::AsWrappedControl(ControlStyle);
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TListView::~TListView() {
  // The window may still send notifications while it goes; the data must
  // not be written to it any more.
  items_.Detach();
  columns_.Detach();
}

void TListView::SetViewStyle(TViewStyle v) {
  if (v == view_style_) return;
  view_style_ = v;
  RecreateWnd();
}

void TListView::SetShowColumnHeaders(bool v) {
  if (v == show_headers_) return;
  show_headers_ = v;
  RecreateWnd();
}

void TListView::SetRowSelect(bool v) {
  row_select_ = v;
  if (HandleAllocated())
    SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 v ? LVS_EX_FULLROWSELECT : 0);
}

int TListView::ItemIndex() {
  if (!HandleAllocated()) return item_index_ < items_.Count() ? item_index_ : -1;
  return static_cast<int>(
      SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TListView::SetItemIndex(int v) {
  if (v < -1 || v >= items_.Count()) v = -1;
  item_index_ = v;
  if (!HandleAllocated()) return;
  LVITEMW st{};
  st.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  st.state = 0;
  SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&st));
  if (v < 0) return;
  st.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(v), reinterpret_cast<LPARAM>(&st));
  SendMessageW(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(v), FALSE);
}

TListItem* TListView::Selected() {
  int i = ItemIndex();
  return i >= 0 ? items_.Item(i) : nullptr;
}

void TListView::CreateParams(TCreateParams& p) {
  NeedCommonControls(ICC_LISTVIEW_CLASSES);
  TWinControl::CreateParams(p);
  CreateSubClass(p, WC_LISTVIEWW);
  static const DWORD kView[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  p.Style |= kView[view_style_] | LVS_SHOWSELALWAYS | LVS_SINGLESEL |
             (show_headers_ ? 0 : LVS_NOCOLUMNHEADER);
  AddBorder(p);
}

void TListView::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(handle_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
               row_select_ ? LVS_EX_FULLROWSELECT : 0);
  columns_.Attach(handle_);
  items_.Attach(handle_);
  SetItemIndex(item_index_);
}

void TListView::DestroyWnd() {
  item_index_ = ItemIndex();
  items_.Detach();
  columns_.Detach();
  TWinControl::DestroyWnd();
}

void TListView::HandleMessage(TMessage& M) {
  if (M.Msg == TDeferredRedraw::Message()) return items_.FlushRedraw();
  switch (M.Msg) {
    case CN_NOTIFY: {
      auto* nm = reinterpret_cast<NMLISTVIEW*>(M.LParam);
      if (nm->hdr.code == LVN_ITEMCHANGED && (nm->uChanged & LVIF_STATE) &&
          ((nm->uNewState ^ nm->uOldState) & LVIS_SELECTED) && (nm->uNewState & LVIS_SELECTED)) {
        item_index_ = nm->iItem;
        if (OnSelectItem) OnSelectItem(this);
      }
      return;
    }
    case WM_KEYDOWN:
      if (M.WParam == VK_RETURN && ItemIndex() >= 0) {
        TWinControl::HandleMessage(M); // OnKeyDown first
        DblClick();
        return;
      }
      if (classlib::HandleDialogKey(this, M)) return;
      break;
  }
  TWinControl::HandleMessage(M);
}

// --- TTabSheet ----------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle += {csAcceptsControls};
  SetParentColor(false);
  SetColor(clBtnFace);
  visible_ = false; // shown when it becomes the active page
}

TTabSheet::~TTabSheet() {
  if (page_control_) page_control_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* v) { SetParent(v); }

void TTabSheet::SetParent(TWinControl* AParent) {
  if (AParent == Parent()) return;
  if (page_control_) page_control_->RemovePage(this);
  TWinControl::SetParent(AParent);
  if (auto* pc = dynamic_cast<TPageControl*>(AParent)) pc->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!page_control_) return -1;
  auto& v = page_control_->pages_;
  return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

int TTabSheet::TabIndex() const {
  if (!page_control_ || !tab_visible_) return -1;
  int n = 0;
  for (TTabSheet* p : page_control_->pages_) {
    if (p == this) return n;
    if (p->tab_visible_) ++n;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool v) {
  if (v == tab_visible_) return;
  tab_visible_ = v;
  if (page_control_) page_control_->UpdateTabs();
}

void TTabSheet::HandleMessage(TMessage& M) {
  if (M.Msg == CM_TEXTCHANGED && page_control_) page_control_->UpdateTabs();
  TWinControl::HandleMessage(M);
}

// --- TPageControl -------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  classlib::AsWrappedControl(ControlStyle);
  ControlStyle += {csAcceptsControls}; // the pages are its child windows
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

TPageControl::~TPageControl() {
  for (TTabSheet* p : pages_) p->page_control_ = nullptr;
  pages_.clear();
}

TTabSheet* TPageControl::Pages(int Index) const {
  if (Index < 0 || Index >= PageCount()) throw EListError("Page index out of bounds");
  return pages_[static_cast<size_t>(Index)];
}

void TPageControl::InsertPage(TTabSheet* p) {
  pages_.push_back(p);
  p->page_control_ = this;
  if (!active_) active_ = p;
  UpdateTabs();
  ShowActive();
  Realign();
}

void TPageControl::RemovePage(TTabSheet* p) {
  auto it = std::find(pages_.begin(), pages_.end(), p);
  if (it == pages_.end()) return;
  size_t at = static_cast<size_t>(it - pages_.begin());
  pages_.erase(it);
  p->page_control_ = nullptr;
  if (active_ == p) active_ = pages_.empty() ? nullptr : pages_[std::min(at, pages_.size() - 1)];
  UpdateTabs();
  ShowActive();
}

void TPageControl::SetActivePage(TTabSheet* v) {
  if (v && v->page_control_ != this) return;
  if (v == active_) return;
  active_ = v;
  if (HandleAllocated())
    SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(v ? v->TabIndex() : -1), 0);
  ShowActive();
}

int TPageControl::ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int v) {
  SetActivePage(v >= 0 && v < PageCount() ? pages_[static_cast<size_t>(v)] : nullptr);
}

void TPageControl::ShowActive() {
  for (TTabSheet* p : pages_) p->SetVisible(p == active_);
  if (active_) active_->BringToFront();
}

void TPageControl::UpdateTabs() {
  if (!HandleAllocated()) return;
  HWND h = Handle();
  SendMessageW(h, TCM_DELETEALLITEMS, 0, 0);
  int n = 0;
  for (TTabSheet* p : pages_)
    if (p->tab_visible_) classlib::TabInsert(h, n++, {p->Caption()});
  SendMessageW(h, TCM_SETCURSEL, static_cast<WPARAM>(active_ ? active_->TabIndex() : -1), 0);
  Realign(); // the tab rows may have changed the page area
}

TRect TPageControl::DisplayRect() {
  if (!HandleAllocated()) return Rect(4, 24, Width() - 4, Height() - 4);
  return classlib::TabDisplayRect(Handle());
}

void TPageControl::AlignControls(TControl* AControl, TRect& Rect) {
  Rect = DisplayRect();
  for (TTabSheet* p : pages_) p->SetBoundsRect(Rect);
  TWinControl::AlignControls(AControl, Rect);
}

void TPageControl::CreateParams(TCreateParams& p) {
  classlib::NeedTabControlClass();
  TWinControl::CreateParams(p);
  CreateSubClass(p, WC_TABCONTROLW);
  p.Style |= WS_CLIPCHILDREN | TCS_TABS;
}

void TPageControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateTabs();
}

void TPageControl::HandleMessage(TMessage& M) {
  if (M.Msg == CN_NOTIFY) {
    auto* nm = reinterpret_cast<NMHDR*>(M.LParam);
    if (nm->code == TCN_SELCHANGING) {
      bool allow = true;
      if (OnChanging) OnChanging(this, allow);
      M.Result = allow ? FALSE : TRUE; // TRUE keeps the current tab
    } else if (nm->code == TCN_SELCHANGE) {
      int tab = static_cast<int>(SendMessageW(handle_, TCM_GETCURSEL, 0, 0));
      for (TTabSheet* p : pages_)
        if (p->TabIndex() == tab) active_ = p;
      ShowActive();
      if (OnChange) OnChange(this);
    }
    return;
  }
  if (M.Msg == WM_KEYDOWN && classlib::HandleDialogKey(this, M)) return;
  TWinControl::HandleMessage(M);
}

// --- TTrackBar ----------------------------------------------------------------------------

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  classlib::AsWrappedControl(ControlStyle);
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
  if (v == orientation_) return;
  orientation_ = v;
  // A bar turned on its side keeps its shape, turned.
  if (!classlib::IsLoading(this)) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TTrackBar::SetRange(int AMin, int AMax) {
  if (AMax < AMin) AMax = AMin;
  min_ = AMin;
  max_ = AMax;
  if (HandleAllocated()) {
    SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, max_);
  }
  if (position_ < min_ || position_ > max_) SetPosition(std::clamp(position_, min_, max_));
}

int TTrackBar::Position() {
  // The window's value (the thumb may have moved before its notification
  // arrived; position_ stays what was last reported).
  if (HandleAllocated()) return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
  return position_;
}

void TTrackBar::SetPosition(int v) {
  v = std::clamp(v, min_, max_);
  if (v == Position() && v == position_) return;
  position_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), TBM_SETPOS, TRUE, v);
  Changed();
}

void TTrackBar::SetFrequency(int v) {
  frequency_ = v < 1 ? 1 : v;
  if (HandleAllocated()) SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
}

void TTrackBar::SetTickMarks(TTickMark v) {
  if (v == tick_marks_) return;
  tick_marks_ = v;
  RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle v) {
  if (v == tick_style_) return;
  tick_style_ = v;
  RecreateWnd();
}

void TTrackBar::SetThumbLength(int v) {
  thumb_length_ = v < 1 ? 1 : v;
  if (HandleAllocated())
    SendMessageW(Handle(), TBM_SETTHUMBLENGTH, static_cast<WPARAM>(thumb_length_), 0);
}

void TTrackBar::SetLineSize(int v) {
  line_size_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), TBM_SETLINESIZE, 0, v);
}

void TTrackBar::SetPageSize(int v) {
  page_size_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), TBM_SETPAGESIZE, 0, v);
}

void TTrackBar::CreateParams(TCreateParams& p) {
  NeedCommonControls(ICC_BAR_CLASSES);
  TWinControl::CreateParams(p);
  CreateSubClass(p, TRACKBAR_CLASSW);
  p.Style |= (orientation_ == trVertical ? TBS_VERT : TBS_HORZ) | TBS_FIXEDLENGTH;
  // TBS_BOTTOM / TBS_RIGHT are the default sides (0).
  if (tick_marks_ == tmTopLeft) p.Style |= TBS_TOP;
  if (tick_marks_ == tmBoth) p.Style |= TBS_BOTH;
  if (tick_style_ == tsNone) p.Style |= TBS_NOTICKS;
  if (tick_style_ == tsAuto) p.Style |= TBS_AUTOTICKS;
}

void TTrackBar::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyAll();
}

void TTrackBar::ApplyAll() {
  HWND h = handle_;
  SendMessageW(h, TBM_SETRANGEMIN, FALSE, min_);
  SendMessageW(h, TBM_SETRANGEMAX, FALSE, max_);
  SendMessageW(h, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(thumb_length_), 0);
  SendMessageW(h, TBM_SETLINESIZE, 0, line_size_);
  SendMessageW(h, TBM_SETPAGESIZE, 0, page_size_);
  SendMessageW(h, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
  SendMessageW(h, TBM_SETPOS, TRUE, position_);
}

void TTrackBar::Changed() {
  if (OnChange && !classlib::IsLoading(this)) OnChange(this);
}

void TTrackBar::HandleMessage(TMessage& M) {
  if (M.Msg == CN_HSCROLL || M.Msg == CN_VSCROLL) {
    int p = static_cast<int>(SendMessageW(handle_, TBM_GETPOS, 0, 0));
    if (p != position_) {
      position_ = p;
      Changed();
    }
    return;
  }
  if (M.Msg == WM_KEYDOWN && classlib::HandleDialogKey(this, M)) return;
  TWinControl::HandleMessage(M);
}
