// The page logic against a tab window in memory: tabs in step with the pages
// (hidden tabs, moves, removal, a new window), the next page with wrap-around
// and the PageIndex range with its message.
#include <gtest/gtest.h>

#include "classlib/SysUtils.h"
#include "skins/sPageControlCore.h"
#include "skins/tests/FakeTabWindow.h"

namespace skins {
namespace {

class FakePage : public TObject, public TPageItem {
 public:
  explicit FakePage(std::string caption) : caption_(std::move(caption)) {}
  TObject* PageObject() override { return this; }
  bool PageTabVisible() const override { return visible; }
  std::string PageCaption() override { return caption_; }
  bool visible = true;

 private:
  std::string caption_;
};

class Pages : public ::testing::Test {
 protected:
  void SetUp() override {
    for (FakePage* p : {&a_, &b_, &c_}) list_.Insert(p);
  }
  std::string Tabs() {
    std::string s;
    for (auto& t : window_.tabs) s += static_cast<FakePage*>(t.object)->PageCaption();
    return s;
  }
  test::FakeTabWindow window_;
  TsTabStrings tabs_{&window_};
  TPageList list_{&tabs_, [this] { return window_.selected; },
                  [this](int i) { window_.selected = i; }};
  FakePage a_{"A"}, b_{"B"}, c_{"C"};
};

TEST_F(Pages, EachVisiblePageHasATabCarryingIt) {
  EXPECT_EQ(Tabs(), "ABC");
  EXPECT_EQ(window_.tabs[1].text, "B");
  EXPECT_EQ(list_.PageOfTab(2), &c_);
  EXPECT_EQ(list_.PageOfTab(3), nullptr);
  EXPECT_EQ(list_.PageOfTab(-1), nullptr);
  b_.visible = false;
  list_.UpdateTab(&b_);
  EXPECT_EQ(Tabs(), "AC");
  EXPECT_EQ(list_.TabIndexOf(&c_), 1);
  EXPECT_EQ(list_.TabIndexOf(&b_), -1);
  b_.visible = true;
  list_.UpdateTab(&b_);
  EXPECT_EQ(Tabs(), "ABC");
}

TEST_F(Pages, NextPageWrapsAroundAndSkipsHiddenTabs) {
  EXPECT_EQ(list_.NextPage(&c_, true, true), &a_);
  EXPECT_EQ(list_.NextPage(&a_, false, true), &c_);
  b_.visible = false;
  EXPECT_EQ(list_.NextPage(&a_, true, true), &c_);
  EXPECT_EQ(list_.NextPage(&c_, false, true), &a_);
  EXPECT_EQ(list_.NextPage(&a_, true, false), &b_);
  // Not in the list: forward starts after the last page, back before the first.
  FakePage stranger("X");
  EXPECT_EQ(list_.NextPage(&stranger, true, true), &a_);
  EXPECT_EQ(list_.NextPage(nullptr, false, true), &c_);
  // The page itself after a full cycle when it is the only one shown.
  a_.visible = c_.visible = false;
  EXPECT_EQ(list_.NextPage(&c_, true, true), nullptr);
  c_.visible = true;
  EXPECT_EQ(list_.NextPage(&c_, true, true), &c_);
}

TEST_F(Pages, HidingTheSelectedTabSelectsTheSameIndexOrTheLast) {
  window_.selected = 1; // B
  b_.visible = false;
  EXPECT_EQ(list_.UpdateTab(&b_), &c_);
  EXPECT_EQ(window_.selected, 1);
  window_.selected = 1; // C, the last
  c_.visible = false;
  EXPECT_EQ(list_.UpdateTab(&c_), &a_);
  EXPECT_EQ(window_.selected, 0);
  a_.visible = false;
  EXPECT_EQ(list_.UpdateTab(&a_), nullptr);
  EXPECT_EQ(window_.selected, -1);
}

TEST_F(Pages, ShowingOrHidingAnotherTabKeepsTheSelectedPage) {
  window_.selected = 2; // C
  a_.visible = false;
  EXPECT_EQ(list_.UpdateTab(&a_), &c_);
  a_.visible = true;
  EXPECT_EQ(list_.UpdateTab(&a_), &c_);
  EXPECT_EQ(window_.selected, 2);
}

TEST_F(Pages, PageIndexOutOfRangeRaisesWithTheLastValidIndex) {
  const char* text = "%d is an invalid PageIndex value.  PageIndex must be between 0 and %d";
  for (int bad : {3, -1, 100}) {
    try {
      list_.Move(&a_, bad);
      FAIL() << bad;
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), Format(text, {bad, 2}));
    }
  }
  EXPECT_EQ(Tabs(), "ABC");
}

TEST_F(Pages, MovingAPageMovesItsTabAndTheSelectionFollowsThePage) {
  window_.selected = 0; // A
  list_.Move(&a_, 2);
  EXPECT_EQ(list_.IndexOf(&a_), 2);
  EXPECT_EQ(Tabs(), "BCA");
  EXPECT_EQ(list_.SelectedPage(), &a_);
  b_.visible = false;
  list_.UpdateTab(&b_);
  list_.Move(&b_, 2); // a hidden page moves without a tab
  EXPECT_EQ(Tabs(), "CA");
  EXPECT_EQ(list_.SelectedPage(), &a_);
}

TEST_F(Pages, RemovingAPageActivatesTheNextShownOneWhetherOrNotItWasActive) {
  window_.selected = 2; // C
  EXPECT_EQ(list_.Remove(&a_), &b_); // not the active one
  EXPECT_EQ(Tabs(), "BC");
  EXPECT_EQ(list_.SelectedPage(), &b_);
  EXPECT_EQ(list_.Remove(&b_), &c_);
  EXPECT_EQ(Tabs(), "C");
  EXPECT_EQ(list_.SelectedPage(), &c_);
  EXPECT_EQ(list_.Remove(&c_), nullptr);
  EXPECT_EQ(window_.tabs.size(), 0u);
  EXPECT_EQ(list_.Count(), 0);
}

TEST_F(Pages, ANewWindowGetsItsTabsFromThePagesWithTheirObjects) {
  b_.visible = false;
  list_.UpdateTab(&b_);
  window_.tabs.clear(); // what a new window has
  window_.selected = -1;
  list_.RebuildTabs(&c_);
  EXPECT_EQ(Tabs(), "AC");
  EXPECT_EQ(list_.SelectedPage(), &c_);
  EXPECT_EQ(window_.updated, 1);
}

TEST_F(Pages, CaptionChangesRewriteTheTab) {
  FakePage d("D");
  list_.Insert(&d);
  list_.Insert(&d); // once only
  EXPECT_EQ(Tabs(), "ABCD");
  EXPECT_THROW(list_.Page(4), EListError);
  EXPECT_EQ(list_.Page(3), &d);
  window_.tabs[3].text = "old";
  list_.UpdateCaption(&d);
  EXPECT_EQ(window_.tabs[3].text, "D");
}

} // namespace
} // namespace skins
