// A tab window in memory for the tab list and page logic: tabs with text,
// item object and image, a selection that follows inserts and deletes as the
// system's tab control does, and switches that make one operation fail.
#pragma once

#include <string>
#include <vector>

#include "skins/sTabControlCore.h"

namespace skins::test {

class FakeTabWindow : public TTabHost {
 public:
  struct Tab {
    std::string text;
    TObject* object = nullptr;
    int image = -1;
  };
  std::vector<Tab> tabs;
  int selected = -1;
  int changed = 0, updated = 0;
  std::vector<bool> redraws;
  bool fail_clear = false, fail_delete = false, fail_get = false, fail_object = false,
       fail_set = false, fail_set_object = false, fail_insert = false;

  bool In(int i) const { return i >= 0 && i < static_cast<int>(tabs.size()); }
  int TabWindowCount() override { return static_cast<int>(tabs.size()); }
  bool TabWindowClear() override {
    if (fail_clear) return false;
    tabs.clear();
    selected = -1;
    return true;
  }
  bool TabWindowDelete(int i) override {
    if (fail_delete || !In(i)) return false;
    tabs.erase(tabs.begin() + i);
    if (selected == i) selected = -1;
    else if (selected > i) --selected;
    return true;
  }
  bool TabWindowText(int i, std::string& t) override {
    if (fail_get || !In(i)) return false;
    t = tabs[static_cast<size_t>(i)].text;
    return true;
  }
  bool TabWindowObject(int i, TObject*& o) override {
    if (fail_object || !In(i)) return false;
    o = tabs[static_cast<size_t>(i)].object;
    return true;
  }
  bool TabWindowSetText(int i, const std::string& t, int image) override {
    if (fail_set || !In(i)) return false;
    tabs[static_cast<size_t>(i)].text = t;
    tabs[static_cast<size_t>(i)].image = image;
    return true;
  }
  bool TabWindowSetObject(int i, TObject* o) override {
    if (fail_set_object || !In(i)) return false;
    tabs[static_cast<size_t>(i)].object = o;
    return true;
  }
  bool TabWindowInsert(int i, const std::string& t, int image) override {
    if (fail_insert || i < 0 || i > static_cast<int>(tabs.size())) return false;
    tabs.insert(tabs.begin() + i, Tab{t, nullptr, image});
    if (selected >= i) ++selected;
    return true;
  }
  void TabWindowRedraw(bool r) override { redraws.push_back(r); }
  int TabImageIndex(int i) override { return i; }
  void TabsChanged() override { ++changed; }
  void TabsUpdated() override { ++updated; }
};

} // namespace skins::test
