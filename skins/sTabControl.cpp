// TsCustomTabControl (see sTabControl.h).
#include "skins/sTabControl.h"

#include <commctrl.h>

#include "classlib/StdCtrls.h"
#include "classlib/TabWindow.h"
#include "classlib/WrappedControl.h"
#include "skins/sCommonData.h"
#include "skins/sVclUtils.h"

namespace skins {

namespace {
// "skins::TsPageControl" -> "TsPageControl", as the messages name classes.
std::string ShortClassName(const TObject* o) {
  std::string n = o->ClassName();
  size_t at = n.rfind("::");
  return at == std::string::npos ? n : n.substr(at + 2);
}
} // namespace

TsCustomTabControl::TsCustomTabControl(TComponent* AOwner)
    : TWinControl(AOwner), tabs_(new TsTabStrings(this)) {
  classlib::AsWrappedControl(ControlStyle);
  ControlStyle += {csAcceptsControls, csDoubleClicks};
  SetBounds(0, 0, 289, 100);
  SetTabStop(true);
  images_link_.OnChange = [this](TObject*) { PushImageList(); };
  data_owner_ = std::make_unique<TsWinOwner>(this);
  common_data_ = std::make_unique<TsCommonData>(data_owner_.get(), true);
  common_data_->KindCode = kind::TabControl;
}

TsCustomTabControl::~TsCustomTabControl() = default;

void TsCustomTabControl::AfterConstruction() {
  TWinControl::AfterConstruction();
  common_data_->ResolveSection();
}

// --- Options ---------------------------------------------------------------------------------

void TsCustomTabControl::SetMultiLine(bool v) {
  CheckMultiLine(v, tab_position_);
  if (v == multi_line_) return;
  multi_line_ = v;
  RecreateKeeping();
}

void TsCustomTabControl::SetTabPosition(TTabPosition v) {
  CheckTabPosition(v, TTabStyle::tsTabs);
  if (v == tab_position_) return;
  tab_position_ = v;
  // Tabs on a side stack in rows: the window can't scroll them.
  if (v == TTabPosition::tpLeft || v == TTabPosition::tpRight) multi_line_ = true;
  RecreateKeeping();
}

void TsCustomTabControl::SetTabWidth(int v) {
  CheckTabSize(v, ShortClassName(this));
  if (v == tab_width_) return;
  const int old = tab_width_;
  tab_width_ = v;
  // Between fixed widths the size is enough; to or from 0 the style changes.
  if (old != 0 && v != 0)
    PushTabSize();
  else
    RecreateKeeping();
}

void TsCustomTabControl::SetTabHeight(int v) {
  CheckTabSize(v, ShortClassName(this));
  if (v == tab_height_) return;
  tab_height_ = v;
  PushTabSize();
}

void TsCustomTabControl::SetOwnerDraw(bool v) {
  if (v == owner_draw_) return;
  owner_draw_ = v;
  RecreateKeeping();
}

void TsCustomTabControl::SetImages(TImageList* v) {
  if (v == images_) return;
  if (images_) {
    images_->UnRegisterChanges(&images_link_);
    images_->RemoveFreeNotification(this);
  }
  images_ = v;
  if (images_) {
    images_->RegisterChanges(&images_link_);
    images_->FreeNotification(this);
  }
  PushImageList();
  TCustomForm* form = GetParentForm(this);
  const bool going = (form && form->ComponentState().Contains(csDestroying)) ||
                     (Parent() && Parent()->ComponentState().Contains(csDestroying));
  if (!going) common_data_->Refresh();
}

void TsCustomTabControl::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == images_) {
    // The list's handle goes with it: the window must not keep drawing from it.
    images_ = nullptr;
    PushImageList();
  }
}

void TsCustomTabControl::PushImageList() {
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), TCM_SETIMAGELIST, 0,
               reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
}

void TsCustomTabControl::PushTabSize() {
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(tab_width_, tab_height_));
  TabsChanged();
}

void TsCustomTabControl::RecreateKeeping() {
  // DestroyWnd keeps the tabs with their objects; RestoreTabs gives them back.
  RecreateWnd();
  TabsChanged();
}

// --- Selection and geometry ------------------------------------------------------------------

int TsCustomTabControl::TabIndex() {
  if (!HandleAllocated()) return saved_index_;
  return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
}

void TsCustomTabControl::SetTabIndex(int v) {
  if (!HandleAllocated()) {
    saved_index_ = v < -1 || v >= saved_tabs_.Count() ? -1 : v;
    return;
  }
  SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(v), 0);
}

int TsCustomTabControl::RowCount() {
  return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), TCM_GETROWCOUNT, 0, 0)) : 0;
}

TRect TsCustomTabControl::TabRect(int Index) {
  return HandleAllocated() ? classlib::TabItemRect(Handle(), Index) : TRect{};
}

TRect TsCustomTabControl::DisplayRect() {
  if (!HandleAllocated()) return Rect(4, 26, Width() - 4, Height() - 4);
  TRect r = classlib::TabDisplayRect(Handle());
  r.Top += 2;
  return r;
}

TRect TsCustomTabControl::PageArea() {
  return skins::PageArea(Rect(0, 0, Width(), Height()), DisplayRect(), tab_position_,
                         TabWindowCount() > 0);
}

TRect TsCustomTabControl::TabStripArea() {
  return skins::TabStripArea(Rect(0, 0, Width(), Height()), DisplayRect(), tab_position_);
}

int TsCustomTabControl::IndexOfTabAt(int X, int Y) { return HitTest(cache_, Point(X, Y)); }

void TsCustomTabControl::RebuildTabCache() {
  if (ComponentState().Contains(csDestroying)) return;
  cache_.clear();
  for (int i = 0, n = TabWindowCount(); i < n; ++i) {
    TTabRecord t;
    TabWindowText(i, t.Caption);
    t.Index = i;
    t.ImageIndex = GetImageIndex(i);
    cache_.push_back(t);
  }
  LayoutTabRows();
}

void TsCustomTabControl::LayoutTabRows() {
  std::vector<TRect> rects;
  for (const TTabRecord& t : cache_) rects.push_back(TabRect(t.Index));
  LayoutRows(cache_, rects, RowCount(), tab_position_, Width(), Height(), TabIndex());
}

void TsCustomTabControl::AlignControls(TControl* AControl, TRect& Rect) {
  Rect = DisplayRect();
  TWinControl::AlignControls(AControl, Rect);
}

// --- Events ----------------------------------------------------------------------------------

bool TsCustomTabControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TsCustomTabControl::Change() {
  if (OnChange) OnChange(this);
}

void TsCustomTabControl::DrawTab(int TabIndex, const TRect& Rect, bool Active) {
  if (OnDrawTab)
    OnDrawTab(this, TabIndex, Rect, Active);
  else
    canvas_.FillRect(Rect);
}

int TsCustomTabControl::GetImageIndex(int TabIndex) {
  int image = TabIndex;
  if (OnGetImageIndex) OnGetImageIndex(this, TabIndex, image);
  return image;
}

// --- The tab host ----------------------------------------------------------------------------

int TsCustomTabControl::TabWindowCount() {
  if (!HandleAllocated()) return saved_tabs_.Count();
  return static_cast<int>(SendMessageW(Handle(), TCM_GETITEMCOUNT, 0, 0));
}

bool TsCustomTabControl::TabWindowClear() {
  if (!HandleAllocated()) {
    saved_tabs_.Clear();
    saved_index_ = -1;
    return true;
  }
  return SendMessageW(Handle(), TCM_DELETEALLITEMS, 0, 0) != 0;
}

bool TsCustomTabControl::TabWindowDelete(int Index) {
  if (!HandleAllocated()) {
    if (Index < 0 || Index >= saved_tabs_.Count()) return false;
    saved_tabs_.Delete(Index);
    if (saved_index_ == Index) saved_index_ = -1;
    else if (saved_index_ > Index) --saved_index_;
    return true;
  }
  return SendMessageW(Handle(), TCM_DELETEITEM, static_cast<WPARAM>(Index), 0) != 0;
}

bool TsCustomTabControl::TabWindowText(int Index, std::string& Text) {
  if (!HandleAllocated()) {
    if (Index < 0 || Index >= saved_tabs_.Count()) return false;
    Text = saved_tabs_.Strings(Index);
    return true;
  }
  return classlib::TabText(Handle(), Index, Text);
}

bool TsCustomTabControl::TabWindowObject(int Index, TObject*& Object) {
  if (!HandleAllocated()) {
    if (Index < 0 || Index >= saved_tabs_.Count()) return false;
    Object = saved_tabs_.Objects(Index);
    return true;
  }
  LPARAM param = 0;
  if (!classlib::TabParam(Handle(), Index, param)) return false;
  Object = reinterpret_cast<TObject*>(param);
  return true;
}

bool TsCustomTabControl::TabWindowSetText(int Index, const std::string& Text, int Image) {
  if (!HandleAllocated()) {
    if (Index < 0 || Index >= saved_tabs_.Count()) return false;
    saved_tabs_.SetStrings(Index, Text);
    return true;
  }
  return classlib::TabSetText(Handle(), Index, {Text, 0, Image, RightToLeft()});
}

bool TsCustomTabControl::TabWindowSetObject(int Index, TObject* Object) {
  if (!HandleAllocated()) {
    if (Index < 0 || Index >= saved_tabs_.Count()) return false;
    saved_tabs_.SetObjects(Index, Object);
    return true;
  }
  return classlib::TabSetParam(Handle(), Index, reinterpret_cast<LPARAM>(Object));
}

bool TsCustomTabControl::TabWindowInsert(int Index, const std::string& Text, int Image) {
  if (!HandleAllocated()) {
    if (Index < 0 || Index > saved_tabs_.Count()) return false;
    saved_tabs_.Insert(Index, Text);
    if (saved_index_ >= Index) ++saved_index_;
    return true;
  }
  return classlib::TabInsert(Handle(), Index, {Text, 0, Image, RightToLeft()});
}

void TsCustomTabControl::TabWindowRedraw(bool Redraw) {
  if (HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, Redraw, 0);
}

void TsCustomTabControl::TabsUpdated() {
  TabsChanged();
  common_data_->Refresh();
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

void TsCustomTabControl::TabsChanged() {
  const TComponentState s = ComponentState();
  if (s.Contains(csDestroying) || s.Contains(csLoading) || tabs_->Updating()) return;
  RebuildTabCache();
  if (HandleAllocated())
    SendMessageW(Handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(Width(), Height()));
  Realign();
}

// --- The window ------------------------------------------------------------------------------

void TsCustomTabControl::CreateParams(TCreateParams& p) {
  classlib::NeedTabControlClass();
  TWinControl::CreateParams(p);
  CreateSubClass(p, WC_TABCONTROLW);
  TTabWindowOptions o;
  o.Position = tab_position_;
  o.RightToLeft = RightToLeft();
  o.TabStop = TabStop();
  o.MultiLine = multi_line_;
  o.OwnerDraw = owner_draw_;
  o.TabWidth = tab_width_;
  p.Style |= WS_CLIPCHILDREN | TabWindowStyle(o);
  p.WindowClass.style = (p.WindowClass.style & ~(CS_HREDRAW | CS_VREDRAW)) | CS_DBLCLKS;
}

void TsCustomTabControl::CreateWnd() {
  TWinControl::CreateWnd();
  PushImageList();
  if (tab_width_ != 0 || tab_height_ != 0)
    SendMessageW(handle_, TCM_SETITEMSIZE, 0, MAKELPARAM(tab_width_, tab_height_));
  RestoreTabs();
  TabsChanged();
}

void TsCustomTabControl::RestoreTabs() {
  TStringList saved;
  saved.Assign(&saved_tabs_);
  const int index = saved_index_;
  saved_tabs_.Clear();
  saved_index_ = -1;
  for (int i = 0; i < saved.Count(); ++i)
    classlib::TabInsert(handle_, i,
                        {saved.Strings(i), reinterpret_cast<LPARAM>(saved.Objects(i)),
                         GetImageIndex(i), RightToLeft()},
                        true);
  SendMessageW(handle_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TsCustomTabControl::DestroyWnd() {
  // The tabs, their objects and the selection wait for the next window.
  saved_tabs_.Clear();
  const int n = static_cast<int>(SendMessageW(handle_, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    std::string text;
    LPARAM param = 0;
    classlib::TabText(handle_, i, text);
    classlib::TabParam(handle_, i, param);
    saved_tabs_.AddObject(text, reinterpret_cast<TObject*>(param));
  }
  saved_index_ = n > 0 ? static_cast<int>(SendMessageW(handle_, TCM_GETCURSEL, 0, 0)) : -1;
  HWND focus = GetFocus();
  if (focus && (focus == handle_ || IsChild(handle_, focus))) ::SetFocus(nullptr);
  TWinControl::DestroyWnd();
}

void TsCustomTabControl::Loaded() {
  TWinControl::Loaded();
  common_data_->ResolveSection();
  // Images chosen while loading reach the tabs now.
  for (int i = 0, n = TabWindowCount(); i < n; ++i) {
    std::string text;
    if (TabWindowText(i, text)) TabWindowSetText(i, text, GetImageIndex(i));
  }
  TabsChanged();
}

void TsCustomTabControl::WndProc(TMessage& M) {
  if (OfferToCommonData(common_data_.get(), M)) {
    if (M.Msg == msg::Layout) {
      LayoutTabRows();
    } else if (M.Msg == msg::SkinRemoved) {
      // The cache held the skin's geometry: it is made again from the window.
      cache_.clear();
      SetTabIndex(TabIndex());
      RebuildTabCache();
    }
    return;
  }
  TWinControl::WndProc(M);
}

void TsCustomTabControl::HandleMessage(TMessage& M) {
  switch (M.Msg) {
    case CN_NOTIFY: {
      auto* nm = reinterpret_cast<NMHDR*>(M.LParam);
      if (nm->code == TCN_SELCHANGING) {
        M.Result = CanChange() ? 0 : 1; // 1 keeps the current tab
        return;
      }
      if (nm->code == TCN_SELCHANGE) {
        LayoutTabRows();
        Change();
        return;
      }
      break;
    }
    case CN_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam);
      canvas_.PaintOn(d->hDC, [&] {
        canvas_.SetBrush(Brush());
        DrawTab(static_cast<int>(d->itemID),
                Rect(d->rcItem.left, d->rcItem.top, d->rcItem.right, d->rcItem.bottom),
                (d->itemState & ODS_SELECTED) != 0);
      });
      M.Result = 1;
      return;
    }
    case CM_FONTCHANGED:
      TWinControl::HandleMessage(M);
      // The window lays its tabs out again for the new font.
      if (HandleAllocated()) Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(Width(), Height()));
      return;
    case CM_BIDIMODECHANGED:
      TWinControl::HandleMessage(M);
      // The position bits and the tabs' reading order are the window's own.
      if (HandleAllocated()) RecreateKeeping();
      return;
    case CM_SYSCOLORCHANGE:
      if (!classlib::IsLoading(this) && HandleAllocated())
        SendMessageW(Handle(), WM_SYSCOLORCHANGE, 0, 0);
      break;
    case WM_SIZE:
      TWinControl::HandleMessage(M);
      LayoutTabRows();
      return;
    case WM_KEYDOWN:
      if (classlib::HandleDialogKey(this, M)) return;
      break;
    case CM_DIALOGCHAR:
      if (DialogChar(M)) return;
      break;
  }
  TWinControl::HandleMessage(M);
}

bool TsCustomTabControl::DialogChar(TMessage& M) {
  if (!CanFocus()) return false;
  const char key = static_cast<char>(M.WParam);
  for (int i = 0, n = TabWindowCount(); i < n; ++i) {
    std::string caption;
    if (!TabWindowText(i, caption) || !IsAccel(key, caption) || !CanShowTab(i)) continue;
    // The key is this control's even when OnChanging keeps the tab.
    M.Result = 1;
    if (CanChange()) {
      SetTabIndex(i);
      LayoutTabRows();
      Change();
    }
    return true;
  }
  return false;
}

} // namespace skins
