// TsPageControl and TsTabSheet: a tab control whose tabs each show one page
// (a TsTabSheet, a container of other controls); exactly one page, the
// active page, is visible, or none.
//
// The pages keep their order (PageIndex); a page with TabVisible False has
// no tab. Clicking a tab asks OnChanging, changes the page and runs
// OnChange; Ctrl+Tab and Ctrl+Shift+Tab, while the focus is in the control,
// step through the pages with visible tabs, wrapping around. Setting
// ActivePage from code runs neither event; setting ActivePageIndex runs
// OnChange. Removing a page, active or not, makes the next one with a
// visible tab active. When the focus was inside the old page it moves into
// the new page (its first control that takes focus, else the page control).
//
// A sheet's CommonData (kind 57) has no image of its own: a child asking the
// sheet for its parent's image gets the page control's, at the sheet's place
// in it, and a child's change marks the page control's image out of date. A
// highlighted sheet's tab shows highlighted (set while loading, it shows once
// loading ends); the state survives a new window and a moved or re-shown tab.
#pragma once

#include "classlib/Controls.h"
#include "skins/sPageControlCore.h"
#include "skins/sTabControl.h"

namespace skins {

class TsPageControl;

class TsTabSheet : public TCustomControl, public TPageItem, public ISkinnedControl {
 public:
  explicit TsTabSheet(TComponent* AOwner);
  ~TsTabSheet() override;

  TsPageControl* PageControl() const { return page_control_; }
  void SetPageControl(TsPageControl* v);
  void SetParent(TWinControl* AParent) override;
  // Position in the page list; setting it moves the page (and its tab).
  int PageIndex() const;
  void SetPageIndex(int v);
  // Position among the visible tabs, -1 when the tab is hidden.
  int TabIndex() const;
  bool TabVisible() const { return tab_visible_; }
  void SetTabVisible(bool v);
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int v);
  bool Highlighted() const { return highlighted_; }
  void SetHighlighted(bool v);
  TsCommonData* CommonData() const { return common_data_.get(); }

  // The sheet came on screen (its page became active while its form shows,
  // or its form appeared) or went off it.
  TNotifyEvent OnShow, OnHide;

  // ISkinnedControl
  TsCommonData* SkinCommonData() override { return common_data_.get(); }
  TParentBackground ImageForChild(TControl* child) override;
  void ChildChanged() override;
  void AfterConstruction() override;

  // TPageItem
  TObject* PageObject() override { return this; }
  bool PageTabVisible() const override { return tab_visible_; }
  std::string PageCaption() override { return Caption(); }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void HandleMessage(TMessage& Message) override;
  void BeforeDestruction() override;
  void Loaded() override;

 private:
  friend class TsPageControl;
  // OnShow / OnHide when Showing() differs from what the sheet saw last.
  void ShowingChanged();
  TsPageControl* page_control_ = nullptr;
  bool showing_ = false;
  bool tab_visible_ = true;
  int image_index_ = 0;
  bool highlighted_ = false;
  std::unique_ptr<TsWinOwner> data_owner_;
  std::unique_ptr<TsCommonData> common_data_;
};

class TsPageControl : public TsCustomTabControl {
 public:
  explicit TsPageControl(TComponent* AOwner);
  ~TsPageControl() override;

  int PageCount() const { return pages_.Count(); }
  TsTabSheet* Pages(int Index) const { return static_cast<TsTabSheet*>(pages_.Page(Index)); }
  TsTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TsTabSheet* v);
  int ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }
  void SetActivePageIndex(int v);
  // The next page from From with a visible tab (when VisibleOnly), wrapping.
  TsTabSheet* FindNextPage(TsTabSheet* From, bool Forward, bool VisibleOnly);
  // Steps to the next (previous) page as the user would: OnChanging, OnChange.
  void SelectNextPage(bool Forward);

 protected:
  void HandleMessage(TMessage& Message) override;
  void BeforeDestruction() override;
  bool CanShowTab(int TabIndex) override;
  int GetImageIndex(int TabIndex) override;
  void Change() override;
  void RestoreTabs() override;
  void Loaded() override;

 private:
  friend class TsTabSheet;
  void InsertPage(TsTabSheet* Page);
  void RemovePage(TsTabSheet* Page);
  void UpdateTab(TsTabSheet* Page);
  void ChangeActivePage(TsTabSheet* Page);
  bool FocusInside(TWinControl* c);
  // The window's tab of each page shows the page's highlighted state.
  void PushHighlight(TsTabSheet* Page);
  void PushHighlights();
  TPageList pages_;
  TsTabSheet* active_ = nullptr;

  // --- Docking (sPageControlDock.cpp) ----------------------------------------------------
  // As a DockSite, each docked client gets a sheet of its own (a form's
  // caption on its tab); the tab follows the client's caption (first line)
  // and visibility. A double click on a tab floats its client again, and a
  // press on a tab drags it.
 public:
  void DockOver(TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  bool DoUnDock(TWinControl* NewTarget, TControl* Client) override;
  void GetSiteInfo(TControl* Client, TRect& InfluenceRect, const TPoint& MousePos,
                   bool& CanDock) override;

 protected:
  void DoAddDockClient(TControl* Client, const TRect& ARect) override;
  void DoRemoveDockClient(TControl* Client) override;
  void DockClientChanged(TControl* Client, UINT Msg) override;

 private:
  // The tab's presses and double clicks of a dock site; true when taken.
  bool DockTabMessage(TMessage& Message);
  // The sheet a docked client sits in, and the client docked in a sheet.
  TsTabSheet* SheetOfDockClient(TControl* Client) const;
  TControl* DockClientOfSheet(TsTabSheet* Sheet) const;
  void ForgetDockSheet(TsTabSheet* Sheet);
  TsTabSheet* new_dock_sheet_ = nullptr;
  TsTabSheet* undock_page_ = nullptr;
};

} // namespace skins
