// The portable half of the page control: the list of pages and its tabs.
//
// A page control shows one tab per page whose tab is visible, in page order,
// each tab carrying its page as the item object; exactly one page (the active
// page) or none is shown. TPageList keeps the pages, keeps the tabs in step
// through the tab list (any TStrings; on Windows the control's TsTabSheet
// list over "SysTabControl32", in tests a fake), and answers which page is
// next, which is selected and where a page moves. Showing and hiding the
// pages, focus and events are the control's.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "classlib/StringList.h"

namespace skins {

// What the page list knows of a page.
class TPageItem {
 public:
  virtual ~TPageItem() = default;
  // The page as the tab's item object.
  virtual TObject* PageObject() = 0;
  virtual bool PageTabVisible() const = 0;
  virtual std::string PageCaption() = 0;
};

class TPageList {
 public:
  // Tabs: the tab list; SelectedTab / SelectTab read and set the window's
  // selected tab (-1 for none).
  TPageList(TStrings* Tabs, std::function<int()> SelectedTab, std::function<void(int)> SelectTab)
      : tabs_(Tabs), selected_(std::move(SelectedTab)), select_(std::move(SelectTab)) {}

  int Count() const { return static_cast<int>(pages_.size()); }
  TPageItem* Page(int Index) const; // EListError out of range
  int IndexOf(const TPageItem* Page) const;
  // The page's position among the visible tabs, or -1 when its tab is hidden.
  int TabIndexOf(const TPageItem* Page) const;
  // The page whose tab is at window index Tab, or null.
  TPageItem* PageOfTab(int Tab) const;
  // The page of the selected tab, or null.
  TPageItem* SelectedPage() const { return PageOfTab(selected_()); }

  // Steps through the pages from From, wrapping around (from the last page
  // going forward, or the first going back, when From is not in the list),
  // and returns the first page whose tab is visible when VisibleOnly; null
  // after a full cycle.
  TPageItem* NextPage(TPageItem* From, bool Forward, bool VisibleOnly) const;

  // The page joins the end of the list; its tab shows when visible.
  void Insert(TPageItem* Page);
  // The page leaves the list (its tab first). Returns the page that becomes
  // active, whether or not the page was: the next page after it with a
  // visible tab (null when there is none but this one), whose tab is
  // selected.
  TPageItem* Remove(TPageItem* Page);
  // The page's tab appears at its visible-tab index, or goes. Hiding the
  // selected tab selects the tab at the same index (the last one when it was
  // the last). Returns the page of the selection afterwards.
  TPageItem* UpdateTab(TPageItem* Page);
  // Rewrites the page's tab text.
  void UpdateCaption(TPageItem* Page);
  // Moves the page to Index; outside 0..Count-1 raises EListError "%d is an
  // invalid PageIndex value.  PageIndex must be between 0 and %d".
  void Move(TPageItem* Page, int Index);
  // Makes the tabs again from the pages (a new window) and selects Active's.
  void RebuildTabs(TPageItem* Active);
  // Selects Page's tab (-1 when the page has none or is null).
  void SelectTabOf(TPageItem* Page);

 private:
  TStrings* tabs_;
  std::function<int()> selected_;
  std::function<void(int)> select_;
  std::vector<TPageItem*> pages_;
};

} // namespace skins
