// The page list and its tabs (see sPageControlCore.h).
#include "skins/sPageControlCore.h"

#include <algorithm>

#include "classlib/SysUtils.h"

namespace skins {

TPageItem* TPageList::Page(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
  return pages_[static_cast<size_t>(Index)];
}

int TPageList::IndexOf(const TPageItem* p) const {
  auto it = std::find(pages_.begin(), pages_.end(), p);
  return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

int TPageList::TabIndexOf(const TPageItem* p) const {
  if (!p || !p->PageTabVisible()) return -1;
  int n = 0;
  for (const TPageItem* q : pages_) {
    if (q == p) return n;
    if (q->PageTabVisible()) ++n;
  }
  return -1;
}

TPageItem* TPageList::PageOfTab(int tab) const {
  if (tab < 0) return nullptr;
  int n = 0;
  for (TPageItem* q : pages_) {
    if (!q->PageTabVisible()) continue;
    if (n++ == tab) return q;
  }
  return nullptr;
}

TPageItem* TPageList::NextPage(TPageItem* from, bool forward, bool visibleOnly) const {
  const int count = Count();
  if (count == 0) return nullptr;
  int start = IndexOf(from);
  if (start < 0) start = forward ? count - 1 : 0;
  int i = start;
  for (int step = 0; step < count; ++step) {
    i = forward ? (i + 1) % count : (i + count - 1) % count;
    TPageItem* p = pages_[static_cast<size_t>(i)];
    if (!visibleOnly || p->PageTabVisible()) return p;
  }
  return nullptr;
}

void TPageList::Insert(TPageItem* p) {
  if (IndexOf(p) >= 0) return;
  pages_.push_back(p);
  if (p->PageTabVisible()) tabs_->InsertObject(TabIndexOf(p), p->PageCaption(), p->PageObject());
}

TPageItem* TPageList::Remove(TPageItem* p) {
  int at = IndexOf(p);
  if (at < 0) return SelectedPage();
  TPageItem* next = NextPage(p, true, true);
  if (next == p) next = nullptr;
  int tab = TabIndexOf(p);
  pages_.erase(pages_.begin() + at);
  if (tab >= 0) {
    // The selection of the window must not follow the removed tab.
    const int selected = selected_();
    tabs_->Delete(tab);
    if (selected > tab) select_(selected - 1);
  }
  SelectTabOf(next);
  return next;
}

TPageItem* TPageList::UpdateTab(TPageItem* p) {
  if (IndexOf(p) < 0) return SelectedPage();
  const int want = TabIndexOf(p);
  // Where the page's tab is now: the tab carrying its object.
  int have = -1;
  for (int i = 0, n = tabs_->Count(); i < n; ++i)
    if (tabs_->Objects(i) == p->PageObject()) have = i;
  if (want >= 0 && have < 0) {
    const int selected = selected_();
    tabs_->InsertObject(want, p->PageCaption(), p->PageObject());
    if (selected >= want) select_(selected + 1);
  } else if (want < 0 && have >= 0) {
    const int selected = selected_();
    tabs_->Delete(have);
    const int count = tabs_->Count();
    if (selected == have) select_(count == 0 ? -1 : std::min(have, count - 1));
    else if (selected > have) select_(selected - 1);
  }
  return SelectedPage();
}

void TPageList::UpdateCaption(TPageItem* p) {
  int tab = TabIndexOf(p);
  if (tab >= 0 && tab < tabs_->Count()) tabs_->Put(tab, p->PageCaption());
}

void TPageList::Move(TPageItem* p, int index) {
  const int count = Count();
  if (index < 0 || index >= count)
    throw EListError(Format("%d is an invalid PageIndex value.  PageIndex must be between 0 and %d",
                            {index, count - 1}));
  int at = IndexOf(p);
  if (at < 0 || at == index) return;
  TPageItem* selected = SelectedPage();
  int oldTab = TabIndexOf(p);
  pages_.erase(pages_.begin() + at);
  pages_.insert(pages_.begin() + index, p);
  int newTab = TabIndexOf(p);
  if (oldTab >= 0 && oldTab != newTab) {
    tabs_->Delete(oldTab);
    tabs_->InsertObject(newTab, p->PageCaption(), p->PageObject());
  }
  SelectTabOf(selected);
}

void TPageList::RebuildTabs(TPageItem* active) {
  tabs_->BeginUpdate();
  try {
    tabs_->Clear();
    for (TPageItem* p : pages_)
      if (p->PageTabVisible()) tabs_->AddObject(p->PageCaption(), p->PageObject());
  } catch (...) {
    tabs_->EndUpdate();
    throw;
  }
  tabs_->EndUpdate();
  SelectTabOf(active);
}

void TPageList::SelectTabOf(TPageItem* p) { select_(TabIndexOf(p)); }

} // namespace skins
