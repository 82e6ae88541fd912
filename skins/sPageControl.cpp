// TsTabSheet and TsPageControl (see sPageControl.h).
#include "skins/sPageControl.h"

#include <commctrl.h>

#include "classlib/Forms.h"
#include "skins/sCommonData.h"

namespace skins {

// --- TsTabSheet ------------------------------------------------------------------------------

TsTabSheet::TsTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle -= {csOpaque};
  ControlStyle += {csAcceptsControls, csSetCaption};
  SetAlign(alClient);
  SetParentColor(false);
  SetColor(clBtnFace);
  visible_ = false; // shown when it becomes the active page
  data_owner_ = std::make_unique<TsWinOwner>(this);
  common_data_ = std::make_unique<TsCommonData>(data_owner_.get(), false);
  common_data_->KindCode = kind::TabSheet;
}

TsTabSheet::~TsTabSheet() = default;

void TsTabSheet::AfterConstruction() {
  TCustomControl::AfterConstruction();
  common_data_->ResolveSection();
}

void TsTabSheet::Loaded() {
  TCustomControl::Loaded();
  common_data_->ResolveSection();
}

void TsTabSheet::BeforeDestruction() {
  if (page_control_) page_control_->RemovePage(this);
  TCustomControl::BeforeDestruction();
}

void TsTabSheet::SetPageControl(TsPageControl* v) { SetParent(v); }

void TsTabSheet::SetParent(TWinControl* AParent) {
  if (AParent == Parent()) return;
  if (page_control_) page_control_->RemovePage(this);
  TCustomControl::SetParent(AParent);
  if (auto* pc = dynamic_cast<TsPageControl*>(AParent)) pc->InsertPage(this);
}

int TsTabSheet::PageIndex() const { return page_control_ ? page_control_->pages_.IndexOf(this) : -1; }

void TsTabSheet::SetPageIndex(int v) {
  if (!page_control_) return;
  page_control_->pages_.Move(this, v);
  // A moved tab is a new item of the window.
  page_control_->PushHighlight(this);
}

int TsTabSheet::TabIndex() const {
  return page_control_ ? page_control_->pages_.TabIndexOf(this) : -1;
}

void TsTabSheet::SetTabVisible(bool v) {
  if (v == tab_visible_) return;
  tab_visible_ = v;
  if (page_control_) page_control_->UpdateTab(this);
}

void TsTabSheet::SetImageIndex(int v) {
  if (v == image_index_) return;
  image_index_ = v;
  if (page_control_) page_control_->pages_.UpdateCaption(this);
}

void TsTabSheet::SetHighlighted(bool v) {
  if (v == highlighted_) return;
  highlighted_ = v;
  // Set while loading, it reaches the tab when the page control's loading ends.
  if (page_control_ && !classlib::IsLoading(this)) page_control_->PushHighlight(this);
}

TParentBackground TsTabSheet::ImageForChild(TControl*) {
  if (!page_control_) return TParentBackground{};
  // The page control's image, read where the sheet lies in it: a child's
  // place is in the sheet's coordinates, so the sheet's own corner (not the
  // page area's, which may differ from it) finds the pixels under it.
  TParentBackground bg = page_control_->CommonData()->ImageForChildren();
  bg.x += Left();
  bg.y += Top();
  return bg;
}

void TsTabSheet::ChildChanged() {
  if (!page_control_ || page_control_->ComponentState().Contains(csDestroying)) return;
  // The page control's common data marks its image out of date.
  page_control_->Perform(msg::ParentImageChanged, 0, -1);
  page_control_->Invalidate();
}

void TsTabSheet::ShowingChanged() {
  const bool now = Showing();
  if (now == showing_) return;
  showing_ = now;
  if (classlib::IsLoading(this)) return;
  // A handler's failure is reported; the page change it came from goes on.
  try {
    if (now && OnShow) OnShow(this);
    if (!now && OnHide) OnHide(this);
  } catch (...) {
    classlib::HandleControlException(this);
  }
}

void TsTabSheet::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  // A page is repainted where it is uncovered, not whole on every resize.
  p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TsTabSheet::WndProc(TMessage& M) {
  if (OfferToCommonData(common_data_.get(), M)) return;
  TCustomControl::WndProc(M);
}

void TsTabSheet::HandleMessage(TMessage& M) {
  if (M.Msg == CM_SHOWINGCHANGED) {
    ShowingChanged();
    return;
  }
  TCustomControl::HandleMessage(M);
  if (M.Msg == CM_TEXTCHANGED && page_control_) page_control_->pages_.UpdateCaption(this);
}

// --- TsPageControl ---------------------------------------------------------------------------

TsPageControl::TsPageControl(TComponent* AOwner)
    : TsCustomTabControl(AOwner),
      pages_(Tabs(), [this] { return TabIndex(); }, [this](int i) { SetTabIndex(i); }) {
  ControlStyle -= {csOpaque};
  CommonData()->ImageOutOfDate = true;
}

TsPageControl::~TsPageControl() = default;

void TsPageControl::Loaded() {
  TsCustomTabControl::Loaded();
  // States set while loading reach the tabs now.
  PushHighlights();
  if (active_) pages_.SelectTabOf(active_);
}

void TsPageControl::PushHighlight(TsTabSheet* page) {
  if (!HandleAllocated() || classlib::IsLoading(this)) return;
  const int tab = page->TabIndex();
  if (tab < 0) return;
  SendMessageW(Handle(), TCM_HIGHLIGHTITEM, static_cast<WPARAM>(tab),
               MAKELPARAM(page->highlighted_ ? 1 : 0, 0));
}

void TsPageControl::PushHighlights() {
  for (int i = 0; i < pages_.Count(); ++i) PushHighlight(Pages(i));
}

void TsPageControl::BeforeDestruction() {
  // The pages outlive the list's links to them only as plain controls.
  for (int i = 0; i < pages_.Count(); ++i) Pages(i)->page_control_ = nullptr;
  active_ = nullptr;
  TsCustomTabControl::BeforeDestruction();
}

TsTabSheet* TsPageControl::FindNextPage(TsTabSheet* From, bool Forward, bool VisibleOnly) {
  return static_cast<TsTabSheet*>(pages_.NextPage(From, Forward, VisibleOnly));
}

void TsPageControl::SetActivePage(TsTabSheet* v) {
  if (v && v->page_control_ != this) return;
  pages_.SelectTabOf(v);
  ChangeActivePage(v);
}

void TsPageControl::SetActivePageIndex(int v) {
  TsTabSheet* page = v >= 0 && v < PageCount() ? Pages(v) : nullptr;
  SetActivePage(page);
  if (page) Change();
}

void TsPageControl::SelectNextPage(bool Forward) {
  TsTabSheet* next = FindNextPage(active_, Forward, true);
  if (!next || next == active_ || !CanChange()) return;
  pages_.SelectTabOf(next);
  Change();
}

bool TsPageControl::FocusInside(TWinControl* c) {
  if (!c || !c->HandleAllocated()) return false;
  HWND focus = GetFocus();
  return focus && (focus == c->Handle() || IsChild(c->Handle(), focus));
}

void TsPageControl::ChangeActivePage(TsTabSheet* page) {
  if (page == active_) return;
  TsTabSheet* old = active_;
  const bool focusWasInside = FocusInside(old);
  if (focusWasInside) {
    // The focus leaves the old page before it hides; a control that keeps
    // it (its exit refused) keeps the old page too.
    old->SetFocus();
    if (GetFocus() != old->Handle()) {
      pages_.SelectTabOf(old);
      return;
    }
  }
  active_ = page;
  if (old) old->SetVisible(false);
  if (page) {
    page->BringToFront();
    page->SetVisible(true);
  }
  // The image held the old page's children.
  CommonData()->ImageOutOfDate = true;
  if (focusWasInside) {
    TWinControl* next = page ? page->FindNextControl(nullptr, true) : nullptr;
    if (next && next->CanFocus())
      next->SetFocus();
    else if (CanFocus())
      SetFocus();
  }
}

void TsPageControl::Change() {
  // With no tab selected (a page whose tab is hidden, chosen from code) the
  // active page stays.
  const int tab = TabIndex();
  if (!ComponentState().Contains(csDestroying) && tab >= 0 && tab < Tabs()->Count())
    ChangeActivePage(dynamic_cast<TsTabSheet*>(Tabs()->Objects(tab)));
  TsCustomTabControl::Change();
}

// Asks the sheet that owns the visible tab: with hidden tabs in between, the
// page at the tab's number in the page list would be another sheet.
bool TsPageControl::CanShowTab(int TabIndex) {
  auto* p = static_cast<TsTabSheet*>(pages_.PageOfTab(TabIndex));
  return p && p->Enabled();
}

int TsPageControl::GetImageIndex(int TabIndex) {
  if (ComponentState().Contains(csDestroying)) return -1;
  if (OnGetImageIndex) return TsCustomTabControl::GetImageIndex(TabIndex);
  auto* p = static_cast<TsTabSheet*>(pages_.PageOfTab(TabIndex));
  return p ? p->ImageIndex() : TabIndex;
}

void TsPageControl::RestoreTabs() {
  // The pages are the truth: a new window gets a tab per page with its
  // sheet, whatever the last window held.
  TsCustomTabControl::RestoreTabs();
  pages_.RebuildTabs(active_);
  PushHighlights();
}

void TsPageControl::InsertPage(TsTabSheet* page) {
  page->page_control_ = this;
  pages_.Insert(page);
  page->SendToBack();
  page->ControlStyle += {csAcceptsControls, csClickEvents, csDoubleClicks};
  PushHighlight(page);
  TsTabSheet* selected = static_cast<TsTabSheet*>(pages_.SelectedPage());
  if (selected != active_) ChangeActivePage(selected);
  Realign();
}

void TsPageControl::RemovePage(TsTabSheet* page) {
  ForgetDockSheet(page);
  const bool wasActive = page == active_;
  auto* next = static_cast<TsTabSheet*>(pages_.Remove(page));
  page->page_control_ = nullptr;
  if (wasActive) active_ = nullptr; // the page is going: no focus moves through it
  ChangeActivePage(next);
}

void TsPageControl::UpdateTab(TsTabSheet* page) {
  auto* selected = static_cast<TsTabSheet*>(pages_.UpdateTab(page));
  PushHighlight(page);
  if (selected != active_) ChangeActivePage(selected);
}

void TsPageControl::HandleMessage(TMessage& M) {
  if (DockTabMessage(M)) return;
  if (M.Msg == CM_DIALOGKEY && M.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 &&
      FocusInside(this)) {
    SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
    M.Result = 1;
    return;
  }
  TsCustomTabControl::HandleMessage(M);
}

} // namespace skins
